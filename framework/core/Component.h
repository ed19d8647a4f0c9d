// TComponent: ownership, names, loading state and removal notification.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "LifeFlag.h"
#include "Object.h"

namespace tf {

enum TComponentStateFlag : uint32_t {
    csLoading = 1u << 0,
    csDesigning = 1u << 1,   // design time: only ever set by tests
    csDestroying = 1u << 2,
};

enum class TOperation { opInsert, opRemove };

class TComponent : public TPersistent {
    TF_CLASS(TComponent)
public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    // Marks the component (and what it owns) as destroying, then deletes it.
    void Free();

    TComponent* Owner() const { return FOwner; }
    int ComponentCount() const { return static_cast<int>(FComponents.size()); }
    TComponent* Components(int index) const { return FComponents.at(static_cast<size_t>(index)); }
    int ComponentIndex() const;
    TComponent* FindComponent(const std::string& name) const;   // case-insensitive
    void InsertComponent(TComponent* c);
    void RemoveComponent(TComponent* c);
    // Frees the owned components in creation order.
    void DestroyComponents();

    const std::string& Name() const { return FName; }
    virtual void SetName(const std::string& name);
    intptr_t Tag() const { return FTag; }
    void SetTag(intptr_t tag) { FTag = tag; }

    uint32_t ComponentState() const { return FState; }
    bool HasState(uint32_t flags) const { return (FState & flags) != 0; }
    void SetDesigning(bool value);   // recursive, for tests
    void SetLoading(bool value) { value ? FState |= csLoading : FState &= ~csLoading; }

    // Called once stored data has been read: clears the loading state.
    virtual void Loaded();
    // Told when a component this one owns, or asked to hear of, goes away;
    // the default passes the news on to every owned component.
    virtual void Notification(TComponent* c, TOperation op);
    // Asks c to call Notification(c, opRemove) on this component when c goes.
    void FreeNotification(TComponent* c);
    void RemoveFreeNotification(TComponent* c);

    // Stored data nests components: this sets the visual or logical parent.
    virtual void SetParentComponent(TComponent* parent);
    // Called on the root after reading and Loaded (forms run OnCreate here).
    virtual void ReadingFinished();

    // Reads false once the component is gone. Code that calls out to a
    // handler able to free the component (a click, a command, a close) holds
    // a watch across the call and touches nothing of it when it reads false.
    std::shared_ptr<const bool> LifeWatch() const { return FLife.Watch(); }

protected:
    void Destroying();

private:
    TComponent* FOwner = nullptr;
    std::vector<TComponent*> FComponents;
    std::vector<TComponent*> FFreeNotifies;
    std::string FName;
    intptr_t FTag = 0;
    uint32_t FState = 0;
    TLifeFlag FLife;
};

} // namespace tf
