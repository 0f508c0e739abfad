#include <gtest/gtest.h>

#include "InputTestUtil.h"
#include "platform/Cp932.h"

using namespace enginetest;

namespace {

TEST(TypedCharacters, SingleBytesPairsAndControlCharacters)
{
    THostedEditor t;
    TEditor& e = t.e;
    e.CharMessage("ab");
    e.CharMessage(kKanji);           // lead and trail in one go
    e.CharMessage("\xB1");           // half-width katakana: one byte
    e.CharMessage(std::string("\xE0", 1)); // a lead byte of the upper range waits for its trail
    EXPECT_EQ(t.Text(), "ab" + kKanji + "\xB1");
    e.CharMessage("\x40");
    EXPECT_EQ(t.Text(), "ab" + kKanji + "\xB1\xE0\x40");
    e.CharMessage("\x08");
    EXPECT_EQ(t.Text(), "ab" + kKanji + "\xB1"); // back space takes the pair whole
    e.CharMessage("\x01\x7F\x1B"); // other control bytes type nothing
    EXPECT_EQ(t.Text(), "ab" + kKanji + "\xB1");
    e.CharMessage("\r");
    e.CharMessage("z");
    EXPECT_EQ(t.Text(), "ab" + kKanji + "\xB1\r\nz");
    // A lead byte whose next byte cannot be a trail is no character; the next byte is.
    e.CharMessage(std::string("\x88", 1));
    e.CharMessage("\x0D");
    EXPECT_EQ(t.Text(), "ab" + kKanji + "\xB1\r\nz\r\n");

    e.SetReadOnly(true);
    e.CharMessage("q" + kKanji + "\r\x08");
    EXPECT_EQ(t.Text(), "ab" + kKanji + "\xB1\r\nz\r\n");
}

TEST(TypedCharacters, ShiftEnterOpensALineAbove)
{
    THostedEditor t("abc\r\ndef");
    t.e.SetRowCol(1, 1);
    t.e.CharMessage("\r", ssShift);
    EXPECT_EQ(t.Text(), "abc\r\n\r\ndef");
    EXPECT_EQ(t.e.Row(), 1);
}

TEST(TypedCharacters, TabBySettings)
{
    THostedEditor t("ab");
    TEditor& e = t.e;
    e.Caret().SetTabSpaceCount(4);
    e.SetRowCol(0, 1);
    e.CharMessage("\t");
    EXPECT_EQ(t.Text(), "a\tb");
    e.Caret().SetSoftTab(true);
    e.SetRowCol(0, 4);
    e.CharMessage("\t"); // four spaces to the next stop
    EXPECT_EQ(t.Text(), "a\t    b");
    e.CharMessage("\t", ssShift);
    e.CharMessage("\t", ssCtrl);
    e.SetWantTabs(false);
    e.CharMessage("\t");
    EXPECT_EQ(t.Text(), "a\t    b");
    e.SetWantTabs(true);
    e.SetOverWrite(true);
    e.SetRowCol(0, 1);
    e.CharMessage("\t"); // overwrite mode only moves
    EXPECT_EQ(t.Text(), "a\t    b");
    EXPECT_EQ(e.Col(), 4);

    // Wrapping: not past the wrap edge.
    THostedEditor w("abcdefghijklmnopqrs");
    w.e.WrapOption().SetWrapByte(20);
    w.e.SetWordWrap(true);
    w.e.Caret().SetSoftTab(true);
    w.e.SetRowCol(0, 19);
    w.e.CharMessage("\t");
    EXPECT_EQ(w.Text(), "abcdefghijklmnopqrs ");
}

TEST(InputMethod, TheResultIsTypedOnceAndItsEchoSwallowed)
{
    THostedEditor t("xy");
    TEditor& e = t.e;
    e.SetRowCol(0, 1);
    const std::string word = kKanji + "\x82\xA0"; // 漢あ
    e.ImeResult(word, true);
    EXPECT_EQ(t.Text(), "x" + word + "y");
    EXPECT_EQ(e.SkipChars(), 4);
    // The system sends the same characters again, byte by byte.
    for (char c : word)
        e.CharMessage(std::string(1, c));
    EXPECT_EQ(t.Text(), "x" + word + "y");
    EXPECT_EQ(e.SkipChars(), 0);
    e.CharMessage("z");
    EXPECT_EQ(t.Text(), "x" + word + "zy");
    // One undo takes the whole result back together with what came after it.
    e.Undo();
    e.Undo();
    EXPECT_EQ(t.Text(), "xy");

    // A toolkit that sends no echo: nothing is swallowed afterwards.
    e.ImeResult(word, false);
    e.CharMessage("z");
    EXPECT_EQ(e.SkipChars(), 0);
    EXPECT_NE(t.Text().find(word + "z"), std::string::npos);
}

TEST(InputMethod, LongAndUnencodableResults)
{
    THostedEditor t;
    TEditor& e = t.e;
    std::string big = Repeat(kKanji, 3000); // beyond any fixed buffer
    e.ImeResult(big);
    EXPECT_EQ(t.Text(), big);
    EXPECT_EQ(e.Col() % 2, 0);

    THostedEditor u;
    // 〜 (wave dash) and − as Linux input methods type them; an emoji CP932 cannot spell.
    u.e.ImeResultUtf8("\xE3\x80\x9C\xE2\x88\x92\xF0\x9F\x98\x80" "a");
    EXPECT_EQ(u.Text(), Utf8ToCp932("\xE3\x80\x9C\xE2\x88\x92\xF0\x9F\x98\x80" "a"));
    EXPECT_EQ(u.Text().substr(0, 4), "\x81\x60\x81\x7C");

    u.e.SetReadOnly(true);
    u.e.ImeResult("abc", true);
    EXPECT_EQ(u.e.SkipChars(), 0);
}

TEST(InputMethod, TheCandidateListHidesTheCaret)
{
    THostedEditor t("abc");
    t.e.FocusGained();
    ASSERT_TRUE(t.host.CaretVisible);
    t.e.ImeCandidateList(true);
    EXPECT_FALSE(t.host.CaretVisible);
    t.e.ImeCandidateList(true);
    t.e.ImeCandidateList(false);
    EXPECT_TRUE(t.host.CaretVisible);
    t.e.FocusLost();
    EXPECT_FALSE(t.host.CaretCreated);
}

} // namespace
