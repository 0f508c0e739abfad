// The main window's file and start-up figures: open and save of the corpus through the
// document operations, start to an idle window, settings load from a 200-key file; then the
// split and the opening of every menu with the whole text selected.
#include "BenchUtil.h"

#include "app/Documents.h"
#include "app/QzEMain.h"
#include "app/Settings.h"
#include "engine/Editor.h"
#include "platform/IniFile.h"
#include "colouring/CodeAttr.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMenu>
#include <QMenuBar>
#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

class TNullTarget : public TSettingsTarget {
public:
    TWindowPlace CurrentPlace() const override { return {0, 0, 600, 400}; }
    std::string EditorFontName() const override { return "Gothic"; }
    int EditorFontSize() const override { return 10; }
    int CurrentUndoMax() const override { return 64; }
    int CurrentWrapByte() const override { return 80; }
    void RemoveManualPageMarks() override {}
    void ApplySettings(const TSettingsValues&) override {}
    void ApplyWindowSize(int, int) override {}
    void ApplyWindowPosition(int, int) override {}
};

// The keys a well-used settings file holds, padded to 200 with menu shortcuts and history.
void Write200KeyIni(const std::string& path)
{
    std::ofstream out(path, std::ios::binary);
    out << "[Window]\r\nL=10\r\nT=10\r\nW=800\r\nH=600\r\nInitialWinState=0\r\n";
    out << "[Editor]\r\nAutoIndent=1\r\nBSUnIndent=1\r\nCaretFree=1\r\nUndoMax=256\r\n"
           "HistoriesBuf=204800\r\nQMark=>\r\nFileDialog=1\r\nScrollBars=2\r\nPageMark=0\r\n"
           "RetEofMark=0\r\nShowZenSpace=0\r\nWrapMode=2\r\nWrapByte=72\r\nFollowPunc=0\r\n"
           "WordBreak=0\r\nLineMargin=2\r\nKeyCustom=1\r\n";
    out << "[Controls]\r\nClipHistory=1\r\nToolBar=0\r\nRuler=0\r\n";
    out << "[FileOption]\r\nFileType=*.txt\r\nBakFile=1\r\nDeleteSpace=1\r\n";
    out << "[Format]\r\nDate=yy/mm/dd\r\nTime=hh:nn\r\n";
    out << "[Print]\r\nUseEditorFont=0\r\nFontName=Mincho\r\nFontSize=12\r\nTopMargin=15\r\n"
           "BottomMargin=15\r\nLineMargin=2\r\n";
    out << "[Update]\r\nV240=1\r\n[File]\r\n";
    int keys = 5 + 17 + 3 + 3 + 2 + 6 + 1;
    for (int i = 0; i < 10; ++i, ++keys)
        out << "History" << i << "=/home/user/documents/some folder/file number " << i << ".txt\r\n";
    out << "[MenuShortcut]\r\n";
    for (int i = 0; keys < 200; ++i, ++keys)
        out << "smnCommand" << i << "=" << (16384 + 65 + i % 26) << "\r\n";
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home, runtime, work;
    qputenv("VARNET_HOME", home.path().toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    QApplication app(argc, argv);

    // Settings load: a new file object each time, so the file is read and parsed every time.
    {
        const std::string ini = (work.path() + QStringLiteral("/big.Ini")).toStdString();
        Write200KeyIni(ini);
        TNullTarget target;
        const double s = bench::MedianSeconds(51, [&] {
            TIniFile file(ini);
            TSettings settings(file);
            settings.LoadAll(target);
        });
        bench::Figure("settings_load_200_keys", s * 1000, "ms");
    }

    // Start of the real program to an idle window, without a file.
    if (const char* exe = std::getenv("VARNET_EXECUTABLE")) {
        setenv("VARNET_QUIT_WHEN_IDLE", "1", 1);
        std::vector<double> samples;
        for (int i = 0; i < 7; ++i)
            samples.push_back(bench::RunProcess({exe}).seconds);
        unsetenv("VARNET_QUIT_WHEN_IDLE");
        bench::Figure("start_to_idle_window", bench::Median(samples), "s");
    }

    const std::string corpus = bench::CorpusPath();
    TQzEMain window;
    // A window of the size a user works in: the plain-text kind wraps at its width.
    window.resize(900, 700);
    window.show();
    QCoreApplication::processEvents();
    window.Documents().StartProcess = [](const QString&, const QStringList&) { return true; };
    const QString source = QFile::decodeName(corpus.c_str());
    // A file opens into an empty window (a window with text hands it to a new copy), so the
    // text of the previous round is cleared outside the timing.
    std::vector<double> opens;
    for (int i = 0; i < 5; ++i) {
        window.Editor().Lines().Clear();
        window.Editor().SetModified(false);
        window.SetFileName(QString()); // else the second open only brings the window forward
        QElapsedTimer t;
        t.start();
        window.Documents().OpenByName(source);
        opens.push_back(static_cast<double>(t.nsecsElapsed()) / 1e9);
    }
    // The first open is the one a start with a file makes: the window's kind is set then.
    bench::Figure("open_corpus_first", opens.front(), "s");
    bench::Figure("open_corpus_by_name", bench::Median(opens), "s");
    bench::Figure("open_wrap_width", window.Editor().WrapOption().WrapByte(), "columns");
    bench::Figure("open_rows", window.Editor().RowCount(), "rows");
    const double read = bench::MedianSeconds(3, [&] { window.Documents().ReadFile(source); });
    bench::Figure("open_corpus_read_only", read, "s");

    // Save as once to a file of our own, then time plain saves over it.
    const QString copy = work.path() + QStringLiteral("/copy.sjis");
    window.Documents().WriteFile(copy, false);
    window.SetFileName(copy);
    const double save = bench::MedianSeconds(3, [&] { window.Documents().Save(); });
    const std::string cp = "cp '" + corpus + "' '" + QFile::encodeName(work.path()).toStdString() + "/cp.sjis'";
    const double cpTime = bench::MedianSeconds(3, [&] {
        if (std::system(cp.c_str()) != 0)
            std::exit(3);
    });
    bench::Figure("save_corpus_atomic", save, "s", "cp", cpTime);

    // Switching the kind of the whole text: HTML and back to plain text, each with its own
    // display settings (the plain kind wraps, HTML by default does not).
    {
        const std::string plain = window.ViewMode();
        const std::string html = HtmlModeName();
        std::vector<double> toHtml, toPlain;
        for (int i = 0; i < 3; ++i) {
            QElapsedTimer t;
            t.start();
            window.SelectViewMode(html);
            toHtml.push_back(static_cast<double>(t.nsecsElapsed()) / 1e9);
            t.restart();
            window.SelectViewMode(plain);
            toPlain.push_back(static_cast<double>(t.nsecsElapsed()) / 1e9);
        }
        bench::Figure("view_mode_to_html", bench::Median(toHtml), "s");
        bench::Figure("view_mode_to_plain", bench::Median(toPlain), "s");
        // The same kind again: nothing to lay out anew.
        const double same = bench::MedianSeconds(3, [&] { window.SelectViewMode(plain); });
        bench::Figure("view_mode_same_again", same * 1000, "ms");
        // A switch that lays the text out anew: wrapping off and on again from the menu.
        std::vector<double> off, on;
        for (int i = 0; i < 3; ++i) {
            QElapsedTimer t;
            t.start();
            window.ToggleWordWrap();
            off.push_back(static_cast<double>(t.nsecsElapsed()) / 1e9);
            t.restart();
            window.ToggleWordWrap();
            on.push_back(static_cast<double>(t.nsecsElapsed()) / 1e9);
        }
        bench::Figure("wrap_toggle_off", bench::Median(off), "s");
        bench::Figure("wrap_toggle_on", bench::Median(on), "s");
    }

    // Splitting: the second view shares the rows, so its cost must not grow with the text.
    std::vector<double> splits;
    for (int i = 0; i < 7; ++i) {
        QElapsedTimer t;
        t.start();
        window.SetSplit(true);
        splits.push_back(static_cast<double>(t.nsecsElapsed()) / 1e9);
        window.SetSplit(false);
    }
    bench::Figure("split_corpus", bench::Median(splits) * 1000, "ms");

    // Opening a menu runs its enabling rules; with everything selected the Tool menu looks
    // through the selected rows.
    window.Editor().SelectAll();
    double slowest = 0;
    QString slowestName;
    for (QAction* top : window.menuBar()->actions()) {
        QMenu* menu = top->menu();
        if (menu == nullptr)
            continue;
        const double s = bench::MedianSeconds(5, [&] { Q_EMIT menu->aboutToShow(); });
        if (s > slowest) {
            slowest = s;
            slowestName = menu->objectName();
        }
    }
    bench::Figure("menu_open_slowest_" + slowestName.toStdString(), slowest * 1000, "ms");
    return 0;
}
