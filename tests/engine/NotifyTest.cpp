#include <gtest/gtest.h>

#include <stdexcept>

#include "engine/Caret.h"
#include "engine/Notify.h"
#include "engine/WrapOption.h"

namespace {

TEST(Notify, ChangesInsideAnUpdateBlockReportOnceAtItsEnd)
{
    TEditorWrapOption opt;
    int calls = 0;
    TObject* sender = nullptr;
    opt.OnChange = [&](TObject* s) {
        ++calls;
        sender = s;
    };
    opt.BeginUpdate();
    opt.BeginUpdate();
    opt.SetWrapByte(60);
    opt.SetLeading(true);
    opt.EndUpdate();
    EXPECT_EQ(calls, 0);
    opt.EndUpdate();
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(sender, &opt);
    opt.SetLeading(true); // unchanged value: no report
    EXPECT_EQ(calls, 1);
}

TEST(Notify, AssignCopiesEverythingAndReportsOnce)
{
    TEditorWrapOption a, b;
    b.SetWrapByte(40);
    b.SetFollowRetMark(true);
    b.SetFollowPunctuation(true);
    b.SetLeading(true);
    b.SetWordBreak(true);
    b.SetPunctuationStr(",");
    b.SetFollowStr(")");
    b.SetLeadStr("(");
    int calls = 0;
    a.OnChange = [&](TObject*) { ++calls; };
    a.Assign(b);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(a.WrapByte(), 40);
    EXPECT_TRUE(a.FollowRetMark() && a.FollowPunctuation() && a.Leading() && a.WordBreak());
    EXPECT_EQ(a.PunctuationStr(), ",");
    EXPECT_EQ(a.FollowStr(), ")");
    EXPECT_EQ(a.LeadStr(), "(");
    EXPECT_TRUE(a.FollowSet().Contains(std::string_view(")")));
    EXPECT_FALSE(a.FollowSet().Contains(std::string_view("!")));
}

TEST(Notify, ChangedProcIgnoresTheOwnerItself)
{
    TEditorCaret owner, sub;
    int calls = 0;
    owner.OnChange = [&](TObject*) { ++calls; };
    owner.ChangedProc(&sub);
    owner.ChangedProc(&owner);
    EXPECT_EQ(calls, 1);
}

struct Listener {
    std::vector<int>* log;
    int id;
    void Handle(TObject*) { log->push_back(id); }
};

TEST(Notify, EventListCallsInOrderAndRemovesTheLastEqualEntry)
{
    std::vector<int> log;
    Listener a{&log, 1}, b{&log, 2};
    TObject owner;
    TNotifyEventList list(&owner);
    list.Add(MakeMethod<&Listener::Handle>(&a));
    list.Add(MakeMethod<&Listener::Handle>(&b));
    list.Add(MakeMethod<&Listener::Handle>(&a));
    list.Changed();
    EXPECT_EQ(log, (std::vector<int>{1, 2, 1}));
    log.clear();
    list.Remove(MakeMethod<&Listener::Handle>(&a));
    list.Changed();
    EXPECT_EQ(log, (std::vector<int>{1, 2}));
    log.clear();
    list.BeginUpdate();
    list.Changed();
    EXPECT_TRUE(log.empty());
    list.EndUpdate();
    EXPECT_EQ(log, (std::vector<int>{1, 2}));
}

struct Item : TCollectionItem {
    using TCollectionItem::TCollectionItem;
    int value = 0;
    void Assign(const TCollectionItem& s) override { value = static_cast<const Item&>(s).value; }
    void Set(int v)
    {
        value = v;
        Changed();
    }
};

struct Limited : TNotifyCollection {
    using TNotifyCollection::TNotifyCollection;
    TCollectionItem* Add() override
    {
        if (Count() >= 2)
            throw std::runtime_error("full");
        return TNotifyCollection::Add();
    }
    std::unique_ptr<TCollectionItem> CreateItem() override { return std::make_unique<Item>(this); }
};

TEST(Notify, CollectionReportsItemChangesAndKeepsWhatAssignCopiedBeforeAnError)
{
    Limited source(nullptr), target(nullptr);
    // Fill the source past the target's limit by bypassing it.
    for (int i = 0; i < 2; ++i)
        static_cast<Item*>(source.Add())->value = i + 10;
    int calls = 0;
    target.OnChange = [&](TObject* s) {
        EXPECT_EQ(s, &target);
        ++calls;
    };
    static_cast<Item*>(target.Add())->Set(5);
    EXPECT_EQ(calls, 2); // the add, then the item's change
    struct Three : Limited {
        using Limited::Limited;
        TCollectionItem* Add() override { return TNotifyCollection::Add(); }
    } three(nullptr);
    for (int i = 0; i < 3; ++i)
        static_cast<Item*>(three.Add())->value = i;
    calls = 0;
    EXPECT_THROW(target.Assign(three), std::runtime_error);
    EXPECT_EQ(target.Count(), 2);
    EXPECT_EQ(static_cast<Item*>(target.Items(1))->value, 1);
    EXPECT_EQ(calls, 1); // the update block still ended
    target.Assign(source);
    EXPECT_EQ(static_cast<Item*>(target.Items(0))->value, 10);
}

} // namespace
