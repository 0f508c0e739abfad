// Wrapping never changes a byte's colour: random texts whose tokens the wrap edge cuts, in
// four languages, at every width and with the line-breaking rules on and off, coloured through
// the editor's own rows and row-state hook after every edit, against the same text with every
// line on one unwrapped row.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <sstream>

#include "PaintModel.h"
#include "TestRows.h"
#include "TokenDump.h"
#include "colouring/EditorColouring.h"
#include "platform/Cp932.h"
#include "platform/Sjis.h"

namespace {

struct TLanguage {
    const char* Name;
    std::vector<std::pair<std::string, std::string>> Brackets;
    std::string Commenter;
    std::string Quotation;
    std::string HexPrefix;
    bool ControlCode = false;
    std::vector<std::string> Reserved;
};

const std::vector<TLanguage>& Languages()
{
    static const std::vector<TLanguage> all = {
        {"plain text", {}, "", "", "", false, {}},
        {"HTML", {{"<!--", "-->"}, {"<", ">"}}, "", "", "", false, {}},
        {"Pascal", {{"{", "}"}, {"(*", "*)"}}, "//", "'", "$", true,
         {"begin", "end", "var", "procedure", "then"}},
        {"C", {{"/*", "*/"}, {"R\"(", ")\""}, {"'", "'"}}, "//", "\"", "0x", false,
         {"int", "return", "while", "unsigned", "static_cast"}},
    };
    return all;
}

void Configure(TEditorColouring& colouring, const TLanguage& lang)
{
    TEditorViewInfo& view = colouring.View();
    view.Brackets().Clear();
    for (const auto& [left, right] : lang.Brackets) {
        view.Brackets().AddPair(left, right);
    }
    view.SetCommenter(lang.Commenter);
    view.SetQuotation(lang.Quotation);
    view.SetHexPrefix(lang.HexPrefix);
    view.SetControlCode(lang.ControlCode);
    view.SetUrl(true);
    view.SetMail(true);
    TReserveWordList words;
    words.SetWords(lang.Reserved);
    colouring.SetReserveWordList(words);
}

void SetLineBreakRules(TEditorWrapOption& o, bool on)
{
    o.SetFollowRetMark(on);
    o.SetFollowPunctuation(on);
    o.SetLeading(on);
    o.SetWordBreak(on);
}

// Random text of the kinds that colour differently, long enough that a row can lie wholly
// inside one token, and often placed so that the wrap edge cuts a token.
class TTextGen {
public:
    TTextGen(std::mt19937& rng, const TLanguage& lang, int width) : R(rng), L(lang), W(width) {}

    std::string Line()
    {
        std::string line;
        const int pieces = 1 + Below(10);
        for (int i = 0; i < pieces && line.size() < 600; ++i) {
            std::string piece = Piece();
            if (!line.empty() && Below(4) != 0) {
                line += ' ';
            }
            if (piece.size() >= 2 && Below(2) == 0) {
                // Start the piece a few bytes before the next wrap edge.
                const int cut = 1 + Below(std::min<int>(static_cast<int>(piece.size()) - 1, 8));
                const int col = static_cast<int>(line.size()) % W;
                line.append(static_cast<std::size_t>((W - cut - col + 2 * W) % W), ' ');
            }
            line += piece;
        }
        return line;
    }

    std::string Piece()
    {
        switch (Below(19)) {
        case 0: return Kana(0x82, 0x9F, 0xF1);  // hiragana
        case 1: return Kana(0x83, 0x40, 0x96);  // katakana
        case 2: return WideDigits();
        case 3: return Run(1, 20, [&] { return Wide(0x82, Below(2) ? 0x60 : 0x81, 26); });
        case 4: return WideSymbols();
        case 5: return Run(1, 30, [&] { return Wide(0x88 + Below(0x10), 0x40, 0x3F); });
        case 6: return Run(1, 40, [&] { return std::string(1, static_cast<char>(0xA1 + Below(0x3F))); });
        case 7: return Word(1 + Below(Below(3) ? 12 : 70));
        case 8: return Number();
        case 9: return Url();
        case 10: return Mail();
        case 11: return String();
        case 12: return Bracket();
        case 13: return std::string(static_cast<std::size_t>(1 + Below(Below(2) ? 3 : 2 * W + 20)), ' ');
        case 14: return Below(2) ? "\t" : "\t\t ";
        case 15: return L.Reserved.empty() ? Word(3) : L.Reserved[Below(static_cast<int>(L.Reserved.size()))];
        case 16: return std::string(1, "+-*/=;:,.()[]{}<>!?&|^~@#$%\"'"[Below(29)]);
        case 17: return Codes();
        default: return L.Commenter.empty() ? Word(2) : L.Commenter + " " + Word(1 + Below(30));
        }
    }

private:
    int Below(int n) { return n <= 0 ? 0 : static_cast<int>(R() % static_cast<unsigned>(n)); }

    template <class F>
    std::string Run(int lo, int hi, F&& one)
    {
        std::string s;
        for (int n = lo + Below(hi - lo + 1); n > 0; --n) {
            s += one();
        }
        return s;
    }

    // One double-byte character lead, first + k (k < count), skipping the unused trail 0x7F.
    std::string Wide(int lead, int first, int count)
    {
        int trail = first + Below(count);
        if (trail == 0x7F) {
            ++trail;
        }
        return {static_cast<char>(lead), static_cast<char>(trail)};
    }

    std::string Kana(int lead, int first, int last)
    {
        std::string s = Wide(lead, first, last - first + 1);
        const int n = Below(3) ? 1 + Below(8) : 10 + Below(60);
        for (int i = 0; i < n; ++i) {
            switch (Below(6)) {
            case 0: s += "ー"_sj; break;
            case 1: s += "－"_sj; break;
            default: s += Wide(lead, first, last - first + 1);
            }
        }
        return s;
    }

    std::string WideDigits()
    {
        return Run(1, Below(2) ? 6 : 60, [&] {
            switch (Below(6)) {
            case 0: return std::string("，"_sj);
            case 1: return std::string("．"_sj);
            default: return Wide(0x82, 0x4F, 10);
            }
        });
    }

    std::string WideSymbols()
    {
        static const std::string_view symbols[] = {"、"_sj, "。"_sj, "，"_sj, "．"_sj, "・"_sj,
                                                   "ー"_sj, "－"_sj, "「"_sj, "」"_sj, "（"_sj,
                                                   "）"_sj, "※"_sj, "★"_sj, "―"_sj};
        return Run(1, Below(2) ? 4 : 40, [&] { return std::string(symbols[Below(14)]); });
    }

    std::string Word(int n)
    {
        static const char first[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ_";
        static const char rest[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ_0123456789";
        std::string s(1, first[Below(53)]);
        for (int i = 1; i < n; ++i) {
            s += rest[Below(63)];
        }
        return s;
    }

    std::string Digits(int n)
    {
        std::string s;
        for (int i = 0; i < n; ++i) {
            s += static_cast<char>('0' + Below(10));
        }
        return s;
    }

    std::string Number()
    {
        std::string s = Digits(1 + Below(Below(2) ? 5 : 45));
        if (Below(2)) {
            s += '.' + Digits(Below(2) ? Below(4) : Below(40));
        }
        if (Below(3) == 0) {
            s += Below(2) ? 'E' : 'e';
            if (Below(2)) {
                s += Below(2) ? '+' : '-';
            }
            // Exponents stay short: one longer than a row, followed by a letter 'e', would be
            // taken for a fraction on the row after it.
            s += Digits(Below(5));
        }
        return s;
    }

    std::string Codes()
    {
        static const char hex[] = "0123456789abcdefABCDEF";
        std::string digits;
        for (int n = 1 + Below(Below(2) ? 4 : 40); n > 0; --n) {
            digits += hex[Below(22)];
        }
        switch (Below(3)) {
        case 0: return L.HexPrefix + digits;
        case 1: return "#$" + digits;
        default: return "#" + Digits(1 + Below(30));
        }
    }

    std::string Url()
    {
        static const char* const prefixes[] = {"http://", "https://", "ftp:", "www."};
        static const char chars[] = "abcdefghijklmnopqrstuvwxyz0123456789#%&+-./:=?_~";
        std::string s = prefixes[Below(4)];
        for (int n = Below(Below(2) ? 20 : 90); n > 0; --n) {
            s += chars[Below(47)];
        }
        return s;
    }

    std::string Mail()
    {
        std::string s = Word(1 + Below(8));
        if (Below(2)) {
            s += "." + Word(1 + Below(8));
        }
        s += "@" + Word(1 + Below(6)) + ".";
        s += Below(2) ? "co.jp" : "com";
        // A mail address is found by looking ahead over its whole run of mail characters, and
        // the painter sees two rows ahead: blanks keep the run to the address.
        return " " + s + " ";
    }

    std::string String()
    {
        const std::string q = L.Quotation.empty() ? "\"" : L.Quotation;
        std::string s = q;
        for (int n = Below(Below(2) ? 4 : 14); n > 0; --n) {
            switch (Below(5)) {
            case 0: s += q + q; break;
            case 1: s.append(static_cast<std::size_t>(1 + Below(50)), ' '); break;
            case 2: s += Kana(0x82, 0x9F, 0xF1); break;
            case 3: s += Word(1 + Below(20)); break;
            default: s += Piece();
            }
        }
        if (Below(5) != 0) {
            s += q;
        }
        return s;
    }

    std::string Bracket()
    {
        if (L.Brackets.empty()) {
            return Word(4);
        }
        const auto& [left, right] = L.Brackets[static_cast<std::size_t>(Below(static_cast<int>(L.Brackets.size())))];
        switch (Below(6)) {
        case 0: return left;
        case 1: return right;
        case 2: return left + right.back(); // "(*)", "<!-->": a closing bracket overlaps the opening one
        default: {
            std::string s = left;
            for (int n = Below(6); n > 0; --n) {
                s += (Below(2) ? " " : "") + Piece();
            }
            return Below(4) ? s + right : s;
        }
        }
    }

    std::mt19937& R;
    const TLanguage& L;
    int W;
};

// The colour of every byte of the text (line breaks left out) with each line on one row.
std::vector<const TFountainColor*> UnwrappedColours(const std::vector<std::string>& lines,
                                                    TFountainParser& parser)
{
    TTestRows rows;
    for (const auto& line : lines) {
        rows.Rows.push_back({line, reBreak, {}});
    }
    TRowParseState state = TRowParseState::First();
    for (int r = 0; r < rows.Count(); ++r) {
        rows.SetParseState(r, state);
        parser.ComputeRowEndState(r, rows, state);
    }
    std::vector<const TFountainColor*> out;
    colourtest::AppendColours(rows, parser, 0, rows.Count() - 1, out);
    return out;
}

// Mail addresses are found by looking ahead over their whole run of mail characters, and a
// screen row is tokenized with the two rows after it at most: an address whose '@' and the '.'
// after it lie further on shows, on the row where its run starts, as the words and symbols it
// is made of. Edits can join any runs, so these bytes are left out of the comparison.
std::vector<bool> MailBeyondReach(const std::vector<std::string>& lines, TFountainParser& parser,
                                  const TParseRows& screen)
{
    std::vector<std::size_t> rowStart{0};
    for (int r = 0; r < screen.Count(); ++r) {
        rowStart.push_back(rowStart.back() + screen.Get(r).size());
    }
    TTestRows whole;
    for (const auto& line : lines) {
        whole.Rows.push_back({line, reBreak, {}});
    }
    std::vector<bool> mask(rowStart.back(), false);
    TRowParseState state = TRowParseState::First();
    std::size_t lineStart = 0;
    for (int i = 0; i < whole.Count(); ++i) {
        const std::string& line = whole.Rows[static_cast<std::size_t>(i)].Text;
        parser.StartRow(line, state);
        for (int kind = parser.NextToken(); kind != tokEnd; kind = parser.NextToken()) {
            if (kind != tokMail) {
                continue;
            }
            const std::string_view token = parser.TokenString();
            const std::size_t dot = std::min(token.find('.', token.find('@')), token.size());
            const std::size_t first = lineStart + static_cast<std::size_t>(parser.TokenPosition());
            std::size_t r = static_cast<std::size_t>(
                std::upper_bound(rowStart.begin(), rowStart.end(), first) - rowStart.begin() - 1);
            for (int k = 0; k < 2 && screen.RowEnd(static_cast<int>(r)) == reWrapped; ++k) {
                ++r;
            }
            if (first + dot >= rowStart[std::min(r + 1, rowStart.size() - 1)]) {
                std::fill_n(mask.begin() + static_cast<std::ptrdiff_t>(first), token.size(), true);
            }
        }
        lineStart += line.size();
        parser.ComputeRowEndState(i, whole, state);
    }
    return mask;
}

std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t br = text.find("\r\n", pos);
        if (br == std::string::npos) {
            lines.push_back(text.substr(pos));
            break;
        }
        lines.push_back(text.substr(pos, br - pos));
        pos = br + 2;
    }
    return lines;
}

std::string Describe(TEditor& editor, TFountainParser& parser, std::size_t byte)
{
    std::ostringstream os;
    const TParseRowsOf<TEditorScreenStrings> rows(editor.ListRows());
    std::size_t at = 0;
    for (int r = 0; r < rows.Count(); ++r) {
        const std::size_t n = rows.Get(r).size();
        if (byte < at + n || r + 1 == rows.Count()) {
            for (int k = std::max(0, r - 2); k <= std::min(rows.Count() - 1, r + 1); ++k) {
                const TRowParseState s = rows.ParseState(k);
                os << (k == r ? "> " : "  ") << "row " << k << " {" << s.OpenBracket << ","
                   << s.CarryBytes << "," << colourtest::KindName(s.CarryToken) << "} |"
                   << Cp932ToUtf8(rows.Get(k)) << "| " << (rows.RowEnd(k) == reWrapped ? "wrapped" : "")
                   << "\n";
            }
            os << "  byte " << byte - at << " of row " << r << "; row tokens: "
               << colourtest::Dump(parser, std::string(rows.Get(r)) +
                                               std::string(rows.RowEnd(r) == reWrapped ? rows.Get(r + 1) : ""),
                                   rows.ParseState(r));
            break;
        }
        at += n;
    }
    // The line as one row, from the state the unwrapped text has at its start.
    const auto lines = SplitLines(editor.ListRows().GetTextStr());
    TTestRows whole;
    for (const auto& line : lines) {
        whole.Rows.push_back({line, reBreak, {}});
    }
    TRowParseState state = TRowParseState::First();
    std::size_t lineStart = 0;
    for (int i = 0; i < whole.Count(); ++i) {
        if (byte < lineStart + whole.Rows[static_cast<std::size_t>(i)].Text.size() || i + 1 == whole.Count()) {
            os << "\n  unwrapped line " << i << ", byte " << byte - lineStart << ": "
               << colourtest::Dump(parser, whole.Rows[static_cast<std::size_t>(i)].Text, state);
            break;
        }
        lineStart += whole.Rows[static_cast<std::size_t>(i)].Text.size();
        parser.ComputeRowEndState(i, whole, state);
    }
    return os.str();
}

// One random edit through the row store: text typed into a row, bytes deleted, a line split
// or joined, or a line replaced.
void RandomEdit(TEditor& editor, std::mt19937& rng, TTextGen& gen)
{
    TEditorScreenStrings& rows = editor.ListRows();
    if (rows.Count() == 0) {
        rows.ReplaceRows(0, 0, gen.Line()); // everything was deleted
        return;
    }
    const int r = static_cast<int>(rng() % static_cast<unsigned>(rows.Count()));
    const std::string text(rows.Get(r));
    const TRowEnd end = rows.RowEnd(r);
    std::vector<std::size_t> cuts{0};
    for (std::size_t i = 0; i < text.size(); i += CharLength(text, i)) {
        cuts.push_back(i + CharLength(text, i));
    }
    const std::size_t a = cuts[rng() % cuts.size()];
    const std::size_t b = std::max(a, cuts[rng() % cuts.size()]);
    const std::string keepBreak = end == reBreak ? "\r\n" : "";
    std::string replacement;
    switch (rng() % 5) {
    case 0: replacement = text.substr(0, a) + gen.Piece() + text.substr(a) + keepBreak; break;
    case 1: replacement = text.substr(0, a) + text.substr(std::min(b, a + 12)) + keepBreak; break;
    case 2: replacement = text.substr(0, a) + "\r\n" + text.substr(a) + keepBreak; break;
    case 3: replacement = text; break; // a break row joins the next line
    default: replacement = text.substr(0, a) + gen.Line() + keepBreak; break;
    }
    rows.ReplaceRows(r, 1, replacement);
}

int Scale()
{
    const char* s = std::getenv("VARNET_PROPERTY_SCALE");
    const int n = s ? std::atoi(s) : 1;
    return n > 0 ? n : 1;
}

} // namespace

TEST(WrapColourProperty, WrappingNeverChangesAByteColour)
{
    std::mt19937 rng(20261208);
    const int rounds = 240 * Scale();
    for (int round = 0; round < rounds; ++round) {
        const TLanguage& lang = Languages()[static_cast<std::size_t>(round) % Languages().size()];
        const int width = TEditorWrapOption::MinWrapByte + round % 231;
        const bool rules = (round / 4) % 2 == 1;
        TEditor editor;
        TEditorColouring colouring(editor);
        Configure(colouring, lang);
        editor.WrapOption().SetWrapByte(width);
        SetLineBreakRules(editor.WrapOption(), rules);
        editor.SetWordWrap(true);
        TTextGen gen(rng, lang, width);
        std::string text;
        for (int n = 1 + static_cast<int>(rng() % 5); n > 0; --n) {
            text += gen.Line() + "\r\n";
        }
        editor.Lines().SetTextStr(text);
        auto parser = colouring.CreateParser();
        for (int step = 0; step <= 12; ++step) {
            if (step > 0) {
                RandomEdit(editor, rng, gen);
            }
            // Rows left for later are computed the way the painter does.
            colourtest::FillLazily(TParseRowsOf<TEditorScreenStrings>(editor.ListRows()),
                                   [&](int r) { colouring.UpdateRowStates(r, false); });
            const TParseRowsOf<TEditorScreenStrings> rows(editor.ListRows());
            const auto lines = SplitLines(editor.ListRows().GetTextStr());
            auto expected = UnwrappedColours(lines, *parser);
            std::vector<const TFountainColor*> shown;
            colourtest::AppendColours(rows, *parser, 0, rows.Count() - 1, shown);
            ASSERT_EQ(shown.size(), expected.size());
            const auto unreached = MailBeyondReach(lines, *parser, rows);
            for (std::size_t i = 0; i < shown.size(); ++i) {
                if (unreached[i]) {
                    shown[i] = expected[i] = nullptr;
                }
            }
            const auto diff = std::mismatch(shown.begin(), shown.end(), expected.begin());
            ASSERT_TRUE(diff.first == shown.end())
                << lang.Name << ", width " << width << (rules ? ", line-break rules on" : "")
                << ", round " << round << ", step " << step << "\n"
                << Describe(editor, *parser, static_cast<std::size_t>(diff.first - shown.begin()));
            ASSERT_EQ(colourtest::Stored(rows), colourtest::FromScratch(rows, *parser))
                << "the states kept through the edits are those computed afresh";
        }
    }
}
