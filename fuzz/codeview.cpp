// Language definitions and display settings: a fuzzed "CodeView.cfg" and "CodeAttr.ini" are
// read through the program's INI routines. Every language either applies or reports its
// error, and what it applied is what the file says: the reserved words as written, the
// bracket pairs up to the first faulty one, the comment, hex and quotation rules. The
// language's sample (or, without one, the file itself) colours with tokens that follow one
// another and start on a character's first byte, and the row states kept after a mode switch
// equal those computed afresh. Each kind's display settings read within their ranges, and
// stored and read again they come back as they were.
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "FuzzInput.h"
#include "colouring/CodeAttr.h"
#include "colouring/CommaText.h"
#include "colouring/DisplayModes.h"
#include "colouring/FountainErrors.h"
#include "colouring/IniProfile.h"
#include "colouring/LanguageDefs.h"
#include "colouring/ModeTestUtil.h"
#include "colouring/ReserveWordList.h"
#include "platform/Cp932.h"
#include "platform/Sjis.h"

namespace {

const std::string& Folder()
{
    static const std::string dir = [] {
        std::string d = fuzz::ScratchPath("varnet-fuzz-codeview-");
        std::filesystem::create_directories(d);
        return d;
    }();
    return dir;
}

// The tokens of one row (`own` bytes, the rest the rows it wraps into) follow one another,
// are never empty and never start on the second byte of a character.
void CheckTokens(TFountainParser& parser, std::string_view row, std::size_t own, const TRowParseState& state,
                 const std::string& where)
{
    std::vector<bool> second(row.size(), false);
    for (std::size_t i = 0; i < row.size(); i += CharLength(row, i))
        if (CharLength(row, i) == 2) {
            const std::u16string u = Cp932ToUtf16(row.substr(i, 2));
            second[i + 1] = u.size() == 1 && !IsRawByteEscape(u[0]);
        }
    parser.StartRow(row, state);
    int previousEnd = 0, tokens = 0;
    for (int kind = parser.NextToken(); kind != tokEnd && std::size_t(parser.TokenPosition()) < own;
         kind = parser.NextToken()) {
        const int pos = parser.TokenPosition(), len = parser.TokenLength();
        FUZZ_CHECK(++tokens <= int(row.size()) + 1, where + ": no progress in row " + fuzz::Show(row));
        FUZZ_CHECK(pos >= previousEnd && len > 0 && pos + len <= int(row.size()),
                   where + ": token " + std::to_string(pos) + "+" + std::to_string(len) + " after " +
                       std::to_string(previousEnd) + " in row " + fuzz::Show(row));
        FUZZ_CHECK(!second[std::size_t(pos)],
                   where + ": token at " + std::to_string(pos) + " starts on a second byte in " + fuzz::Show(row));
        previousEnd = pos + len;
    }
}

// The editor's stored row states equal the states computed from the first row, and every
// row's tokens are well formed from its state.
void CheckRows(TColouredEditor& e, const std::string& where)
{
    TEditorColouring& colouring = e.Colouring();
    TParseRowsOf<TEditorScreenStrings> rows(e.Editor().ListRows());
    for (int r = 0; r < rows.Count(); ++r)
        if (rows.ParseState(r).OpenBracket == -2)
            colouring.UpdateRowStates(r, false);
    auto parser = colouring.CreateParser();
    TRowParseState s = TRowParseState::First();
    for (int r = 0; r < rows.Count(); ++r) {
        FUZZ_CHECK(rows.ParseState(r) == s, where + ": row " + std::to_string(r) + " keeps another state than " +
                                                "one computed afresh");
        // As the painter sees the row: with the rows it wraps into.
        const std::string text(parser->ScreenRowText(rows, r));
        CheckTokens(*parser, text, rows.Get(r).size(), s, where);
        parser->ComputeRowEndState(r, rows, s);
    }
}

// What applying the section must have done, read from the profile on its own.
struct TExpected {
    bool Applied = false;
    bool ShortRightList = false, TooMany = false;
    std::vector<std::string> Words, Left, Right;
};

TExpected Expect(const TProfile& cfg, const std::string& name)
{
    TExpected x;
    const std::string words = cfg.ReadString(name, "ReserveWords", "");
    x.Applied = !words.empty();
    x.Words = ParseCommaText(words);
    x.Left = ParseCommaText(cfg.ReadString(name, "LeftBrackets", ""));
    x.Right = ParseCommaText(cfg.ReadString(name, "RightBrackets", ""));
    const std::size_t good = std::min({x.Left.size(), x.Right.size(), std::size_t(TFountainBracketCollection::MaxItems)});
    if (good < x.Left.size()) {
        x.ShortRightList = good == x.Right.size();
        x.TooMany = !x.ShortRightList;
    }
    return x;
}

void CheckApplied(const TProfile& cfg, const std::string& name, const TExpected& x, TColouredEditor& e)
{
    const std::string where = "language " + fuzz::Show(name);
    const TEditorViewInfo& view = e.Colouring().View();
    FUZZ_CHECK(!view.Url() && !view.Mail(), where + ": links stay on");
    if (!x.Applied)
        return;
    // The reserved words as the file gave them: each one found, none added, none lost but
    // the empty ones and repeats in another case.
    const TReserveWordList& list = e.Colouring().ReserveWordList();
    std::set<std::string> folded;
    for (const std::string& w : x.Words) {
        if (w.empty())
            continue;
        FUZZ_CHECK(list.Contains(w), where + ": reserved word " + fuzz::Show(w) + " missing");
        std::string f;
        FoldCaseCp932(w, f);
        folded.insert(f);
    }
    FUZZ_CHECK(list.Count() == int(folded.size()), where + ": " + std::to_string(list.Count()) +
                                                        " reserved words for " + std::to_string(folded.size()));
    for (int i = 0; i < list.Count(); ++i) {
        bool given = false;
        for (const std::string& w : x.Words)
            given = given || w == list.Get(i);
        FUZZ_CHECK(given, where + ": reserved word " + fuzz::Show(list.Get(i)) + " is not as the file spells it");
    }
    FUZZ_CHECK(view.Commenter() == cfg.ReadString(name, "Commenter", ""), where + ": commenter");
    FUZZ_CHECK(view.HexPrefix() == cfg.ReadString(name, "HexPrefix", ""), where + ": hex prefix");
    // Strings open at the value's first character only.
    const std::string quotation = cfg.ReadString(name, "Quotation", "");
    const std::string q = view.Quotation();
    FUZZ_CHECK(quotation.compare(0, q.size(), q) == 0 && q.empty() == quotation.empty() &&
                   (q.empty() || CharLength(q, 0) == q.size()),
               where + ": quotation " + fuzz::Show(q) + " for " + fuzz::Show(quotation));
    FUZZ_CHECK(view.ControlCode() == cfg.ReadBool(name, "ControlCode", false), where + ": control codes");
    // The pairs up to the first one without a partner or past the limit, each as written.
    const auto& b = view.Brackets();
    const std::size_t good = std::min({x.Left.size(), x.Right.size(), std::size_t(TFountainBracketCollection::MaxItems)});
    FUZZ_CHECK(b.Count() == int(good), where + ": " + std::to_string(b.Count()) + " bracket pairs for " +
                                           std::to_string(x.Left.size()) + " left and " +
                                           std::to_string(x.Right.size()) + " right brackets");
    for (int i = 0; i < b.Count(); ++i)
        FUZZ_CHECK(b.Items(i)->LeftBracket() == x.Left[std::size_t(i)] &&
                       b.Items(i)->RightBracket() == x.Right[std::size_t(i)],
                   where + ": bracket pair " + std::to_string(i) + " differs from the file");
}

// One language straight through the definition routines: applied or its error raised.
void ApplyOne(const TProfile& cfg, const std::string& name, const std::string& sample)
{
    const TExpected x = Expect(cfg, name);
    TBasicColouredEditor e;
    e.Colouring().View().SetUrl(true);
    bool applied = false, shortList = false, tooMany = false;
    try {
        applied = ApplyCodeConfig(cfg, name, e);
    } catch (const ECodeConfigError& err) {
        shortList = true;
        // The message is C text: a NUL in the section's name ends it there.
        const std::string shown = name.substr(0, name.find('\0'));
        FUZZ_CHECK(std::string_view(err.what()).substr(0, shown.size()) == shown,
                   "the bracket message does not name " + fuzz::Show(name) + ": " + fuzz::Show(err.what()));
    } catch (const EFountainError&) {
        tooMany = true;
    }
    FUZZ_CHECK(applied == (x.Applied && !x.ShortRightList && !x.TooMany) && shortList == (x.Applied && x.ShortRightList) &&
                   tooMany == (x.Applied && x.TooMany),
               "language " + fuzz::Show(name) + ": applied " + std::to_string(applied) + ", short list " +
                   std::to_string(shortList) + ", too many " + std::to_string(tooMany));
    CheckApplied(cfg, name, x, e);

    // Text given before or after the rules colours the same way.
    e.Editor().Lines().SetTextStr(sample);
    CheckRows(e, "language " + fuzz::Show(name) + " after the text");
}

// The sample lies in the file: its lines are the file's lines, none of them an end marker.
void CheckSample(const std::string& file, const std::string& name, const std::string& sample)
{
    const std::vector<std::string> fileLines = fuzz::SplitLines(file);
    std::size_t j = 0;
    for (const std::string& line : fuzz::SplitLines(sample)) {
        FUZZ_CHECK(line.find("*EndCode*") == std::string::npos, "the sample of " + fuzz::Show(name) + " runs past its end");
        while (j < fileLines.size() && fileLines[j] != line)
            ++j;
        FUZZ_CHECK(j < fileLines.size(), "sample line " + fuzz::Show(line) + " of " + fuzz::Show(name) +
                                             " is not a line of the file in order");
        ++j;
    }
}

void CheckRanges(const TCodeAttr& a, const std::string& name)
{
    const std::string where = "display settings of " + fuzz::Show(name);
    FUZZ_CHECK(a.FontSize > 0 && a.FontSize <= 1638, where + ": font size " + std::to_string(a.FontSize));
    FUZZ_CHECK(a.ImeMode >= imDisable && a.ImeMode <= imDontCare, where + ": input-method mode");
    FUZZ_CHECK(a.LineNoMode == nmRow || a.LineNoMode == nmLine, where + ": line number mode");
    for (const TFontStyles s : {a.EditorStyle, a.Comment.Style, a.Reserve.Style, a.Symbol.Style, a.Str.Style,
                                a.Num.Style, a.Mail.Style, a.Url.Style, a.Hilite.Style, a.HiQteLine.Style})
        FUZZ_CHECK((s & ~0x0F) == 0, where + ": font style " + std::to_string(s));
}

std::string Describe(const TCodeAttr& a)
{
    std::string out = "font " + fuzz::Show(a.FontName) + " size " + std::to_string(a.FontSize) + " tab " +
                      std::to_string(a.TabSpace) + " ime " + std::to_string(a.ImeMode) + " words " +
                      fuzz::Show(MakeCommaText(a.HiliteWords)) + " quote marks " +
                      fuzz::Show(MakeCommaText(a.HiliteQuoteMarks)) + " colours";
    for (const TColor c : {a.ForeColor, a.BackColor, a.SelColor, a.SelBkColor, a.RetMarkColor, a.UnderlineColor,
                           a.Comment.Color, a.Reserve.Color, a.Symbol.Color, a.Str.Color, a.Num.Color, a.Mail.Color,
                           a.Url.Color, a.Hilite.Color, a.HiQteLine.Color})
        out += " " + std::to_string(c);
    return out;
}

// A kind's settings stored and read back: what was read comes back, but for the two rules
// of storing (an input-method mode other than "open" is kept as "no preference"; an empty
// quote-mark list is not stored and reads as the default one).
void AttrRoundTrip(TDisplayModes& modes, const std::string& attrPath, const std::string& name)
{
    const TCodeAttr read = ReadCodeAttr(TIniProfile(attrPath), name);
    CheckRanges(read, name);
    modes.SaveCodeView(name, read);
    TCodeAttr expected = read;
    if (expected.ImeMode != imOpen)
        expected.ImeMode = imDontCare;
    if (name == PlainTextModeName() && expected.HiliteQuoteMarks.empty())
        expected.HiliteQuoteMarks = TCodeAttr::DefaultQuoteMarks();
    const TCodeAttr back = ReadCodeAttr(TIniProfile(attrPath), name);
    FUZZ_CHECK(back == expected, "display settings of " + fuzz::Show(name) + " stored and read again:\n  read " +
                                     Describe(read) + "\n  back " + Describe(back));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::TInput in(data, size);
    const unsigned cfgSize = in.Byte() | unsigned(in.Byte()) << 8;
    const std::string cfgFile = in.Bytes(cfgSize);
    const std::string attrFile = in.Rest();
    const std::string dir = Folder();
    const std::string cfgPath = dir + "/CodeView.cfg", attrPath = dir + "/CodeAttr.ini";
    fuzz::WriteFile(cfgPath, cfgFile);
    fuzz::WriteFile(attrPath, attrFile);

    modetest::TFakeWindow window;
    TDisplayModes modes(window, dir, [](const std::string& path) { return std::make_unique<TIniProfile>(path); });
    window.Modes = &modes;
    const TIniProfile cfg(cfgPath);
    const std::vector<std::string> names = modes.LanguageNames();
    window.LanguageItems = names;

    TBasicColouredEditor main;
    modes.SetMainEditor(&main);
    std::size_t tried = 0;
    for (const std::string& name : names) {
        if (++tried > 4)
            break;
        std::string sample = modes.GetSampleCode(name);
        if (std::optional<std::string> s = ExtractSampleCode(cfgFile, name)) {
            FUZZ_CHECK(*s == sample, "the sample of " + fuzz::Show(name) + " differs between the two routes");
            CheckSample(cfgFile, name, sample);
        } else {
            sample = cfgFile.substr(0, 2048);
        }
        ApplyOne(cfg, name, sample);

        // Through the window's route: the mode is set, and a message comes exactly when the
        // section cannot be applied as written.
        main.Editor().Lines().SetTextStr(sample);
        const TExpected x = Expect(cfg, name);
        window.Messages.clear();
        modes.SetLanguageMode(name);
        const std::size_t messages = window.Messages.size();
        if (name.empty() || !x.Applied || x.ShortRightList || x.TooMany)
            FUZZ_CHECK(messages == 1, "language " + fuzz::Show(name) + ": " + std::to_string(messages) +
                                          " messages for a section that cannot be applied");
        else
            FUZZ_CHECK(messages == 0, "language " + fuzz::Show(name) + ": a message for a good section: " +
                                          fuzz::Show(window.Messages.front()));
        if (!name.empty())
            CheckRows(main, "mode " + fuzz::Show(name));
    }

    // Extensions of the first section choose their language, or plain text when they name none.
    if (!cfg.ReadSections().empty()) {
        TIniFile raw(cfgPath);
        const std::string first = raw.ReadSections().front();
        std::size_t n = 0;
        for (const std::string& ext : raw.ReadSection(first)) {
            if (++n > 3)
                break;
            window.Status = "\x01\x02";
            modes.SetViewModeByFileExt("." + ext);
            const std::string mode = raw.ReadString(first, ext, PlainTextModeName());
            std::string upper = ext;
            for (char& c : upper)
                if (c >= 'a' && c <= 'z')
                    c = char(c - 'a' + 'A');
            bool listed = false;
            for (const std::string& l : names)
                listed = listed || l == mode;
            if (upper != "HTML" && upper != "HTM" && mode != "HTML" && !listed && !first.empty())
                FUZZ_CHECK(modes.ViewMode() == vmPlainText,
                           "extension " + fuzz::Show(ext) + " names no language but left mode " +
                               std::to_string(modes.ViewMode()));
        }
    }

    // Display settings of plain text, HTML and the first languages.
    std::vector<std::string> kinds = {PlainTextModeName(), HtmlModeName()};
    for (std::size_t i = 0; i < names.size() && i < 2; ++i)
        if (!names[i].empty())
            kinds.push_back(names[i]);
    for (const std::string& kind : kinds)
        AttrRoundTrip(modes, attrPath, kind);
    return 0;
}
