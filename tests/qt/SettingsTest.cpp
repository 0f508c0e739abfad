// The settings file: defaults, what confirming the options stores, the one-time clean-up,
// the window position rule and the menu shortcut section.
#include "app/Settings.h"
#include "platform/IniFile.h"
#include "platform/Sjis.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>

namespace {

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteAll(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

class TRecordingTarget : public TSettingsTarget {
public:
    TWindowPlace place{10, 20, 600, 400};
    int undoMax = 64;
    int wrapByte = 80;
    int pageMarksRemoved = 0;
    int applied = 0;
    TSettingsValues last;
    TWindowPlace sizeSet{}, posSet{};
    bool sizeApplied = false, posApplied = false;
    int stateApplied = -1;
    void ApplyWindowState(int s) override { stateApplied = s; }

    TWindowPlace CurrentPlace() const override { return place; }
    std::string EditorFontName() const override { return "ＭＳ ゴシック"_sj.data(); }
    int EditorFontSize() const override { return 10; }
    int CurrentUndoMax() const override { return undoMax; }
    int CurrentWrapByte() const override { return wrapByte; }
    void RemoveManualPageMarks() override { ++pageMarksRemoved; }
    void ApplySettings(const TSettingsValues& v) override
    {
        ++applied;
        last = v;
        undoMax = v.UndoMax;
        wrapByte = v.WrapByte;
    }
    void ApplyWindowSize(int w, int h) override
    {
        sizeApplied = true;
        sizeSet.Width = w;
        sizeSet.Height = h;
    }
    void ApplyWindowPosition(int l, int t) override
    {
        posApplied = true;
        posSet.Left = l;
        posSet.Top = t;
    }
};

class SettingsTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    std::string path = dir.filePath("varnet.Ini").toStdString();
};

TEST_F(SettingsTest, AFreshStartUsesTheDefaultsAndKeepsTheWindowWhereItIs)
{
    TIniFile ini(path);
    TSettings settings(ini);
    TRecordingTarget target;
    settings.LoadAll(target);
    ASSERT_EQ(target.applied, 1);
    const TSettingsValues& v = target.last;
    EXPECT_TRUE(v.ToolBar);
    EXPECT_TRUE(v.Ruler);
    EXPECT_TRUE(v.PageMark);
    EXPECT_EQ(v.ScrollBars, 3);
    EXPECT_TRUE(v.RetEofMark);
    EXPECT_TRUE(v.ShowZenSpace);
    EXPECT_EQ(v.WrapMode, 1);
    EXPECT_TRUE(v.HiperLink);
    EXPECT_FALSE(v.ClipHistory);
    EXPECT_EQ(v.HistoriesBuf, 102400);
    EXPECT_EQ(v.QMark, "》"_sj);
    EXPECT_EQ(v.UndoMax, 64);
    EXPECT_EQ(v.DateFormat, "yyyy/mm/dd");
    EXPECT_EQ(v.TimeFormat, "hh:nn");
    EXPECT_EQ(v.PrintFontName, "ＭＳ ゴシック"_sj);
    EXPECT_EQ(v.PrintTopMargin, 20);
    EXPECT_EQ(v.PrintBottomMargin, 10);
    // The size defaults to the window's own; the position is not touched by Load all.
    EXPECT_EQ(target.sizeSet.Width, 600);
    EXPECT_EQ(target.sizeSet.Height, 400);
    EXPECT_FALSE(target.posApplied);
    EXPECT_FALSE(std::filesystem::exists(path)); // reading writes nothing
}

TEST_F(SettingsTest, StoredValuesAreReadAndBadIntegersFallBackToTheirDefaults)
{
    WriteAll(path, "[Window]\r\nL=5\r\nT=6\r\nW=700\r\nH=oops\r\n"
                   "[Editor]\r\nUndoMax=12x\r\nWrapMode=2\r\nWrapByte=72\r\nAutoIndent=7\r\n"
                   "QMark=> \r\nScrollBars=$2\r\n"
                   "[Controls]\r\nToolBar=0\r\n[Print]\r\nUseEditorFont=0\r\nFontName=IPAGothic\r\n");
    TIniFile ini(path);
    TSettings settings(ini);
    TRecordingTarget target;
    settings.LoadAll(target);
    const TSettingsValues& v = target.last;
    EXPECT_EQ(target.sizeSet.Width, 700);
    EXPECT_EQ(target.sizeSet.Height, 400); // invalid: the window's own height
    EXPECT_EQ(v.UndoMax, 64);
    EXPECT_EQ(v.WrapMode, 2);
    EXPECT_EQ(v.WrapByte, 72);
    EXPECT_TRUE(v.AutoIndent); // any integer other than 0
    EXPECT_EQ(v.QMark, ">");
    EXPECT_EQ(v.ScrollBars, 2);
    EXPECT_FALSE(v.ToolBar);
    EXPECT_EQ(v.PrintFontName, "IPAGothic");
    EXPECT_EQ(v.PrintFontSize, 10); // the editor's size is the default

    // Only a copy that runs alone takes the stored position.
    settings.LoadWindowPosition(target);
    EXPECT_EQ(target.posSet.Left, 5);
    EXPECT_EQ(target.posSet.Top, 6);
}

TEST_F(SettingsTest, ConfirmingWithoutChangesOnAFreshFileLeavesOnlyTheUpdateMark)
{
    TIniFile ini(path);
    TSettings settings(ini);
    TRecordingTarget target;
    settings.LoadAll(target);
    settings.SaveAll(settings.Values(), target);
    EXPECT_EQ(ReadAll(path), "[Update]\r\nV240=1\r\n");
    EXPECT_EQ(target.pageMarksRemoved, 0);
}

TEST_F(SettingsTest, ChangedValuesAreStoredAndValuesBackAtTheirDefaultsDeleted)
{
    TIniFile ini(path);
    TSettings settings(ini);
    TRecordingTarget target;
    settings.LoadAll(target);

    TSettingsValues v = settings.Values();
    v.AutoIndent = true;
    v.ToolBar = false;
    v.ScrollBars = 2;
    v.QMark = ">";
    v.UndoMax = 128;
    v.WrapMode = 2;
    v.WrapByteText = "72";
    v.DateFormat = "yy/mm/dd";
    v.InitialWinState = 2;
    target.stateApplied = -1;
    settings.SaveAll(v, target);
    EXPECT_EQ(target.stateApplied, -1); // the state is for the next start
    {
        TIniFile check(path);
        EXPECT_EQ(check.ReadInteger("Window", "InitialWinState", 0), 2);
        EXPECT_EQ(check.ReadString("Editor", "AutoIndent", ""), "1");
        EXPECT_EQ(check.ReadString("Controls", "ToolBar", ""), "0");
        EXPECT_EQ(check.ReadInteger("Editor", "ScrollBars", 0), 2);
        EXPECT_EQ(check.ReadString("Editor", "QMark", ""), ">");
        EXPECT_EQ(check.ReadInteger("Editor", "UndoMax", 0), 128);
        EXPECT_EQ(check.ReadString("Editor", "WrapByte", ""), "72");
        EXPECT_EQ(check.ReadString("Format", "Date", ""), "yy/mm/dd");
        EXPECT_FALSE(check.ValueExists("Editor", "Ruler"));
    }
    // A new fixed width takes the manual page breaks off first and is applied.
    EXPECT_EQ(target.pageMarksRemoved, 1);
    EXPECT_EQ(target.last.WrapByte, 72);

    // Back to the defaults: the "d" keys go, UndoMax ("w") stays written once changed.
    TSettingsValues back = settings.Values();
    back.AutoIndent = false;
    back.ToolBar = true;
    back.ScrollBars = 3;
    back.QMark = "》"_sj;
    back.UndoMax = 64;
    back.WrapMode = 1;
    back.DateFormat = "yyyy/mm/dd";
    back.InitialWinState = 0;
    settings.SaveAll(back, target);
    TIniFile check(path);
    EXPECT_FALSE(check.ValueExists("Editor", "AutoIndent"));
    EXPECT_FALSE(check.ValueExists("Controls", "ToolBar"));
    EXPECT_FALSE(check.ValueExists("Editor", "QMark"));
    EXPECT_FALSE(check.ValueExists("Format", "Date"));
    EXPECT_FALSE(check.SectionExists("Controls")); // emptied sections go
    EXPECT_FALSE(check.SectionExists("Format"));
    EXPECT_EQ(check.ReadString("Editor", "UndoMax", ""), "64");
    EXPECT_EQ(target.pageMarksRemoved, 1); // no fixed width this time
}

TEST_F(SettingsTest, TheCleanUpOfOldKeysRunsOnce)
{
    WriteAll(path, "[Fonts]\r\nName=x\r\n[Editor]\r\nTabSpace=4\r\nHiperLink=0\r\nLineNo=1\r\n"
                   "AutoIndent=1\r\n[Update]\r\nV230=1\r\n");
    TIniFile ini(path);
    TSettings settings(ini);
    TRecordingTarget target;
    settings.LoadAll(target);
    EXPECT_FALSE(settings.Values().HiperLink); // still read before the clean-up
    settings.SaveAll(settings.Values(), target);
    EXPECT_FALSE(ini.SectionExists("Fonts"));
    EXPECT_FALSE(ini.ValueExists("Editor", "TabSpace"));
    EXPECT_FALSE(ini.ValueExists("Editor", "HiperLink"));
    EXPECT_FALSE(ini.ValueExists("Update", "V230"));
    EXPECT_EQ(ini.ReadString("Editor", "AutoIndent", ""), "1");
    EXPECT_TRUE(ini.ReadBool("Update", "V240", false));

    // Once marked, keys of those names are left alone.
    ini.WriteString("Editor", "TabSpace", "8");
    settings.SaveAll(settings.Values(), target);
    EXPECT_EQ(ini.ReadString("Editor", "TabSpace", ""), "8");
}

TEST_F(SettingsTest, MenuShortcutsDifferingFromTheBuiltInsAreStored)
{
    TIniFile ini(path);
    TSettings settings(ini);
    std::map<std::string, int> current;
    for (const TBuiltInShortcut& b : BuiltInShortcuts())
        current[b.Name] = b.ShortCut;
    auto lookup = [&](std::string_view name) { return current.at(std::string(name)); };

    current["smnFind"] = 0x73; // F4
    settings.SaveMenuShortcuts(lookup);
    EXPECT_EQ(ini.ReadSection("MenuShortcut"), std::vector<std::string>{"smnFind"});
    EXPECT_EQ(ini.ReadString("MenuShortcut", "smnFind", ""), "115");

    current["smnFind"] = ShortCut::Ctrl + 'F'; // the built-in again
    current["smnSave"] = ShortCut::Ctrl + ShortCut::Shift + 'S';
    settings.SaveMenuShortcuts(lookup);
    EXPECT_FALSE(ini.ValueExists("MenuShortcut", "smnFind"));
    EXPECT_EQ(ini.ReadInteger("MenuShortcut", "smnSave", 0), 0x6000 + 'S');
}

TEST_F(SettingsTest, ApplyingShortcutsTakesOnlyCommandItemsAndEraseKeepsTheOnesInEffect)
{
    WriteAll(path, "[MenuShortcut]\r\nsmnFind=115\r\nsmnBS=120\r\nsmnEven=116\r\nsmnNew=bad\r\n");
    TIniFile ini(path);
    TSettings settings(ini);
    std::map<std::string, int> set;
    auto item = [&](const char* name, int tag, const char* caption, int sc) {
        auto* i = new TMenuShortcutItem{name, tag, caption, sc, [&set, name](int v) { set[name] = v; }};
        return std::unique_ptr<TMenuShortcutItem>(i);
    };
    auto find = item("smnFind", 11, "Find", ShortCut::Ctrl + 'F');
    auto bs = item("smnBS", 31, "Back Space", 0);
    auto even = item("smnEven", 20, "Even", 0);
    auto fresh = item("smnNew", 41, "New", 0x4E);
    auto unnamed = item("", 51, "Unnamed", 7);
    std::vector<TMenuShortcutGroup> menus{{"Search", {find.get(), bs.get(), even.get(), fresh.get(), unnamed.get()}}};
    settings.ApplyMenuShortcuts(menus);
    EXPECT_EQ(find->ShortCut, 115);
    EXPECT_EQ(bs->ShortCut, 0);     // "Back Space" is never changed
    EXPECT_EQ(even->ShortCut, 0);   // an even tag is not a command
    EXPECT_EQ(fresh->ShortCut, 0x4E); // unreadable: the current one stays
    EXPECT_EQ(set.count("smnBS"), 0u);
    EXPECT_EQ(set.at("smnFind"), 115);

    settings.EraseMenuShortcuts(menus, 0);
    EXPECT_FALSE(ini.SectionExists("MenuShortcut"));
    EXPECT_EQ(find->ShortCut, 115); // in effect until the next start
    EXPECT_EQ(ReadAll(path), "");
}

TEST_F(SettingsTest, SaveWindowPositionWritesAllFourKeysAtOnce)
{
    TIniFile ini(path);
    TSettings settings(ini);
    settings.SaveWindowPosition({1, 2, 300, 200});
    EXPECT_EQ(ReadAll(path), "[Window]\r\nL=1\r\nT=2\r\nW=300\r\nH=200\r\n");
    EXPECT_EQ(settings.ReadWrapWidthText(), "80");
    ini.WriteString("Editor", "WrapByte", "0072");
    EXPECT_EQ(settings.ReadWrapWidthText(), "0072"); // the text as stored
}

} // namespace
