#include "skin/window/ControlSkinnerLink.h"

#include <algorithm>

namespace tf {

const char* SkinnerStateName(TSkinnerState state)
{
    switch (state) {
    case TSkinnerState::Created: return "Created";
    case TSkinnerState::Attached: return "Attached";
    case TSkinnerState::Unskinned: return "Unskinned";
    case TSkinnerState::WindowDestroyed: return "WindowDestroyed";
    }
    return "Unknown";
}

void TControlSkinnerList::Add(TControlSkinnerLink* skinner)
{
    if (skinner && std::find(FItems.begin(), FItems.end(), skinner) == FItems.end())
        FItems.push_back(skinner);
}

void TControlSkinnerList::Remove(TControlSkinnerLink* skinner)
{
    const auto it = std::find(FItems.begin(), FItems.end(), skinner);
    if (it != FItems.end()) FItems.erase(it);
}

void TControlSkinnerList::DropDestroyed()
{
    for (int i = Count() - 1; i >= 0; --i) {
        if (i >= Count()) continue;   // a destructor may have removed others
        TControlSkinnerLink* s = FItems[static_cast<size_t>(i)];
        if (s->SkinnerState() == TSkinnerState::WindowDestroyed) {
            Remove(s);
            delete s;
        }
    }
}

void TControlSkinnerList::FreeAll()
{
    // Each destructor removes its own entry; take from the back so a
    // skinner that frees others (a container's parts) finds them listed.
    while (!FItems.empty()) {
        TControlSkinnerLink* s = FItems.back();
        FItems.pop_back();
        if (s->Release()) delete s;
    }
}

void TControlSkinnerList::SkinChanged()
{
    // A skinner may add or drop others while it refreshes: walk by index.
    for (size_t i = 0; i < FItems.size(); ++i) FItems[i]->SkinChanged();
}

TControlSkinnerLink* TControlSkinnerList::FindByWindow(HWND window) const
{
    for (TControlSkinnerLink* s : FItems)
        if (s->SkinnedWindow() == window) return s;
    return nullptr;
}

namespace {
TControlSkinningEntries g_entries;
}

const TControlSkinningEntries& ControlSkinning() { return g_entries; }

void InstallControlSkinning(const TControlSkinningEntries& entries) { g_entries = entries; }

} // namespace tf
