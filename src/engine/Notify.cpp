#include "engine/Notify.h"

#include <algorithm>

void TNotifyPersistent::Changed()
{
    if (FUpdateCount == 0 && OnChange)
        OnChange(this);
}

void TNotifyPersistent::BeginUpdate()
{
    ++FUpdateCount;
}

void TNotifyPersistent::EndUpdate()
{
    if (FUpdateCount > 0)
        --FUpdateCount;
    Changed();
}

void TNotifyPersistent::ChangedProc(TObject* Sender)
{
    if (Sender != this)
        Changed();
}

void TMethodList::Remove(const TMethod& m)
{
    for (auto it = FItems.rbegin(); it != FItems.rend(); ++it) {
        if (*it == m) {
            FItems.erase(std::next(it).base());
            return;
        }
    }
}

void TNotifyEventList::Changed()
{
    if (FUpdateCount > 0)
        return;
    // A handler may remove itself (or others) while we walk, so walk a copy.
    std::vector<TMethod> handlers;
    handlers.reserve(static_cast<std::size_t>(FList.Count()));
    for (int i = 0; i < FList.Count(); ++i)
        handlers.push_back(FList.Items(i));
    for (const TMethod& m : handlers)
        if (m.Code)
            m.Code(m.Receiver, FOwner);
}

int TCollectionItem::Index() const
{
    return FCollection ? FCollection->IndexOf(this) : -1;
}

void TCollectionItem::Changed()
{
    if (FCollection)
        FCollection->Update(this);
}

TNotifyCollection::~TNotifyCollection()
{
    FItems.clear();
}

int TNotifyCollection::IndexOf(const TCollectionItem* item) const
{
    auto it = std::find_if(FItems.begin(), FItems.end(),
                           [item](const std::unique_ptr<TCollectionItem>& p) { return p.get() == item; });
    return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

TCollectionItem* TNotifyCollection::Add()
{
    FItems.push_back(CreateItem());
    TCollectionItem* item = FItems.back().get();
    item->FCollection = this;
    Update(nullptr);
    return item;
}

void TNotifyCollection::Delete(int i)
{
    if (i < 0 || i >= Count())
        return;
    FItems.erase(FItems.begin() + i);
    Update(nullptr);
}

void TNotifyCollection::Clear()
{
    if (FItems.empty())
        return;
    FItems.clear();
    Update(nullptr);
}

void TNotifyCollection::Assign(const TNotifyCollection& source)
{
    if (&source == this)
        return;
    // Through Add, so a derived collection's limits hold; the items copied before an error
    // stay, and the update level is left on every path.
    struct Guard {
        TNotifyCollection* c;
        ~Guard() { c->EndUpdate(); }
    } guard{this};
    BeginUpdate();
    FItems.clear();
    for (int i = 0; i < source.Count(); ++i)
        Add()->Assign(*source.Items(i));
}

void TNotifyCollection::EndUpdate()
{
    if (FUpdateCount > 0)
        --FUpdateCount;
    Update(nullptr);
}

void TNotifyCollection::Update(TCollectionItem*)
{
    if (FUpdateCount == 0 && OnChange)
        OnChange(this);
}

void TNotifyCollection::ChangedProc(TObject* Sender)
{
    if (Sender != this)
        Update(nullptr);
}
