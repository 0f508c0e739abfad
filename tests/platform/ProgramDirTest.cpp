// Where the files beside the program are read and written.
#include "platform/ProgramDir.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/TempDir.h"

namespace fs = std::filesystem;

namespace {

TEST(ProgramDir, FilesLiveBesideTheExecutableUnlessOverridden)
{
    TProgramDir plain("/opt/varnet/bin/varnet", "", "/home/u/.config/varnet");
    EXPECT_EQ(plain.Directory(), "/opt/varnet/bin");
    EXPECT_EQ(plain.SettingsName(), "varnet.Ini");
    EXPECT_EQ(plain.ManualName(), "varnet.TXT");

    TProgramDir renamed("/opt/v/Varnet2.bin", "", "/c");
    EXPECT_EQ(renamed.SettingsName(), "Varnet2.Ini"); // the program's own name, extension replaced

    TProgramDir portable("/opt/varnet/bin/varnet", "/media/stick/varnet", "/c");
    EXPECT_EQ(portable.Directory(), "/media/stick/varnet");
    EXPECT_EQ(portable.SettingsName(), "varnet.Ini");
}

TEST(ProgramDir, AReadOnlyFolderSendsWritesToTheConfigFolderWhichIsThenReadFirst)
{
    TTempDir tmp;
    const std::string prog = tmp / "prog";
    const std::string config = tmp / "config/varnet";
    fs::create_directory(prog);
    WriteWholeFile(prog + "/CodeView.cfg", "shipped");
    WriteWholeFile(prog + "/varnet.Ini", "shipped ini");

    TProgramDir dir(prog + "/varnet", "", config);
    EXPECT_EQ(dir.PathForRead("varnet.Ini"), prog + "/varnet.Ini");
    EXPECT_EQ(dir.PathForWrite("varnet.Ini"), prog + "/varnet.Ini"); // writable: beside the program
    EXPECT_FALSE(fs::exists(config));

    dir.SetWritableCheck([&](const std::string& d) { return d != prog; });
    // Nothing of the user's yet: the shipped file is read, writes go to the config folder,
    // which is made private to the user.
    EXPECT_EQ(dir.PathForRead("varnet.Ini"), prog + "/varnet.Ini");
    const std::string written = dir.PathForWrite("varnet.Ini");
    EXPECT_EQ(written, config + "/varnet.Ini");
    ASSERT_TRUE(fs::is_directory(config));
    EXPECT_EQ(fs::status(config).permissions() & fs::perms::all, fs::perms::owner_all);
    WriteWholeFile(written, "user ini");
    EXPECT_EQ(dir.PathForRead("varnet.Ini"), config + "/varnet.Ini");
    EXPECT_EQ(dir.PathForRead("CodeView.cfg"), prog + "/CodeView.cfg");
}

TEST(ProgramDir, JoinPathAddsOneSeparator)
{
    EXPECT_EQ(JoinPath("/a", "b.ini"), "/a/b.ini");
    EXPECT_EQ(JoinPath("/a/", "b.ini"), "/a/b.ini");
    EXPECT_EQ(JoinPath("/", "b.ini"), "/b.ini");
}

} // namespace
