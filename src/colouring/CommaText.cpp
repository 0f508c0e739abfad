#include "colouring/CommaText.h"

#include "platform/Cp932.h"

namespace {

bool IsBlank(char c)
{
    const auto b = static_cast<unsigned char>(c);
    return b >= 1 && b <= ' ';
}

// The quoted item at text[pos] (a double quote); pos moves past its closing quote. A doubled
// quote stands for one; an item whose closing quote is missing runs to the end of the text.
std::string ExtractQuoted(std::string_view text, std::size_t& pos)
{
    std::string out;
    ++pos;
    while (pos < text.size()) {
        const char c = text[pos];
        if (c == '"') {
            if (pos + 1 < text.size() && text[pos + 1] == '"') {
                out += '"';
                pos += 2;
                continue;
            }
            ++pos;
            return out;
        }
        // Whole characters: the quote is looked for at character starts only. A quote is
        // never a second byte, so after a lone lead byte it still closes the item.
        const std::size_t n = CharLength(text, pos) == 2 && text[pos + 1] != '"' ? 2 : 1;
        out.append(text.substr(pos, n));
        pos += n;
    }
    return out;
}

} // namespace

std::vector<std::string> ParseCommaText(std::string_view text)
{
    std::vector<std::string> items;
    std::size_t p = 0;
    const auto skipBlanks = [&] {
        while (p < text.size() && IsBlank(text[p])) {
            ++p;
        }
    };
    skipBlanks();
    while (p < text.size() && text[p] != '\0') {
        if (text[p] == '"') {
            items.push_back(ExtractQuoted(text, p));
        } else {
            const std::size_t start = p;
            while (p < text.size() && static_cast<unsigned char>(text[p]) > ' ' && text[p] != ',') {
                ++p;
            }
            items.emplace_back(text.substr(start, p - start));
        }
        skipBlanks();
        if (p < text.size() && text[p] == ',') {
            // A comma at the very end still closes an (empty) item.
            if (p + 1 == text.size() || text[p + 1] == '\0') {
                items.emplace_back();
            }
            ++p;
            skipBlanks();
        }
    }
    return items;
}

std::string MakeCommaText(const std::vector<std::string>& items)
{
    if (items.size() == 1 && items[0].empty()) {
        return "\"\""; // a lone empty item must not read back as no item at all
    }
    std::string out;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const std::string& s = items[i];
        bool quote = false;
        for (const char c : s) {
            const auto b = static_cast<unsigned char>(c);
            if (b <= ' ' || c == '"' || c == ',') {
                quote = true;
                break;
            }
        }
        if (i > 0) {
            out += ',';
        }
        if (quote) {
            out += '"';
            for (const char c : s) {
                out += c;
                if (c == '"') {
                    out += '"';
                }
            }
            out += '"';
        } else {
            out += s;
        }
    }
    return out;
}
