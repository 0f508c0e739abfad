#pragma once
// Change-notification bases shared by the editor's settings objects and the colouring classes.
// A settings object reports a change to its owner only outside an update block; assigning a
// whole object copies every value and reports once.
#include <functional>
#include <memory>
#include <vector>

class TObject {
public:
    virtual ~TObject() = default;
};

using TNotifyEvent = std::function<void(TObject* Sender)>;

class TNotifyPersistent : public TObject {
public:
    TNotifyEvent OnChange;

    // Calls OnChange with this object as sender when no update is in progress.
    virtual void Changed();
    virtual void BeginUpdate();
    // Leaves one update level and reports the change.
    virtual void EndUpdate();
    // The handler an owner installs on its sub-objects: a sub-object's change is the owner's.
    void ChangedProc(TObject* Sender);
    int UpdateCount() const { return FUpdateCount; }

protected:
    int FUpdateCount = 0;
};

// A handler bound to a receiver, comparable by both parts.
struct TMethod {
    void* Receiver = nullptr;
    void (*Code)(void* Receiver, TObject* Sender) = nullptr;
    friend bool operator==(const TMethod&, const TMethod&) = default;
};

// Binds a member function `void T::Handler(TObject*)` to an object.
template <auto Handler, class T>
TMethod MakeMethod(T* receiver)
{
    return TMethod{receiver, [](void* r, TObject* sender) { (static_cast<T*>(r)->*Handler)(sender); }};
}

class TMethodList {
public:
    void Add(const TMethod& m) { FItems.push_back(m); }
    // Removes the last entry equal to m in both parts, if any.
    void Remove(const TMethod& m);
    void Clear() { FItems.clear(); }
    int Count() const { return static_cast<int>(FItems.size()); }
    const TMethod& Items(int i) const { return FItems[static_cast<std::size_t>(i)]; }

private:
    std::vector<TMethod> FItems;
};

// A list of handlers that all hear one object's changes, so one colouring definition can
// notify every editor that uses it.
class TNotifyEventList : public TNotifyPersistent {
public:
    explicit TNotifyEventList(TObject* owner) : FOwner(owner) {}
    void Add(const TMethod& m) { FList.Add(m); }
    void Remove(const TMethod& m) { FList.Remove(m); }
    int Count() const { return FList.Count(); }
    TObject* Owner() const { return FOwner; }
    void Changed() override;

private:
    TMethodList FList;
    TObject* FOwner;
};

class TNotifyCollection;

class TCollectionItem : public TObject {
public:
    explicit TCollectionItem(TNotifyCollection* collection) : FCollection(collection) {}
    TNotifyCollection* Collection() const { return FCollection; }
    int Index() const;
    virtual void Assign(const TCollectionItem& source) = 0;

protected:
    // Reports a change of this item to its collection.
    void Changed();

private:
    friend class TNotifyCollection;
    TNotifyCollection* FCollection;
};

// An owned, ordered collection whose item changes are reported through OnChange with the
// collection as sender.
class TNotifyCollection : public TObject {
public:
    explicit TNotifyCollection(TObject* owner) : FOwner(owner) {}
    ~TNotifyCollection() override;
    TNotifyCollection(const TNotifyCollection&) = delete;
    TNotifyCollection& operator=(const TNotifyCollection&) = delete;

    TNotifyEvent OnChange;
    TObject* Owner() const { return FOwner; }

    int Count() const { return static_cast<int>(FItems.size()); }
    TCollectionItem* Items(int i) const { return FItems[static_cast<std::size_t>(i)].get(); }
    int IndexOf(const TCollectionItem* item) const;
    // Appends a new item made by CreateItem and reports the change.
    virtual TCollectionItem* Add();
    void Delete(int i);
    void Clear();
    // Copies every item of source (same item class) and reports once.
    virtual void Assign(const TNotifyCollection& source);

    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate();
    // An item changed (or, with nullptr, the collection as a whole).
    virtual void Update(TCollectionItem* item);
    void ChangedProc(TObject* Sender);

protected:
    virtual std::unique_ptr<TCollectionItem> CreateItem() = 0;

private:
    std::vector<std::unique_ptr<TCollectionItem>> FItems;
    TObject* FOwner;
    int FUpdateCount = 0;
};
