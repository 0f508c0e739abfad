#include "colouring/DisplayModes.h"

#include <fstream>
#include <sstream>

#include "colouring/EditorProp.h"
#include "colouring/FountainErrors.h"
#include "colouring/LanguageDefs.h"
#include "platform/Sjis.h"

namespace {

// Holds back the whole-text recomputation of the row states while a mode's many settings
// change: it runs once at the end instead of once per setting.
class TLoadingBlock {
public:
    explicit TLoadingBlock(TColouredEditor& e) : FColouring(e.Colouring()), FOwn(!FColouring.Loading())
    {
        if (FOwn) {
            FColouring.SetLoading(true);
        }
    }
    ~TLoadingBlock()
    {
        if (FOwn) {
            FColouring.SetLoading(false);
        }
    }
    TLoadingBlock(const TLoadingBlock&) = delete;
    TLoadingBlock& operator=(const TLoadingBlock&) = delete;

private:
    TEditorColouring& FColouring;
    bool FOwn;
};

void SetWordHighlight(TColouredEditor& e, bool on)
{
    TVnSettings vn = e.VnSettings();
    if (vn.WordHighlight != on) {
        vn.WordHighlight = on;
        e.SetVnSettings(vn);
    }
}

std::string Upper(std::string_view s)
{
    std::string out(s);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return out;
}

} // namespace

std::optional<std::string> ReadWholeFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::ostringstream s;
    s << in.rdbuf();
    if (in.bad()) {
        return std::nullopt;
    }
    return s.str();
}

TDisplayModes::TDisplayModes(TDisplayModeHost& host, TModeFiles files)
    : FHost(host)
    , FFiles(std::move(files))
{
}

TDisplayModes::TDisplayModes(TDisplayModeHost& host, std::string programDir, TProfileOpener open, TFileReader read)
    : FHost(host)
{
    auto path = [dir = std::move(programDir)](std::string_view name) { return dir + "/" + std::string(name); };
    FFiles.Open = [path, open = std::move(open)](std::string_view name) { return open(path(name)); };
    FFiles.Path = path;
    FFiles.Read = std::move(read);
}

std::string TDisplayModes::CodeViewPath() const
{
    return FFiles.Path(CodeViewName);
}

std::string TDisplayModes::CodeAttrPath() const
{
    return FFiles.Path(CodeAttrName);
}

bool TDisplayModes::CodeViewExists() const
{
    return CodeView()->Exists();
}

std::vector<std::string> TDisplayModes::LanguageNames() const
{
    return ::LanguageNames(*CodeView());
}

void TDisplayModes::FollowMain(TColouredEditor& editor)
{
    if (&editor == FMain && FSub && FSub != FMain) {
        CopyDisplaySettings(*FMain, *FSub);
    }
}

void TDisplayModes::SetPlainTextMode(TColouredEditor& editor)
{
    {
        TLoadingBlock block(editor);
        FViewMode = vmPlainText;
        TEditorColouring& c = editor.Colouring();
        TEditorViewInfo& view = c.View();
        c.SetReserveWordList(TReserveWordList());
        view.SetControlCode(false);
        view.SetCommenter("");
        view.SetHexPrefix("");
        view.SetQuotation("");
        view.Brackets().Clear();
        LoadCodeView(PlainTextModeName(), editor);
        SetWordHighlight(editor, true);
    }
    if (&editor == FMain) {
        FHost.SetStatusModeName(PlainTextModeName());
    }
    editor.Repaint();
    FollowMain(editor);
}

void TDisplayModes::SetHtmlMode(TColouredEditor& editor)
{
    {
        TLoadingBlock block(editor);
        FViewMode = vmHtml;
        ApplyHtmlDefinition(editor.Colouring());
        LoadCodeView(HtmlModeName(), editor);
        SetWordHighlight(editor, false);
    }
    if (&editor == FMain) {
        FHost.SetStatusModeName(HtmlModeName());
    }
    editor.Repaint();
    FollowMain(editor);
}

void TDisplayModes::SetLanguageMode(std::string_view name)
{
    if (!FMain) {
        return;
    }
    if (!CodeViewExists()) {
        FHost.ShowMessage(std::string("ソースコード強調表示定義ファイルが見つかりません。"_sj) + "\r" + CodeViewPath());
        return;
    }
    FViewMode = vmLanguage;
    if (name.empty()) {
        FHost.ShowMessage("設定画面で表示する開発言語の種類を指定して下さい。"_sj);
        return;
    }
    std::optional<std::string> error;
    {
        TLoadingBlock block(*FMain);
        bool applied;
        try {
            applied = LoadCodeConfig(name, *FMain);
        } catch (const ECodeConfigError& e) {
            // The definition is in place up to the faulty pair: show it in its colours too,
            // then say what is wrong.
            applied = true;
            error = e.what();
        } catch (const EFountainError& e) {
            applied = true;
            error = e.what();
        }
        if (applied) {
            LoadCodeView(name, *FMain);
        } else {
            error = std::string(name) + std::string("の予約語が未定義です。"_sj);
        }
        SetWordHighlight(*FMain, false);
    }
    FMain->Repaint();
    FollowMain(*FMain);
    if (error) {
        FHost.ShowMessage(*error);
    }
}

bool TDisplayModes::LoadCodeConfig(std::string_view name, TColouredEditor& editor)
{
    if (name.empty()) {
        FHost.ShowMessage("Section is null - LoadCodeConfig");
        return false;
    }
    TLoadingBlock block(editor);
    return ApplyCodeConfig(*CodeView(), name, editor);
}

void TDisplayModes::LoadCodeView(std::string_view name, TColouredEditor& editor)
{
    if (name.empty()) {
        FHost.ShowMessage("Section is null - LoadCodeView");
        return;
    }
    TLoadingBlock block(editor);
    const TCodeAttr attr = ReadCodeAttr(*CodeAttr(), name);
    ApplyCodeAttr(editor, name, attr);
    // A sample editor previewing another kind must not change how the document is saved.
    if (&editor == FMain) {
        FTrimRightStr = attr.TrimRightStr;
    }
}

void TDisplayModes::SaveCodeView(std::string_view name, const TCodeAttr& values)
{
    if (name.empty()) {
        FHost.ShowMessage("Section is null - SaveCodeView");
        return;
    }
    const auto attr = CodeAttr();
    WriteCodeAttr(*attr, name, values);
    attr->Flush();
}

void TDisplayModes::ResetCodeAttr(std::string_view name)
{
    const auto attr = CodeAttr();
    attr->EraseSection(std::string(name) + "Attr");
    attr->Flush();
}

void TDisplayModes::SaveWordWrap(std::string_view name)
{
    if (!FMain || name.empty()) {
        return;
    }
    const auto attr = CodeAttr();
    attr->WriteBool(name, "Wordwrap", FMain->Editor().WordWrap());
    attr->Flush();
}

void TDisplayModes::SetViewModeByFileExt(std::string_view ext)
{
    const std::string plain = PlainTextModeName();
    std::string mode;
    const std::string upper = Upper(ext);
    if (ext.empty()) {
        mode = plain;
    } else if (upper == ".HTML" || upper == ".HTM") {
        mode = "HTML";
    } else {
        if (ext.front() == '.') {
            ext.remove_prefix(1);
        }
        const auto cfg = CodeView();
        const std::vector<std::string> sections = cfg->ReadSections();
        if (sections.empty() || ext.empty()) {
            mode = plain;
        } else if (sections.front().empty()) {
            FHost.ShowMessage("Section is null - SetViewModeByFileExt");
            return;
        } else {
            mode = cfg->ReadString(sections.front(), ext, plain);
        }
    }

    if (mode == plain) {
        FViewMode = vmPlainText;
        FHost.SelectViewItem(TViewItem::PlainText, plain);
    } else if (mode != "HTML") {
        if (FHost.StatusModeName() != mode) {
            FViewMode = vmLanguage;
            // A name that no language carries means plain text, not the previous file's mode.
            if (!FHost.SelectViewItem(TViewItem::Language, mode)) {
                FViewMode = vmPlainText;
                FHost.SelectViewItem(TViewItem::PlainText, plain);
            }
        }
    } else {
        FViewMode = vmHtml;
        FHost.SelectViewItem(TViewItem::Html, HtmlModeName());
    }
}

std::string TDisplayModes::GetSampleCode(std::string_view name) const
{
    if (const std::optional<std::string> file = FFiles.Read(CodeViewPath())) {
        if (std::optional<std::string> sample = ExtractSampleCode(*file, name)) {
            return *sample;
        }
    }
    return std::string("定義ファイルにサンプルコードがないか、構文に誤りがあります。"_sj);
}
