#pragma once
// The display modes of the main window's document: plain text (0), HTML (1) or a language of
// "CodeView.cfg" (2), and the per-kind display settings in "CodeAttr.ini". Both files lie in
// the program's folder. Messages, the status panel and the View menu belong to the window,
// which this reaches through TDisplayModeHost.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "colouring/CodeAttr.h"
#include "colouring/ColouredEditor.h"
#include "colouring/Profile.h"

enum TViewMode { vmPlainText = 0, vmHtml = 1, vmLanguage = 2 };
enum class TViewItem { PlainText, Html, Language };

class TDisplayModeHost {
public:
    virtual ~TDisplayModeHost() = default;
    // A plain message box (CP932 text).
    virtual void ShowMessage(std::string_view text) = 0;
    // The status bar's mode panel.
    virtual std::string StatusModeName() const = 0;
    virtual void SetStatusModeName(std::string_view name) = 0;
    // Chooses a View-menu item as a click on it would: the plain-text item, the HTML item or
    // the first language item whose hint is `name`. False when there is no such item.
    virtual bool SelectViewItem(TViewItem item, std::string_view name) = 0;
};

// Reads a whole file; nothing when it cannot be read.
using TFileReader = std::function<std::optional<std::string>(const std::string& path)>;
std::optional<std::string> ReadWholeFile(const std::string& path);

// The two files by name ("CodeView.cfg", "CodeAttr.ini"): how each is opened as an INI file,
// and the full path it is read from (shown in messages; the definitions are also read as
// plain lines for their samples).
struct TModeFiles {
    std::function<std::unique_ptr<TProfile>(std::string_view name)> Open;
    std::function<std::string(std::string_view name)> Path;
    TFileReader Read = ReadWholeFile;
};

class TDisplayModes {
public:
    static constexpr std::string_view CodeViewName = "CodeView.cfg";
    static constexpr std::string_view CodeAttrName = "CodeAttr.ini";

    TDisplayModes(TDisplayModeHost& host, TModeFiles files);
    // Both files in one folder, opened by their full paths.
    TDisplayModes(TDisplayModeHost& host, std::string programDir, TProfileOpener open,
                  TFileReader read = ReadWholeFile);

    // The main window's editor ("Editor"); the language mode always acts on it.
    TColouredEditor* MainEditor() const { return FMain; }
    void SetMainEditor(TColouredEditor* e) { FMain = e; }
    // The second view while the window is split: it follows every mode change of the main
    // editor, since both colour the same rows.
    TColouredEditor* SubEditor() const { return FSub; }
    void SetSubEditor(TColouredEditor* e) { FSub = e; }

    int ViewMode() const { return FViewMode; }
    void SetViewMode(int v) { FViewMode = v; }
    // Remove blanks and control codes at line ends when saving, per the kind shown.
    bool TrimRightStr() const { return FTrimRightStr; }

    std::string CodeViewPath() const;
    std::string CodeAttrPath() const;
    bool CodeViewExists() const;
    // The languages of "CodeView.cfg", as the View menu lists them.
    std::vector<std::string> LanguageNames() const;

    void SetPlainTextMode(TColouredEditor& editor);
    void SetHtmlMode(TColouredEditor& editor);
    void SetLanguageMode(std::string_view name);
    // Applies a language section of "CodeView.cfg"; false when it defines no reserved words.
    // A bad bracket list raises ECodeConfigError, a fifteenth pair EFountainError.
    bool LoadCodeConfig(std::string_view name, TColouredEditor& editor);
    // Applies a kind's display settings from "CodeAttr.ini".
    void LoadCodeView(std::string_view name, TColouredEditor& editor);
    // Stores a kind's settings (the options dialog's values), only what differs from the
    // defaults.
    void SaveCodeView(std::string_view name, const TCodeAttr& values);
    // The kind's colours return to their defaults.
    void ResetCodeAttr(std::string_view name);
    // Stores the main editor's word wrap for a kind.
    void SaveWordWrap(std::string_view name);
    // The mode for a file being opened, from its extension (with its dot).
    void SetViewModeByFileExt(std::string_view ext);
    // A language's sample text, or a note that there is none.
    std::string GetSampleCode(std::string_view name) const;

private:
    void FollowMain(TColouredEditor& editor);

    std::unique_ptr<TProfile> CodeView() const { return FFiles.Open(CodeViewName); }
    std::unique_ptr<TProfile> CodeAttr() const { return FFiles.Open(CodeAttrName); }

    TDisplayModeHost& FHost;
    TModeFiles FFiles;
    TColouredEditor* FMain = nullptr;
    TColouredEditor* FSub = nullptr;
    int FViewMode = vmPlainText;
    bool FTrimRightStr = false;
};
