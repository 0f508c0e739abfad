// Comma text: any text parses into items that write out and parse back as the same items, a
// written list is its own fixed point, and a fuzzed list written and parsed comes back as it
// was. Where the bytes around a parsed item allow it, unquoted items hold no blank or comma.
#include <string>
#include <string_view>
#include <vector>

#include "FuzzInput.h"
#include "colouring/CommaText.h"

namespace {

std::string ShowList(const std::vector<std::string>& items)
{
    std::string out = std::to_string(items.size()) + " items:";
    for (const std::string& s : items)
        out += " [" + fuzz::Show(s, 60) + "]";
    return out;
}

// Parse, write, parse: the items stay, and writing them again gives the same line.
void TextRoundTrip(std::string_view text)
{
    const std::vector<std::string> items = ParseCommaText(text);
    const std::string written = MakeCommaText(items);
    const std::vector<std::string> again = ParseCommaText(written);
    FUZZ_CHECK(again == items, "parsed " + fuzz::Show(text) + " as " + ShowList(items) + "\n  wrote " +
                                   fuzz::Show(written) + ", which parses as " + ShowList(again));
    FUZZ_CHECK(MakeCommaText(again) == written, "writing " + ShowList(items) + " is not stable");
    // A text without quotes splits only at blanks and commas: its items are its runs of
    // other bytes, in order.
    if (text.find('"') == std::string_view::npos) {
        std::size_t from = 0;
        for (const std::string& item : items) {
            if (item.empty())
                continue;
            const std::size_t at = text.find(item, from);
            FUZZ_CHECK(at != std::string_view::npos, "item [" + fuzz::Show(item) + "] is not in " + fuzz::Show(text));
            for (const char c : item)
                FUZZ_CHECK(static_cast<unsigned char>(c) > ' ' && c != ',',
                           "unquoted item [" + fuzz::Show(item) + "] holds a separator");
            from = at + item.size();
        }
    }
}

// A list cut from the input at a separator byte of the input's choosing: written and parsed,
// it comes back item for item.
void ListRoundTrip(fuzz::TInput& in)
{
    const char sep = static_cast<char>(in.Byte());
    const std::string rest = in.Rest();
    std::vector<std::string> items;
    std::string cur;
    for (const char c : rest) {
        if (c == sep) {
            items.push_back(cur);
            cur.clear();
        } else {
            cur += c;
        }
    }
    if (!rest.empty())
        items.push_back(cur);
    const std::string written = MakeCommaText(items);
    const std::vector<std::string> back = ParseCommaText(written);
    FUZZ_CHECK(back == items, "wrote " + ShowList(items) + " as " + fuzz::Show(written) + ", which parses as " +
                                  ShowList(back));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TextRoundTrip(std::string_view(reinterpret_cast<const char*>(data), size));
    fuzz::TInput in(data, size);
    ListRoundTrip(in);
    return 0;
}
