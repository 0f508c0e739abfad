// Real copies of the program: started with files, found by the file they show, told to jump
// and to close, killed, and started again over what the killed one left.
#include "qt/PeerBus.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <fstream>
#include <functional>

namespace {

class CopiesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = runtime.filePath(QStringLiteral("varnet"));
        env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        env.insert(QStringLiteral("VARNET_HOME"), home.path());
        bus = std::make_unique<TPeerBus>(nullptr, folder);
        ASSERT_TRUE(bus->Start()) << bus->Error().toStdString();
    }
    void TearDown() override
    {
        for (auto& p : copies) {
            p->kill();
            p->waitForFinished(3000);
        }
    }
    QString File(const QString& name, int lines)
    {
        const QString path = files.filePath(name);
        std::ofstream out(QFile::encodeName(path).toStdString(), std::ios::binary);
        for (int i = 1; i <= lines; ++i)
            out << "line " << i << "\r\n";
        return path;
    }
    QProcess* Start(const QStringList& arguments)
    {
        auto p = std::make_unique<QProcess>();
        p->setProcessEnvironment(env);
        p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p->start(QStringLiteral(VARNET_EXECUTABLE), arguments);
        EXPECT_TRUE(p->waitForStarted(5000));
        copies.push_back(std::move(p));
        return copies.back().get();
    }
    // The other copies as this test's end of the bus sees them.
    QList<TPeerInfo> Others()
    {
        QList<TPeerInfo> out;
        for (const TPeerInfo& p : bus->ListCopies())
            if (!p.Self)
                out << p;
        return out;
    }
    // Waits up to 10 s for `done`, letting this process answer meanwhile.
    bool WaitFor(const std::function<bool()>& done)
    {
        QDeadlineTimer deadline(10000);
        while (!deadline.hasExpired()) {
            if (done())
                return true;
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
            QThread::msleep(50);
        }
        return done();
    }
    // Waits for a copy to end while this process keeps answering the copies' questions.
    bool Ended(QProcess* p)
    {
        return WaitFor([p] { return p->state() == QProcess::NotRunning; });
    }
    std::optional<TPeerInfo> Showing(const QString& path)
    {
        for (const TPeerInfo& p : Others())
            if (p.Path == QFile::encodeName(path).toStdString())
                return p;
        return std::nullopt;
    }

    QTemporaryDir runtime, home, files;
    QString folder;
    QProcessEnvironment env;
    std::unique_ptr<TPeerBus> bus;
    std::vector<std::unique_ptr<QProcess>> copies;
};

TEST_F(CopiesTest, ASecondCopyForTheSameFileHandsOverAndTheFirstTakesLineJumps)
{
    const QString memo = File(QStringLiteral("memo.txt"), 300);
    QProcess* first = Start({memo});
    ASSERT_TRUE(WaitFor([&] { return Showing(memo).has_value(); }));
    const TPeerInfo peer = *Showing(memo);
    EXPECT_EQ(peer.Title, memo.toUpper() + QString::fromUtf8("－Varnet"));

    // The second copy finds the first by its file, brings it forward and goes away.
    QProcess* second = Start({memo});
    EXPECT_TRUE(Ended(second));
    EXPECT_EQ(first->state(), QProcess::Running);
    EXPECT_EQ(Others().size(), 1);

    EXPECT_TRUE(bus->LineJump(peer, 199));
    EXPECT_TRUE(WaitFor([&] { return Showing(memo) && Showing(memo)->CaretLine == 199; }));

    // An unmodified copy closes when asked.
    EXPECT_EQ(bus->RequestClose(peer), std::optional<bool>(true));
    EXPECT_TRUE(Ended(first));
    EXPECT_TRUE(Others().isEmpty());
}

TEST_F(CopiesTest, StartingWithALineNumberJumpsThereOnTheFirstPaint)
{
    const QString memo = File(QStringLiteral("long.txt"), 500);
    Start({memo, QStringLiteral("120")});
    ASSERT_TRUE(WaitFor([&] { return Showing(memo) && Showing(memo)->CaretLine == 119; }))
        << (Showing(memo) ? Showing(memo)->CaretLine : -1);
}

TEST_F(CopiesTest, ASocketLeftByAKilledCopyDoesNotStopTheNextStart)
{
    const QString memo = File(QStringLiteral("a.txt"), 3);
    QProcess* killed = Start({memo});
    ASSERT_TRUE(WaitFor([&] { return Showing(memo).has_value(); }));
    const QString left = Showing(memo)->Socket;
    killed->kill();
    killed->waitForFinished(5000);
    ASSERT_TRUE(QFile::exists(left)); // a killed copy cannot clean up

    QProcess* next = Start({memo});
    ASSERT_TRUE(WaitFor([&] { return Showing(memo).has_value(); }));
    EXPECT_EQ(next->state(), QProcess::Running);
    EXPECT_FALSE(QFile::exists(left));
    EXPECT_EQ(Others().size(), 1);
}

} // namespace
