// Collections: owned, ordered lists of persistent items (a cool bar's bands,
// a status bar's panels) that stored data fills item by item.
#pragma once
#include <vector>

#include "Object.h"

namespace tf {

class TCollection;

class TCollectionItem : public TPersistent {
    TF_CLASS(TCollectionItem)
public:
    explicit TCollectionItem(TCollection* collection);
    ~TCollectionItem() override;
    TCollectionItem(const TCollectionItem&) = delete;
    TCollectionItem& operator=(const TCollectionItem&) = delete;

    TCollection* Collection() const { return FCollection; }
    int Index() const;

protected:
    // Tells the collection that this item changed (all: nullptr).
    void Changed(bool allItems);

private:
    friend class TCollection;
    TCollection* FCollection = nullptr;
};

class TCollection : public TPersistent {
    TF_CLASS(TCollection)
public:
    using TItemFactory = TCollectionItem* (*)(TCollection*);
    // owner: the persistent object that holds the collection; factory makes one item.
    TCollection(TPersistent* owner, TItemFactory factory);
    ~TCollection() override;
    TCollection(const TCollection&) = delete;
    TCollection& operator=(const TCollection&) = delete;

    TPersistent* Owner() const { return FOwner; }
    int Count() const { return static_cast<int>(FItems.size()); }
    TCollectionItem* Items(int index) const;   // raises EListError
    TCollectionItem* Add();
    void Delete(int index);
    void Clear();
    int IndexOf(const TCollectionItem* item) const;

    void BeginUpdate();
    void EndUpdate();
    void Assign(TPersistent* source) override;

protected:
    // Called after items are added, removed or changed (item null: many).
    virtual void Update(TCollectionItem* item);

private:
    friend class TCollectionItem;
    void Changed(TCollectionItem* item);
    void Detach(TCollectionItem* item);

    TPersistent* FOwner;
    TItemFactory FFactory;
    std::vector<TCollectionItem*> FItems;
    int FUpdateCount = 0;
};

// Factory for a collection of items of class T (T constructible from TCollection*).
template <class T>
TCollectionItem* MakeCollectionItem(TCollection* c)
{
    return new T(c);
}

} // namespace tf
