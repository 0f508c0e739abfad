// Documents through the main window, with every question answered by script: reading,
// saving (atomically, with backups and trailing-blank removal), the save prompt, the history.
#include "app/Documents.h"
#include "app/FileHistory.h"
#include "app/QzEMain.h"
#include "engine/Editor.h"
#include "platform/AtomicFile.h"
#include "platform/FileError.h"
#include "platform/IniFile.h"
#include "platform/Sjis.h"
#include "qt/ScriptedDialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

std::string ReadAll(const QString& path)
{
    std::ifstream in(QFile::encodeName(path).toStdString(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteAll(const QString& path, const std::string& bytes)
{
    std::ofstream(QFile::encodeName(path).toStdString(), std::ios::binary) << bytes;
}

class DocumentsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // A settings file of this test's own.
        qputenv("VARNET_HOME", home.path().toLocal8Bit());
        window = std::make_unique<TQzEMain>();
        window->Documents().StartProcess = [this](const QString&, const QStringList& args) {
            started << args;
            return true;
        };
    }
    void TearDown() override
    {
        EXPECT_EQ(dialogs.Unexpected, 0) << dialogs.Log.join(QLatin1Char('\n')).toStdString();
    }
    QString File(const QString& name, const std::string& bytes)
    {
        const QString path = files.filePath(name);
        WriteAll(path, bytes);
        return path;
    }
    TEditor& Editor() { return window->Editor(); }
    TDocuments& Docs() { return window->Documents(); }
    std::string Text() { return Editor().ListRows().GetTextStr(); }
    void Type(const std::string& s)
    {
        Editor().InsertText(s);
        Editor().SetModified(true);
    }

    QTemporaryDir home;
    QTemporaryDir files;
    TScriptedDialogs dialogs;
    std::unique_ptr<TQzEMain> window;
    QList<QStringList> started;
};

TEST_F(DocumentsTest, OpeningReadsBytesAsTheyAreWithNulAsBlankAndNamesTheWindow)
{
    const std::string bytes = std::string("a\0b\r\n", 5) + std::string("漢字\0"_sj) + "\r\nend";
    const QString path = File(QStringLiteral("memo.txt"), bytes);
    Docs().OpenByName(path);
    EXPECT_EQ(Text(), std::string("a b\r\n") + std::string("漢字 "_sj) + "\r\nend");
    EXPECT_EQ(window->FileName(), path);
    EXPECT_EQ(window->windowTitle(), path.toUpper() + QString::fromUtf8("－Varnet"));
    EXPECT_EQ(window->ApplicationTitle(), QStringLiteral("memo.txt-Varnet"));
    EXPECT_FALSE(Editor().Modified());
    EXPECT_EQ(window->PanelText(2), QString::fromUtf8("変更：なし"));
    window->History().Load();
    ASSERT_EQ(window->History().Items().size(), 1u);
    EXPECT_EQ(window->History().Items()[0], QFile::encodeName(path).toStdString());
    EXPECT_TRUE(started.isEmpty());

    // The same file again: this copy shows it already; nothing starts or closes.
    window->show();
    Docs().OpenByName(path);
    QCoreApplication::processEvents();
    EXPECT_TRUE(started.isEmpty());
    EXPECT_TRUE(window->isVisible());

    // A second file, with the text not empty, goes to a new copy.
    const QString other = File(QStringLiteral("other.txt"), "x");
    Docs().OpenByName(other);
    ASSERT_EQ(started.size(), 1);
    EXPECT_EQ(started[0], QStringList{other});
    EXPECT_EQ(window->FileName(), path);
}

TEST_F(DocumentsTest, WhatIsNotARegularFileIsRefusedAndTheDocumentStays)
{
    const QString path = File(QStringLiteral("keep.txt"), "kept text");
    Docs().OpenByName(path);
    Editor().Lines().Clear(); // empty again, so the next open would happen here
    Editor().InsertText("typed");
    Editor().SetModified(true);
    const std::string before = Text();
    // An empty window is needed for an open to happen here, so use a fresh one.
    auto fresh = std::make_unique<TQzEMain>();
    const QString fifo = files.filePath(QStringLiteral("pipe"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString dir = files.filePath(QStringLiteral("folder.txt"));
    ASSERT_TRUE(QDir().mkdir(dir));
    for (const QString& bad : {fifo, dir, files.filePath(QStringLiteral("missing.txt"))}) {
        try {
            fresh->Documents().OpenByName(bad);
            ADD_FAILURE() << bad.toStdString() << " was opened";
        } catch (const EFileError& e) {
            EXPECT_NE(std::string(e.what()).find(QFile::encodeName(bad).toStdString()), std::string::npos);
        }
        EXPECT_TRUE(fresh->FileName().isEmpty());
        EXPECT_EQ(fresh->windowTitle(), TQzEMain::UntitledTitle());
    }
    EXPECT_EQ(Text(), before);
}

// The width an empty window wraps at leaves room for one-digit line numbers; a long file's
// numbers take more. The opened text must be wrapped at the width it leaves.
TEST_F(DocumentsTest, AnOpenedFileIsWrappedAtTheWidthItsLineNumbersLeave)
{
    window->resize(700, 500);
    window->show();
    QCoreApplication::processEvents();
    ASSERT_TRUE(window->WrapsByWindow());
    std::string bytes;
    for (int i = 0; i < 12000; ++i) {
        const int len = (i * 37) % 140;
        for (int k = 0; k < len; ++k)
            bytes += (k % 9 == 4) ? std::string("漢"_sj) : std::string(1, static_cast<char>('a' + k % 26));
        bytes += "\r\n";
    }
    const QString path = File(QStringLiteral("long.txt"), bytes);
    const int emptyWidth = Editor().WrapOption().WrapByte();
    Docs().OpenByName(path);
    ASSERT_TRUE(Editor().WordWrap());
    const int width = Editor().WrapOption().WrapByte();
    EXPECT_LT(width, emptyWidth); // five-digit numbers take room from the text
    window->EditorResize();
    EXPECT_EQ(Editor().WrapOption().WrapByte(), width) << "the width was not fitted to the text";

    TEditor check;
    check.WrapOption().Assign(Editor().WrapOption());
    check.Caret().SetTabSpaceCount(Editor().Caret().TabSpaceCount());
    check.Lines().SetTextStr(Text());
    check.SetWordWrap(true);
    ASSERT_EQ(check.RowCount(), Editor().RowCount());
    for (int r = 0; r < check.RowCount(); ++r) {
        ASSERT_EQ(check.RowText(r), Editor().RowText(r)) << "row " << r;
        ASSERT_EQ(check.RowEnd(r), Editor().RowEnd(r)) << "row " << r;
    }
    EXPECT_EQ(Text(), bytes);
}

TEST_F(DocumentsTest, AFailedOpenLeavesTheKindAsItWas)
{
    const std::string before = window->ViewMode();
    ASSERT_FALSE(before.empty());
    EXPECT_THROW(Docs().OpenByName(files.filePath(QStringLiteral("missing.html"))), EFileError);
    EXPECT_EQ(window->ViewMode(), before);
    const QString page = File(QStringLiteral("page.html"), "<p>x</p>");
    Docs().OpenByName(page);
    EXPECT_NE(window->ViewMode(), before); // the name does pick the kind when the file opens
}

TEST_F(DocumentsTest, SaveAsAppendsTxtOffersTheFilterOfTheNameAndRecordsTheFile)
{
    const QString html = File(QStringLiteral("page.html"), "<p>");
    Docs().OpenByName(html);
    Type("x");
    const QString chosen = files.filePath(QStringLiteral("notes"));
    dialogs.AnswerFiles({chosen});
    EXPECT_TRUE(Docs().SaveAs());
    EXPECT_EQ(dialogs.LastRequest.FilterIndex, 3);
    ASSERT_EQ(dialogs.LastRequest.Filters.size(), 8);
    EXPECT_EQ(dialogs.LastRequest.Filters[0], QString::fromUtf8("ﾕｰｻﾞｰ指定 (*.txt *.htm *.html)"));
    EXPECT_EQ(dialogs.LastRequest.Filters[7], QString::fromUtf8("すべてのファイル (*)"));
    EXPECT_EQ(window->FileName(), chosen + QStringLiteral(".txt"));
    EXPECT_EQ(ReadAll(chosen + QStringLiteral(".txt")), "x<p>");
    EXPECT_FALSE(QFile::exists(chosen));
    EXPECT_FALSE(Editor().Modified());
    EXPECT_EQ(window->windowTitle(), (chosen + QStringLiteral(".txt")).toUpper() + QString::fromUtf8("－Varnet"));
    window->History().Load();
    EXPECT_EQ(window->History().Items().front(), QFile::encodeName(chosen + QStringLiteral(".txt")).toStdString());

    dialogs.AnswerFiles({}); // cancelled
    EXPECT_FALSE(Docs().SaveAs());
}

TEST_F(DocumentsTest, SavingOverTheSameFileWithBakFileKeepsThePreviousContents)
{
    window->SettingsFile().WriteString("FileOption", "BakFile", "1");
    const QString path = File(QStringLiteral("memo.txt"), "first\r\n");
    Docs().OpenByName(path);
    Type("second ");
    EXPECT_TRUE(Docs().Save());
    EXPECT_EQ(ReadAll(path), "second first\r\n");
    EXPECT_EQ(ReadAll(files.filePath(QStringLiteral("memo.Bak"))), "first\r\n");
    EXPECT_EQ(window->PanelText(2), QString::fromUtf8("変更：なし"));

    // Save as onto the same name backs up too; onto another name it does not.
    Type("third ");
    dialogs.AnswerFiles({path});
    EXPECT_TRUE(Docs().SaveAs());
    EXPECT_EQ(ReadAll(files.filePath(QStringLiteral("memo.Bak"))), "second first\r\n");
    dialogs.AnswerFiles({files.filePath(QStringLiteral("copy.txt"))});
    EXPECT_TRUE(Docs().SaveAs());
    EXPECT_FALSE(QFile::exists(files.filePath(QStringLiteral("copy.Bak"))));
}

TEST_F(DocumentsTest, TrimRightStrDropsOnlyTrailingBlanksOfEachLogicalLine)
{
    const QString path = File(QStringLiteral("trim.txt"), "");
    Docs().OpenByName(path);
    window->SetTrimRightStr(true);
    Editor().WrapOption().SetWrapByte(20);
    Editor().SetWordWrap(true);
    // The first line wraps onto a second row and ends in a blank and a tab; the second ends
    // in a full-width blank; the last ends in blanks without a line break.
    const std::string text = "one  two   three     four five \t\r\n" + std::string("全角　"_sj) +
                             "\r\n\t\r\nlast  ";
    Editor().Lines().SetTextStr(text);
    ASSERT_GT(Editor().RowCount(), 4); // the first line really spans rows
    EXPECT_TRUE(Docs().Save());
    EXPECT_EQ(ReadAll(path), "one  two   three     four five\r\n" + std::string("全角　"_sj) + "\r\n\r\nlast");

    window->SetTrimRightStr(false);
    EXPECT_TRUE(Docs().Save());
    EXPECT_EQ(ReadAll(path), text);
}

TEST_F(DocumentsTest, TheSavePromptKeepsTheTextWhenItsSaveDoesNotHappen)
{
    Type("unsaved work");
    window->show();
    // Yes, then the name request is cancelled: the close must not go ahead.
    dialogs.Answer(TDialogAnswer::Yes);
    dialogs.AnswerFiles({});
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
    ASSERT_EQ(dialogs.Log.size(), 2);
    EXPECT_EQ(dialogs.Log[0], QStringLiteral("ask: ") + TQzEMain::UntitledTitle() + QString::fromUtf8("\rデータは変更されています。\r保存しますか？"));

    // The same for Clear.
    dialogs.Answer(TDialogAnswer::Yes);
    dialogs.AnswerFiles({});
    Docs().Clear();
    EXPECT_EQ(Text(), "unsaved work");
    EXPECT_TRUE(Editor().Modified());

    // Cancel keeps it too; No discards it.
    dialogs.Answer(TDialogAnswer::Cancel);
    Docs().Clear();
    EXPECT_EQ(Text(), "unsaved work");
    dialogs.Answer(TDialogAnswer::No);
    Docs().Clear();
    EXPECT_EQ(Text(), "");
    EXPECT_FALSE(Editor().Modified());

    // A modified but empty text closes without a question.
    Editor().SetModified(true);
    EXPECT_TRUE(window->close());
}

// The disk fills up half way through writing the new text.
class TDiskFullOps : public TFileOps {
public:
    void Write(int fd, const char* data, std::size_t size, const std::string& name) override
    {
        TFileOps::Write(fd, data, size / 2, name);
        throw EFileError("Cannot write file \"" + name + "\": No space left on device", name);
    }
};

TEST_F(DocumentsTest, AFailedSaveLeavesTheFileAndTheModifiedText)
{
    window->SettingsFile().WriteString("FileOption", "BakFile", "1");
    const QString path = File(QStringLiteral("memo.txt"), "original\r\n");
    Docs().OpenByName(path);
    Type(std::string(100000, 'n'));
    TDiskFullOps full;
    Docs().FileOps = &full;
    EXPECT_THROW(Docs().Save(), EFileError);
    EXPECT_EQ(ReadAll(path), "original\r\n");
    EXPECT_TRUE(Editor().Modified());
    EXPECT_EQ(QDir(files.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("memo.txt")});

    // Through the close prompt: the error is shown and the window stays.
    window->show();
    dialogs.Answer(TDialogAnswer::Yes);
    EXPECT_FALSE(window->close());
    ASSERT_EQ(dialogs.Log.size(), 2);
    EXPECT_TRUE(dialogs.Log[1].startsWith(QStringLiteral("error: Cannot write file")));
    EXPECT_TRUE(dialogs.Log[1].contains(path));

    // Commands report the failure and the window keeps running.
    window->RunCommand([&] { Docs().Save(); });
    EXPECT_TRUE(dialogs.Log.last().startsWith(QStringLiteral("error: ")));
    Docs().FileOps = nullptr;
    EXPECT_TRUE(Docs().Save());
    EXPECT_EQ(ReadAll(path).size(), 100000u + 10u);
    EXPECT_TRUE(window->close());
}

TEST_F(DocumentsTest, TheHistoryKeepsTenDistinctFilesAndMovesOnlyWhatIsChosenFromIt)
{
    QStringList paths;
    for (int i = 0; i < 11; ++i) {
        paths << File(QStringLiteral("f%1.txt").arg(i), "x");
        Docs().OpenByName(paths.last());
        Docs().Clear();
    }
    TFileHistory& h = window->History();
    auto native = [](const QString& p) { return QFile::encodeName(p).toStdString(); };
    h.Load();
    ASSERT_EQ(h.Items().size(), 10u);
    EXPECT_EQ(h.Items().front(), native(paths[10]));
    EXPECT_EQ(h.Items().back(), native(paths[1])); // the first one was pushed out

    Docs().OpenByName(paths[5]); // reopening does not move it
    Docs().Clear();
    h.Load();
    EXPECT_EQ(h.Items()[5], native(paths[5]));

    Docs().OpenFromHistory(5); // choosing it from the menu does
    h.Load();
    EXPECT_EQ(h.Items().front(), native(paths[5]));
    EXPECT_EQ(window->FileName(), paths[5]);
    Docs().Clear();

    // The menu shows access characters and a path shortened in the middle.
    const QStringList captions = Docs().HistoryCaptions(200);
    ASSERT_EQ(captions.size(), 10);
    EXPECT_TRUE(captions[0].startsWith(QStringLiteral("&0 ")));
    EXPECT_TRUE(captions[9].startsWith(QStringLiteral("&9 ")));
    EXPECT_TRUE(captions[0].endsWith(QStringLiteral("f5.txt")) || captions[0].contains(QChar(0x2026)));

    // A vanished file is reported and its entry stays.
    QFile::remove(paths[3]);
    const int at = static_cast<int>(std::find(h.Items().begin(), h.Items().end(), native(paths[3])) - h.Items().begin());
    Docs().OpenFromHistory(at);
    EXPECT_EQ(dialogs.Log.last(), QStringLiteral("message: ") + QString::fromUtf8("ファイルが見つかりません。\r") + paths[3]);
    h.Load();
    EXPECT_EQ(h.Items()[static_cast<std::size_t>(at)], native(paths[3]));
    EXPECT_TRUE(window->FileName().isEmpty());
}

TEST_F(DocumentsTest, InsertReloadAndClearAndOpen)
{
    const QString path = File(QStringLiteral("base.txt"), "line1\r\nline2\r\n");
    const QString part = File(QStringLiteral("part.txt"), std::string("in\0a\r\ninb", 9));
    Docs().OpenByName(path);
    Editor().SetRowCol(1, 0);
    dialogs.AnswerFiles({part});
    Docs().InsertFile();
    EXPECT_EQ(Text(), "line1\r\nin a\r\ninb\r\nline2\r\n");
    EXPECT_TRUE(Editor().Modified());
    EXPECT_EQ(Editor().Row(), 3);

    Docs().Reload(); // modifications are discarded without a question
    EXPECT_EQ(Text(), "line1\r\nline2\r\n");
    EXPECT_FALSE(Editor().Modified());

    // Clear and open whose open is cancelled brings the text and its name back.
    dialogs.AnswerFiles({});
    Docs().ClearAndOpen();
    EXPECT_EQ(Text(), "line1\r\nline2\r\n");
    EXPECT_EQ(window->FileName(), path);
    dialogs.AnswerFiles({part});
    Docs().ClearAndOpen();
    EXPECT_EQ(window->FileName(), part);
    EXPECT_EQ(Text(), "in a\r\ninb");
}

// A byte-exact round trip of the benchmark corpus, when it has been built.
TEST_F(DocumentsTest, TheLargeCorpusRoundTripsByteForByte)
{
    const char* corpus = std::getenv("VARNET_CORPUS_CRLF");
    if (corpus == nullptr || !std::filesystem::exists(corpus))
        GTEST_SKIP() << "VARNET_CORPUS_CRLF names no file (bench/run builds the corpus)";
    const QString source = QFile::decodeName(corpus);
    Docs().OpenByName(source);
    const QString copy = files.filePath(QStringLiteral("copy.sjis"));
    dialogs.AnswerFiles({copy});
    ASSERT_TRUE(Docs().SaveAs());
    EXPECT_TRUE(ReadAll(source) == ReadAll(copy));
}

} // namespace
