#include "crypt/StringFormat.h"

#include <map>

#include "crypt/CryptErrors.h"

namespace varnet::crypt {

TStringFormat::TStringFormat(std::string_view table) : FTable(table)
{
    for (bool& a : FAccepted)
        a = table.empty();
    for (char c : table)
        FAccepted[static_cast<unsigned char>(c)] = true;
}

bool TStringFormat::Accepts(const char* text, std::size_t length) const
{
    bool ok = true;
    for (std::size_t i = 0; i < length; ++i)
        ok &= FAccepted[static_cast<unsigned char>(text[i])];
    return ok;
}

TStringFormatClass TStringFormat::Class()
{
    static const TStringFormat instance;
    return &instance;
}

std::string TStringFormat::StrTo(const char* text, std::size_t length) const
{
    return std::string(text, length);
}

std::string TStringFormat::ToStr(const void* bytes, std::size_t length) const
{
    return std::string(static_cast<const char*>(bytes), length);
}

std::string TStringFormat::Name() const { return "copy Input to Output"; }

int TStringFormat::Format() const { return fmtCopy; }

bool TStringFormat::IsValid(const char* text, std::size_t length, bool decoding) const
{
    return !decoding || Accepts(text, length);
}

namespace {

std::map<int, TStringFormatClass>& Registry()
{
    static std::map<int, TStringFormatClass> registry = [] {
        std::map<int, TStringFormatClass> r;
        for (TStringFormatClass c :
             {TStringFormat::Class(), TStringFormat_HEX::Class(), TStringFormat_HEXL::Class(),
              TStringFormat_MIME64::Class(), TStringFormat_UU::Class(), TStringFormat_XX::Class()})
            r[c->Format()] = c;
        return r;
    }();
    return registry;
}

TStringFormatClass FindFormat(int format)
{
    TStringFormatClass c = StringFormat(format);
    if (c == nullptr)
        throw EStringFormat(messages::FormatNotExists(format));
    return c;
}

} // namespace

void RegisterStringFormat(TStringFormatClass format)
{
    if (format != nullptr)
        Registry()[format->Format()] = format;
}

TStringFormatClass StringFormat(int format)
{
    if (format == -1)
        format = fmtDefault;
    auto& r = Registry();
    auto it = r.find(format);
    return it == r.end() ? nullptr : it->second;
}

std::vector<TStringFormatClass> StringFormats()
{
    std::vector<TStringFormatClass> all;
    for (auto& [id, c] : Registry())
        all.push_back(c);
    return all;
}

std::string BinToStr(const void* bytes, std::size_t length, int format)
{
    TStringFormatClass c = FindFormat(format);
    if (!c->IsValid(static_cast<const char*>(bytes), length, false))
        throw EStringFormat(messages::CannotConvert(c->Name()));
    return c->ToStr(bytes, length);
}

std::string StrToBin(const char* text, std::size_t length, int format)
{
    TStringFormatClass c = FindFormat(format);
    if (!c->IsValid(text, length, true))
        throw EStringFormat(messages::InvalidInput(c->Name()));
    return c->StrTo(text, length);
}

} // namespace varnet::crypt
