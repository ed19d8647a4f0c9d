#include "skin/controls/SkinScrollbarH.h"

#include "skin/controls/WScrollbar.h"

namespace tf {

const TClassInfo& TSkinScrollbarH::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TSkinScrollbarH>("TSkinScrollbarH", TSkinControl::StaticClass()).Build();
    return info;
}

TSkinScrollbarH::TSkinScrollbarH(TComponent* owner) : TSkinControl(owner) {}

TSkinScrollbarH::~TSkinScrollbarH()
{
    Destroying();
    delete FHorzBar;
    delete FVertBar;
}

void TSkinScrollbarH::AttachWindow(HWND window, TSkinData* data, TSkinnerHost* form, TCanvas* canvas)
{
    FSkinData = data;
    FForm = form;
    FCanvas = canvas;
    FHandle = window;
    Register();
    FHorzBar = new TWScrollbar(this);
    FVertBar = new TWScrollbar(this);
    FHorzBar->AttachToWindow(this, window, ScrollBarKind::WindowHorz);
    FVertBar->AttachToWindow(this, window, ScrollBarKind::WindowVert);
    // Subclassed with the ANSI setter, whatever the window is.
    FIsUnicode = false;
    FWndProcThunk.Reset(TWndMethod::Of<&TSkinControl::SkinWndProc>(this));
    FOldWndProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FWndProcThunk.Proc())));
    FAttached = true;
    FState = SkinnerState::Attached;
}

void TSkinScrollbarH::UpdateBars()
{
    if (FHorzBar) FHorzBar->UpdatePosition();
    if (FVertBar) FVertBar->UpdatePosition();
}

void TSkinScrollbarH::ActiveChanged()
{
    if (FActive) {
        UpdateBars();
    } else {
        if (FHorzBar) FHorzBar->HideBar();
        if (FVertBar) FVertBar->HideBar();
    }
}

void TSkinScrollbarH::AfterMessage(TMessage& m)
{
    if (FVertBar && !IsWindowVisible(FHandle)) FVertBar->HideBar();
    switch (m.Msg) {
    case WM_SIZE:
    case WM_NCPAINT:
        UpdateBars();
        Refresh();
        return;
    case WM_HSCROLL:
    case WM_VSCROLL:
        if (TWScrollbar* bar = m.Msg == WM_HSCROLL ? FHorzBar : FVertBar) {
            bar->SetHotPart(LOWORD(m.WParam));
            bar->Invalidate();
        }
        return;
    default: TSkinControl::AfterMessage(m); return;
    }
}

void TSkinScrollbarH::DrawControl(HDC dc, const RECT&)
{
    if (FHorzBar && FHorzBar->Shown()) FHorzBar->Invalidate();
    if (FVertBar && FVertBar->Shown()) FVertBar->Invalidate();
    if (FHorzBar && FVertBar && FHorzBar->Shown() && FVertBar->Shown()) {
        const RECT v = FVertBar->BarRect(), h = FHorzBar->BarRect();
        FillFace(dc, RECT{v.left, h.top, v.right + 2, h.bottom + 2});
    }
}

void TSkinScrollbarH::Unskin()
{
    TSkinControl::Unskin();
    if (FState == SkinnerState::WindowDestroyed) return;
    delete FHorzBar;
    delete FVertBar;
    FHorzBar = FVertBar = nullptr;
}

} // namespace tf
