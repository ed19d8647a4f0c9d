#include "skin/controls/tabbars/SkinTabBtn.h"

#include <commctrl.h>

#include "framework/controls/Controls.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/GdiHandle.h"
#include "skin/controls/buttons/ButtonDraw.h"
#include "skin/controls/tabbars/ItemText.h"
#include "skin/data/WinSkinData.h"
#include "skin/draw/SkinDraw.h"

namespace tf {

const TClassInfo& TSkinTabBtn::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TSkinTabBtn>("TSkinTabBtn", TSkinControl::StaticClass()).Build();
    return info;
}

TSkinTabBtn::TSkinTabBtn(TComponent* owner) : TSkinControl(owner) {}

bool TSkinTabBtn::BeforeMessage(TMessage& m)
{
    return TSkinControl::BeforeMessage(m);
}

void TSkinTabBtn::DrawControl(HDC dc, const RECT& rect)
{
    if (!FHandle || !FSkinData) return;
    FEnabled = FControl ? FControl->Enabled() : IsWindowEnabled(FHandle) != FALSE;
    RECT display = rect;
    SendMessageA(FHandle, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    const RECT strip{rect.left, rect.top, rect.right, display.top - 4 + 1};
    const int w = strip.right - strip.left, h = strip.bottom - strip.top;
    TDataSkinButton& face = *FSkinData->SkinButtons;
    if (face.Empty() || w <= 0 || h <= 0) return;

    // Drawn in place: the paint route gives an off-screen DC already.
    HDC wdc = dc;
    TSavedDC saved(dc);
    OffsetViewportOrgEx(dc, strip.left, strip.top, nullptr);
    IntersectClipRect(dc, 0, 0, w, h);
    FillFace(wdc, RECT{0, 0, w, h});
    TSelectObject font(wdc, reinterpret_cast<HFONT>(SendMessageA(FHandle, WM_GETFONT, 0, 0)));
    const bool unicode = IsWindowUnicode(FHandle);
    const int count = static_cast<int>(SendMessageA(FHandle, TCM_GETITEMCOUNT, 0, 0));
    const int focus = static_cast<int>(SendMessageA(FHandle, TCM_GETCURFOCUS, 0, 0));
    auto images = reinterpret_cast<HIMAGELIST>(SendMessageA(FHandle, TCM_GETIMAGELIST, 0, 0));
    for (int i = 0; i < count; ++i) {
        RECT r{};
        if (!SendMessageA(FHandle, TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r))) continue;
        OffsetRect(&r, -strip.left, 1 - strip.top);
        const int state = i == focus ? 2 : 1;
        DrawElementFrame(wdc, r, UsableFrameCount(face.FrameCount), state, face);
        TColor color = clBlack;
        if (state == 1 && face.HasNormalColour2) color = face.NormalColour2;
        if (state == 2 && face.HasPressedColour2) color = face.PressedColour2;
        SetTextColor(wdc, ColorToRGB(color));
        int image = -1;
        const std::wstring text = TabItemText(FHandle, unicode, i, image);
        DrawImageAndText(wdc, r, 1, text, image, images, FEnabled);
    }
}

} // namespace tf
