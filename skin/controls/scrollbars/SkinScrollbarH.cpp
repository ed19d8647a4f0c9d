#include "skin/controls/scrollbars/SkinScrollbarH.h"

#include "skin/controls/scrollbars/WScrollbar.h"

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
    FBars.Free();
}

void TSkinScrollbarH::AttachWindow(HWND window, TSkinData* data, TSkinnerHost* form, TCanvas* canvas)
{
    FSkinData = data;
    FForm = form;
    FCanvas = canvas;
    FHandle = window;
    Register();
    FBars.Make(this, nullptr, window);
    // Subclassed with the ANSI setter, whatever the window is.
    FIsUnicode = false;
    FWndProcThunk.Reset(TWndMethod::Of<&TSkinControl::SkinWndProc>(this));
    FOldWndProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FWndProcThunk.Proc())));
    FAttached = true;
    FState = TSkinnerState::Attached;
}

void TSkinScrollbarH::ActiveChanged() { FActive ? FBars.Update() : FBars.Hide(); }

void TSkinScrollbarH::AfterMessage(TMessage& m)
{
    if (FBars.Vert() && !IsWindowVisible(FHandle)) FBars.Vert()->HideBar();
    switch (m.Msg) {
    case WM_SIZE:
    case WM_NCPAINT:
        FBars.Update();
        Refresh();
        return;
    case WM_HSCROLL:
    case WM_VSCROLL: FBars.Scrolling(m.Msg, m.WParam); return;
    default: TSkinControl::AfterMessage(m); return;
    }
}

void TSkinScrollbarH::DrawControl(HDC dc, const RECT&)
{
    FBars.InvalidateShown();
    if (FBars.BothShown()) {
        const RECT v = FBars.Vert()->BarRect(), h = FBars.Horz()->BarRect();
        FillFace(dc, RECT{v.left, h.top, v.right + 2, h.bottom + 2});
    }
}

void TSkinScrollbarH::Unskin()
{
    TSkinControl::Unskin();
    if (FState != TSkinnerState::WindowDestroyed) FBars.Free();
}

} // namespace tf
