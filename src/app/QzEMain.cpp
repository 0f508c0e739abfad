#include "app/QzEMain.h"

#include <QApplication>
#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QStatusBar>

#include "qt/EditorWidget.h"
#include "qt/QtCp932.h"

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

} // namespace

QString TQzEMain::UntitledTitle() { return QString::fromUtf8("無題－Varnet"); }

TQzEMain::TQzEMain(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("QzEMain"));
    QFont font(QString::fromUtf8("ＭＳ ゴシック"));
    font.setPixelSize(16);
    setFont(font);
    resize(kClientWidth, kClientHeight);
    CreateStatusBar();
    CreateEditor();
    FormCreate();
}

void TQzEMain::FormCreate()
{
    setWindowTitle(UntitledTitle());
}

// Six raised panels side by side, two pixels apart as the parts of a Windows status bar are.
// The last one takes whatever width is left, as Windows gives the last part the rest of the
// bar, so the view mode's name is not cut off.
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

// The editor fills the client area above the status bar, with the main editor's settings.
void TQzEMain::CreateEditor()
{
    FEditor = new TEditorWidget(this);
    FEditor->setObjectName(QStringLiteral("Editor"));
    setCentralWidget(FEditor);
    TVnEdit& e = FEditor->Edit();
    e.SetMainEditorDefaults();
    e.OnChange = [this](TObject*) { EditorChange(); };
    e.OnCaretMoved = [this](TObject*) { EditorCaretMoved(); };
    ShowFontPanel();
    FEditor->setFocus();
}

void TQzEMain::EditorChange()
{
    if (FEditor->Edit().Modified())
        SetPanelText(2, QString::fromUtf8("変更：あり"));
}

void TQzEMain::EditorCaretMoved()
{
    // The caret panel needs the page layout's lines per page, which arrives with printing;
    // until then only the mode panel follows the caret.
    SetPanelText(1, QString::fromUtf8(FEditor->Edit().OverWrite() ? "上書" : "挿入"));
}

// The font panel: the face the settings name and its size in points.
void TQzEMain::ShowFontPanel()
{
    TEditorFont& f = FEditor->Edit().Font();
    const int pixels = f.Height() < 0 ? -f.Height() : f.Height();
    const int points = (pixels * 72 + 48) / 96;
    SetPanelText(4, QStringLiteral("%1  %2p").arg(QStringFromCp932(f.Name())).arg(points));
}
