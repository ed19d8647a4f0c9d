#include "skin/controls/edits/SkinDateTime.h"

#include "framework/controls/WinControl.h"
#include "skin/controls/edits/ArrowButton.h"
#include "skin/controls/edits/EditDraw.h"
#include "skin/data/WinSkinData.h"

namespace tf {

const TClassInfo& TSkinDateTime::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TSkinDateTime>("TSkinDateTime", TSkinControl::StaticClass()).Build();
    return info;
}

TSkinDateTime::TSkinDateTime(TComponent* owner) : TSkinControl(owner) {}

TSkinDateTime::~TSkinDateTime()
{
    Destroying();
    delete FArrow;
    FArrow = nullptr;
    if (FState != TSkinnerState::WindowDestroyed) RestoreClipChildren();
}

void TSkinDateTime::Attach(TSkinnerHost* form, TSkinData* data, bool setColor, TCanvas* canvas)
{
    if (FAttached) return;
    TSkinControl::Attach(form, data, setColor, canvas);
    auto* picker = dynamic_cast<TWinControl*>(FControl);
    if (!picker || !FHandle) return;
    FArrow = new TArrowButton(this, picker);
    // The picker must not paint over the arrow's window.
    const LONG style = GetWindowLongA(FHandle, GWL_STYLE);
    if (!(style & WS_CLIPCHILDREN)) {
        SetWindowLongA(FHandle, GWL_STYLE, style | WS_CLIPCHILDREN);
        FAddedClipChildren = true;
    }
    FArrow->HandleNeeded();
}

void TSkinDateTime::RestoreClipChildren()
{
    if (!FAddedClipChildren || !IsWindow(FHandle)) return;
    SetWindowLongA(FHandle, GWL_STYLE, GetWindowLongA(FHandle, GWL_STYLE) & ~WS_CLIPCHILDREN);
    FAddedClipChildren = false;
}

void TSkinDateTime::Unskin()
{
    TSkinControl::Unskin();
    if (FArrow && FState != TSkinnerState::WindowDestroyed) FArrow->Hide();
}

void TSkinDateTime::ActiveChanged()
{
    // Switched off, the picker's own button shows again.
    if (FArrow) FArrow->SetVisible(FActive);
}

void TSkinDateTime::AfterMessage(TMessage& m)
{
    if (m.Msg == WM_SIZE) {
        if (FArrow) {
            FArrow->Place();
            FArrow->Invalidate();
        }
        return;
    }
    TSkinControl::AfterMessage(m);
}

void TSkinDateTime::DrawControl(HDC dc, const RECT& rect)
{
    if (FArrow) FArrow->Place();
    DrawFlatBorder(FHandle, dc, rect, 1, FSkinData->FColors[SkinColor::ButtonShadow]);
}

} // namespace tf
