// Comma text as the definition and display files keep word lists.
#include <gtest/gtest.h>

#include "colouring/CommaText.h"
#include "platform/Sjis.h"

using Items = std::vector<std::string>;

TEST(CommaText, SplitsAtCommasAndBlanksAndReadsQuotedItems)
{
    EXPECT_EQ(ParseCommaText("a,b c"), (Items{"a", "b", "c"}));
    EXPECT_EQ(ParseCommaText("  a ,  b  "), (Items{"a", "b"})) << "blanks around items are not part of them";
    EXPECT_EQ(ParseCommaText("\"x y\",z"), (Items{"x y", "z"}));
    EXPECT_EQ(ParseCommaText("\"say \"\"hi\"\"\""), (Items{"say \"hi\""}));
    EXPECT_EQ(ParseCommaText("\"ab\"cd"), (Items{"ab", "cd"})) << "text after a closing quote starts an item";
    EXPECT_EQ(ParseCommaText("\"open, never closed"), (Items{"open, never closed"}));
    EXPECT_EQ(ParseCommaText("a,,b"), (Items{"a", "", "b"}));
    EXPECT_EQ(ParseCommaText("a,"), (Items{"a", ""}));
    EXPECT_EQ(ParseCommaText(",a"), (Items{"", "a"}));
    EXPECT_EQ(ParseCommaText("a, "), (Items{"a"})) << "a comma followed by blanks only closes nothing";
    EXPECT_EQ(ParseCommaText(""), Items{});
    EXPECT_EQ(ParseCommaText("   "), Items{});
    EXPECT_EQ(ParseCommaText("\"\""), Items{""});
}

TEST(CommaText, DoubleByteItemsKeepTheirBytes)
{
    // 0x5C and 0x7C trail bytes, and a quote right after a double-byte character.
    const std::string hyou(std::string("表"_sj)), so(std::string("ソ"_sj)), bar(std::string("｜"_sj));
    EXPECT_EQ(ParseCommaText(hyou + "," + so + " " + bar), (Items{hyou, so, bar}));
    EXPECT_EQ(ParseCommaText("\"" + hyou + "\"\"" + so + "\""), (Items{hyou + "\"" + so}));
    EXPECT_EQ(MakeCommaText({hyou, so}), hyou + "," + so) << "trail bytes never need quoting";
    // A broken character at the end of a quoted item: its lead byte does not take the
    // closing quote, so the items after it stay items.
    EXPECT_EQ(ParseCommaText("\"a b\x81\",c"), (Items{"a b\x81", "c"}));
    EXPECT_EQ(ParseCommaText(MakeCommaText({"\x81 x\x81", "y"})), (Items{"\x81 x\x81", "y"}));
}

TEST(CommaText, WritesOnlyWhatNeedsQuoting)
{
    EXPECT_EQ(MakeCommaText({"a", "b"}), "a,b");
    EXPECT_EQ(MakeCommaText({"a b", "c,d", "e\"f", "g\th"}), "\"a b\",\"c,d\",\"e\"\"f\",\"g\th\"");
    EXPECT_EQ(MakeCommaText({}), "");
    EXPECT_EQ(MakeCommaText({""}), "\"\"");
    EXPECT_EQ(MakeCommaText({"a", "", "b"}), "a,,b");
}

TEST(CommaText, EveryListReadsBackAsWritten)
{
    const std::vector<Items> lists = {
        {},
        {""},
        {"", ""},
        {"", "a"},
        {"a", ""},
        {"a", "", "b"},
        {"plain", "with blank", " lead", "trail ", "com,ma", "\"", "\"\"", "a\"b\"c", ","},
        {">", ">>", std::string("》"_sj), std::string("｜"_sj)},
        {std::string("表 示"_sj), std::string("\"ソ\""_sj)},
        {"<!--", "-->", "(*", "*)", "{", "}"},
    };
    for (const Items& items : lists) {
        const std::string text = MakeCommaText(items);
        EXPECT_EQ(ParseCommaText(text), items) << text;
    }
}
