#include "skin/controls/scrollbars/BarPair.h"

#include "skin/controls/scrollbars/WScrollbar.h"
#include "skin/controls/SkinControl.h"

namespace tf {

void TBarPair::Make(TSkinControl* owner, TControl* control, HWND window)
{
    Free();
    FHorz = new TWScrollbar(owner);
    FVert = new TWScrollbar(owner);
    if (control) {
        FHorz->AttachToControl(owner, control, ScrollBarKind::WindowHorz);
        FVert->AttachToControl(owner, control, ScrollBarKind::WindowVert);
    } else {
        FHorz->AttachToWindow(owner, window, ScrollBarKind::WindowHorz);
        FVert->AttachToWindow(owner, window, ScrollBarKind::WindowVert);
    }
}

void TBarPair::Free()
{
    delete FHorz;
    delete FVert;
    FHorz = FVert = nullptr;
}

void TBarPair::Update()
{
    if (FHorz) FHorz->UpdatePosition();
    if (FVert) FVert->UpdatePosition();
}

void TBarPair::Hide()
{
    if (FHorz) FHorz->HideBar();
    if (FVert) FVert->HideBar();
}

void TBarPair::SetEnabled(bool enabled)
{
    if (FHorz) FHorz->SetEnabled(enabled);
    if (FVert) FVert->SetEnabled(enabled);
}

void TBarPair::Scrolling(UINT msg, WPARAM wParam)
{
    if (TWScrollbar* bar = msg == WM_HSCROLL ? FHorz : FVert) {
        bar->SetHotPart(LOWORD(wParam));
        bar->Invalidate();
    }
}

void TBarPair::InvalidateShown()
{
    if (FHorz && FHorz->Shown()) FHorz->Invalidate();
    if (FVert && FVert->Shown()) FVert->Invalidate();
}

bool TBarPair::BothShown() const { return FHorz && FVert && FHorz->Shown() && FVert->Shown(); }

} // namespace tf
