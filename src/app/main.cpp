#include "app/QzEMain.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTimer>

#include <csignal>
#include <cstdio>
#include <exception>

#include "qt/EditorWidget.h"

namespace {

// Options for tests and measurements, not for users:
//   --dump-text FILE     writes the editor's text (CP932 bytes) to FILE when the program ends
//   --all-marks          shows the ruler, line numbers and every mark
//   --time-first-paint   prints the milliseconds from start to the first painted screen, then quits
struct TDevOptions {
    QString DumpText;
    bool AllMarks = false;
    bool TimeFirstPaint = false;
    QStringList Files;
};

TDevOptions ParseOptions(const QStringList& args)
{
    TDevOptions o;
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--dump-text") && i + 1 < args.size())
            o.DumpText = args[++i];
        else if (args[i] == QLatin1String("--all-marks"))
            o.AllMarks = true;
        else if (args[i] == QLatin1String("--time-first-paint"))
            o.TimeFirstPaint = true;
        else
            o.Files << args[i];
    }
    return o;
}

void ShowAllMarks(TVnEdit& e)
{
    e.Leftbar().SetVisible(true);
    for (TEditorMark* m : {&e.Marks().EofMark(), &e.Marks().RetMark(), &e.Marks().WrapMark(),
                           &e.Marks().HideMark(), &e.Marks().Underline()})
        m->SetVisible(true);
    e.MarksVn().VertLine().SetVisible(true);
}

volatile std::sig_atomic_t gTerminate = 0;

// With --dump-text a test ends the program with SIGTERM; it quits through the event loop so
// the text is still written.
void QuitOnTerminate()
{
    std::signal(SIGTERM, [](int) { gTerminate = 1; });
    auto* poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, [] {
        if (gTerminate)
            QApplication::quit();
    });
    poll->start(50);
}

class TFirstPaintTimer : public QObject {
public:
    TFirstPaintTimer(QElapsedTimer& clock, QWidget* viewport) : clock_(clock) { viewport->installEventFilter(this); }
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::Paint && !done_) {
            done_ = true;
            QTimer::singleShot(0, [this] {
                std::printf("first paint %.1f ms\n", static_cast<double>(clock_.nsecsElapsed()) / 1e6);
                std::fflush(stdout);
                QApplication::quit();
            });
        }
        return QObject::eventFilter(o, e);
    }

private:
    QElapsedTimer& clock_;
    bool done_ = false;
};

} // namespace

int main(int argc, char** argv)
{
    QElapsedTimer clock;
    clock.start();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Varnet"));
    const TDevOptions options = ParseOptions(QApplication::arguments());
    TQzEMain window;
    TVnEdit& edit = window.Editor()->Edit();
    if (options.AllMarks)
        ShowAllMarks(edit);
    if (!options.Files.isEmpty()) {
        try {
            edit.Lines().LoadFromFile(QFile::encodeName(options.Files.front()).toStdString());
            edit.SetModified(false);
        } catch (const std::exception& e) {
            std::fprintf(stderr, "varnet: %s\n", e.what());
        }
    }
    if (!options.DumpText.isEmpty())
        QuitOnTerminate();
    TFirstPaintTimer* timer = options.TimeFirstPaint ? new TFirstPaintTimer(clock, window.Editor()->viewport()) : nullptr;
    window.show();
    const int rc = app.exec();
    delete timer;
    if (!options.DumpText.isEmpty()) {
        QFile out(options.DumpText);
        if (out.open(QIODevice::WriteOnly)) {
            const std::string text = edit.ListRows().GetTextStr();
            out.write(text.data(), static_cast<qint64>(text.size()));
        }
    }
    return rc;
}
