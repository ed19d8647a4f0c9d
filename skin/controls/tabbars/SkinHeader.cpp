#include "skin/controls/tabbars/SkinHeader.h"

#include <commctrl.h>

#include <algorithm>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/GdiHandle.h"
#include "skin/controls/tabbars/BarGeometry.h"
#include "skin/controls/buttons/ButtonDraw.h"
#include "skin/controls/tabbars/ItemText.h"
#include "skin/data/SkinText.h"
#include "skin/data/WinSkinData.h"
#include "skin/draw/SkinDraw.h"

namespace tf {

const TClassInfo& TSkinHeader::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TSkinHeader>("TSkinHeader", TSkinControl::StaticClass()).Build();
    return info;
}

TSkinHeader::TSkinHeader(TComponent* owner) : TSkinControl(owner) {}

void TSkinHeader::Attach(TSkinnerHost* form, TSkinData* data, bool setColor, TCanvas* canvas)
{
    TSkinControl::Attach(form, data, setColor, canvas);
    ResetHover();
}

void TSkinHeader::AttachWindow(HWND window, TSkinData* data, TSkinnerHost* form, TCanvas* canvas)
{
    TSkinControl::AttachWindow(window, data, form, canvas);
    ResetHover();
}

bool TSkinHeader::HasElement() const { return FSkinData && FSkinData->SkinHeader && !FSkinData->SkinHeader->Empty(); }

bool TSkinHeader::BeforeMessage(TMessage& m)
{
    return TSkinControl::BeforeMessage(m);
}

int TSkinHeader::HotItemAt(POINT p) const
{
    for (size_t i = 0; i < FItemRects.size(); ++i)
        if (PtInRect(&FItemRects[i], p)) return static_cast<int>(i);
    return HotItem();
}

void TSkinHeader::DrawControl(HDC dc, const RECT& rect)
{
    if (!HasElement() || !FHandle) return;
    TDataSkinObject& element = *FSkinData->SkinHeader;
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    if (w <= 0 || h <= 0) return;
    TBitmap work(w, h, pf24bit);
    HDC wdc = work.Canvas()->Handle();
    FillFace(wdc, RECT{0, 0, w, h});
    TSelectObject font(wdc, reinterpret_cast<HFONT>(SendMessageA(FHandle, WM_GETFONT, 0, 0)));
    TBkModeScope transparent(wdc, TRANSPARENT);
    FEnabled = true;
    auto images = reinterpret_cast<HIMAGELIST>(SendMessageA(FHandle, HDM_GETIMAGELIST, 0, 0));
    const int count = static_cast<int>(SendMessageA(FHandle, HDM_GETITEMCOUNT, 0, 0));
    FItemRects.assign(static_cast<size_t>(std::max(count, 0)), RECT{0, 0, 0, 0});
    int right = 0;
    for (int i = 0; i < count; ++i) {
        RECT r{};
        if (!SendMessageA(FHandle, HDM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r))) continue;
        DrawItem(wdc, i, r, images);
        FItemRects[static_cast<size_t>(i)] = RECT{r.left + 3, r.top, r.right - 3, r.bottom};
        right = std::max(right, static_cast<int>(r.right));
    }
    if (right < w) DrawElementFrame(wdc, RECT{right, 0, w, h}, UsableFrameCount(element.FrameCount), 1, element);
    BitBlt(dc, rect.left, rect.top, w, h, wdc, 0, 0, SRCCOPY);
}

void TSkinHeader::DrawItem(HDC dc, int index, const RECT& r, HIMAGELIST images)
{
    TDataSkinObject& element = *FSkinData->SkinHeader;
    wchar_t buffer[201] = {};
    HDITEMW item{};
    item.mask = HDI_TEXT | HDI_FORMAT | HDI_IMAGE;
    item.pszText = buffer;
    item.cchTextMax = 201;
    SendMessageW(FHandle, HDM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    const int frame = index == HotItem() ? 2 : 1;
    DrawElementFrame(dc, r, UsableFrameCount(element.FrameCount), frame, element);
    const std::wstring text = WideCopy(buffer, -1);
    if (text.empty()) return;
    const int image = HeaderItemHasImage(item.fmt) ? item.iImage : -1;
    if (FSkinData->FColorSet[SkinColor::WindowText])
        SetTextColor(dc, ColorToRGB(FSkinData->FColors[SkinColor::WindowText]));
    DrawHeaderText(dc, r, HeaderTextAlign(item.fmt), text, image, images);
}

} // namespace tf
