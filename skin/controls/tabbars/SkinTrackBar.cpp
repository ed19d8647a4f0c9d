#include "skin/controls/tabbars/SkinTrackBar.h"

#include <exception>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/GdiHandle.h"
#include "skin/controls/tabbars/BarGeometry.h"
#include "skin/controls/buttons/ButtonDraw.h"
#include "skin/data/WinSkinData.h"
#include "skin/draw/SkinDraw.h"

namespace tf {

const TClassInfo& TSkinTrackBar::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TSkinTrackBar>("TSkinTrackBar", TSkinControl::StaticClass()).Build();
    return info;
}

TSkinTrackBar::TSkinTrackBar(TComponent* owner) : TSkinControl(owner) {}

bool TSkinTrackBar::BeforeMessage(TMessage& m)
{
    if (m.Msg == WM_NOTIFY || m.Msg == CN_NOTIFY) {
        // The skin engine's own messages share CN_NOTIFY; they carry the mark.
        if (m.LParam == 0 || m.LParam == ForeignMessageMark) return TSkinControl::BeforeMessage(m);
        auto* header = reinterpret_cast<NMHDR*>(m.LParam);
        // Only the track bar's own drawing (not that of its tooltip).
        if (header->code == static_cast<UINT>(NM_CUSTOMDRAW) && header->hwndFrom == FHandle) {
            // A failure while drawing leaves the control its own drawing
            // from then on, reported once (never a message box in a paint).
            try {
                m.Result = CustomDraw(*reinterpret_cast<NMCUSTOMDRAW*>(m.LParam));
            } catch (const std::exception& e) {
                ReportFailure(e.what());
                m.Result = CDRF_DODEFAULT;
            }
            return false;
        }
    }
    return TSkinControl::BeforeMessage(m);
}

LRESULT TSkinTrackBar::CustomDraw(NMCUSTOMDRAW& draw)
{
    switch (draw.dwDrawStage) {
    case CDDS_PREPAINT: return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT:
        switch (draw.dwItemSpec) {
        case TBCD_THUMB:
            DrawThumb(draw.hdc);
            return CDRF_SKIPDEFAULT;
        case TBCD_CHANNEL:
            // Without a channel image the control keeps its own channel.
            return DrawChannel(draw.hdc) ? CDRF_SKIPDEFAULT : CDRF_DODEFAULT;
        default: return CDRF_DODEFAULT;   // tick marks are the control's
        }
    default: return CDRF_DODEFAULT;
    }
}

void TSkinTrackBar::DrawThumb(HDC dc)
{
    if (!IsWindow(FHandle) || !FSkinData) return;
    RECT r{};
    SendMessageA(FHandle, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&r));
    const bool vertical = WindowLong(FHandle, GWL_STYLE) & TBS_VERT;
    TDataSkinObject* image = nullptr;
    if (vertical && FSkinData->SkinTrackThumbVert && !FSkinData->SkinTrackThumbVert->Empty())
        image = FSkinData->SkinTrackThumbVert.get();
    else if (FSkinData->SkinTrackThumbHorz && !FSkinData->SkinTrackThumbHorz->Empty())
        image = FSkinData->SkinTrackThumbHorz.get();
    if (image) {
        DrawStripFrame(dc, r, 5, 2, *image->Bitmap);
        return;
    }
    TBrushHandle shadow(CreateSolidBrush(ColorToRGB(FSkinData->FColors[SkinColor::ButtonShadow])));
    FrameRect(dc, &r, shadow.Get());
}

bool TSkinTrackBar::DrawChannel(HDC dc)
{
    if (!FSkinData) return false;
    RECT reported{};
    SendMessageA(FHandle, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&reported));
    const bool vertical = WindowLong(FHandle, GWL_STYLE) & TBS_VERT;
    TDataSkinObject* image = vertical ? FSkinData->SkinTrackVert.get() : FSkinData->SkinTrack.get();
    if (!image || image->Empty()) return false;
    TLayoutRect channel{reported.left, reported.top, reported.right, reported.bottom};
    if (vertical) channel = StandVerticalChannel(channel);
    const int thickness = vertical ? image->Bitmap->Width() : image->Bitmap->Height();
    const TLayoutRect r = TrackChannelImageRect(channel, thickness, vertical);
    // Ends at their own size along the channel, the middle stretched.
    const RECT& m = image->Margins;
    const RECT ends = vertical ? RECT{0, m.top, 0, m.bottom} : RECT{m.left, 0, m.right, 0};
    DrawElement(dc, RECT{r.Left, r.Top, r.Right, r.Bottom}, *image->Bitmap, ends, 1, 1, false, false, false);
    return true;
}

void TSkinTrackBar::SkinChanged()
{
    // The control redraws channel and thumb through custom draw.
    TSkinControl::SkinChanged();
}

} // namespace tf
