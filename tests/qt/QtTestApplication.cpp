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
        home_ = std::make_unique<QTemporaryDir>();
        runtime_ = std::make_unique<QTemporaryDir>();
        qputenv("VARNET_HOME", home_->path().toLocal8Bit());
        qputenv("XDG_RUNTIME_DIR", runtime_->path().toLocal8Bit());
        static int argc = 1;
        static char name[] = "qt_tests";
        static char* argv[] = {name, nullptr};
        app_ = std::make_unique<QApplication>(argc, argv);
    }
    void TearDown() override { app_.reset(); }

private:
    std::unique_ptr<QTemporaryDir> home_;
    std::unique_ptr<QTemporaryDir> runtime_;
    std::unique_ptr<QApplication> app_;
};

[[maybe_unused]] const ::testing::Environment* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new TQtApplicationEnvironment);

} // namespace
