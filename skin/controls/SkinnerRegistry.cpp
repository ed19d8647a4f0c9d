#include "skin/controls/SkinnerRegistry.h"

#include <array>

#include "skin/controls/SkinControl.h"

namespace tf {

namespace {
std::array<TSkinnerFactory, static_cast<size_t>(TSkinnerKind::Count)>& Factories()
{
    static std::array<TSkinnerFactory, static_cast<size_t>(TSkinnerKind::Count)> factories{};
    return factories;
}
} // namespace

void RegisterSkinner(TSkinnerKind kind, TSkinnerFactory factory)
{
    Factories().at(static_cast<size_t>(kind)) = factory;
}

void ClearSkinners() { Factories().fill(nullptr); }

bool SkinnerRegistered(TSkinnerKind kind) { return Factories().at(static_cast<size_t>(kind)) != nullptr; }

TSkinControl* CreateSkinner(TSkinnerKind kind, TComponent* owner, const TSkinnerChoice& choice)
{
    const TSkinnerFactory factory = Factories().at(static_cast<size_t>(kind));
    return factory ? factory(owner, choice) : nullptr;
}

TSkinControl* CreateSkinner(TSkinnerKind kind, TComponent* owner)
{
    TSkinnerChoice choice;
    choice.Kind = kind;
    return CreateSkinner(kind, owner, choice);
}

} // namespace tf
