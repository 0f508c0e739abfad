#include "colouring/LanguageDefs.h"

#include "colouring/CommaText.h"
#include "platform/Sjis.h"

namespace {

// Tags, attributes and the sixteen colour names; a few entries that were once run together
// ("AREAAbbr", "EVENTsblack", "whiteABBREV") are kept apart so each word matches.
constexpr std::string_view kHtmlWords =
    "A,ABBR,ACRONYM,ADDRESS,APPLET,AREA,Abbr,Accept,Accesskey,Action,Align,Alink,Alt,Axis,B,BASE,"
    "BASEFONT,BDO,BIG,BLOCKQUOTE,BODY,BR,BUTTON,Background,Bgcolor,Border,CAPTION,CENTER,CITE,"
    "CODE,COL,COLGROUP,Cellpadding,Cellspacing,Char,Charoff,Charset,Checked,Clear,Code,Codebase,"
    "Codetype,Color,Cols,Colspan,Compact,Content,Coords,DD,DEL,DFN,DIR,DIV,DL,DOCTYPE,DT,Data,"
    "Datetime,Declare,Defer,Dir,Disabled,EM,Enctype,equiv,FIELDSET,FONT,FORM,FRAME,FRAMESET,Face,"
    "For,Frame,Frameborder,Hx,HEAD,HR,HTML,Headers,Height,Href,Hreflang,Hspace,Http,I,IFRAME,IMG,"
    "INPUT,INS,ISINDEX,Id,Ismap,KBD,LABEL,LEGEND,LI,LINK,Label,Lang,Language,Link,Longdesc,MAP,"
    "MENU,META,Marginheight,Marginwidth,Maxlength,Media,Method,Multiple,NOFRAMES,NOSCRIPT,Name,"
    "Nohref,Noresize,Noshade,Nowrap,OBJECT,OL,OPTGROUP,OPTION,P,PARAM,PRE,Profile,Prompt,Q,"
    "Readonly,Rel,Rev,Rows,Rowspan,Rules,S,SAMP,SCRIPT,SELECT,SMALL,SPAN,STRIKE,STRONG,STYLE,SUB,"
    "SUP,Scheme,Scope,Scrolling,Selected,Shape,Size,Span,Src,Standby,Start,Style,Summary,TABLE,"
    "TBODY,TD,TEXTAREA,TFOOT,TH,THEAD,TITLE,TR,TT,Tabindex,Target,Text,Title,Type,U,UL,Usemap,VAR,"
    "Valign,Value,Valuetype,Version,Vlink,Vspace,Width,!,--,%,STYLEs,LANGs,EVENTs,black,maroon,"
    "green,olive,navy,purple,teal,gray,silver,red,lime,yellow,blue,fuchsia,aqua,white,ABBREV,AU,"
    "BEHAVIOR,BGPROPERTIES,BGSOUND,BLINK,BORDERCOLOR,CONROLS,DIRECTION,FIXED,H,HEIGHT,LOOP,"
    "LOOPDELAY,LOWSRC,MARQUEE,NOBR,NOFRAME,PERSON,SCROLLDELAY,SCROLLMOUNT,SELECT,VLIGN,WBR";

void SetWords(TEditorColouring& colouring, const std::vector<std::string>& words)
{
    TReserveWordList list;
    list.SetWords(words);
    colouring.SetReserveWordList(list);
}

bool SameText(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && CompareTextCp932(a, b) == 0;
}

// Plain lines, split at CR LF, CR and LF.
std::vector<std::string_view> SplitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            lines.push_back(text.substr(start, i - start));
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
            start = i + 1;
        }
    }
    if (start < text.size()) {
        lines.push_back(text.substr(start));
    }
    return lines;
}

bool IsSectionHeader(std::string_view line)
{
    const auto first = line.find_first_not_of(" \t");
    return first != std::string_view::npos && line[first] == '[';
}

} // namespace

std::string_view HtmlReserveWords()
{
    return kHtmlWords;
}

void ApplyHtmlDefinition(TEditorColouring& colouring)
{
    TEditorViewInfo& view = colouring.View();
    SetWords(colouring, ParseCommaText(kHtmlWords));
    view.SetUrl(false);
    view.SetMail(false);
    view.SetControlCode(false);
    view.SetCommenter("");
    view.SetHexPrefix("");
    view.SetQuotation("\"");
    view.Brackets().BeginUpdate();
    view.Brackets().Clear();
    view.Brackets().AddPair("<!--", "-->");
    view.Brackets().EndUpdate();
}

std::vector<std::string> LanguageNames(const TProfile& cfg)
{
    std::vector<std::string> names = cfg.ReadSections();
    if (!names.empty()) {
        names.erase(names.begin());
    }
    return names;
}

bool ApplyCodeConfig(const TProfile& cfg, std::string_view name, TColouredEditor& editor)
{
    TEditorViewInfo& view = editor.Colouring().View();
    view.SetUrl(false);
    view.SetMail(false);
    const std::string words = cfg.ReadString(name, "ReserveWords", "");
    if (words.empty()) {
        return false;
    }
    SetWords(editor.Colouring(), ParseCommaText(words));
    view.SetControlCode(cfg.ReadBool(name, "ControlCode", false));
    view.SetCommenter(cfg.ReadString(name, "Commenter", ""));
    view.SetHexPrefix(cfg.ReadString(name, "HexPrefix", ""));
    view.SetQuotation(cfg.ReadString(name, "Quotation", ""));

    const std::vector<std::string> left = ParseCommaText(cfg.ReadString(name, "LeftBrackets", ""));
    const std::vector<std::string> right = ParseCommaText(cfg.ReadString(name, "RightBrackets", ""));
    TEditorBracketCollection& brackets = view.Brackets();
    brackets.BeginUpdate();
    try {
        brackets.Clear();
        for (std::size_t i = 0; i < left.size(); ++i) {
            if (i >= right.size()) {
                throw ECodeConfigError(std::string(name) +
                                       std::string("：RightBrackets の項目が LeftBrackets より少なく、"
                                                   "対になる閉じ括弧がない開き括弧は使われません。"_sj));
            }
            brackets.AddPair(left[i], right[i]);
        }
    } catch (...) {
        brackets.EndUpdate();
        throw;
    }
    brackets.EndUpdate();
    return true;
}

std::optional<std::string> ExtractSampleCode(std::string_view file, std::string_view name)
{
    const std::vector<std::string_view> lines = SplitLines(file);
    std::string header;
    header.reserve(name.size() + 2);
    header += '[';
    header += name;
    header += ']';
    std::size_t i = 0;
    while (i < lines.size() && !SameText(lines[i], header)) {
        ++i;
    }
    if (i == lines.size()) {
        return std::nullopt;
    }
    // The opening marker belongs to this section: a language without a sample must not show
    // the next language's. Once open, the block runs to its end marker or the file's end.
    for (++i; i < lines.size(); ++i) {
        if (lines[i].find("*BeginCode") != std::string_view::npos) {
            break;
        }
        if (IsSectionHeader(lines[i])) {
            return std::nullopt;
        }
    }
    if (i >= lines.size()) {
        return std::nullopt;
    }
    std::string out;
    bool first = true;
    for (++i; i < lines.size(); ++i) {
        if (lines[i].find("*EndCode*") != std::string_view::npos) {
            break;
        }
        if (!first) {
            out += "\r\n";
        }
        out += lines[i];
        first = false;
    }
    if (first) {
        return std::nullopt;
    }
    return out;
}
