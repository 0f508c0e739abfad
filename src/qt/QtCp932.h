#pragma once
// CP932 bytes to and from QString, for the places where text meets Qt.
#include "platform/Cp932.h"

#include <QString>

#include <string>
#include <string_view>

inline QString QStringFromCp932(std::string_view cp932)
{
    const std::u16string utf16 = Cp932ToUtf16(cp932);
    return QString(reinterpret_cast<const QChar*>(utf16.data()), static_cast<qsizetype>(utf16.size()));
}

inline std::string Cp932FromQString(const QString& text)
{
    return Utf16ToCp932(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                            static_cast<std::size_t>(text.size())));
}
