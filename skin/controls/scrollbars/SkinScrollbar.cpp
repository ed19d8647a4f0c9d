#include "skin/controls/scrollbars/SkinScrollbar.h"

#include "framework/controls/WinControl.h"
#include "framework/graphics/GdiHandle.h"
#include "framework/core/SysUtils.h"
#include "skin/controls/scrollbars/ScrollGeometry.h"
#include "skin/controls/scrollbars/WScrollbar.h"
#include "skin/data/WinSkinData.h"

namespace tf {

const TClassInfo& TSkinScrollbar::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TSkinScrollbar>("TSkinScrollbar", TSkinControl::StaticClass()).Build();
    return info;
}

TSkinScrollbar::TSkinScrollbar(TComponent* owner) : TSkinControl(owner) {}

TSkinScrollbar::~TSkinScrollbar()
{
    Destroying();
    if (FSetColor && FActive && FState == TSkinnerState::Attached) WriteProperty(FControl, "FixedColor", IntToStr(FSavedColor));
    FSetColor = false;
    FBars.Free();
}

void TSkinScrollbar::AttachScroll(TControl* control, TSkinData* data, TSkinnerHost* form, TCanvas* canvas)
{
    if (FAttached || !control) return;
    FSkinData = data;
    FForm = form;
    FCanvas = canvas;
    FControl = control;
    auto* win = dynamic_cast<TWinControl*>(control);
    FHandle = win ? win->Handle() : nullptr;
    FIsUnicode = FHandle && IsWindowUnicode(FHandle);
    Register();
    FHasBorder = ReadEnumLower(control, "BorderStyle") != "bsnone" && control->ClassName() != "TImageScrollBox" && FMode != 1;
    if (FindProperty(control, "FixedColor") && FindProperty(control, "FixedColor")->Kind == TPropKind::Integer) {
        FSavedColor = static_cast<TColor>(ReadIntProperty(control, "FixedColor"));
        FSetColor = true;
        WriteProperty(control, "FixedColor", IntToStr(FaceColor()));
    }
    FBars.Make(this, control, FHandle);
    FBars.SetEnabled(control->Enabled());
    if (!control->Visible()) FBars.Hide();
    FOldWindowProc = control->WindowProc;
    control->WindowProc = TWndMethod::Of<&TSkinControl::SkinWndProc>(this);
    FAttached = true;
    FState = TSkinnerState::Attached;
}

void TSkinScrollbar::ActiveChanged()
{
    // Off: the control's own bars show; on: the overlays come back.
    FActive ? FBars.Update() : FBars.Hide();
    if (FHandle) RedrawWindow(FHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE);
}

bool TSkinScrollbar::BeforeMessage(TMessage& m)
{
    if (m.Msg == WM_NCPAINT && FHasBorder) {
        if (!CallDefault(m)) return false;
        HDC dc = GetWindowDC(FHandle);
        DrawBorder(dc);
        ReleaseDC(FHandle, dc);
        return false;
    }
    return TSkinControl::BeforeMessage(m);
}

void TSkinScrollbar::DrawBorder(HDC dc)
{
    if (!dc || !FSkinData) return;
    RECT r;
    if (!GetWindowRect(FHandle, &r)) return;
    OffsetRect(&r, -r.left, -r.top);
    TBrushHandle shadow(CreateSolidBrush(ColorToRGB(FSkinData->FColors[SkinColor::ButtonShadow])));
    TBrushHandle face(CreateSolidBrush(ColorToRGB(FaceColor())));
    FrameRect(dc, &r, shadow.Get());
    InflateRect(&r, -1, -1);
    FrameRect(dc, &r, face.Get());
}

void TSkinScrollbar::AfterMessage(TMessage& m)
{
    switch (m.Msg) {
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED: FBars.Update(); return;
    case WM_HSCROLL:
    case WM_VSCROLL: FBars.Scrolling(m.Msg, m.WParam); return;
    case WM_MOUSEWHEEL: FBars.InvalidateShown(); return;
    case CM_VISIBLECHANGED: m.WParam ? FBars.Update() : FBars.Hide(); return;
    case CM_ENABLEDCHANGED:
        if (FControl) FBars.SetEnabled(FControl->Enabled());
        return;
    case CM_RECREATEWND:
        // The form skinner replaces this skinner by a fresh one.
        if (FForm) PostMessageA(FForm->Window(), SKM_RESKINSCROLLBAR, reinterpret_cast<WPARAM>(FHandle), 0);
        return;
    case SKM_PAINTFRAMETO:
        if (m.LParam != SkinMessageMark) return;
        if (m.WParam) DrawBorder(reinterpret_cast<HDC>(m.WParam));
        m.Result = SkinMessageMark;
        return;
    default: TSkinControl::AfterMessage(m); return;
    }
}

void TSkinScrollbar::DrawControl(HDC dc, const RECT&)
{
    const LONG style = WindowLong(FHandle, GWL_STYLE);
    for (TWScrollbar* bar : {FBars.Horz(), FBars.Vert()}) {
        if (!bar) continue;
        if (bar->Shown()) bar->Invalidate();
        else if (style & (bar == FBars.Vert() ? WS_VSCROLL : WS_HSCROLL)) bar->UpdatePosition();
    }
    if (FBars.BothShown()) {
        const RECT v = FBars.Vert()->BarRect(), h = FBars.Horz()->BarRect();
        FillFace(dc, RECT{v.left + 2, h.top + 2, v.right + 2, h.bottom + 2});
    }
}

void TSkinScrollbar::Unskin()
{
    if (FSetColor) WriteProperty(FControl, "FixedColor", IntToStr(FSavedColor));
    FSetColor = false;
    TSkinControl::Unskin();
    if (FState != TSkinnerState::WindowDestroyed) FBars.Free();
}

void TSkinScrollbar::SkinChanged()
{
    // The colour saved at attach stays the one to give back.
    if (FSetColor) WriteProperty(FControl, "FixedColor", IntToStr(FaceColor()));
    FBars.InvalidateShown();
}

} // namespace tf
