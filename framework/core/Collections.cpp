#include "Collections.h"

#include <algorithm>

#include "Strings.h"
#include "SysUtils.h"

namespace tf {

const TClassInfo& TCollectionItem::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TCollectionItem>("TCollectionItem", TPersistent::StaticClass()).Build();
    return info;
}

const TClassInfo& TCollection::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TCollection>("TCollection", TPersistent::StaticClass()).Build();
    return info;
}

TCollectionItem::TCollectionItem(TCollection* collection) : FCollection(collection) {}

TCollectionItem::~TCollectionItem()
{
    if (FCollection) FCollection->Detach(this);
}

int TCollectionItem::Index() const { return FCollection ? FCollection->IndexOf(this) : -1; }

void TCollectionItem::Changed(bool allItems)
{
    if (FCollection) FCollection->Changed(allItems ? nullptr : this);
}

TCollection::TCollection(TPersistent* owner, TItemFactory factory) : FOwner(owner), FFactory(factory) {}

TCollection::~TCollection()
{
    FUpdateCount = 1;   // no change notifications while dying
    Clear();
}

TCollectionItem* TCollection::Items(int index) const
{
    if (index < 0 || index >= Count()) throw EListError(Format(SListIndexError, index));
    return FItems[static_cast<size_t>(index)];
}

TCollectionItem* TCollection::Add()
{
    TCollectionItem* item = FFactory(this);
    item->FCollection = this;
    FItems.push_back(item);
    Changed(nullptr);
    return item;
}

void TCollection::Delete(int index) { delete Items(index); }

void TCollection::Clear()
{
    if (FItems.empty()) return;
    BeginUpdate();
    while (!FItems.empty()) delete FItems.back();
    EndUpdate();
}

int TCollection::IndexOf(const TCollectionItem* item) const
{
    const auto it = std::find(FItems.begin(), FItems.end(), item);
    return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

void TCollection::BeginUpdate() { ++FUpdateCount; }

void TCollection::EndUpdate()
{
    if (FUpdateCount > 0 && --FUpdateCount == 0) Changed(nullptr);
}

void TCollection::Assign(TPersistent* source)
{
    auto* src = dynamic_cast<TCollection*>(source);
    if (!src) {
        TPersistent::Assign(source);
        return;
    }
    BeginUpdate();
    try {
        Clear();
        for (TCollectionItem* item : src->FItems) Add()->Assign(item);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TCollection::Update(TCollectionItem*) {}

void TCollection::Changed(TCollectionItem* item)
{
    if (FUpdateCount == 0) Update(item);
}

void TCollection::Detach(TCollectionItem* item)
{
    const auto it = std::find(FItems.begin(), FItems.end(), item);
    if (it == FItems.end()) return;
    FItems.erase(it);
    item->FCollection = nullptr;
    Changed(nullptr);
}

} // namespace tf
