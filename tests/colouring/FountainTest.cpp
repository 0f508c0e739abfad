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
        EXPECT_EQ(sender, &Fountain);
    }
    TFountain& Fountain;
    int Count = 0;
};

// A bracket list without the limit, to copy from.
class TUnlimitedBrackets : public TNotifyCollection {
public:
    TUnlimitedBrackets() : TNotifyCollection(nullptr) {}
    TFountainBracketItem* AddItem() { return static_cast<TFountainBracketItem*>(Add()); }

protected:
    std::unique_ptr<TCollectionItem> CreateItem() override
    {
        return std::make_unique<TFountainBracketItem>(this);
    }
};

} // namespace

TEST(FountainColor, SettersReportChangesAndAssignReportsOnce)
{
    TFountainColor c;
    EXPECT_EQ(c.BkColor(), 0x1FFFFFFFu);
    EXPECT_EQ(c.Color(), clNone);
    int heard = 0;
    c.OnChange = [&](TObject*) { ++heard; };
    c.SetColor(clNone);
    c.SetColor(0x123456);
    c.SetStyle(fsBold | fsItalic);
    EXPECT_EQ(heard, 2) << "an unchanged value is no change";
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
    for (int i = 0; i < 14; ++i) {
        f.Brackets().AddPair(std::string(1, static_cast<char>('a' + i)), ")");
    }
    try {
        f.Brackets().Add();
        FAIL() << "no error";
    } catch (const EFountainError& e) {
        EXPECT_STREQ(e.what(), "TFountainBracketCollection\r\nYou can not add item over 14");
    }
    EXPECT_THROW(f.Brackets().AddPair("x", "y"), EFountainError);
    EXPECT_EQ(f.Brackets().Count(), 14);
}

TEST(FountainBrackets, CopyingKeepsWhatFitsAndChangesReachTheFountain)
{
    TUnlimitedBrackets source;
    for (int i = 0; i < 16; ++i) {
        auto* item = source.AddItem();
        item->SetLeftBracket("L" + std::to_string(i));
        item->SetRightBracket("R" + std::to_string(i));
        item->ItemColor().SetColor(static_cast<TColor>(i));
    }
    TEditorFountain f;
    f.Brackets().AddPair("old", "old");
    TListener listener(f);
    EXPECT_THROW(f.Brackets().Assign(source), EFountainError);
    ASSERT_EQ(f.Brackets().Count(), 14);
    const auto* last = f.Brackets().Items(13);
    EXPECT_EQ(last->LeftBracket() + last->RightBracket(), "L13R13");
    EXPECT_EQ(last->ItemColor().Color(), 13u);
    EXPECT_EQ(listener.Count, 1);

    f.Brackets().Items(2)->SetRightBracket("]");
    f.Brackets().Items(2)->ItemColor().SetStyle(fsBold);
    f.Brackets().Items(3)->Assign(*source.Items(15)); // a whole item: one change
    EXPECT_EQ(listener.Count, 4);
    EXPECT_EQ(f.Brackets().Items(3)->LeftBracket(), "L15");
}

TEST(ReserveWords, SortedWithoutDuplicatesIgnoringCase)
{
    TEditorFountain f;
    TListener listener(f);
    TReserveWordList& words = f.ReserveWordList();
    EXPECT_GE(words.Add("Begin"), 0);
    EXPECT_EQ(words.Add("BEGIN"), -1);
    EXPECT_EQ(words.Add("begin"), -1);
    EXPECT_EQ(words.Add(""), -1);
    words.Add("end");
    words.Add("And");
    EXPECT_EQ(listener.Count, 3);
    EXPECT_EQ(words.Words(), (std::vector<std::string>{"And", "Begin", "end"}));
    EXPECT_TRUE(words.Contains("bEgIn"));
    EXPECT_FALSE(words.Contains("begi"));
    EXPECT_FALSE(words.Contains("beginx"));
    // Full-width letters fold too; trail bytes never do ('ア' 0x8341 and 'ャ' 0x8361).
    words.Add("ＡＢＣ"_sj);
    words.Add("ア"_sj);
    EXPECT_TRUE(words.Contains("ａｂｃ"_sj));
    EXPECT_FALSE(words.Contains("ャ"_sj));

    TReserveWordList other;
    other.SetWords({"x", "X", "y", "Y", "x"});
    EXPECT_EQ(other.Words(), (std::vector<std::string>{"x", "y"}));
    f.SetReserveWordList(other);
    EXPECT_EQ(listener.Count, 6) << "a whole list assigned is one change";
    EXPECT_EQ(words.Words(), other.Words());
}

TEST(FountainColours, HasItalicSeesEveryReachableColour)
{
    TEditorFountain f;
    EXPECT_FALSE(f.HasItalic());
    f.Colors().Comment().SetStyle(fsItalic | fsBold);
    EXPECT_TRUE(f.HasItalic());
    f.Colors().Comment().SetStyle(fsBold);
    f.Reserve().SetStyle(fsItalic);
    EXPECT_TRUE(f.HasItalic());
    f.Reserve().SetStyle(0);
    EXPECT_FALSE(f.HasItalic());
    f.Brackets().AddPair("<", ">")->ItemColor().SetStyle(fsItalic);
    EXPECT_TRUE(f.HasItalic());
}

TEST(FountainColours, SetAllLeavesSelectAndBracketsAlone)
{
    TEditorFountain f;
    f.Brackets().AddPair("<", ">");
    TListener listener(f);
    f.SetAllColor(0x0000FF);
    f.SetAllBkColor(0x00FF00);
    f.SetAllStyle(fsUnderline);
    EXPECT_EQ(listener.Count, 3);
    int changed = 0;
    f.Colors().ForEachSlot([&](std::string_view, TFountainColor& c) {
        changed += c.Color() == 0x0000FF && c.BkColor() == 0x00FF00 && c.Style() == fsUnderline;
    });
    EXPECT_EQ(changed, 9);
    EXPECT_EQ(f.Reserve().Color(), 0x0000FFu) << "Reserve is the fountain's own colour";
    EXPECT_EQ(f.Colors().Select().BkColor(), clNavy);
    EXPECT_EQ(f.Colors().Select().Color(), clWhite);
    EXPECT_EQ(f.Brackets().Items(0)->ItemColor().Color(), clNone);

    // The bracket collection has bulk setters of its own, one change each.
    f.Brackets().AddPair("[", "]");
    f.Brackets().SetColor(0x111111);
    f.Brackets().SetStyle(fsStrikeOut);
    EXPECT_EQ(listener.Count, 6);
    EXPECT_EQ(f.Brackets().Items(1)->ItemColor().Color(), 0x111111u);
    EXPECT_EQ(f.Brackets().Items(0)->ItemColor().Style(), fsStrikeOut);
    EXPECT_EQ(f.Colors().Ank().Color(), 0x0000FFu);
}

TEST(EditorColors, AssignCopiesAllTenSlotsInOneChange)
{
    TEditorFountain a, b;
    EXPECT_EQ(&a.Colors().Reserve(), &a.Reserve());
    TColor next = 1;
    b.Colors().ForEachSlot([&](std::string_view, TFountainColor& c) { c.SetColor(next++); });
    TListener listener(a);
    a.SetColors(b.Colors());
    EXPECT_EQ(listener.Count, 1);
    TColor expected = 1;
    a.Colors().ForEachSlot(
        [&](std::string_view slot, TFountainColor& c) { EXPECT_EQ(c.Color(), expected++) << slot; });
    EXPECT_EQ(a.Reserve().Color(), 6u);
}

TEST(EditorViewInfo, SettersForwardToTheFountainAndAssignReportsOnce)
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
    EXPECT_EQ(copy.Commenter() + copy.HexPrefix() + copy.Quotation(), "//0x\"");
    EXPECT_TRUE(copy.ControlCode() && copy.Mail() && copy.Url());
    EXPECT_EQ(copy.Colors().Url().Color(), 0x00FF00u);
    ASSERT_EQ(copy.Brackets().Count(), 1);
    EXPECT_EQ(copy.Brackets().Items(0)->LeftBracket(), "<");
}

TEST(FileExtList, SortedCaseInsensitiveWithoutDuplicates)
{
    TFileExtList list;
    EXPECT_TRUE(list.Add(".txt"));
    EXPECT_FALSE(list.Add(".TXT"));
    list.Add(".htm");
    list.Add(".C");
    EXPECT_EQ(list.Items(), (std::vector<std::string>{".C", ".htm", ".txt"}));
    EXPECT_TRUE(list.HasExt(".HTM"));
    EXPECT_FALSE(list.HasExt(".cpp"));
}
