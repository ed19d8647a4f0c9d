// Which skinner class each kind of the class tables makes. Every family
// registers its classes (RegisterButtonSkinners and the like, called by
// the skin engine); a kind no family registered makes no skinner, so
// its controls keep the system look.
#pragma once
#include "skin/controls/ClassTable.h"

namespace tf {

class TComponent;
class TSkinControl;

// Makes an unattached skinner of a kind, owned by owner, configured from the
// choice (mode, glyph property, variant).
using TSkinnerFactory = TSkinControl* (*)(TComponent* owner, const TSkinnerChoice& choice);

void RegisterSkinner(TSkinnerKind kind, TSkinnerFactory factory);
// Forgets every registered family.
void ClearSkinners();
bool SkinnerRegistered(TSkinnerKind kind);
// Null when the kind has no factory.
TSkinControl* CreateSkinner(TSkinnerKind kind, TComponent* owner, const TSkinnerChoice& choice);
TSkinControl* CreateSkinner(TSkinnerKind kind, TComponent* owner);

// A factory for a class that needs nothing from the choice but its mode.
template <class T>
TSkinControl* MakeSkinner(TComponent* owner, const TSkinnerChoice& choice)
{
    auto* skinner = new T(owner);
    skinner->SetMode(choice.Mode);
    return skinner;
}

} // namespace tf
