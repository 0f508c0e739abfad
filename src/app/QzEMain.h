#pragma once
// The main window: one per process, one document. It owns the editor, the status bar, the
// settings, the file history and this copy's end of the peer bus; documents (app/Documents.h)
// act on it.
#include <QMainWindow>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <array>
#include <functional>
#include <memory>
#include <string>

#include "app/MainCommands.h"
#include "app/Settings.h"
#include "colouring/DisplayModes.h"
#include "view/VnEdit.h"

class QLabel;
class QMenu;
class QSplitter;
class QStatusBar;
class TCommandBar;
class TDocuments;
class TVnColouredEditor;
class TEditor;
class TEditorWidget;
class TFileHistory;
class TIniFile;
class TPeerBus;
class TSpeechLibrary;

class TQzEMain : public QMainWindow, private TSettingsTarget, private TCommandHost, private TDisplayModeHost {
    Q_OBJECT
public:
    static constexpr int kPanelCount = 6;
    // The title while no file is open; other copies find documents by their titles.
    static QString UntitledTitle();
    static QString TitleSuffix();

    // `arguments`: the command line after the program's name.
    explicit TQzEMain(QWidget* parent = nullptr);
    explicit TQzEMain(const QStringList& arguments, QWidget* parent = nullptr);
    ~TQzEMain() override;

    QStatusBar* stbMain() const { return FStbMain; }
    QLabel* Panel(int index) const;
    QString PanelText(int index) const;
    void SetPanelText(int index, const QString& text);

    // The editor the document operations act on, and the widget showing it ("Editor").
    TVnEdit& Editor() const;
    TEditorWidget* EditorWidget() const { return FEditorWidget; }
    // The split view: a second editor on the same text below the first, present only while
    // split ("SubEditor").
    TVnEdit* SubEditor() const;
    TEditorWidget* SubEditorWidget() const { return FSubWidget; }
    bool Split() const override { return FSubWidget != nullptr; }
    void SetSplit(bool on) override;
    // The editor that last had the focus; Edit, Insert and Tool commands act on it.
    TVnEdit& ActiveEditor() const;
    TVnEdit& MainEditor() override { return Editor(); }
    TVnEdit* SubEditor() override { return static_cast<const TQzEMain*>(this)->SubEditor(); }
    TVnEdit& ActiveEditor() override { return static_cast<const TQzEMain*>(this)->ActiveEditor(); }
    void SetActiveEditor(TVnEdit* e) { FActiveEditor = e; }
    TSettings& Settings() { return *FSettings; }
    TDocuments& Documents() { return *FDocuments; }
    TFileHistory& History() { return *FHistory; }
    TPeerBus& Peers() { return *FPeers; }
    TIniFile& SettingsFile() { return *FIni; }
    QMenu* FileMenu() const { return FFileMenu; }

    // The document's path (native bytes as QString), empty while untitled.
    const QString& FileName() const { return FFileName; }
    void SetFileName(const QString& path) { FFileName = path; }
    // Title and application title for the current file name.
    void UpdateTitles();
    const QString& ApplicationTitle() const { return FApplicationTitle; }

    bool PrinterReady() const override { return FPrinterReady; }
    int LinesPerPage() const { return FLinesPerPage; }
    void SetLinesPerPage(int v) { FLinesPerPage = v; }

    // The view mode (text kind) name, as panel 5 shows it, in CP932.
    const std::string& ViewMode() const { return FViewMode; }
    void SelectViewMode(const std::string& name);
    // The view mode a file's extension asks for.
    void SelectViewModeFor(const QString& path);
    // Trailing-blank removal on save for the current view mode.
    bool TrimRightStr() const { return FTrimRightStr; }
    void SetTrimRightStr(bool v) { FTrimRightStr = v; }

    // The document is modified when either view changed it.
    bool Modified() const;
    void SetModified(bool v);
    // Empty text: no bytes at all.
    bool TextEmpty() const;
    // Status panel 2 and the tool bar after the modified state changed.
    void ShowModified();
    // Status panel 0 and the speech hook after a caret move.
    void EditorCaretMoved();
    // Status panel 2 and page marks after a text change.
    void EditorChange();
    // Whether the wrap width follows the editor's width (WrapMode 1).
    bool WrapsByWindow() const;
    // Wrap width from the editor's width when WrapMode is 1.
    void EditorResize();
    // The same for a text of `rows` unwrapped rows about to be read into the window, so it is
    // wrapped once, at the width its line numbers leave.
    void FitWrapToRows(long long rows, bool finalBreak);
    // The wrap width that fills `editorWidth`.
    static int WindowWrapWidth(int editorWidth, int leftMargin, int charWidth, int vscrollWidth);
    // Word wrap on or off, stored for the current view mode.
    void ToggleWordWrap() override;
    // Caret to the first row of 0-based logical line `line`, that row in the middle.
    void JumpToLine(int line);

    // Files dropped on the window, in the order given: the first here when the text is
    // empty, the others in new copies.
    void OpenDroppedFiles(const QList<QUrl>& urls);
    // Runs a command; an exception is reported and the window keeps running.
    void RunCommand(const std::function<void()>& command);
    // The menus, tool bar and context menu, and the commands behind them (QzEMainCommands.cpp).
    TCommandBar& CommandBar() const { return *FCommandBar; }
    TMainCommands& Commands() const { return *FCommands; }
    TDisplayModes& DisplayModes() const { return *FModes; }

    // The speech hook's last text (for tests), empty when none was spoken.
    const std::string& LastSpoken() const { return FLastSpoken; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void FormCreate();
    void FormShow();
    void FormPaint();
    void CreateStatusBar();
    void CreateEditor();
    void RefreshHistoryMenu();
public:
    // The stored menu shortcuts (section MenuShortcut) onto the menus.
    void ApplyMenuShortcuts();
private:
    void ConnectPeers();
    // Sets the wrap width that fills the editor when column 0 lies at `textLeft`.
    void FitWrapWidth(int textLeft);

    // ---- commands (QzEMainCommands.cpp)
    void CreateCommands();
    void ConnectEditorWidget(TEditorWidget* w);
    // The lower view takes the colouring, the commands' hooks and the box mode, and gives
    // them up before it goes.
    void SplitViewCreated();
    void SplitViewGoing();
    void SetItemEnabled(std::string_view name, bool enabled) override;
    void SetItemChecked(std::string_view name, bool checked) override;
    bool ItemChecked(std::string_view name) const override;
    void SetButtonEnabled(std::string_view name, bool enabled) override;
    void SetButtonDown(std::string_view name, bool down) override;
    bool ClipboardHasText() const override;
    bool ClipHistoryInUse() const override;
    bool CaretFreeSetting() const override;
    bool FileExists(const std::string& path) const override;
    std::string ProgramDir() const override;
    std::string ManualPath() const override;
    std::vector<std::string> LanguageNames() const override;
    void NewDocument() override;
    void OpenDocument() override;
    void ClearAndOpen() override;
    void InsertFile() override;
    void Reload() override;
    void SaveAs() override;
    void Save() override;
    void CloseWindow() override;
    void CloseAll() override;
    void ClearAll() override;
    void ReloadFileHistory() override;
    void Cascade() override;
    void TileHorizontally() override;
    void TileVertically() override;
    void RefreshWindowList() override;
    void OpenCodeViewFile() override;
    void SelectViewMode(int tag, const std::string& name) override;
    void ShowInsertMode(bool overwrite) override;
    int LanguageOptionCount() const override;
    void AppendLanguageOption(const std::string& name) override;
    void ShowMessage(std::string_view text) override;
    void ShowManual(const std::string& path) override;
    void PopupContextMenu(TPoint p) override;
    void SendKey(int key) override;
    int FittingColumns(const TVnEdit& e) const override;
    void SetEditorCursor(TVnEdit& e, int cursor) override;
    void OpenUrl(const std::string& target) override;
    // TDisplayModeHost
    std::string StatusModeName() const override { return FViewMode; }
    void SetStatusModeName(std::string_view name) override;
    bool SelectViewItem(TViewItem item, std::string_view name) override;

    // TSettingsTarget
    TWindowPlace CurrentPlace() const override;
    std::string EditorFontName() const override;
    int EditorFontSize() const override;
    int CurrentUndoMax() const override;
    int CurrentWrapByte() const override;
    void RemoveManualPageMarks() override;
    void ApplySettings(const TSettingsValues& v) override;
    void ApplyWindowSize(int width, int height) override;
    void ApplyWindowPosition(int left, int top) override;
    void ApplyWindowState(int state) override;

    QStringList FArguments;
    QStatusBar* FStbMain = nullptr;
    std::array<QLabel*, kPanelCount> FPanels{};
    QMenu* FFileMenu = nullptr;
    QSplitter* FSplitter = nullptr;
    TEditorWidget* FEditorWidget = nullptr;
    TEditorWidget* FSubWidget = nullptr;
    TVnEdit* FActiveEditor = nullptr;
    std::unique_ptr<TIniFile> FIni;
    std::unique_ptr<TSettings> FSettings;
    std::unique_ptr<TFileHistory> FHistory;
    std::unique_ptr<TPeerBus> FPeers;
    std::unique_ptr<TDocuments> FDocuments;
    std::unique_ptr<TSpeechLibrary> FSpeech;
    std::unique_ptr<TMainCommands> FCommands;
    TCommandBar* FCommandBar = nullptr;
    std::unique_ptr<TVnColouredEditor> FMainView;
    std::unique_ptr<TVnColouredEditor> FSubView;
    std::unique_ptr<TDisplayModes> FModes;
    QString FFileName;
    QString FApplicationTitle;
    std::string FViewMode;
    bool FTrimRightStr = false;
    bool FPrinterReady = false;
    int FLinesPerPage = 0;
    int FLastRowCount = 0;
    int FSpokenRow = -1;
    std::string FLastSpoken;
    bool FShown = false;
    bool FStartupJumpDone = false;
};
