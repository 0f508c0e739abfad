#include "app/QzEMain.h"

#include <QApplication>
#include <QFile>
#include <QTimer>

#include "platform/ProgramDir.h"
#include "qt/Dialogs.h"

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

} // namespace

int main(int argc, char** argv)
{
    TVarnetApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Varnet"));
    TProgramDir::SetProgramPath(QFile::encodeName(QCoreApplication::applicationFilePath()).toStdString());
    TQzEMain window(QCoreApplication::arguments().mid(1));
    window.show();
    // The chooser window is created here once it exists.
    // For start-up measurements: end as soon as the window is shown and idle.
    if (qEnvironmentVariableIsSet("VARNET_QUIT_WHEN_IDLE"))
        QTimer::singleShot(0, &app, &QCoreApplication::quit);
    return app.exec();
}
