// Colouring: with fuzzed tokenizer settings and text, the tokens of every row follow one
// another inside it and start on a character's first byte; the text wrapped at a fuzzed width
// colours every byte as the unwrapped text does; and the row states the editor keeps through
// edits, undo, redo and re-wrapping equal the states computed afresh from the first row.
#include <algorithm>
#include <string>
#include <vector>

#include "FuzzInput.h"
#include "colouring/EditorColouring.h"
#include "colouring/EditorFountain.h"
#include "colouring/FountainParser.h"
#include "colouring/RowStateCache.h"
#include "platform/Cp932.h"

namespace {

struct TRow {
    std::string Text;
    TRowEnd End = reBreak;
    TRowParseState State;
};

class TRows final : public TParseRows {
public:
    int Count() const override { return int(Rows.size()); }
    std::string_view Get(int r) const override { return In(r) ? std::string_view(Rows[r].Text) : std::string_view(); }
    TRowEnd RowEnd(int r) const override { return In(r) ? Rows[r].End : reNone; }
    TRowParseState ParseState(int r) const override { return In(r) ? Rows[r].State : TRowParseState(); }
    void SetParseState(int r, const TRowParseState& s) override
    {
        if (In(r))
            Rows[r].State = s;
    }
    std::vector<TRow> Rows;

private:
    bool In(int r) const { return r >= 0 && r < Count(); }
};

// The rule set: each piece switched on or off by the input.
struct TRules {
    std::vector<std::pair<std::string, std::string>> Brackets;
    std::string Commenter, Quotation, HexPrefix;
    bool Mail = false, Url = false, ControlCode = false;
    std::vector<std::string> Words;

    void Read(fuzz::TInput& in)
    {
        static const std::pair<const char*, const char*> brackets[] = {
            {"(*", "*)"}, {"{", "}"}, {"<", ">"}, {"\"", "\""}, {"'", "'"}, {"/*", "*/"},
            {"<!--", "-->"}, {"\x81\x75", "\x81\x76"}, {"<", ""}, {"", ">"}, {"[", "]"}, {"%", "%"}};
        static const char* const commenters[] = {"", "//", "#", ";", "--", "\x81\x9B", "rem"};
        static const char* const quotations[] = {"", "'", "\"", "`"};
        static const char* const prefixes[] = {"", "$", "0x", "&H", "#"};
        static const char* const words[] = {"if", "begin", "end", "ab", "\x8A\xBF\x8E\x9A", "a", "ifx", "0x1"};
        unsigned mask = in.Byte() | unsigned(in.Byte()) << 8;
        for (std::size_t i = 0; i < std::size(brackets); ++i)
            if (mask & (1u << i))
                Brackets.push_back({brackets[i].first, brackets[i].second});
        Commenter = commenters[in.Below(int(std::size(commenters)))];
        Quotation = quotations[in.Below(int(std::size(quotations)))];
        HexPrefix = prefixes[in.Below(int(std::size(prefixes)))];
        unsigned flags = in.Byte();
        Mail = flags & 1;
        Url = flags & 2;
        ControlCode = flags & 4;
        for (std::size_t i = 0; i < std::size(words); ++i)
            if (flags & (8u << (i % 5)) && (i < 5 || flags & 0x80))
                Words.push_back(words[i]);
    }

    // A bracket item without a right bracket ends a row's tokens where it opens, a rule of
    // the row, not of the line: wrapped lines colour differently after one.
    bool DegenerateBracket() const
    {
        for (const auto& [l, r] : Brackets)
            if (!l.empty() && r.empty())
                return true;
        return false;
    }

    template <class Fountain>
    void Apply(Fountain& f) const
    {
        for (const auto& [l, r] : Brackets)
            f.Brackets().AddPair(l, r);
        f.SetCommenter(Commenter);
        f.SetQuotation(Quotation);
        f.SetHexPrefix(HexPrefix);
        f.SetMail(Mail);
        f.SetUrl(Url);
        f.SetControlCode(ControlCode);
    }
};

// Rows of at most `width` bytes that never cut a double-byte character.
void AppendWrapped(TRows& rows, const std::string& line, int width)
{
    std::size_t pos = 0;
    do {
        std::size_t end = pos;
        while (end < line.size()) {
            const std::size_t n = CharLength(line, end);
            if (end + n - pos > std::size_t(width) && end > pos)
                break;
            end += n;
        }
        rows.Rows.push_back({line.substr(pos, end - pos), reWrapped, {}});
        pos = end;
    } while (pos < line.size());
    rows.Rows.back().End = reBreak;
}

void InitFull(TRows& rows, TFountainParser& parser)
{
    TRowStateCache cache;
    cache.SetInitBracketsFull(true);
    cache.InitRowStates(rows, parser, 0);
}

// The tokens of row r as the painter sees them: from the row's state, with the next row joined
// when the row wraps, up to the row's own end. Checks that they follow one another and start
// on a first byte; returns each byte's colour (nullptr: not in a token) and the longest token.
std::vector<const TFountainColor*> PaintRow(const TRows& rows, TFountainParser& parser, int r, int& longest)
{
    std::string text(rows.Get(r));
    const int own = int(text.size());
    if (rows.RowEnd(r) == reWrapped && r + 1 < rows.Count())
        text += rows.Get(r + 1);
    // Second bytes of characters: a token may not start there. A lead byte whose pair is not
    // a character (an unassigned code, a byte that cannot be a trail) stands alone for the
    // tokenizer, as it does for the decoder.
    std::vector<bool> second(text.size(), false);
    for (std::size_t i = 0; i < text.size(); i += CharLength(text, i))
        if (CharLength(text, i) == 2) {
            const std::u16string u = Cp932ToUtf16(std::string_view(text).substr(i, 2));
            second[i + 1] = u.size() == 1 && !IsRawByteEscape(u[0]);
        }
    std::vector<const TFountainColor*> colours(std::size_t(own), nullptr);
    parser.StartRow(text, rows.ParseState(r));
    int previousEnd = 0, tokens = 0;
    for (int kind = parser.NextToken(); kind != tokEnd && parser.TokenPosition() < own; kind = parser.NextToken()) {
        const int pos = parser.TokenPosition(), len = parser.TokenLength();
        FUZZ_CHECK(++tokens <= int(text.size()) + 1, "no progress in row " + fuzz::Show(text));
        FUZZ_CHECK(pos >= previousEnd && len >= 0 && pos + len <= int(text.size()),
                   "token " + std::to_string(pos) + "+" + std::to_string(len) + " after " + std::to_string(previousEnd) +
                       " in row " + fuzz::Show(text));
        FUZZ_CHECK(len > 0, "empty token at " + std::to_string(pos) + " in row " + fuzz::Show(text));
        FUZZ_CHECK(!second[std::size_t(pos)],
                   "token at " + std::to_string(pos) + " starts on a second byte in row " + fuzz::Show(text));
        previousEnd = pos + len;
        longest = std::max(longest, len);
        const TFountainColor* colour = parser.TokenColor();
        for (int i = pos; i < std::min(own, pos + len); ++i)
            colours[std::size_t(i)] = colour;
    }
    return colours;
}

// The colour of every byte but blanks (a row start skips them even inside a region).
std::vector<const TFountainColor*> Colours(const TRows& rows, TFountainParser& parser, int& longest)
{
    std::vector<const TFountainColor*> out;
    for (int r = 0; r < rows.Count(); ++r) {
        auto row = PaintRow(rows, parser, r, longest);
        const std::string_view t = rows.Get(r);
        for (std::size_t i = 0; i < row.size(); ++i) {
            const auto b = static_cast<unsigned char>(t[i]);
            out.push_back(b == 0x09 || b > 0x20 ? row[i] : nullptr);
        }
    }
    return out;
}

std::string Show(const TRowParseState& s);

// Each row's state and tokens as the painter sees them, for a message.
std::string Dump(const TRows& rows, TFountainParser& parser)
{
    std::string out;
    for (int r = 0; r < rows.Count(); ++r) {
        std::string text(rows.Get(r));
        const int own = int(text.size());
        if (rows.RowEnd(r) == reWrapped && r + 1 < rows.Count())
            text += rows.Get(r + 1);
        out += "| " + Show(rows.ParseState(r)) + " ";
        parser.StartRow(text, rows.ParseState(r));
        for (int k = parser.NextToken(); k != tokEnd && parser.TokenPosition() < own; k = parser.NextToken())
            out += std::to_string(k) + "@" + std::to_string(parser.TokenPosition()) + "'" +
                   fuzz::Show(parser.TokenString()) + "' ";
    }
    return out;
}

void TokensAndWrapping(const TRules& rules, const std::string& text, int width)
{
    TEditorFountain fountain;
    rules.Apply(fountain);
    fountain.ReserveWordList().SetWords(rules.Words);
    auto parser = fountain.CreateParser();
    for (const std::string& line : fuzz::SplitLines(text)) {
        TRows whole;
        whole.Rows.push_back({line, reBreak, {}});
        InitFull(whole, *parser);
        int longest = 0;
        const auto expected = Colours(whole, *parser, longest);
        TRows wrapped;
        AppendWrapped(wrapped, line, width);
        InitFull(wrapped, *parser);
        int unused = 0;
        const auto got = Colours(wrapped, *parser, unused);
        // The painter joins only the next row, so a token longer than a row may be seen in
        // pieces; the rule holds for lines whose tokens fit. A NUL ends a row's scan, so
        // what follows one on its row is not coloured, on whichever row that is.
        if (longest > width || line.find('\0') != std::string::npos || rules.DegenerateBracket())
            continue;
        for (std::size_t i = 0; i < expected.size(); ++i)
            FUZZ_CHECK(expected[i] == got[i], "wrapped at " + std::to_string(width) + ", byte " + std::to_string(i) +
                                                  " changes colour in " + fuzz::Show(line) + "\n  whole:   " +
                                                  Dump(whole, *parser) + "\n  wrapped: " + Dump(wrapped, *parser));
    }
}

std::vector<TRowParseState> Stored(const TParseRows& rows)
{
    std::vector<TRowParseState> out;
    for (int r = 0; r < rows.Count(); ++r)
        out.push_back(rows.ParseState(r));
    return out;
}

std::string Show(const TRowParseState& s)
{
    return "{" + std::to_string(s.OpenBracket) + "," + std::to_string(s.AuxIndex) + "," + std::to_string(s.CarryBytes) +
           "," + std::to_string(s.CarryToken) + "," + std::to_string(s.AuxFlags) + "}";
}

void EditorStates(const TRules& rules, const std::string& text, fuzz::TInput& in)
{
    TEditor editor;
    TEditorColouring colouring(editor);
    colouring.SetScreenHeight(in.Bool() ? 1080 : 64);
    TEditorViewInfo& view = colouring.View();
    rules.Apply(view);
    TReserveWordList words;
    words.SetWords(rules.Words);
    colouring.SetReserveWordList(words);
    editor.SetUndoListMax(1 << 20);
    editor.Lines().SetTextStr(text);
    if (in.Bool()) {
        editor.WrapOption().SetWrapByte(in.Between(20, 40));
        editor.SetWordWrap(true);
    }
    TParseRowsOf<TEditorScreenStrings> rows(editor.ListRows());
    for (int step = 0; step < 40 && !in.Empty(); ++step) {
        const int rowCount = editor.RowCount();
        switch (in.Below(8)) {
        case 0:
            editor.Undo();
            break;
        case 1:
            editor.Redo();
            break;
        case 2:
            editor.SetWordWrap(!editor.WordWrap());
            break;
        case 3:
            editor.WrapOption().SetWrapByte(in.Between(20, 40));
            break;
        default: {
            const int start = in.Below(rowCount + 1);
            const int count = start >= rowCount ? 0 : in.Below(std::min(3, rowCount - start) + 1);
            std::string piece = in.Bytes(in.Below(12));
            if (count > 0 && editor.RowEnd(start + count - 1) == reBreak && in.Bool())
                piece += "\r\n";
            editor.ListRows().ReplaceRows(start, count, piece);
            break;
        }
        }
        // Rows left for later are computed when painted, top down.
        for (int r = 0; r < rows.Count(); ++r)
            if (rows.ParseState(r).OpenBracket == -2)
                colouring.UpdateRowStates(r, false);
        const auto stored = Stored(rows);
        auto parser = colouring.CreateParser();
        TRowParseState s = TRowParseState::First();
        for (int r = 0; r < rows.Count(); ++r) {
            FUZZ_CHECK(stored[std::size_t(r)] == s, "step " + std::to_string(step) + ": row " + std::to_string(r) +
                                                        " keeps " + Show(stored[std::size_t(r)]) + ", from scratch " +
                                                        Show(s) + " in " + fuzz::Show(editor.Lines().GetTextStr()));
            parser->ComputeRowEndState(r, rows, s);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::TInput in(data, size);
    TRules rules;
    rules.Read(in);
    const int width = in.Between(2, 40);
    const std::string text = in.Bytes(in.Byte() * 4u);
    TokensAndWrapping(rules, text, width);
    EditorStates(rules, text, in);
    return 0;
}
