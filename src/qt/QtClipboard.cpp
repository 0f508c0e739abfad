#include "qt/QtClipboard.h"

#include "qt/QtCp932.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <memory>

const QString TQtClipboard::kRawMimeType = QStringLiteral("application/x-varnet-cp932");
const QString TQtClipboard::kBoxMimeType =
    QStringLiteral("application/x-qt-windows-mime;value=\"%1\"")
        .arg(QString::fromLatin1(kBoxFormatName.data(), static_cast<qsizetype>(kBoxFormatName.size())));

namespace {

QByteArray ToBytes(std::string_view s) { return QByteArray(s.data(), static_cast<qsizetype>(s.size())); }

// Documents break lines with CR LF; programs on this platform expect LF alone.
QString ForOtherPrograms(std::string_view cp932)
{
    QString text = QStringFromCp932(cp932);
#ifndef Q_OS_WIN
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
#endif
    return text;
}

} // namespace

TQtClipboard::TQtClipboard(QClipboard* clipboard)
    : FClipboard(clipboard != nullptr ? clipboard : QGuiApplication::clipboard())
{
}

bool TQtClipboard::HasText() const
{
    const QMimeData* mime = FClipboard->mimeData();
    return mime != nullptr && (mime->hasFormat(kRawMimeType) || mime->hasText());
}

std::string TQtClipboard::GetText() const
{
    const QMimeData* mime = FClipboard->mimeData();
    if (mime == nullptr)
        return {};
    if (mime->hasFormat(kRawMimeType)) {
        const QByteArray raw = mime->data(kRawMimeType);
        return std::string(raw.constData(), static_cast<std::size_t>(raw.size()));
    }
    if (mime->hasText())
        return Cp932FromQString(mime->text());
    return {};
}

void TQtClipboard::SetText(std::string_view cp932) { Write(cp932, false); }

void TQtClipboard::SetBoxText(std::string_view cp932) { Write(cp932, true); }

bool TQtClipboard::HasBoxFormat() const
{
    const QMimeData* mime = FClipboard->mimeData();
    return mime != nullptr && mime->hasFormat(kBoxMimeType);
}

// One QMimeData with every format, handed over in one call: other programs never see the
// text without its marker.
void TQtClipboard::Write(std::string_view cp932, bool box)
{
    auto mime = std::make_unique<QMimeData>();
    mime->setText(ForOtherPrograms(cp932));
    mime->setData(kRawMimeType, ToBytes(cp932));
    if (box) {
        QByteArray marked = ToBytes(cp932);
        marked.append('\0');
        mime->setData(kBoxMimeType, marked);
    }
    FClipboard->setMimeData(mime.release());
}
