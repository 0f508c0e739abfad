#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <random>
#include <unistd.h>

#include "EngineTestUtil.h"
#include "engine/FileError.h"

using namespace enginetest;

namespace {

struct TempFile {
    std::string path;
    explicit TempFile(const std::string& bytes)
    {
        char name[] = "/tmp/varnet-load-XXXXXX";
        int fd = mkstemp(name);
        path = name;
        if (fd >= 0) {
            ssize_t n = write(fd, bytes.data(), bytes.size());
            (void)n;
            close(fd);
        }
    }
    ~TempFile() { std::remove(path.c_str()); }
};


void ExpectLoadsAs(const std::string& bytes, const std::string& text, int rows)
{
    TempFile f(bytes);
    for (bool wrap : {false, true}) {
        TEditor e;
        e.SetWordWrap(wrap);
        e.Lines().LoadFromFile(f.path);
        EXPECT_EQ(e.Lines().GetTextStr(), text) << "wrap " << wrap;
        if (!wrap) {
            EXPECT_EQ(e.RowCount(), rows);
        }
    }
}

TEST(Load, RoundTripsAreByteExact)
{
    ExpectLoadsAs("", "", 0);
    ExpectLoadsAs("\r\n\r\n\n", "\r\n\r\n\r\n", 3);
    ExpectLoadsAs("a\rb\nc\r\nd", "a\r\nb\r\nc\r\nd", 4);
    ExpectLoadsAs("last line without break", "last line without break", 1);
    ExpectLoadsAs(std::string("nul\0inside\0\r\n\0", 14), std::string("nul\0inside\0\r\n\0", 14), 2);
    ExpectLoadsAs("lone lead at the end \x81", "lone lead at the end \x81", 1);
    ExpectLoadsAs("row end lead\x81\r\n\x5C trail first", "row end lead\x81\r\n\x5C trail first", 2);
}

TEST(Load, LineBreaksAcrossTheBlockBoundary)
{
    for (std::size_t at : {8190u, 8191u, 8192u, 8193u}) {
        std::string bytes(at, 'x');
        bytes += "\r\n";
        bytes += std::string(10000, 'y');
        bytes += "\r";
        bytes += "\nz";
        ExpectLoadsAs(bytes, bytes, 3);
    }
    // A lone CR as the last byte of a block and an LF as the first of the next: one break.
    std::string crlf(8191, 'a');
    crlf += "\r\nb";
    ExpectLoadsAs(crlf, crlf, 2);
    // Two lone CRs there are two breaks.
    std::string crcr(8191, 'a');
    crcr += "\r\rb";
    ExpectLoadsAs(crcr, Normalised(crcr), 3);
}

TEST(Load, CtrlZEndsTheText)
{
    ExpectLoadsAs("before\r\nhalf\x1A" "after\r\n", "before\r\nhalf", 2);
    std::string late(9000, 'q');
    late += "\x1A" "rest";
    ExpectLoadsAs(late, std::string(9000, 'q'), 1);
}

TEST(Load, RandomFilesComeBackNormalisedOnly)
{
    std::mt19937 rng(11);
    const char alphabet[] = {'a', ' ', '\t', '\r', '\n', '\0', '\x81', '\x5C', '\x40', '\xE0', '\xFF'};
    for (int round = 0; round < 20; ++round) {
        std::string bytes;
        std::size_t len = rng() % 30000;
        for (std::size_t i = 0; i < len; ++i)
            bytes += alphabet[rng() % sizeof alphabet];
        TempFile f(bytes);
        TEditor e;
        e.WrapOption().SetWrapByte(20 + static_cast<int>(rng() % 50));
        e.SetWordWrap(round % 2 == 1);
        e.Lines().LoadFromFile(f.path);
        EXPECT_EQ(e.Lines().GetTextStr(), Normalised(bytes));
    }
}

// A wrapped text is broken into rows while it loads; the rows must be those a wrap of the
// unwrapped text gives, row ends included, whatever the rules and the width.
TEST(Load, WrappingWhileLoadingMakesTheRowsOfAWrapAfterwards)
{
    std::mt19937 rng(23);
    const std::string pieces[] = {"a",      "word ", "\t",       "\r\n",        "\n",       "\r",
                                  kKanji,   kKanjiSo, kIdeoComma, kIdeoStop,     kOpenQuote, kCloseQuote,
                                  "\x81",  "\xB1",  std::string(1, '\0'), "long-word-without-a-break"};
    for (int round = 0; round < 60; ++round) {
        std::string bytes;
        const int count = static_cast<int>(rng() % 400);
        for (int i = 0; i < count; ++i)
            bytes += pieces[rng() % std::size(pieces)];
        if (round % 3 == 0)
            bytes += "\r\n";
        TempFile f(bytes);
        auto configure = [&](TEditor& e) {
            e.WrapOption().SetWrapByte(4 + static_cast<int>(round % 37));
            e.WrapOption().SetWordBreak(round % 2 == 0);
            e.WrapOption().SetLeading(round % 4 < 2);
            e.WrapOption().SetFollowPunctuation(round % 5 < 3);
            e.WrapOption().SetFollowRetMark(round % 7 < 3);
            e.Caret().SetTabSpaceCount(2 + round % 7);
        };
        TEditor loadedWrapped, wrappedAfter;
        configure(loadedWrapped);
        configure(wrappedAfter);
        loadedWrapped.SetWordWrap(true);
        loadedWrapped.Lines().LoadFromFile(f.path, true);
        wrappedAfter.Lines().LoadFromFile(f.path, true);
        wrappedAfter.SetWordWrap(true);
        ASSERT_EQ(Dump(loadedWrapped), Dump(wrappedAfter)) << "round " << round;
        EXPECT_EQ(loadedWrapped.Lines().Count(), wrappedAfter.Lines().Count());
        EXPECT_EQ(loadedWrapped.TextLength(), wrappedAfter.TextLength());
    }
}

// Wrapping while loading looks for tabs and tells the text block what it found; the rows
// with a tab are counted right wherever the tabs are: in long lines before the first short
// one, after it, nowhere, or only past a Ctrl-Z.
TEST(Load, RowsWithATabAreCountedAfterALoad)
{
    const std::string longLine(30, 'x');
    const struct {
        std::string bytes;
        int tabRows;
    } cases[] = {
        {longLine + "\t" + longLine + "\r\nshort\r\nend", 1},
        {"short\r\n" + longLine + "\r\nta\tb\r\nend", 1},
        {"a\tb\r\nno\r\nc\td\r\n", 2},
        {"short\r\n" + longLine + "\r\n", 0},
        {"short\r\nend\x1A\tafter", 0},
    };
    for (const auto& c : cases) {
        TempFile f(c.bytes);
        for (bool wrap : {false, true}) {
            TEditor e;
            e.WrapOption().SetWrapByte(10);
            e.SetWordWrap(wrap);
            e.Lines().LoadFromFile(f.path);
            const TEditorScreenStrings& rows = e.ListRows();
            int direct = 0;
            for (int r = 0; r < rows.Count(); ++r)
                direct += rows.Get(r).find('\t') != std::string_view::npos;
            EXPECT_EQ(direct, c.tabRows) << c.bytes << " wrap " << wrap;
            EXPECT_EQ(rows.TabRows(0, rows.Count()), direct) << c.bytes << " wrap " << wrap;
        }
    }
}

TEST(Load, AFailureNamesTheFileAndKeepsTheText)
{
    TEditor e;
    e.Lines().SetTextStr("precious\r\n");
    e.ListRows().ReplaceRows(0, 1, "still precious\r\n");
    const std::string missing = "/nonexistent/varnet/missing.txt";
    try {
        e.Lines().LoadFromFile(missing);
        FAIL() << "no error";
    } catch (const EFileError& err) {
        EXPECT_EQ(err.FileName(), missing);
        EXPECT_NE(std::string(err.what()).find(missing), std::string::npos);
    }
    EXPECT_EQ(e.Lines().GetTextStr(), "still precious\r\n");
    EXPECT_TRUE(e.CanUndo());
    // A directory opens but cannot be read.
    EXPECT_THROW(e.Lines().LoadFromFile("/tmp"), EFileError);
    EXPECT_EQ(e.Lines().GetTextStr(), "still precious\r\n");
}

TEST(Load, ALoadReplacesTheTextAndItsHistory)
{
    TempFile f("new\r\n");
    TEditor e;
    e.Lines().SetTextStr("old\r\n");
    e.ListRows().ReplaceRows(0, 1, "older\r\n");
    e.SetRowMarks(0, 1);
    e.Lines().LoadFromFile(f.path);
    EXPECT_FALSE(e.CanUndo());
    EXPECT_EQ(e.ListRows().UsedMarks(), 0);
    EXPECT_EQ(e.RowMarks(0), 0);
    EXPECT_EQ(e.Row(), 0);
}

TEST(Load, TenMegabyteSingleLine)
{
    std::string line(10 * 1024 * 1024, 'm');
    line[5000] = '\x81'; // a two-byte character somewhere inside
    TempFile f(line);
    TEditor e;
    e.Lines().LoadFromFile(f.path);
    EXPECT_EQ(e.RowCount(), 1);
    e.WrapOption().SetWrapByte(80);
    e.SetWordWrap(true);
    EXPECT_GT(e.RowCount(), 100000);
    EXPECT_EQ(e.Lines().GetTextStr(), line);
    e.SetWordWrap(false);
    EXPECT_EQ(e.RowCount(), 1);
}

} // namespace
