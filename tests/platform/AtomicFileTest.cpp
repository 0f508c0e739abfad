// Saving through a temporary file: whatever step fails, the old file keeps its contents and no
// temporary file is left; a crash before the rename leaves the old file too.
#include "platform/AtomicFile.h"
#include "platform/FileError.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <stdexcept>

#include "platform/TempDir.h"

namespace fs = std::filesystem;

namespace {

// Fails one chosen step the way the system would.
class TFailingOps : public TFileOps {
public:
    enum TStep { FailNothing, FailWrite, FailSync, FailClose, FailBackup, FailRename, CrashBeforeRename };
    explicit TFailingOps(TStep step) : FStep(step) {}

    void Write(int fd, const char* data, std::size_t size, const std::string& name) override
    {
        if (FStep == FailWrite) {
            // Half the data reaches the disk, then it is full.
            TFileOps::Write(fd, data, size / 2, name);
            throw EFileError("Cannot write file \"" + name + "\": No space left on device", name);
        }
        TFileOps::Write(fd, data, size, name);
    }
    void Sync(int fd, const std::string& name) override
    {
        if (FStep == FailSync)
            throw EFileError("Cannot write file \"" + name + "\": Input/output error", name);
        TFileOps::Sync(fd, name);
    }
    void Close(int fd, const std::string& name) override
    {
        TFileOps::Close(fd, name);
        if (FStep == FailClose)
            throw EFileError("Cannot write file \"" + name + "\": Input/output error", name);
    }
    void Backup(const std::string& existing, const std::string& backup) override
    {
        if (FStep == FailBackup)
            throw EFileError("Cannot make the backup \"" + backup + "\"", backup);
        TFileOps::Backup(existing, backup);
    }
    void Rename(const std::string& from, const std::string& to) override
    {
        tempSeen = from;
        if (FStep == FailRename || FStep == CrashBeforeRename)
            throw EFileError("Cannot replace file \"" + to + "\"", to);
        TFileOps::Rename(from, to);
    }
    void Remove(const std::string& path) noexcept override
    {
        // A process that died leaves its temporary file behind.
        if (FStep != CrashBeforeRename)
            TFileOps::Remove(path);
    }

    std::string tempSeen;

private:
    TStep FStep;
};

TEST(AtomicFile, CreatesAndReplacesKeepingPermissionsAndLeavingNoTemporaryFile)
{
    TTempDir dir;
    const std::string path = dir / "memo.txt";
    WriteFileAtomically(path, "first");
    EXPECT_EQ(ReadWholeFile(path), "first");

    ASSERT_EQ(chmod(path.c_str(), 0640), 0);
    const std::string big(3 << 20, 'x'); // more than one write's worth on some systems
    WriteFileAtomically(path, big);
    EXPECT_EQ(ReadWholeFile(path), big);
    struct stat st {};
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(CountEntries(dir.Path()), 1);

    WriteFileAtomically(path, ""); // an empty text is a valid file
    EXPECT_TRUE(fs::exists(path));
    EXPECT_EQ(fs::file_size(path), 0u);
}

TEST(AtomicFile, BackupHoldsThePreviousContentsAndReplacesAnOlderBackup)
{
    TTempDir dir;
    const std::string path = dir / "memo.txt";
    const std::string bak = dir / "memo.Bak";
    WriteWholeFile(path, "old");
    WriteWholeFile(bak, "older");
    WriteFileAtomically(path, "new", {bak});
    EXPECT_EQ(ReadWholeFile(path), "new");
    EXPECT_EQ(ReadWholeFile(bak), "old");
    // The backup is the old file itself, not a name for the new one.
    WriteFileAtomically(path, "newer", {bak});
    EXPECT_EQ(ReadWholeFile(bak), "new");

    // Without an existing file there is nothing to back up.
    const std::string fresh = dir / "fresh.txt";
    WriteFileAtomically(fresh, "text", {dir / "fresh.Bak"});
    EXPECT_FALSE(fs::exists(dir / "fresh.Bak"));
}

TEST(AtomicFile, AnyFailingStepLeavesTheOriginalAndNoTemporaryFile)
{
    for (auto step : {TFailingOps::FailWrite, TFailingOps::FailSync, TFailingOps::FailClose,
                      TFailingOps::FailBackup, TFailingOps::FailRename}) {
        TTempDir dir;
        const std::string path = dir / "memo.txt";
        WriteWholeFile(path, "precious contents");
        TFailingOps ops(step);
        try {
            WriteFileAtomically(path, std::string(100000, 'n'), {dir / "memo.Bak"}, ops);
            ADD_FAILURE() << "step " << step << " did not fail";
        } catch (const EFileError& e) {
            EXPECT_NE(std::string(e.what()).find(dir.Path()), std::string::npos) << e.what();
        }
        EXPECT_EQ(ReadWholeFile(path), "precious contents") << "step " << step;
        for (const auto& e : fs::directory_iterator(dir.Path()))
            EXPECT_TRUE(e.path().filename() == "memo.txt" || e.path().filename() == "memo.Bak")
                << "left behind: " << e.path() << " at step " << step;
    }
}

TEST(AtomicFile, CrashBetweenTheTemporaryFileAndTheRenameLeavesTheOldFile)
{
    TTempDir dir;
    const std::string path = dir / "memo.txt";
    WriteWholeFile(path, "old text");
    TFailingOps ops(TFailingOps::CrashBeforeRename);
    EXPECT_THROW(WriteFileAtomically(path, "new text", {}, ops), EFileError);
    EXPECT_EQ(ReadWholeFile(path), "old text");
    // The new text was complete in the temporary file beside it, which is all a crash loses.
    ASSERT_FALSE(ops.tempSeen.empty());
    EXPECT_EQ(fs::path(ops.tempSeen).parent_path(), fs::path(dir.Path()));
    EXPECT_EQ(ReadWholeFile(ops.tempSeen), "new text");
}

TEST(AtomicFile, RefusesWhatIsNotARegularFileAndFollowsLinks)
{
    TTempDir dir;
    const std::string sub = dir / "folder";
    fs::create_directory(sub);
    WriteWholeFile(dir / "folder/inside.txt", "kept");
    EXPECT_THROW(WriteFileAtomically(sub, "text"), EFileError);
    EXPECT_EQ(ReadWholeFile(dir / "folder/inside.txt"), "kept");

    EXPECT_THROW(WriteFileAtomically(dir / "missing/file.txt", "text"), EFileError);

    const std::string real = dir / "real.txt";
    const std::string link = dir / "link.txt";
    WriteWholeFile(real, "old");
    fs::create_symlink(real, link);
    WriteFileAtomically(link, "new");
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadWholeFile(real), "new");
}

TEST(AtomicFile, FileNameParts)
{
    EXPECT_EQ(ChangeFileExt("/home/a.b/memo.txt", ".Bak"), "/home/a.b/memo.Bak");
    EXPECT_EQ(ChangeFileExt("/home/a.b/memo", ".Bak"), "/home/a.b/memo.Bak");
    EXPECT_EQ(ExtractFileExt("/home/a.b/memo"), "");
    EXPECT_EQ(ExtractFileExt("/home/a/memo.tar.gz"), ".gz");
    EXPECT_EQ(ExtractFileName("/home/a/memo.txt"), "memo.txt");
    EXPECT_EQ(ExtractFileDir("/home/a/memo.txt"), "/home/a");
    EXPECT_EQ(ExtractFileDir("/memo.txt"), "/");
    EXPECT_EQ(ExtractFileDir("memo.txt"), ".");
}

} // namespace
