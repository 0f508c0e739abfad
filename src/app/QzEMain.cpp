#include "app/QzEMain.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <stdexcept>

#include "app/Documents.h"
#include "app/FileHistory.h"
#include "app/ShortCut.h"
#include "engine/Editor.h"
#include "app/CommandBar.h"
#include "qt/EditorWidget.h"
#include "view/VnColouredEditor.h"
#include "platform/FileError.h"
#include "platform/IniFile.h"
#include "platform/ProgramDir.h"
#include "platform/SpeechLibrary.h"
#include "platform/Sjis.h"
#include "qt/Dialogs.h"
#include "qt/PeerBus.h"
#include "qt/QtCp932.h"

#include <QPrinterInfo>

namespace {

struct TPanelSpec {
    int width;
    const char* text; // UTF-8
};

// Caret position, insert/overwrite, modified, search key, font, view mode.
constexpr std::array<TPanelSpec, TQzEMain::kPanelCount> kPanels{{
    {120, ""},
    {34, "挿入"},
    {60, "変更：なし"},
    {140, "検索キー：なし"},
    {120, "Font"},
    {50, "通常のテキスト"},
}};

constexpr int kClientWidth = 592;
constexpr int kClientHeight = 374;

constexpr std::string_view kPlainText = "通常のテキスト"_sj;
constexpr std::string_view kHtml = "ＨＴＭＬ"_sj;

QString Utf8(const char* s) { return QString::fromUtf8(s); }

} // namespace

QString TQzEMain::UntitledTitle() { return Utf8("無題－Varnet"); }
QString TQzEMain::TitleSuffix() { return Utf8("－Varnet"); }

TQzEMain::TQzEMain(QWidget* parent) : TQzEMain(QStringList(), parent) {}

TQzEMain::TQzEMain(const QStringList& arguments, QWidget* parent)
    : QMainWindow(parent), FArguments(arguments), FViewMode(kPlainText)
{
    setObjectName(QStringLiteral("QzEMain"));
    QFont font(Utf8("ＭＳ ゴシック"));
    font.setPixelSize(16);
    setFont(font);
    resize(kClientWidth, kClientHeight);
    CreateStatusBar();
    CreateEditor();
    FormCreate();
}

TQzEMain::~TQzEMain()
{
    // FormDestroy: the scratch file of the encryption command goes with the copy.
    const TProgramDir& dir = TProgramDir::Instance();
    const std::string scratch = "無題暗号";
    QFile::remove(QFile::decodeName(dir.PathForRead(scratch).c_str()));
    if (FSpeech)
        FSpeech->Unload();
}

void TQzEMain::FormCreate()
{
    setAcceptDrops(true);
    setWindowTitle(UntitledTitle());
    FApplicationTitle = UntitledTitle();
    FPrinterReady = !QPrinterInfo::availablePrinterNames().isEmpty();
    FFileName.clear();

    const TProgramDir& dir = TProgramDir::Instance();
    FIni = std::make_unique<TIniFile>(dir.PathForRead(dir.SettingsName()),
                                      dir.PathForWrite(dir.SettingsName()));
    FSettings = std::make_unique<TSettings>(*FIni);
    FHistory = std::make_unique<TFileHistory>(*FIni);
    FDocuments = std::make_unique<TDocuments>(*this);
    CreateCommands();

    Editor().OnCaretMoved = [this](TObject*) {
        EditorCaretMoved();
        FCommands->RefreshToolBar();
    };
    Editor().OnChange = [this](TObject*) {
        EditorChange();
        FCommands->RefreshNewPrintButtons();
    };

    FSettings->LoadAll(*this);

    FPeers = std::make_unique<TPeerBus>();
    ConnectPeers();
    FPeers->Start(); // without a private folder this copy simply runs alone
    if (FDocuments->CountCopies())
        FSettings->LoadWindowPosition(*this);

    Editor().Lines().Clear();
    Editor().SetModified(false);
    FLastRowCount = Editor().RowCount();

    if (FSettings->Values().KeyCustom)
        ApplyMenuShortcuts();
    // Phrases and language menus are added by their commands.

    FSpeech = std::make_unique<TSpeechLibrary>();
    FSpeech->Load();
}

void TQzEMain::ConnectPeers()
{
    FPeers->OnQuery = [this] {
        TPeerInfo info;
        info.Title = windowTitle();
        info.Path = QFile::encodeName(FFileName).toStdString();
        info.Minimised = isMinimized();
        info.CaretLine = Editor().RowToLine(Editor().Row());
        return info;
    };
    FPeers->OnActivate = [this] {
        if (isMinimized())
            showNormal();
        raise();
        activateWindow();
    };
    FPeers->OnClose = [this] { return close(); };
    FPeers->OnLineJump = [this](int line) { JumpToLine(line); };
    FPeers->OnSetGeometry = [this](const QRect& frame) {
        if (windowState() != Qt::WindowNoState)
            setWindowState(Qt::WindowNoState);
        const QSize extra = frameGeometry().size() - geometry().size();
        move(frame.topLeft());
        resize((frame.size() - extra).expandedTo(QSize(1, 1)));
    };
}

void TQzEMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!FShown) {
        FShown = true;
        FormShow();
        // Should the window's own area be covered by its children and get no paint event,
        // the start-up jump still happens as the first paint is done.
        QTimer::singleShot(0, this, [this] { FormPaint(); });
    }
}

// The files named on the command line, in order, up to the first that does not exist (so
// "file.txt 120" opens the file and stops at the line number). Windows' 8.3 short names have
// no counterpart here, so arguments are taken as they are.
void TQzEMain::FormShow()
{
    if (FArguments.isEmpty()) {
        SelectViewMode(std::string(kPlainText));
        return;
    }
    for (const QString& arg : FArguments) {
        if (!QFileInfo::exists(arg))
            break;
        RunCommand([&] { FDocuments->OpenByName(arg); });
    }
}

void TQzEMain::paintEvent(QPaintEvent* event)
{
    QMainWindow::paintEvent(event);
    FormPaint();
}

// "varnet file.txt 120" jumps to line 120 once, on the first paint, when the text is there.
void TQzEMain::FormPaint()
{
    if (FStartupJumpDone)
        return;
    if (FArguments.size() == 2) {
        bool ok = false;
        const int line = FArguments[1].toInt(&ok, 10);
        if (ok) {
            FStartupJumpDone = true;
            JumpToLine(std::max(line - 1, 0));
        }
    }
}

void TQzEMain::closeEvent(QCloseEvent* event)
{
    // A modified but empty text closes without a question.
    if (Modified() && !TextEmpty() &&
        FDocuments->SavePrompt() == TDialogAnswer::Cancel) {
        event->ignore();
        return;
    }
    event->accept();
}

void TQzEMain::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void TQzEMain::dropEvent(QDropEvent* event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    event->acceptProposedAction();
    OpenDroppedFiles(urls);
}

void TQzEMain::OpenDroppedFiles(const QList<QUrl>& urls)
{
    for (const QUrl& url : urls)
        if (url.isLocalFile())
            RunCommand([&] { FDocuments->OpenByName(url.toLocalFile()); });
}

void TQzEMain::RunCommand(const std::function<void()>& command)
{
    try {
        command();
    } catch (const std::exception& e) {
        TDialogs::Instance().ShowError(this, QString::fromLocal8Bit(e.what()));
    }
}

// ---- title and status bar

void TQzEMain::UpdateTitles()
{
    if (FFileName.isEmpty()) {
        setWindowTitle(UntitledTitle());
        FApplicationTitle = UntitledTitle();
        return;
    }
    setWindowTitle(TitlePath(FFileName) + TitleSuffix());
    FApplicationTitle = QFileInfo(FFileName).fileName() + QStringLiteral("-Varnet");
}

bool TQzEMain::Modified() const
{
    return Editor().Modified() || (SubEditor() != nullptr && SubEditor()->Modified());
}

void TQzEMain::SetModified(bool v)
{
    Editor().SetModified(v);
    if (TVnEdit* sub = SubEditor())
        sub->SetModified(v);
}

bool TQzEMain::TextEmpty() const
{
    const int rows = Editor().RowCount();
    return rows == 0 || (rows == 1 && Editor().RowText(0).empty() && Editor().RowEnd(0) != reBreak);
}

void TQzEMain::ShowModified()
{
    SetPanelText(2, Utf8(Modified() ? "変更：あり" : "変更：なし"));
}

void TQzEMain::SelectViewMode(const std::string& name)
{
    if (FModes != nullptr) {
        if (name == kPlainText)
            FModes->SetPlainTextMode(*FMainView);
        else if (name == kHtml)
            FModes->SetHtmlMode(*FMainView);
        else
            FModes->SetLanguageMode(name);
    }
    if (FCommandBar != nullptr)
        FCommandBar->CheckViewMode(name);
    FViewMode = name;
    SetPanelText(5, QStringFromCp932(name));
    SetPanelText(2, Utf8("変更：なし"));
    const TEditorFont& font = Editor().Font();
    SetPanelText(4, QStringFromCp932(font.Name()) + QStringLiteral(" %1P").arg(EditorFontSize()));
    EditorResize();
}

// The extension picks the mode through the definition file's extension map.
void TQzEMain::SelectViewModeFor(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix();
    FModes->SetViewModeByFileExt(suffix.isEmpty() ? std::string() : "." + Cp932FromQString(suffix));
}

void TQzEMain::EditorCaretMoved()
{
    if (FLinesPerPage == 0)
        return; // no page layout without a printer: the panel stays empty
    TEditor& e = Editor();
    const int page = e.Row() / FLinesPerPage + 1;
    const int line = e.Leftbar().ShowNumberMode() == nmLine ? e.RowToLine(e.Row()) + 1 : e.Row() + 1;
    SetPanelText(0, QString::asprintf("%3d", page) + Utf8("頁 ：") + QString::asprintf("%3d", e.Col() + 1) +
                        Utf8("桁 ：") + QString::asprintf("%5d", line) + Utf8("行"));
    if (e.Row() != FSpokenRow) {
        FSpokenRow = e.Row();
        const std::string_view row = e.RowText(e.Row());
        if (row.empty())
            FLastSpoken = std::string("空行"_sj);
        else if (static_cast<int>(row.size()) == e.Col())
            FLastSpoken = std::string("行末"_sj);
        else
            FLastSpoken = std::string(row.substr(std::min<std::size_t>(row.size(), static_cast<std::size_t>(std::max(e.Col(), 0)))));
        if (FSpeech)
            FSpeech->Say(FLastSpoken);
    }
}

void TQzEMain::EditorChange()
{
    if (Editor().RowCount() != FLastRowCount)
        FLastRowCount = Editor().RowCount(); // page marks are recomputed by the page layout
    if (Modified())
        SetPanelText(2, Utf8("変更：あり"));
}

int TQzEMain::WindowWrapWidth(int editorWidth, int leftMargin, int charWidth, int vscrollWidth)
{
    if (charWidth <= 0)
        return 0;
    return std::max(1, (editorWidth - leftMargin - charWidth / 2 - vscrollWidth) / charWidth);
}

bool TQzEMain::WrapsByWindow() const
{
    return FSettings && FSettings->Values().WrapMode == 1;
}

void TQzEMain::EditorResize()
{
    FitWrapWidth(Editor().Metrics().TextLeft);
}

void TQzEMain::FitWrapToRows(long long rows, bool finalBreak)
{
    FitWrapWidth(Editor().TextLeftForRows(rows, finalBreak));
}

void TQzEMain::FitWrapWidth(int textLeft)
{
    if (!WrapsByWindow())
        return;
    TEditor& e = Editor();
    const TEditorMetrics& m = e.Metrics();
    if (e.Host() == nullptr || m.ColWidth <= 1)
        return; // the character width is not known yet
    const bool vbar = e.ScrollBars() == ssVertical || e.ScrollBars() == ssBoth;
    // The formula takes the control's width and takes the scroll bar's share off. The
    // control's frame and bars lie outside the area the text is shown in, so that area's
    // width with the bar's share added is what it is given: the rows then end at the last
    // column the window shows, as the columns the editor shows are counted.
    const int bar = vbar ? e.Host()->ScrollBarExtent(sbVertical) : 0;
    const int columns = WindowWrapWidth(FEditorWidget->viewport()->width() + bar, textLeft, m.ColWidth, bar);
    if (columns > 0 && columns != e.WrapOption().WrapByte()) {
        e.WrapOption().SetWrapByte(columns);
        FLastRowCount = e.RowCount();
    }
}

void TQzEMain::ToggleWordWrap()
{
    TEditor& e = Editor();
    const int line = e.RowToLine(e.Row());
    e.SetWordWrap(!e.WordWrap());
    // Without wrapping rows and lines coincide.
    e.SetRowCol(e.WordWrap() ? e.Lines().LineToRow(line) : line, 0);
    const TProgramDir& dir = TProgramDir::Instance();
    TIniFile attr(dir.PathForRead("CodeAttr.ini"), dir.PathForWrite("CodeAttr.ini"));
    attr.WriteBool(FViewMode, "Wordwrap", e.WordWrap());
    attr.Flush();
    FLastRowCount = e.RowCount();
    EditorResize();
}

// The second view copies the first one's settings, state and events and then shares its
// rows (and so its undo history and wrap options). It sits below the first.
void TQzEMain::SetSplit(bool on)
{
    if (on == Split())
        return;
    if (!on) {
        SplitViewGoing();
        if (FActiveEditor == SubEditor())
            FActiveEditor = &Editor();
        TEditorWidget* sub = FSubWidget;
        FSubWidget = nullptr;
        delete sub;
        FEditorWidget->setFocus();
        return;
    }
    auto* widget = new TEditorWidget(FSplitter);
    widget->setObjectName(QStringLiteral("SubEditor"));
    widget->installEventFilter(this);
    TVnEdit& sub = widget->Edit();
    TVnEdit& e = Editor();
    sub.SetMarksVn(e.MarksVn());
    sub.SetViewVn(e.ViewVn());
    sub.SetReadOnly(e.ReadOnly());
    sub.SetOverWrite(e.OverWrite());
    sub.OnCaretMoved = e.OnCaretMoved;
    sub.OnChange = e.OnChange;
    FSubWidget = widget;
    // The display settings (SplitViewCreated) go onto the new view while it still has its own
    // empty rows: on the shared rows every changed setting would wrap the whole text again.
    SplitViewCreated();
    sub.AttachTo(e);
    sub.SetModified(e.Modified());
    sub.SetTopRow(e.TopRow());
    FSplitter->addWidget(widget);
    const int half = std::max(FSplitter->height() / 2, 1);
    FSplitter->setSizes({half, half});
    widget->show();
}

void TQzEMain::JumpToLine(int line)
{
    TEditor& e = Editor();
    const int row = e.Lines().LineToRow(std::clamp(line, 0, std::max(e.Lines().Count() - 1, 0)));
    e.SetRowCol(row, 0);
    e.SetTopRow(std::max(row - e.VisibleRows() / 2, 0));
}

// Six raised panels side by side, two pixels apart as the parts of a Windows status bar are.
// The last one takes whatever width is left, as Windows gives the last part the rest of the
// bar, so the view mode's name is not cut off.
TVnEdit& TQzEMain::Editor() const { return FEditorWidget->Edit(); }

TVnEdit* TQzEMain::SubEditor() const { return FSubWidget != nullptr ? &FSubWidget->Edit() : nullptr; }

TVnEdit& TQzEMain::ActiveEditor() const { return FActiveEditor != nullptr ? *FActiveEditor : Editor(); }

// The editor fills the client area above the status bar, in a splitter that takes the second
// view when the window is split.
void TQzEMain::CreateEditor()
{
    FSplitter = new QSplitter(Qt::Vertical, this);
    FSplitter->setObjectName(QStringLiteral("EditorSplitter"));
    FSplitter->setChildrenCollapsible(false);
    FEditorWidget = new TEditorWidget(FSplitter);
    FEditorWidget->setObjectName(QStringLiteral("Editor"));
    FEditorWidget->installEventFilter(this);
    // The wrap width follows the area the text is shown in, which is laid out after the
    // control itself has its new size.
    FEditorWidget->viewport()->installEventFilter(this);
    FSplitter->addWidget(FEditorWidget);
    setCentralWidget(FSplitter);
    Editor().SetMainEditorDefaults();
    FActiveEditor = &Editor();
    FEditorWidget->setFocus();
}

// The view that takes the focus becomes the one Edit commands act on.
bool TQzEMain::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize && watched == FEditorWidget->viewport())
        EditorResize();
    if (event->type() == QEvent::FocusIn) {
        if (watched == FEditorWidget)
            FActiveEditor = &Editor();
        else if (FSubWidget != nullptr && watched == FSubWidget)
            FActiveEditor = SubEditor();
    }
    return QMainWindow::eventFilter(watched, event);
}

void TQzEMain::CreateStatusBar()
{
    FStbMain = new QStatusBar(this);
    FStbMain->setObjectName(QStringLiteral("stbMain"));
    // The status bar keeps the system's font rather than the window's 16-pixel one.
    QFont systemFont = QApplication::font();
    systemFont.setResolveMask(QFont::AllPropertiesResolved);
    FStbMain->setFont(systemFont);
    FStbMain->setStyleSheet(QStringLiteral("QStatusBar::item { border: none; }"));
    // The window frame resizes the window; a grip would take the last panel's room.
    FStbMain->setSizeGripEnabled(false);

    auto* strip = new QWidget(FStbMain);
    auto* layout = new QHBoxLayout(strip);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    for (int i = 0; i < kPanelCount; ++i) {
        auto* panel = new QLabel(QString::fromUtf8(kPanels[i].text), strip);
        panel->setObjectName(QStringLiteral("stbMainPanel%1").arg(i));
        panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
        panel->setLineWidth(1);
        panel->setTextFormat(Qt::PlainText);
        if (i + 1 < kPanelCount) {
            panel->setFixedWidth(kPanels[i].width);
            layout->addWidget(panel);
        } else {
            panel->setMinimumWidth(kPanels[i].width);
            layout->addWidget(panel, 1);
        }
        FPanels[i] = panel;
    }
    FStbMain->addWidget(strip, 1);
    setStatusBar(FStbMain);
}

void TQzEMain::RefreshHistoryMenu()
{
    const QList<QAction*> actions = FFileMenu->actions();
    bool after = false;
    for (QAction* a : actions) {
        if (after) {
            FFileMenu->removeAction(a);
            a->deleteLater();
        } else if (a->objectName() == QLatin1String("smnFileSeparater")) {
            after = true;
        }
    }
    FHistory->Load();
    const QStringList captions = FDocuments->HistoryCaptions(200);
    for (int i = 0; i < captions.size(); ++i) {
        QAction* a = FFileMenu->addAction(captions[i]);
        const QString full = QFile::decodeName(FHistory->Items()[static_cast<std::size_t>(i)].c_str());
        a->setToolTip(full);
        a->setStatusTip(full);
        connect(a, &QAction::triggered, this, [this, i] { RunCommand([this, i] { FDocuments->OpenFromHistory(i); }); });
    }
}

QLabel* TQzEMain::Panel(int index) const
{
    return index >= 0 && index < kPanelCount ? FPanels[index] : nullptr;
}

QString TQzEMain::PanelText(int index) const
{
    const QLabel* panel = Panel(index);
    return panel != nullptr ? panel->text() : QString();
}

void TQzEMain::SetPanelText(int index, const QString& text)
{
    if (QLabel* panel = Panel(index))
        panel->setText(text);
}

// ---- settings

TWindowPlace TQzEMain::CurrentPlace() const
{
    const QRect frame = frameGeometry();
    return {frame.x(), frame.y(), width(), height()};
}

std::string TQzEMain::EditorFontName() const { return Editor().Font().Name(); }

// The editor keeps its font as a pixel height; the settings count points at 96 dots per inch.
int TQzEMain::EditorFontSize() const
{
    const int pixels = std::abs(Editor().Font().Height());
    return (pixels * 72 + 48) / 96;
}

int TQzEMain::CurrentUndoMax() const { return Editor().UndoListMax(); }
int TQzEMain::CurrentWrapByte() const { return Editor().WrapOption().WrapByte(); }

void TQzEMain::RemoveManualPageMarks()
{
    constexpr std::uint16_t kManualPageBreak = 8192;
    for (int r = 0; r < Editor().RowCount(); ++r)
        if (Editor().RowMarks(r) & kManualPageBreak)
            Editor().SetRowMarks(r, static_cast<std::uint16_t>(Editor().RowMarks(r) & ~kManualPageBreak));
    FLastRowCount = Editor().RowCount();
}

void TQzEMain::ApplyWindowState(int state)
{
    if (state == 1)
        setWindowState(Qt::WindowMinimized);
    else if (state == 2)
        setWindowState(Qt::WindowMaximized);
}

void TQzEMain::ApplySettings(const TSettingsValues& v)
{
    TEditor& e = Editor();
    e.Caret().SetAutoIndent(v.AutoIndent);
    e.Caret().SetBackSpaceUnIndent(v.BSUnIndent);
    e.Caret().SetFreeCaret(v.CaretFree);
    e.SetUndoListMax(v.UndoMax);
    e.SetScrollBars(static_cast<TScrollStyle>(std::clamp(v.ScrollBars, 0, 3)));
    e.Ruler().SetVisible(v.Ruler);
    e.Imagebar().SetVisible(v.PageMark);
    e.Marks().RetMark().SetVisible(v.RetEofMark);
    e.Marks().EofMark().SetVisible(v.RetEofMark);
    e.Margin().SetLine(v.LineMargin);
    TEditorWrapOption& wrap = e.WrapOption();
    wrap.SetFollowPunctuation(v.FollowPunc);
    wrap.SetLeading(v.FollowPunc);
    wrap.SetWordBreak(v.WordBreak);
    if (v.WrapMode == 2 && v.WrapByte > 0)
        wrap.SetWrapByte(v.WrapByte);
    // The other values (tool bar, clipboard history, hyperlinks, formats, full-width blank
    // marks, print settings) are read from Settings().Values() by the parts that use them.
    EditorResize();
}

void TQzEMain::ApplyWindowSize(int width, int height)
{
    if (width > 0 && height > 0)
        resize(width, height);
}

void TQzEMain::ApplyWindowPosition(int left, int top) { move(left, top); }
