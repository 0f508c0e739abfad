#include "colouring/CodeAttr.h"

#include "colouring/CommaText.h"
#include "platform/Font.h"
#include "platform/Sjis.h"

namespace {

constexpr std::string_view kAttrSuffix = "Attr";

std::string AttrSection(std::string_view name)
{
    std::string s(name);
    s += kAttrSuffix;
    return s;
}

TColor ReadColor(const TProfile& p, std::string_view section, std::string_view key, TColor def)
{
    return static_cast<TColor>(p.ReadInteger(section, key, static_cast<std::int32_t>(def)));
}

TFontStyles ReadStyle(const TProfile& p, std::string_view section, std::string_view key, TFontStyles def)
{
    return static_cast<TFontStyles>(p.ReadInteger(section, key, def) & 0x0F);
}

// The write-or-remove rule every key follows.
class TAttrWriter {
public:
    TAttrWriter(TProfile& p, std::string_view section) : FProfile(p), FSection(section) {}

    void Int(std::string_view key, std::int64_t value, std::int64_t def)
    {
        if (value == def) {
            FProfile.DeleteKey(FSection, key);
        } else {
            FProfile.WriteInteger(FSection, key, static_cast<std::int32_t>(value));
        }
    }
    void Bool(std::string_view key, bool value, bool def)
    {
        if (value == def) {
            FProfile.DeleteKey(FSection, key);
        } else {
            FProfile.WriteBool(FSection, key, value);
        }
    }
    void String(std::string_view key, const std::string& value, const std::string& def)
    {
        if (value == def) {
            FProfile.DeleteKey(FSection, key);
        } else {
            FProfile.WriteString(FSection, key, value);
        }
    }
    void Color(std::string_view fcKey, std::string_view fsKey, const TCodeAttrColor& v, const TCodeAttrColor& def)
    {
        Int(fcKey, static_cast<std::int32_t>(v.Color), static_cast<std::int32_t>(def.Color));
        Int(fsKey, v.Style, def.Style);
    }

private:
    TProfile& FProfile;
    std::string FSection;
};

TCodeAttrColor ReadAttrColor(const TProfile& p, std::string_view section, std::string_view fcKey,
                             std::string_view fsKey, const TCodeAttrColor& def)
{
    return {ReadColor(p, section, fcKey, def.Color), ReadStyle(p, section, fsKey, def.Style)};
}

void SetColor(TFountainColor& c, const TCodeAttrColor& v)
{
    c.SetColor(v.Color);
    c.SetStyle(v.Style);
}

} // namespace

std::string TCodeAttr::DefaultFontName()
{
    return std::string("ＭＳ ゴシック"_sj);
}

std::vector<std::string> TCodeAttr::DefaultQuoteMarks()
{
    return {">", ">>", std::string("》"_sj), std::string("｜"_sj)};
}

std::string PlainTextModeName()
{
    return std::string("通常のテキスト"_sj);
}

std::string HtmlModeName()
{
    return std::string("ＨＴＭＬ"_sj);
}

int FontSizeToHeight(int points)
{
    // At 96 pixels per inch, rounded as the system's MulDiv rounds.
    const int pixels = (points * 96 + (points >= 0 ? 36 : -36)) / 72;
    return -pixels;
}

TCodeAttr ReadCodeAttr(const TProfile& p, std::string_view name)
{
    const TCodeAttr d;
    TCodeAttr a;
    const std::string s(name);
    a.WordWrap = p.ReadBool(s, "WordWrap", d.WordWrap);
    const int ime = p.ReadInteger(s, "ImeMode", d.ImeMode);
    a.ImeMode = ime >= imDisable && ime <= imDontCare ? ime : imDontCare;
    a.TrimRightStr = p.ReadBool(s, "TrimRightStr", d.TrimRightStr);
    a.UnderLine = p.ReadBool(s, "UnderLine", d.UnderLine);
    a.VertLine = p.ReadBool(s, "VertLine", d.VertLine);
    a.TabSpace = p.ReadInteger(s, "TabSpace", d.TabSpace);
    a.LineNo = p.ReadBool(s, "LineNo", d.LineNo);
    a.LineNoMode = p.ReadInteger(s, "LineNoMode", d.LineNoMode) == 0 ? nmRow : nmLine;
    a.FontName = p.ReadString(s, "FontName", d.FontName);
    a.FontSize = p.ReadInteger(s, "FontSize", d.FontSize);
    if (a.FontSize <= 0 || a.FontSize > 1638) {
        a.FontSize = d.FontSize; // no size a font can have
    }
    a.HiperLink = p.ReadBool(s, "HiperLink", d.HiperLink);
    a.HiliteWords = ParseCommaText(p.ReadString(s, "HiliteWords", ""));
    a.HiliteQuoteMarks = ParseCommaText(p.ReadString(s, "HiliteQuoteMarks", MakeCommaText(d.HiliteQuoteMarks)));

    const std::string at = AttrSection(name);
    a.ForeColor = ReadColor(p, at, "FC_ForeColor", d.ForeColor);
    a.EditorStyle = ReadStyle(p, at, "FS_Editor", d.EditorStyle);
    a.BackColor = ReadColor(p, at, "FC_BackColor", d.BackColor);
    a.SelColor = ReadColor(p, at, "FC_SelColor", d.SelColor);
    a.SelBkColor = ReadColor(p, at, "FC_SelBkColor", d.SelBkColor);
    a.RetMarkColor = ReadColor(p, at, "FC_RetMarkColor", d.RetMarkColor);
    a.UnderlineColor = ReadColor(p, at, "FC_Underline", d.UnderlineColor);
    a.Comment = ReadAttrColor(p, at, "FC_Comment", "FS_Comment", d.Comment);
    a.Reserve = ReadAttrColor(p, at, "FC_Reserve", "FS_Reserve", d.Reserve);
    a.Symbol = ReadAttrColor(p, at, "FC_Symbol", "FS_Symbol", d.Symbol);
    a.Str = ReadAttrColor(p, at, "FC_Str", "FS_Str", d.Str);
    a.Num = ReadAttrColor(p, at, "FC_Num", "FS_Num", d.Num);
    a.Mail = ReadAttrColor(p, at, "FC_Mail", "FS_Mail", d.Mail);
    a.Url = ReadAttrColor(p, at, "FC_Url", "FS_Url", d.Url);
    a.Hilite = ReadAttrColor(p, at, "FC_Hilite", "FS_Hilite", d.Hilite);
    a.HiQteLine = ReadAttrColor(p, at, "FC_HiQteLine", "FS_HiQteLine", d.HiQteLine);
    return a;
}

void WriteCodeAttr(TProfile& p, std::string_view name, const TCodeAttr& v)
{
    const TCodeAttr d;
    const bool plain = name == PlainTextModeName();

    TAttrWriter w(p, name);
    // Anything but "open" is stored as "no preference".
    if (v.ImeMode == imOpen) {
        p.DeleteKey(name, "ImeMode");
    } else {
        p.WriteInteger(name, "ImeMode", imDontCare);
    }
    w.Bool("TrimRightStr", v.TrimRightStr, d.TrimRightStr);
    w.Bool("UnderLine", v.UnderLine, d.UnderLine);
    w.Bool("VertLine", v.VertLine, d.VertLine);
    w.Int("TabSpace", v.TabSpace, d.TabSpace);
    w.Bool("LineNo", v.LineNo, d.LineNo);
    w.Int("LineNoMode", v.LineNoMode, d.LineNoMode);
    w.String("FontName", v.FontName, d.FontName);
    w.Int("FontSize", v.FontSize, d.FontSize);
    if (plain) {
        w.Bool("HiperLink", v.HiperLink, d.HiperLink);
        w.String("HiliteWords", MakeCommaText(v.HiliteWords), "");
        // An empty list is not stored: it would read back as the default list anyway.
        if (v.HiliteQuoteMarks.empty() || v.HiliteQuoteMarks == d.HiliteQuoteMarks) {
            p.DeleteKey(name, "HiliteQuoteMarks");
        } else {
            p.WriteString(name, "HiliteQuoteMarks", MakeCommaText(v.HiliteQuoteMarks));
        }
    }

    const std::string at = AttrSection(name);
    TAttrWriter c(p, at);
    c.Int("FC_ForeColor", static_cast<std::int32_t>(v.ForeColor), static_cast<std::int32_t>(d.ForeColor));
    c.Int("FS_Editor", v.EditorStyle, d.EditorStyle);
    c.Int("FC_BackColor", static_cast<std::int32_t>(v.BackColor), static_cast<std::int32_t>(d.BackColor));
    c.Int("FC_SelColor", static_cast<std::int32_t>(v.SelColor), static_cast<std::int32_t>(d.SelColor));
    c.Int("FC_SelBkColor", static_cast<std::int32_t>(v.SelBkColor), static_cast<std::int32_t>(d.SelBkColor));
    c.Int("FC_RetMarkColor", static_cast<std::int32_t>(v.RetMarkColor), static_cast<std::int32_t>(d.RetMarkColor));
    c.Int("FC_Underline", static_cast<std::int32_t>(v.UnderlineColor), static_cast<std::int32_t>(d.UnderlineColor));
    if (plain) {
        c.Color("FC_Mail", "FS_Mail", v.Mail, d.Mail);
        c.Color("FC_Url", "FS_Url", v.Url, d.Url);
        c.Color("FC_Hilite", "FS_Hilite", v.Hilite, d.Hilite);
        c.Color("FC_HiQteLine", "FS_HiQteLine", v.HiQteLine, d.HiQteLine);
    } else {
        c.Color("FC_Comment", "FS_Comment", v.Comment, d.Comment);
        c.Color("FC_Reserve", "FS_Reserve", v.Reserve, d.Reserve);
        c.Color("FC_Symbol", "FS_Symbol", v.Symbol, d.Symbol);
        c.Color("FC_Str", "FS_Str", v.Str, d.Str);
        c.Color("FC_Num", "FS_Num", v.Num, d.Num);
    }
}

void ApplyCodeAttr(TColouredEditor& target, std::string_view name, const TCodeAttr& v)
{
    TEditor& e = target.Editor();
    TEditorColouring& colouring = target.Colouring();
    TEditorViewInfo& view = colouring.View();
    TEditorFountain& fountain = view.Fountain();
    TVnSettings vn = target.VnSettings();

    // View switches.
    e.SetWordWrap(v.WordWrap);
    target.SetImeMode(static_cast<TImeMode>(v.ImeMode));
    e.Marks().Underline().SetVisible(v.UnderLine);
    vn.VertLine.Visible = v.VertLine;
    e.Caret().SetTabSpaceCount(v.TabSpace);
    e.Leftbar().SetVisible(v.LineNo && target.Name() == "Editor");
    e.Leftbar().SetShowNumberMode(v.LineNoMode);
    e.Font().SetName(v.FontName);
    e.Font().SetHeight(FontSizeToHeight(v.FontSize));
    // The face chosen by name decides the script, as the stored font names expect.
    e.Font().SetCharset(kDefaultCharset);

    // Colours every slot starts from.
    e.Font().SetColor(v.ForeColor);
    e.Font().SetStyle(v.EditorStyle);
    fountain.SetAllColor(v.ForeColor);
    fountain.SetAllStyle(v.EditorStyle);
    e.SetColor(v.BackColor);
    fountain.SetAllBkColor(v.BackColor);
    view.Colors().Select().SetColor(v.SelColor);
    view.Colors().Select().SetBkColor(v.SelBkColor);
    e.Marks().RetMark().SetColor(v.RetMarkColor);
    e.Marks().EofMark().SetColor(v.RetMarkColor);
    vn.TabMark.Color = v.RetMarkColor;
    e.Marks().Underline().SetColor(v.UnderlineColor);
    vn.VertLine.Color = v.UnderlineColor;

    if (name != PlainTextModeName()) {
        view.SetMail(false);
        view.SetUrl(false);
        SetColor(view.Colors().Comment(), v.Comment);
        view.Brackets().SetColor(v.Comment.Color);
        view.Brackets().SetBkColor(e.Color());
        view.Brackets().SetStyle(v.Comment.Style);
        SetColor(view.Colors().Reserve(), v.Reserve);
        SetColor(view.Colors().Symbol(), v.Symbol);
        SetColor(view.Colors().Str(), v.Str);
        SetColor(view.Colors().Int(), v.Num);
    } else {
        view.SetMail(v.HiperLink);
        view.SetUrl(v.HiperLink);
        SetColor(view.Colors().Mail(), v.Mail);
        SetColor(view.Colors().Url(), v.Url);
        vn.HiliteWordList = v.HiliteWords;
        vn.HiliteWord.Color = v.Hilite.Color;
        vn.HiliteWord.Style = v.Hilite.Style;
        vn.HiliteQuoteMarks = v.HiliteQuoteMarks;
        vn.HiliteQLine.Color = v.HiQteLine.Color;
        vn.HiliteQLine.Style = v.HiQteLine.Style;
    }
    target.SetVnSettings(vn);
}
