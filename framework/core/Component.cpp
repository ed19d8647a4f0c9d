#include "Component.h"

#include <algorithm>

#include "SysUtils.h"

namespace tf {

const TClassInfo& TComponent::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TComponent>("TComponent", TPersistent::StaticClass())
                                       .String("Name", &TComponent::Name, &TComponent::SetName)
                                       .Int("Tag", &TComponent::Tag, [](TComponent* c, int32_t v) { c->SetTag(v); })
                                       .Build();
    return info;
}

TComponent::TComponent(TComponent* owner)
{
    if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent()
{
    Destroying();
    // Tell everyone who asked to hear of this component's end.
    while (!FFreeNotifies.empty()) {
        TComponent* c = FFreeNotifies.back();
        FFreeNotifies.pop_back();
        auto& back = c->FFreeNotifies;
        back.erase(std::remove(back.begin(), back.end(), this), back.end());
        c->Notification(this, TOperation::opRemove);
    }
    DestroyComponents();
    if (FOwner) FOwner->RemoveComponent(this);
}

void TComponent::Free()
{
    Destroying();
    delete this;
}

void TComponent::Destroying()
{
    if (FState & csDestroying) return;
    FState |= csDestroying;
    for (TComponent* c : FComponents) c->Destroying();
}

int TComponent::ComponentIndex() const
{
    if (!FOwner) return -1;
    const auto& v = FOwner->FComponents;
    const auto it = std::find(v.begin(), v.end(), this);
    return it == v.end() ? -1 : static_cast<int>(it - v.begin());
}

TComponent* TComponent::FindComponent(const std::string& name) const
{
    if (name.empty()) return nullptr;
    for (TComponent* c : FComponents)
        if (SameTextAscii(c->FName, name)) return c;
    return nullptr;
}

void TComponent::InsertComponent(TComponent* c)
{
    if (c->FOwner) c->FOwner->RemoveComponent(c);
    FComponents.push_back(c);
    c->FOwner = this;
    Notification(c, TOperation::opInsert);
}

void TComponent::RemoveComponent(TComponent* c)
{
    auto it = std::find(FComponents.begin(), FComponents.end(), c);
    if (it == FComponents.end()) return;
    Notification(c, TOperation::opRemove);
    // The notification may have changed the list; search again.
    it = std::find(FComponents.begin(), FComponents.end(), c);
    if (it != FComponents.end()) FComponents.erase(it);
    c->FOwner = nullptr;
}

void TComponent::DestroyComponents()
{
    while (!FComponents.empty()) {
        TComponent* c = FComponents.front();
        FComponents.erase(FComponents.begin());
        c->FOwner = nullptr;
        Notification(c, TOperation::opRemove);
        c->Free();
    }
}

void TComponent::SetName(const std::string& name)
{
    if (name == FName) return;
    if (FOwner && !name.empty()) {
        TComponent* other = FOwner->FindComponent(name);
        if (other && other != this)
            throw EInvalidOperation("A component named " + name + " already exists");
    }
    FName = name;
}

void TComponent::SetDesigning(bool value)
{
    value ? FState |= csDesigning : FState &= ~csDesigning;
    for (TComponent* c : FComponents) c->SetDesigning(value);
}

void TComponent::Loaded() { FState &= ~csLoading; }

void TComponent::Notification(TComponent* c, TOperation op)
{
    if (op == TOperation::opRemove && c) RemoveFreeNotification(c);
    // Copy: a component told of the removal may free others.
    const std::vector<TComponent*> owned = FComponents;
    for (TComponent* child : owned)
        if (child != c) child->Notification(c, op);
}

void TComponent::FreeNotification(TComponent* c)
{
    if (!c || c == this) return;
    if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), c) == FFreeNotifies.end())
        FFreeNotifies.push_back(c);
    if (std::find(c->FFreeNotifies.begin(), c->FFreeNotifies.end(), this) == c->FFreeNotifies.end())
        c->FFreeNotifies.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* c)
{
    FFreeNotifies.erase(std::remove(FFreeNotifies.begin(), FFreeNotifies.end(), c), FFreeNotifies.end());
}

void TComponent::SetParentComponent(TComponent*) {}

void TComponent::ReadingFinished() {}

} // namespace tf
