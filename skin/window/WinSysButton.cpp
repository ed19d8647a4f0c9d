#include "skin/window/WinSysButton.h"

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/GdiHandle.h"
#include "skin/data/WinSkinData.h"
#include "skin/draw/SkinDraw.h"
#include "skin/window/CaptionButtonRules.h"
#include "skin/window/SkinChrome.h"
#include "skin/window/WinSkinForm.h"

namespace tf {

TWinSysButton::TWinSysButton(TSkinChrome& owner, int index)
    : TNCObject(owner), elementIndex(index), under(std::make_unique<TBitmap>())
{
}

TWinSysButton::~TWinSysButton() = default;

TDataSkinSysButton* TWinSysButton::Element() const
{
    TSkinData* data = chrome.SkinData();
    if (!data || elementIndex < 0 || elementIndex >= static_cast<int>(data->SkinSysButtons.size())) return nullptr;
    return data->SkinSysButtons[static_cast<size_t>(elementIndex)].get();
}

int TWinSysButton::Action() const
{
    const TDataSkinSysButton* e = Element();
    return e ? e->Action : -1;
}

bool TWinSysButton::HasImage() const
{
    const TDataSkinSysButton* e = Element();
    return e && !e->Empty();
}

SIZE TWinSysButton::FrameSize() const
{
    const TDataSkinSysButton* e = Element();
    if (!e || e->Empty()) return SIZE{0, 0};
    return SIZE{e->Bitmap->Width() / std::max(e->FrameCount, 1), e->Bitmap->Height()};
}

void TWinSysButton::Paint(HDC dc, int frame)
{
    TDataSkinSysButton* e = Element();
    if (!e || e->Empty()) return;
    const RECT r{bounds.Left, bounds.Top, bounds.Right, bounds.Bottom};
    if (caption::IsIconButton(e->Action)) chrome.Form().DrawCaptionIcon(dc, r);
    else DrawElementStretched(dc, r, *e->Bitmap, frame, std::max(e->FrameCount, 1), true);
}

void TWinSysButton::DrawInto(HDC dc, int frame)
{
    const int w = bounds.Width(), h = bounds.Height();
    if (w > 0 && h > 0) {
        under->SetSize(w, h);
        ::BitBlt(under->Canvas()->Handle(), 0, 0, w, h, dc, bounds.Left, bounds.Top, SRCCOPY);
    }
    Paint(dc, frame);
}

void TWinSysButton::Draw()
{
    TDataSkinSysButton* e = Element();
    const int w = bounds.Width(), h = bounds.Height();
    if (!e || e->Empty() || !visible || w <= 0 || h <= 0) return;
    TWindowDC window(chrome.Window());
    if (!window.Get()) return;
    const int frame = caption::WindowFrame(drawState, enabled, std::max(e->FrameCount, 1), e->Visibility);
    if (caption::IsIconButton(e->Action)) {
        Paint(window.Get(), frame);
        return;
    }
    // Off-screen over what the button lies on, then one copy to the window.
    TBitmap image(w, h, pf24bit);
    HDC dc = image.Canvas()->Handle();
    if (under->Width() == w && under->Height() == h)
        ::BitBlt(dc, 0, 0, w, h, under->Canvas()->Handle(), 0, 0, SRCCOPY);
    else
        ::BitBlt(dc, 0, 0, w, h, window.Get(), bounds.Left, bounds.Top, SRCCOPY);
    DrawElementStretched(dc, RECT{0, 0, w, h}, *e->Bitmap, frame, std::max(e->FrameCount, 1), true);
    ::BitBlt(window.Get(), bounds.Left, bounds.Top, w, h, dc, 0, 0, SRCCOPY);
}

} // namespace tf
