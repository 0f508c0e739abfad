// The main window's own behaviour: start-up position rule, status panels, speech hook, wrap
// toggle, line jumps, dropped files and the scratch file removed at the end.
#include "app/Documents.h"
#include "app/QzEMain.h"
#include "app/ShortCut.h"
#include "engine/Editor.h"
#include "platform/IniFile.h"
#include "platform/ProgramDir.h"
#include "platform/SpeechLibrary.h"
#include "platform/Sjis.h"
#include "qt/ScriptedDialogs.h"
#include "qt/QtCp932.h"

#include <QCoreApplication>
#include <QAction>
#include <QDropEvent>
#include <QMenu>
#include <QFile>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <fstream>

namespace {

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        qputenv("VARNET_HOME", home.path().toLocal8Bit());
        qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    }
    QString File(const QString& name, const std::string& bytes)
    {
        const QString path = files.filePath(name);
        std::ofstream(QFile::encodeName(path).toStdString(), std::ios::binary) << bytes;
        return path;
    }
    std::string Ini() { return home.filePath(QStringLiteral("qt_tests.Ini")).toStdString(); }

    QTemporaryDir home, runtime, files;
    TScriptedDialogs dialogs;
};

TEST_F(MainWindowTest, OnlyTheFirstCopyTakesTheStoredPositionButEveryOneTheSize)
{
    {
        TIniFile ini(Ini());
        ini.WriteInteger("Window", "L", 123);
        ini.WriteInteger("Window", "T", 77);
        ini.WriteInteger("Window", "W", 640);
        ini.WriteInteger("Window", "H", 420);
    }
    TQzEMain first;
    EXPECT_EQ(first.frameGeometry().topLeft(), QPoint(123, 77));
    EXPECT_EQ(first.size(), QSize(640, 420));
    TQzEMain second;
    EXPECT_NE(second.frameGeometry().topLeft(), QPoint(123, 77));
    EXPECT_EQ(second.size(), QSize(640, 420));
}

TEST_F(MainWindowTest, CaretPanelAndSpeechFollowTheCaretOnlyWithAPageLayout)
{
    TQzEMain window;
    TEditor& e = window.Editor();
    e.Lines().SetTextStr("abc\r\n\r\n" + std::string("漢字かな"_sj));
    e.SetRowCol(0, 1);
    EXPECT_EQ(window.PanelText(0), QString()); // no printer, no page layout: the panel stays empty
    EXPECT_EQ(window.LastSpoken(), "");

    window.SetLinesPerPage(2);
    e.SetRowCol(2, 2);
    EXPECT_EQ(window.PanelText(0), QString::fromUtf8("  2頁 ：  3桁 ：    3行"));
    EXPECT_EQ(window.LastSpoken(), "字かな"_sj); // the row from the caret on
    e.SetRowCol(1, 0);
    EXPECT_EQ(window.LastSpoken(), "空行"_sj);
    e.SetRowCol(0, 3);
    EXPECT_EQ(window.LastSpoken(), "行末"_sj);
    e.SetRowCol(0, 0); // the same row: nothing new is said
    EXPECT_EQ(window.LastSpoken(), "行末"_sj);

    // Logical lines are counted when the left bar counts them.
    e.Leftbar().SetShowNumberMode(nmLine);
    e.WrapOption().SetWordBreak(false);
    e.WrapOption().SetWrapByte(20);
    e.SetWordWrap(true);
    e.Lines().SetTextStr(std::string(50, 'x') + "\r\nnext");
    e.SetRowCol(3, 0);
    EXPECT_EQ(window.PanelText(0), QString::fromUtf8("  2頁 ：  1桁 ：    2行"));
}

TEST_F(MainWindowTest, TheSpeechLibraryIsOptionalAndGetsTheText)
{
    TSpeechLibrary none;
    EXPECT_FALSE(none.Load("libvarnet-no-such-speech.so"));
    none.Say("ignored"); // silently nothing
    TSpeechLibrary noRoutine;
    EXPECT_FALSE(noRoutine.Load("libm.so.6")); // loads, but has no SoundMessage

    TSpeechLibrary speech;
    ASSERT_TRUE(speech.Load(VARNET_TEST_SOUNDP));
    speech.Say("row text");
    void* lib = dlopen(VARNET_TEST_SOUNDP, RTLD_NOW | RTLD_NOLOAD);
    ASSERT_NE(lib, nullptr);
    auto last = reinterpret_cast<const char* (*)()>(dlsym(lib, "LastSoundMessage"));
    auto calls = reinterpret_cast<int (*)()>(dlsym(lib, "SoundMessageCalls"));
    EXPECT_STREQ(last(), "row text");
    EXPECT_EQ(calls(), 1); // called with 0
    dlclose(lib);
}

TEST_F(MainWindowTest, WrapWidthByWindowAndTheWrapToggleStoredPerViewMode)
{
    EXPECT_EQ(TQzEMain::WindowWrapWidth(600, 40, 8, 16), (600 - 40 - 4 - 16) / 8);
    EXPECT_EQ(TQzEMain::WindowWrapWidth(600, 40, 0, 16), 0); // width unknown: no change
    EXPECT_EQ(TQzEMain::WindowWrapWidth(10, 40, 8, 16), 1);

    {
        TIniFile ini(Ini());
        ini.WriteString("Editor", "WrapMode", "2"); // a fixed width, not the window's
    }
    TQzEMain window;
    window.show();
    TEditor& e = window.Editor();
    e.WrapOption().SetWordBreak(false);
    e.WrapOption().SetWrapByte(20);
    e.Lines().SetTextStr("first\r\n" + std::string(45, 'y') + "\r\nthird");
    e.SetRowCol(2, 1); // the third line
    window.ToggleWordWrap();
    ASSERT_TRUE(e.WordWrap());
    EXPECT_EQ(e.Row(), 4); // its first row, after the three rows of the second
    const std::string attrPath = home.filePath(QStringLiteral("CodeAttr.ini")).toStdString();
    EXPECT_EQ(TIniFile(attrPath).ReadString("通常のテキスト"_sj, "Wordwrap", ""), "1");
    e.SetRowCol(3, 0); // the last row of the second line
    window.ToggleWordWrap();
    EXPECT_FALSE(e.WordWrap());
    EXPECT_EQ(e.Row(), 1);
    EXPECT_EQ(TIniFile(attrPath).ReadString("通常のテキスト"_sj, "Wordwrap", ""), "0");
}

TEST_F(MainWindowTest, LineJumpPutsTheLineInTheMiddle)
{
    TQzEMain window;
    TEditor& e = window.Editor();
    std::string text;
    for (int i = 0; i < 300; ++i)
        text += "row\r\n";
    e.Lines().SetTextStr(text);
    window.JumpToLine(119);
    EXPECT_EQ(e.Row(), 119);
    EXPECT_EQ(e.TopRow(), std::max(119 - e.VisibleRows() / 2, 0));
    window.JumpToLine(100000); // past the end: the last line
    EXPECT_EQ(e.Row(), e.Lines().LineToRow(e.Lines().Count() - 1));
    EXPECT_GE(e.Row(), 299);
}

TEST_F(MainWindowTest, DroppedFilesOpenInOrderTheFirstHere)
{
    TQzEMain window;
    QStringList started;
    window.Documents().StartProcess = [&](const QString&, const QStringList& args) {
        started << args;
        return true;
    };
    const QString a = File(QStringLiteral("a.txt"), "A");
    const QString b = File(QStringLiteral("b.txt"), "B");
    const QString c = File(QStringLiteral("c.txt"), "C");
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(a), QUrl::fromLocalFile(b), QUrl::fromLocalFile(c)});
    EXPECT_TRUE(window.acceptDrops());
    window.OpenDroppedFiles(mime.urls());
    EXPECT_EQ(window.FileName(), a);
    EXPECT_EQ(window.Editor().ListRows().GetTextStr(), "A");
    EXPECT_EQ(started, (QStringList{b, c}));
}

TEST_F(MainWindowTest, TheEncryptionScratchFileGoesWithTheCopy)
{
    const QString scratch = home.filePath(QString::fromUtf8("無題暗号"));
    File(QStringLiteral("unused"), "");
    std::ofstream(QFile::encodeName(scratch).toStdString()) << "cipher text";
    {
        TQzEMain window;
        EXPECT_TRUE(QFile::exists(scratch));
    }
    EXPECT_FALSE(QFile::exists(scratch));
}

} // namespace

namespace {

TEST_F(MainWindowTest, TheSplitViewEditsTheSameTextAndItsChangesAreNotLostOnClose)
{
    TQzEMain window;
    window.show();
    TEditor& e = window.Editor();
    e.Lines().SetTextStr("shared\r\ntext");
    e.SetTopRow(1);
    window.SetSplit(true);
    ASSERT_NE(window.SubEditor(), nullptr);
    TEditor& sub = *window.SubEditor();
    EXPECT_EQ(sub.ListRows().GetTextStr(), "shared\r\ntext");
    sub.SetRowCol(1, 4);
    sub.InsertText("!");
    EXPECT_EQ(e.ListRows().GetTextStr(), "shared\r\ntext!");
    // Changed in the second view only: the document still counts as modified.
    sub.SetModified(true);
    EXPECT_TRUE(window.Modified());
    dialogs.Answer(TDialogAnswer::Cancel);
    EXPECT_FALSE(window.close());
    EXPECT_EQ(dialogs.Log.size(), 1);

    // Opening a file turns the split off.
    const QString path = File(QStringLiteral("s.txt"), "file");
    window.SetModified(false);
    e.Lines().Clear();
    window.Documents().OpenByName(path);
    EXPECT_FALSE(window.Split());
    EXPECT_EQ(&window.ActiveEditor(), &e);
}

} // namespace

namespace {

TEST_F(MainWindowTest, StoredMenuShortcutsApplyAtStartWhenKeyCustomIsOn)
{
    EXPECT_EQ(ShortCutToKeySequence(ShortCut::Ctrl + 'S'), QKeySequence(Qt::CTRL | Qt::Key_S));
    EXPECT_EQ(ShortCutToKeySequence(ShortCut::Shift + 0x72), QKeySequence(Qt::SHIFT | Qt::Key_F3));
    EXPECT_EQ(ShortCutToKeySequence(0), QKeySequence());
    for (int v : {ShortCut::Ctrl + 'F', 0x73, ShortCut::Alt + ShortCut::Shift + 0x2E, 0x79})
        EXPECT_EQ(KeySequenceToShortCut(ShortCutToKeySequence(v)), v) << v;

    {
        TIniFile ini(Ini());
        ini.WriteString("MenuShortcut", "smnOpen", "115");   // F4
        ini.WriteString("MenuShortcut", "smnCloseAll", "116"); // even tag: not a command
    }
    auto shortcutOf = [](TQzEMain& w, const char* name) {
        const QAction* a = w.FileMenu()->findChild<QAction*>(QString::fromLatin1(name));
        EXPECT_NE(a, nullptr) << name;
        return a != nullptr ? a->shortcut() : QKeySequence();
    };
    {
        TQzEMain off;
        EXPECT_EQ(shortcutOf(off, "smnOpen"), QKeySequence());
    }
    {
        TIniFile ini(Ini());
        ini.WriteString("Editor", "KeyCustom", "1");
    }
    TQzEMain on;
    EXPECT_EQ(shortcutOf(on, "smnOpen"), QKeySequence(Qt::Key_F4));
    EXPECT_EQ(shortcutOf(on, "smnSave"), QKeySequence(Qt::CTRL | Qt::Key_S)); // not stored: built-in
    EXPECT_EQ(shortcutOf(on, "smnCloseAll"), QKeySequence());
}

} // namespace
