#include "app/QzEMain.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTimer>

#include <csignal>
#include <cstdio>
#include <exception>

#include "platform/ProgramDir.h"
#include "qt/Dialogs.h"
#include "qt/EditorWidget.h"

namespace {

// Exceptions that escape an event handler are shown, and the program keeps running.
class TVarnetApplication : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override
    {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::exception& e) {
            TDialogs::Instance().ShowError(activeWindow(), QString::fromLocal8Bit(e.what()));
        }
        return false;
    }
};

// Options for tests and measurements, not for users; everything else is the user's command
// line (files, then perhaps a line number):
//   --dump-text FILE     writes the editor's text (CP932 bytes) to FILE when the program ends
//   --all-marks          shows the ruler, line numbers and every mark
//   --time-first-paint   prints the milliseconds from start to the first painted screen, then quits
struct TDevOptions {
    QString DumpText;
    bool AllMarks = false;
    bool TimeFirstPaint = false;
    QStringList Arguments;
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
            o.Arguments << args[i];
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

// With --dump-text a test ends the program with SIGTERM; it leaves the event loop so the text
// is still written, without closing the window (which would ask to save the changes).
void QuitOnTerminate()
{
    std::signal(SIGTERM, [](int) { gTerminate = 1; });
    auto* poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, [] {
        if (gTerminate)
            QCoreApplication::exit(0);
    });
    poll->start(50);
}

class TFirstPaintTimer : public QObject {
public:
    TFirstPaintTimer(QElapsedTimer& clock, QWidget* viewport) : FClock(clock) { viewport->installEventFilter(this); }
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::Paint && !FDone) {
            FDone = true;
            QTimer::singleShot(0, [this] {
                std::printf("first paint %.1f ms\n", static_cast<double>(FClock.nsecsElapsed()) / 1e6);
                std::fflush(stdout);
                QApplication::quit();
            });
        }
        return QObject::eventFilter(o, e);
    }

private:
    QElapsedTimer& FClock;
    bool FDone = false;
};

} // namespace

int main(int argc, char** argv)
{
    QElapsedTimer clock;
    clock.start();
    TVarnetApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Varnet"));
    TProgramDir::SetProgramPath(QFile::encodeName(QCoreApplication::applicationFilePath()).toStdString());
    const TDevOptions options = ParseOptions(QCoreApplication::arguments());
    TQzEMain window(options.Arguments);
    TVnEdit& edit = window.Editor();
    if (options.AllMarks)
        ShowAllMarks(edit);
    if (!options.DumpText.isEmpty())
        QuitOnTerminate();
    TFirstPaintTimer* timer =
        options.TimeFirstPaint ? new TFirstPaintTimer(clock, window.EditorWidget()->viewport()) : nullptr;
    window.show();
    // The chooser window is created here once it exists.
    // For start-up measurements: end as soon as the window is shown and idle.
    if (qEnvironmentVariableIsSet("VARNET_QUIT_WHEN_IDLE"))
        QTimer::singleShot(0, &app, &QCoreApplication::quit);
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
