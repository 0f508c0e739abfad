// One QApplication for every Qt test, on the offscreen platform unless told otherwise.
#include <QApplication>
#include <QByteArray>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

class TQtApplicationEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        // Settings files and the copies' sockets go to folders of the test run, never to the
        // user's own.
        FHome = std::make_unique<QTemporaryDir>();
        FRuntime = std::make_unique<QTemporaryDir>();
        qputenv("VARNET_HOME", FHome->path().toLocal8Bit());
        qputenv("XDG_RUNTIME_DIR", FRuntime->path().toLocal8Bit());
        static int argc = 1;
        static char name[] = "qt_tests";
        static char* argv[] = {name, nullptr};
        FApp = std::make_unique<QApplication>(argc, argv);
    }
    void TearDown() override { FApp.reset(); }

private:
    std::unique_ptr<QTemporaryDir> FHome;
    std::unique_ptr<QTemporaryDir> FRuntime;
    std::unique_ptr<QApplication> FApp;
};

[[maybe_unused]] const ::testing::Environment* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new TQtApplicationEnvironment);

} // namespace
