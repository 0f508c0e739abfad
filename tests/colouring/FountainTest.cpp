// Colour records, bracket pairs, reserved words and the change notifications of fountains and
// Views: each setting change is heard once, by every listener.
#include <gtest/gtest.h>

#include "colouring/EditorViewInfo.h"
#include "colouring/FountainErrors.h"
#include "platform/Sjis.h"

namespace {

// Counts the change notifications of a fountain.
struct TListener {
    explicit TListener(TFountain& f) : Fountain(f)
    {
        f.AddChangeHandler(MakeMethod<&TListener::Heard>(this));
    }
    ~TListener() { Fountain.RemoveChangeHandler(MakeMethod<&TListener::Heard>(this)); }
    void Heard(TObject* sender)
    {
        ++Count;
        Sender = sender;
    }
    TFountain& Fountain;
    int Count = 0;
    TObject* Sender = nullptr;
};

} // namespace

TEST(FountainColor, SettersReportChangesAndAssignReportsOnce)
{
    TFountainColor c;
    EXPECT_EQ(c.BkColor(), clNone);
    EXPECT_EQ(c.Color(), 0x1FFFFFFFu);
    EXPECT_EQ(c.Style(), 0);
    int heard = 0;
    c.OnChange = [&](TObject* sender) {
        ++heard;
        EXPECT_EQ(sender, &c);
    };
    c.SetColor(clNone);
    EXPECT_EQ(heard, 0) << "an unchanged value is no change";
    c.SetColor(0x123456);
    c.SetStyle(fsBold | fsItalic);
    EXPECT_EQ(heard, 2);
    TFountainColor other;
    other.SetBkColor(1);
    other.SetColor(2);
    other.SetStyle(fsUnderline);
    c.Assign(other);
    EXPECT_EQ(heard, 3);
    EXPECT_TRUE(c.SameAs(other));
}

TEST(FountainBrackets, FifteenthItemIsRefusedWithItsMessage)
{
    TEditorFountain f;
    auto& brackets = f.Brackets();
    for (int i = 0; i < 14; ++i) {
        brackets.AddPair(std::string(1, static_cast<char>('a' + i)), ")");
    }
    try {
        brackets.Add();
        FAIL() << "no error";
    } catch (const EFountainError& e) {
        EXPECT_STREQ(e.what(), "TFountainBracketCollection\r\nYou can not add item over 14");
    }
    EXPECT_EQ(brackets.Count(), 14);
    EXPECT_THROW(brackets.AddPair("x", "y"), EFountainError);
    EXPECT_EQ(brackets.Count(), 14);
}

namespace {

// A bracket list without the limit, to copy from.
class TUnlimitedBrackets : public TNotifyCollection {
public:
    TUnlimitedBrackets() : TNotifyCollection(nullptr) {}
    TFountainBracketItem* Bracket(int i) const { return static_cast<TFountainBracketItem*>(Items(i)); }

protected:
    std::unique_ptr<TCollectionItem> CreateItem() override
    {
        return std::make_unique<TFountainBracketItem>(this);
    }
};

} // namespace

TEST(FountainBrackets, CopyingKeepsWhatFitsAndReportsOnce)
{
    TUnlimitedBrackets source;
    for (int i = 0; i < 16; ++i) {
        auto* item = static_cast<TFountainBracketItem*>(source.Add());
        item->SetLeftBracket("L" + std::to_string(i));
        item->SetRightBracket("R" + std::to_string(i));
        item->ItemColor().SetColor(static_cast<TColor>(i));
    }
    TEditorFountain f;
    f.Brackets().AddPair("old", "old");
    TListener listener(f);
    EXPECT_THROW(f.Brackets().Assign(source), EFountainError);
    ASSERT_EQ(f.Brackets().Count(), 14);
    EXPECT_EQ(f.Brackets().Items(13)->LeftBracket(), "L13");
    EXPECT_EQ(f.Brackets().Items(13)->RightBracket(), "R13");
    EXPECT_EQ(f.Brackets().Items(13)->ItemColor().Color(), 13u);
    EXPECT_EQ(listener.Count, 1);

    // Changing an item's strings or colour reaches the fountain's listeners.
    f.Brackets().Items(2)->SetRightBracket("]");
    f.Brackets().Items(2)->ItemColor().SetStyle(fsBold);
    EXPECT_EQ(listener.Count, 3);
    EXPECT_EQ(listener.Sender, &f);
    // A whole item copied is one change.
    f.Brackets().Items(3)->Assign(*source.Bracket(15));
    EXPECT_EQ(listener.Count, 4);
    EXPECT_EQ(f.Brackets().Items(3)->LeftBracket(), "L15");
}

TEST(ReserveWords, SortedWithoutDuplicatesIgnoringCase)
{
    TReserveWordList words;
    int changes = 0;
    words.OnChange = [&] { ++changes; };
    EXPECT_GE(words.Add("Begin"), 0);
    EXPECT_EQ(words.Add("BEGIN"), -1);
    EXPECT_EQ(words.Add("begin"), -1);
    EXPECT_EQ(words.Add(""), -1);
    words.Add("end");
    words.Add("And");
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(words.Words(), (std::vector<std::string>{"And", "Begin", "end"}));
    EXPECT_TRUE(words.Contains("bEgIn"));
    EXPECT_FALSE(words.Contains("begi"));
    EXPECT_FALSE(words.Contains("beginx"));
    // Full-width letters fold too; trail bytes never do (0x8341 'ア' vs 0x8361 'ャ').
    words.Add("ＡＢＣ"_sj);
    words.Add("ア"_sj);
    EXPECT_TRUE(words.Contains("ａｂｃ"_sj));
    EXPECT_FALSE(words.Contains("ャ"_sj));
    EXPECT_EQ(CompareTextCp932("ア"_sj, "ャ"_sj) == 0, false);

    words.SetWords({"x", "X", "y", "Y", "x"});
    EXPECT_EQ(words.Words(), (std::vector<std::string>{"x", "y"}));
    EXPECT_EQ(changes, 6) << "a whole list set is one change";
}

TEST(ReserveWords, FountainHearsEveryChange)
{
    TEditorFountain f;
    TListener listener(f);
    f.ReserveWordList().Add("if");
    TReserveWordList other;
    other.SetWords({"a", "b"});
    f.SetReserveWordList(other);
    EXPECT_EQ(listener.Count, 2);
    EXPECT_EQ(f.ReserveWordList().Words(), other.Words());
}

TEST(FountainColours, HasItalicSeesEveryReachableColour)
{
    TEditorFountain f;
    EXPECT_FALSE(f.HasItalic());
    f.Colors().Comment().SetStyle(fsItalic | fsBold);
    EXPECT_TRUE(f.HasItalic());
    f.Colors().Comment().SetStyle(fsBold);
    EXPECT_FALSE(f.HasItalic());
    f.Reserve().SetStyle(fsItalic);
    EXPECT_TRUE(f.HasItalic());
    f.Reserve().SetStyle(0);
    f.Brackets().AddPair("<", ">")->ItemColor().SetStyle(fsItalic);
    EXPECT_TRUE(f.HasItalic());
    TFountain base;
    base.Reserve().SetStyle(fsItalic);
    EXPECT_TRUE(base.HasItalic());
}

TEST(FountainColours, SetAllLeavesSelectAndBracketsAlone)
{
    TEditorFountain f;
    f.Brackets().AddPair("<", ">");
    TListener listener(f);
    f.SetAllColor(0x0000FF);
    EXPECT_EQ(listener.Count, 1);
    f.SetAllBkColor(0x00FF00);
    f.SetAllStyle(fsUnderline);
    EXPECT_EQ(listener.Count, 3);
    int slots = 0;
    f.Colors().ForEachSlot([&](std::string_view slot, TFountainColor& c) {
        if (slot == "Select") {
            EXPECT_EQ(c.BkColor(), clNavy);
            EXPECT_EQ(c.Color(), clWhite);
            EXPECT_EQ(c.Style(), 0);
            return;
        }
        ++slots;
        EXPECT_EQ(c.Color(), 0x0000FFu) << slot;
        EXPECT_EQ(c.BkColor(), 0x00FF00u) << slot;
        EXPECT_EQ(c.Style(), fsUnderline) << slot;
    });
    EXPECT_EQ(slots, 9);
    EXPECT_EQ(f.Reserve().Color(), 0x0000FFu) << "Reserve is the fountain's own colour";
    const TFountainColor& bracket = f.Brackets().Items(0)->ItemColor();
    EXPECT_EQ(bracket.Color(), clNone);
    EXPECT_EQ(bracket.Style(), 0);

    // The bracket collection has its own bulk setters, one change each.
    f.Brackets().AddPair("[", "]");
    listener.Count = 0;
    f.Brackets().SetColor(0x111111);
    f.Brackets().SetBkColor(0x222222);
    f.Brackets().SetStyle(fsStrikeOut);
    EXPECT_EQ(listener.Count, 3);
    for (int i = 0; i < 2; ++i) {
        const auto& c = f.Brackets().Items(i)->ItemColor();
        EXPECT_EQ(c.Color(), 0x111111u);
        EXPECT_EQ(c.BkColor(), 0x222222u);
        EXPECT_EQ(c.Style(), fsStrikeOut);
    }
    EXPECT_EQ(f.Colors().Ank().Color(), 0x0000FFu);
}

TEST(EditorColors, AssignCopiesAllTenSlotsInOneChange)
{
    TEditorFountain a, b;
    EXPECT_EQ(&a.Colors().Reserve(), &a.Reserve());
    b.Colors().Ank().SetColor(1);
    b.Colors().Comment().SetColor(2);
    b.Colors().DBCS().SetColor(3);
    b.Colors().Int().SetColor(4);
    b.Colors().Mail().SetColor(5);
    b.Colors().Reserve().SetColor(6);
    b.Colors().Select().SetColor(7);
    b.Colors().Str().SetColor(8);
    b.Colors().Symbol().SetColor(9);
    b.Colors().Url().SetColor(10);
    TListener listener(a);
    a.SetColors(b.Colors());
    EXPECT_EQ(listener.Count, 1);
    TColor expected = 1;
    a.Colors().ForEachSlot([&](std::string_view slot, TFountainColor& c) {
        EXPECT_EQ(c.Color(), expected++) << slot;
    });
    EXPECT_EQ(a.Reserve().Color(), 6u);
}

TEST(EditorViewInfo, SettersForwardToTheFountainAndReportOnce)
{
    TEditorViewInfo view;
    int changes = 0;
    view.OnChange = [&](TObject* sender) {
        ++changes;
        EXPECT_EQ(sender, &view);
    };
    view.SetCommenter("//");
    view.SetCommenter("//");
    view.SetControlCode(true);
    view.SetHexPrefix("0x");
    view.SetMail(true);
    view.SetUrl(true);
    view.SetQuotation("\"");
    EXPECT_EQ(changes, 6);
    EXPECT_EQ(view.Fountain().Commenter(), "//");
    EXPECT_TRUE(view.Fountain().Url());
    // A change made on the fountain itself (colours, brackets, words) is the View's too.
    view.Colors().Url().SetColor(0x00FF00);
    view.Brackets().AddPair("<", ">");
    view.Fountain().ReserveWordList().Add("a");
    EXPECT_EQ(changes, 9);

    TEditorViewInfo copy;
    int copyChanges = 0;
    copy.OnChange = [&](TObject*) { ++copyChanges; };
    copy.Assign(view);
    EXPECT_EQ(copyChanges, 1);
    EXPECT_EQ(copy.Commenter(), "//");
    EXPECT_TRUE(copy.ControlCode());
    EXPECT_EQ(copy.HexPrefix(), "0x");
    EXPECT_TRUE(copy.Mail());
    EXPECT_EQ(copy.Quotation(), "\"");
    EXPECT_TRUE(copy.Url());
    EXPECT_EQ(copy.Colors().Url().Color(), 0x00FF00u);
    ASSERT_EQ(copy.Brackets().Count(), 1);
    EXPECT_EQ(copy.Brackets().Items(0)->LeftBracket(), "<");
}

TEST(FileExtList, SortedCaseInsensitiveWithoutDuplicates)
{
    TFileExtList list;
    EXPECT_TRUE(list.Add(".txt"));
    EXPECT_FALSE(list.Add(".TXT"));
    EXPECT_TRUE(list.Add(".htm"));
    EXPECT_TRUE(list.Add(".C"));
    EXPECT_FALSE(list.Add(""));
    EXPECT_EQ(list.Items(), (std::vector<std::string>{".C", ".htm", ".txt"}));
    EXPECT_TRUE(list.HasExt(".HTM"));
    EXPECT_TRUE(list.HasExt(".c"));
    EXPECT_FALSE(list.HasExt(".cpp"));
}
