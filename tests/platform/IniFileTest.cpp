// INI files as the Windows routines read and write them, with CP932 bytes kept as they are.
#include "platform/IniFile.h"
#include "platform/AtomicFile.h"
#include "platform/FileError.h"
#include "platform/Sjis.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/TempDir.h"

namespace {

using Strings = std::vector<std::string>;

// Written by the Windows program: CR LF, a byte-order mark another editor added, lines before
// the first section, comments, blanks around names and values, a duplicate key, quotes and a
// last line without a line break.
const std::string kWindowsFile = "\xEF\xBB\xBF"
                                 "stray=ignored\r\n"
                                 "; settings\r\n"
                                 "[Window]\r\n"
                                 "L=120\r\n"
                                 "  T = 45  \r\n"
                                 "W=600\r\n"
                                 "w=999\r\n"
                                 "\r\n"
                                 " [ Editor ] \r\n"
                                 "; comment=not a key\r\n"
                                 "QMark=\x81\x84\r\n"
                                 "Quoted=\"  padded  \"\r\n"
                                 "Empty=\r\n"
                                 "NoEquals\r\n"
                                 "UndoMax=128";

TEST(IniFile, ReadsAFileWrittenOnWindows)
{
    TTempDir dir;
    WriteWholeFile(dir / "v.Ini", kWindowsFile);
    TIniFile ini(dir / "v.Ini");
    EXPECT_EQ(ini.ReadInteger("window", "l", 0), 120);
    EXPECT_EQ(ini.ReadInteger("WINDOW", "T", 0), 45);
    EXPECT_EQ(ini.ReadInteger("Window", "W", 0), 600); // the first of duplicates wins
    EXPECT_EQ(ini.ReadString("Editor", "QMark", "?"), "\x81\x84");
    EXPECT_EQ(ini.ReadString("Editor", "Quoted", "?"), "  padded  ");
    EXPECT_EQ(ini.ReadString("Editor", "Empty", "default"), ""); // present, so not the default
    EXPECT_EQ(ini.ReadInteger("Editor", "UndoMax", 64), 128);    // last line without a break
    EXPECT_EQ(ini.ReadString("Editor", "; comment", "none"), "none");
    EXPECT_EQ(ini.ReadString("", "stray", "none"), "none");
    EXPECT_EQ(ini.ReadString("Window", "Missing", "dflt"), "dflt");
    EXPECT_FALSE(ini.ValueExists("Window", "H"));
    EXPECT_TRUE(ini.SectionExists(" editor"));
    EXPECT_EQ(ini.ReadSections(), (Strings{"Window", "Editor"}));
    EXPECT_EQ(ini.ReadSection("WINDOW"), (Strings{"L", "T", "W"}));
    EXPECT_EQ(ini.ReadSection("Editor"), (Strings{"QMark", "Quoted", "Empty", "UndoMax"}));
    EXPECT_TRUE(ini.ReadSection("Nowhere").empty());
}

TEST(IniFile, LoneCarriageReturnsAndLineFeedsEndLinesToo)
{
    TTempDir dir;
    WriteWholeFile(dir / "cr.ini", "[A]\rx=1\ry=2\r");
    WriteWholeFile(dir / "lf.ini", "[A]\nx=1\n\n[B]\ny=2");
    TIniFile cr(dir / "cr.ini");
    TIniFile lf(dir / "lf.ini");
    EXPECT_EQ(cr.ReadInteger("A", "y", 0), 2);
    EXPECT_EQ(lf.ReadInteger("B", "y", 0), 2);
    // Written lines follow the file's own line end.
    lf.WriteString("A", "z", "3");
    lf.Flush();
    EXPECT_EQ(ReadWholeFile(dir / "lf.ini"), "[A]\nx=1\nz=3\n\n[B]\ny=2\n");
}

TEST(IniFile, IntegersFollowThePlatformRuleAndFallBackToTheDefault)
{
    struct TCase {
        const char* text;
        bool valid;
        int value;
    };
    const TCase cases[] = {
        {"42", true, 42},          {"-7", true, -7},     {"+3", true, 3},
        {"$1F", true, 31},         {"0x10", true, 16},   {"0XfF", true, 255},
        {"2147483647", true, 2147483647},                {"-2147483648", true, -2147483647 - 1},
        {"2147483648", false, 0},  {"99999999999", false, 0},
        {"$FFFFFFFF", true, -1},   {"", false, 0},       {"-", false, 0},
        {"12a", false, 0},         {"1.5", false, 0},    {"0x", false, 0},
        {"1 2", false, 0},         {"\x82\x50", false, 0}, // full-width 1
    };
    for (const TCase& c : cases) {
        int v = 0;
        EXPECT_EQ(TIniFile::ParseInteger(c.text, v), c.valid) << c.text;
        if (c.valid) {
            EXPECT_EQ(v, c.value) << c.text;
        }
    }
    TTempDir dir;
    WriteWholeFile(dir / "i.ini", "[S]\nbad=12a\nflag=2\noff=0\nworse=abc\n");
    TIniFile ini(dir / "i.ini");
    EXPECT_EQ(ini.ReadInteger("S", "bad", 80), 80);
    EXPECT_TRUE(ini.ReadBool("S", "flag", false)); // any integer other than 0
    EXPECT_FALSE(ini.ReadBool("S", "off", true));
    EXPECT_TRUE(ini.ReadBool("S", "worse", true));
    EXPECT_FALSE(ini.ReadBool("S", "worse", false));
}

TEST(IniFile, Cp932NamesAndValuesRoundTripWithoutFoldingTrailBytes)
{
    TTempDir dir;
    const std::string path = dir / "j.ini";
    // "ア" is 83 41 and "ヂ" 83 61: their trail bytes are the letters A and a, which a
    // byte-wise case fold would take for one another.
    const std::string a("ア"_sj), di("ヂ"_sj);
    const std::string section("通常のテキスト"_sj);
    const std::string value = std::string("表示　》\\"_sj) + "\x81\x40"; // ends in a full-width blank
    {
        TIniFile ini(path);
        ini.WriteString(section, a, value);
        ini.WriteString(section, di, "second");
        ini.Flush();
    }
    TIniFile again(path);
    EXPECT_EQ(again.ReadString(section, a, ""), value);
    EXPECT_EQ(again.ReadString(section, di, ""), "second");
    EXPECT_EQ(again.ReadSection(section), (Strings{a, di}));
    EXPECT_EQ(ReadWholeFile(path), "[" + section + "]\r\n" + a + "=" + value + "\r\n" + di +
                                       "=second\r\n");
}

TEST(IniFile, ValuesWithOuterBlanksOrQuotesReadBackAsWritten)
{
    TTempDir dir;
    const std::string path = dir / "q.ini";
    // Comma text of quoted items, a font name in quotes, blanks a value starts or ends with.
    const Strings values = {"\"FIX ME\"", "\"a b\",\"c\"", "'x'", " lead", "trail\t", "\"", "\"half", "half'",
                            "\"'", "plain"};
    {
        TIniFile ini(path);
        for (std::size_t i = 0; i < values.size(); ++i)
            ini.WriteString("S", "k" + std::to_string(i), values[i]);
        for (std::size_t i = 0; i < values.size(); ++i)
            EXPECT_EQ(ini.ReadString("S", "k" + std::to_string(i), "?"), values[i]) << "before the flush";
        ini.Flush();
    }
    TIniFile again(path);
    for (std::size_t i = 0; i < values.size(); ++i)
        EXPECT_EQ(again.ReadString("S", "k" + std::to_string(i), "?"), values[i]);
    const std::string text = ReadWholeFile(path);
    EXPECT_NE(text.find("k0=\"\"FIX ME\"\"\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("k6=\"half\r\n"), std::string::npos) << "only what reading would change is quoted";
    EXPECT_NE(text.find("k9=plain\r\n"), std::string::npos) << text;
}

TEST(IniFile, WritesKeepTheOtherLinesCommentsAndOrder)
{
    TTempDir dir;
    const std::string path = dir / "v.Ini";
    WriteWholeFile(path, kWindowsFile);
    TIniFile ini(path);
    ini.WriteInteger("window", "t", 50);       // replaced in place
    ini.WriteString("Window", "H", "400");     // before the blank line that ends the section
    ini.WriteBool("Update", "V240", true);     // a new section at the end
    ini.DeleteKey("Window", "W");              // both duplicates go
    ini.WriteString("Editor", "Path", "a\r\nb"); // cut at the line break
    ini.WriteString("Editor", "Padded", " x ");   // quoted to keep its blanks
    ini.WriteString("Editor", "Quote", "'q'");    // quoted to keep its quotes
    ini.Flush();
    EXPECT_EQ(ReadWholeFile(path), "\xEF\xBB\xBF"
                                   "stray=ignored\r\n"
                                   "; settings\r\n"
                                   "[Window]\r\n"
                                   "L=120\r\n"
                                   "t=50\r\n"
                                   "H=400\r\n"
                                   "\r\n"
                                   " [ Editor ] \r\n"
                                   "; comment=not a key\r\n"
                                   "QMark=\x81\x84\r\n"
                                   "Quoted=\"  padded  \"\r\n"
                                   "Empty=\r\n"
                                   "NoEquals\r\n"
                                   "UndoMax=128\r\n"
                                   "Path=a\r\n"
                                   "Padded=\" x \"\r\n"
                                   "Quote=\"'q'\"\r\n"
                                   "\r\n"
                                   "[Update]\r\n"
                                   "V240=1\r\n");
    EXPECT_EQ(ini.ReadString("Editor", "Padded", ""), " x ");
    EXPECT_EQ(ini.ReadString("Editor", "Quote", ""), "'q'");
    {
        TIniFile reread(path);
        EXPECT_EQ(reread.ReadString("Editor", "Padded", ""), " x ");
        EXPECT_EQ(reread.ReadString("Editor", "Quote", ""), "'q'");
    }
    ini.EraseSection("EDITOR");
    ini.Flush();
    TIniFile again(path);
    EXPECT_EQ(again.ReadSections(), (Strings{"Window", "Update"}));
    EXPECT_FALSE(again.ValueExists("Editor", "QMark"));
    EXPECT_EQ(again.ReadInteger("Window", "W", -1), -1);
}

TEST(IniFile, ChangesReachTheFileOnFlushAndSurviveAnotherCopysWrite)
{
    TTempDir dir;
    const std::string path = dir / "shared.ini";
    WriteWholeFile(path, "[File]\r\nHistory0=/a.txt\r\n");
    TIniFile mine(path);
    mine.WriteString("Editor", "QMark", ">");
    EXPECT_EQ(ReadWholeFile(path), "[File]\r\nHistory0=/a.txt\r\n"); // cached until the flush
    EXPECT_TRUE(mine.Dirty());

    {
        // Another copy rewrites the history meanwhile.
        TIniFile other(path);
        other.WriteString("File", "History0", "/b.txt");
        other.WriteString("File", "History1", "/a.txt");
        other.Flush();
    }
    EXPECT_EQ(mine.ReadString("File", "History0", ""), "/b.txt");
    EXPECT_EQ(mine.ReadString("Editor", "QMark", ""), ">");
    mine.Flush();
    EXPECT_FALSE(mine.Dirty());
    TIniFile after(path);
    EXPECT_EQ(after.ReadString("File", "History1", ""), "/a.txt");
    EXPECT_EQ(after.ReadString("Editor", "QMark", ""), ">");
}

// The rename never happens, as if the program died just before it.
class TDiesBeforeRename : public TFileOps {
public:
    void Rename(const std::string&, const std::string& to) override
    {
        throw EFileError("died", to);
    }
    void Remove(const std::string&) noexcept override {}
};

TEST(IniFile, ACrashBeforeTheRenameLeavesTheOldFileWhole)
{
    TTempDir dir;
    const std::string path = dir / "v.Ini";
    WriteWholeFile(path, kWindowsFile);
    TDiesBeforeRename dies;
    {
        TIniFile ini(path);
        ini.SetFileOps(&dies);
        ini.EraseSection("Window");
        ini.WriteString("Editor", "QMark", "x");
        EXPECT_THROW(ini.Flush(), EFileError);
        EXPECT_TRUE(ini.Dirty()); // nothing was lost in memory either
        ini.SetFileOps(nullptr);
        ini.Refresh();
        ini.Flush(); // the pending changes still apply once the file can be written
    }
    TIniFile again(path);
    EXPECT_FALSE(again.SectionExists("Window"));
    EXPECT_EQ(again.ReadString("Editor", "QMark", ""), "x");
}

TEST(IniFile, AMissingFileGivesDefaultsAndIsCreatedOnlyWhenWritten)
{
    TTempDir dir;
    const std::string path = dir / "none.ini";
    {
        TIniFile ini(path);
        EXPECT_EQ(ini.ReadString("A", "b", "def"), "def");
        EXPECT_TRUE(ini.ReadSections().empty());
        ini.DeleteKey("A", "b");
        ini.Flush();
    }
    EXPECT_FALSE(std::filesystem::exists(path)); // a deletion alone creates no file
    {
        TIniFile ini(path);
        ini.WriteInteger("A", "b", 5);
    } // flushed on destruction
    TIniFile again(path);
    EXPECT_EQ(again.ReadInteger("A", "b", 0), 5);
}

} // namespace
