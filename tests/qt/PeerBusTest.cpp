// Copies talking over their sockets: several ends in this process, a socket a dead copy left,
// a peer of another user, and input that is not a message.
#include "qt/PeerBus.h"

#include "app/Documents.h"
#include "app/QzEMain.h"
#include "engine/Editor.h"
#include "platform/PeerProtocol.h"
#include "qt/ScriptedDialogs.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstring>

namespace {

// An end of the bus with what it was told.
struct TEnd {
    explicit TEnd(const QString& folder, const QString& title, const std::string& path = {})
        : bus(nullptr, folder)
    {
        bus.OnQuery = [this, title, path] {
            TPeerInfo i;
            i.Title = title;
            i.Path = path;
            i.CaretLine = caretLine;
            return i;
        };
        bus.OnLineJump = [this](int line) { caretLine = line; };
        bus.OnSetGeometry = [this](const QRect& r) { geometry = r; };
        bus.OnActivate = [this] { ++activated; };
        bus.OnClose = [this] { return ++closeRequests, closes; };
        EXPECT_TRUE(bus.Start()) << bus.Error().toStdString();
    }
    TPeerBus bus;
    int caretLine = 0;
    QRect geometry;
    int activated = 0;
    int closeRequests = 0;
    bool closes = true;
};

TPeerInfo Find(const QList<TPeerInfo>& list, std::int64_t handle)
{
    for (const TPeerInfo& p : list)
        if (p.Handle == handle)
            return p;
    return {};
}

// A socket file nobody listens on, as a killed copy leaves it.
void MakeDeadSocket(const QString& path)
{
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    const QByteArray p = QFile::encodeName(path);
    std::memcpy(addr.sun_path, p.constData(), static_cast<std::size_t>(p.size()));
    ASSERT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    close(fd);
}

TEST(PeerBus, CopiesListOneAnotherAndTheirMessagesArrive)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("varnet"));
    TEnd a(folder, QStringLiteral("A－Varnet"));
    TEnd b(folder, QString::fromUtf8("/HOME/U/日本.TXT－Varnet"), "/home/u/日本.txt");
    EXPECT_EQ(QFileInfo(folder).permissions() & (QFile::ReadGroup | QFile::ReadOther | QFile::WriteOther), 0);

    const QList<TPeerInfo> list = a.bus.ListCopies();
    ASSERT_EQ(list.size(), 2);
    EXPECT_TRUE(list[0].Self); // handle order: a was made first
    const TPeerInfo peer = Find(list, b.bus.Handle());
    EXPECT_FALSE(peer.Self);
    EXPECT_EQ(peer.Title, QString::fromUtf8("/HOME/U/日本.TXT－Varnet"));
    EXPECT_EQ(peer.Path, "/home/u/日本.txt");
    EXPECT_EQ(a.bus.ListCopies(1).size(), 1);

    EXPECT_TRUE(a.bus.LineJump(peer, 41));
    EXPECT_TRUE(a.bus.SetGeometry(peer, QRect(10, 20, 300, 200)));
    EXPECT_TRUE(a.bus.Activate(peer));
    // Messages without an answer are handled when the peer reads them; the next question
    // to the same peer comes after them.
    EXPECT_EQ(Find(a.bus.ListCopies(), b.bus.Handle()).CaretLine, 41);
    EXPECT_EQ(b.geometry, QRect(10, 20, 300, 200));
    EXPECT_EQ(b.activated, 1);

    b.closes = false;
    EXPECT_EQ(a.bus.RequestClose(peer), std::optional<bool>(false));
    b.closes = true;
    EXPECT_EQ(a.bus.RequestClose(peer), std::optional<bool>(true));
    EXPECT_EQ(b.closeRequests, 2);
}

TEST(PeerBus, ASocketLeftByADeadCopyIsRemovedAndDoesNotBlock)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("varnet"));
    ASSERT_EQ(mkdir(QFile::encodeName(folder).constData(), 0700), 0);
    const QString dead = folder + QStringLiteral("/4242.sock");
    MakeDeadSocket(dead);
    ASSERT_TRUE(QFileInfo::exists(dead));
    TEnd a(folder, QStringLiteral("A"));
    const QList<TPeerInfo> list = a.bus.ListCopies();
    ASSERT_EQ(list.size(), 1);
    EXPECT_TRUE(list[0].Self);
    EXPECT_FALSE(QFileInfo::exists(dead));
}

TEST(PeerBus, PeersOfAnotherUserAreRefusedBothWays)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("varnet"));
    TEnd a(folder, QStringLiteral("A"));
    TEnd b(folder, QStringLiteral("B"));
    // b takes only another user's connections: a's question is dropped.
    b.bus.SetAllowedUserId(getuid() + 1);
    EXPECT_EQ(a.bus.ListCopies().size(), 1);
    TPeerInfo peerB;
    peerB.Handle = b.bus.Handle();
    peerB.Socket = b.bus.SocketPath();
    EXPECT_FALSE(a.bus.RequestClose(peerB).has_value());
    EXPECT_EQ(b.closeRequests, 0);
    // a takes only another user's answers: b's socket is not believed, and not removed.
    b.bus.SetAllowedUserId(getuid());
    a.bus.SetAllowedUserId(getuid() + 1);
    EXPECT_EQ(a.bus.ListCopies().size(), 1);
    EXPECT_TRUE(QFileInfo::exists(b.bus.SocketPath()));
}

// A process of another user answers in our folder, claiming to show a file.
TEST(PeerBus, AnotherUsersProcessClaimingToBeACopyIsNotListed)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "needs root to run a process as another user";
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("varnet"));
    TEnd a(folder, QStringLiteral("A"));
    QTemporaryDir open;
    ASSERT_EQ(chmod(QFile::encodeName(open.path()).constData(), 0777), 0);
    const QByteArray theirs = QFile::encodeName(open.path() + QStringLiteral("/77.sock"));
    const std::string frame = peer::Encode(peer::Make(peer::TType::Info, {77, 0, 0}, {"EVIL－Varnet", "/etc/passwd"}));
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    if (child == 0) {
        if (setresgid(65534, 65534, 65534) != 0 || setresuid(65534, 65534, 65534) != 0)
            _exit(2);
        const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un addr{};
        addr.sun_family = AF_UNIX;
        std::memcpy(addr.sun_path, theirs.constData(), static_cast<std::size_t>(theirs.size()));
        if (bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || listen(fd, 4) != 0)
            _exit(3);
        (void)!write(ready[1], "r", 1);
        for (;;) {
            const int c = accept(fd, nullptr, nullptr);
            if (c >= 0) {
                (void)!write(c, frame.data(), frame.size());
                close(c);
            }
        }
    }
    close(ready[1]);
    char r = 0;
    ASSERT_EQ(read(ready[0], &r, 1), 1);
    close(ready[0]);
    // Root moves it into the private folder, where only the credential check can stop it.
    ASSERT_EQ(rename(theirs.constData(), QFile::encodeName(folder + QStringLiteral("/77.sock")).constData()), 0);
    const QList<TPeerInfo> list = a.bus.ListCopies();
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    ASSERT_EQ(list.size(), 1);
    EXPECT_TRUE(list[0].Self);
}

TEST(PeerBus, WhatIsNotAMessageIsDroppedWithoutEffect)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("varnet"));
    TEnd a(folder, QStringLiteral("A"));
    TEnd b(folder, QStringLiteral("B"));
    const QString socket = b.bus.SocketPath();
    std::string jump = peer::Encode(peer::Make(peer::TType::LineJump, {99}));
    std::string wrongVersion = jump;
    wrongVersion[4] = 9;
    std::string oversized = jump.substr(0, 6) + std::string("\x00\x10\x00\x00", 4); // 1 MiB
    std::string truncatedField = jump.substr(0, 9) + std::string("\x04", 1) + "1234";
    for (const std::string& bad : {std::string("hello\n"), wrongVersion, oversized, truncatedField}) {
        EXPECT_TRUE(a.bus.SendRaw(socket, QByteArray(bad.data(), static_cast<qsizetype>(bad.size()))));
    }
    EXPECT_EQ(b.caretLine, 0);
    // Still serving afterwards.
    const TPeerInfo peer = Find(a.bus.ListCopies(), b.bus.Handle());
    EXPECT_TRUE(a.bus.LineJump(peer, 5));
    EXPECT_EQ(Find(a.bus.ListCopies(), b.bus.Handle()).CaretLine, 5);
}

TEST(PeerBus, CloseAllAsksEveryModifiedCopyInTurn)
{
    QTemporaryDir runtime;
    qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    TScriptedDialogs dialogs;
    TQzEMain first, second;
    first.show();
    second.show();
    first.Editor().InsertText("one");
    first.Editor().SetModified(true);
    second.Editor().InsertText("two");
    second.Editor().SetModified(true);
    EXPECT_EQ(first.Documents().WindowList().size(), 2);
    EXPECT_FALSE(first.Documents().CountCopies());
    dialogs.Answer(TDialogAnswer::Cancel); // the second copy keeps its text
    dialogs.Answer(TDialogAnswer::No);     // the first discards its own
    first.Documents().CloseAll();
    ASSERT_EQ(dialogs.Log.size(), 2);
    EXPECT_TRUE(dialogs.Log[0].startsWith(QStringLiteral("ask: ")));
    EXPECT_TRUE(dialogs.Log[1].startsWith(QStringLiteral("ask: ")));
    EXPECT_TRUE(second.isVisible());
    EXPECT_FALSE(first.isVisible());
    EXPECT_EQ(second.Editor().ListRows().GetTextStr(), "two");
}

TEST(PeerBus, ArrangingCopiesGivesEachItsOwnRectangle)
{
    const QRect area(0, 0, 1200, 900);
    const QList<QRect> cascade = CascadeRects(area, 3);
    ASSERT_EQ(cascade.size(), 3);
    EXPECT_EQ(cascade[1].topLeft() - cascade[0].topLeft(), QPoint(30, 30));
    for (const QRect& r : cascade)
        EXPECT_TRUE(area.contains(r)) << r.x() << "," << r.y();
    const QList<QRect> rows = TileRects(area, 3, true);
    EXPECT_EQ(rows[0], QRect(0, 0, 1200, 300));
    EXPECT_EQ(rows[2], QRect(0, 600, 1200, 300));
    const QList<QRect> columns = TileRects(area, 2, false);
    EXPECT_EQ(columns[1], QRect(600, 0, 600, 900));
    const QList<QRect> grid = TileRects(area, 5, false);
    ASSERT_EQ(grid.size(), 5);
    for (int i = 0; i < grid.size(); ++i)
        for (int j = i + 1; j < grid.size(); ++j)
            EXPECT_FALSE(grid[i].intersects(grid[j])) << i << " " << j;
    EXPECT_EQ(TDocuments::WindowListCaption(QString::fromUtf8("/HOME/U/MEMO.TXT－Varnet")), QStringLiteral("MEMO.TXT"));
    EXPECT_EQ(TDocuments::WindowListCaption(TQzEMain::UntitledTitle()), QString::fromUtf8("無題"));
}

} // namespace
