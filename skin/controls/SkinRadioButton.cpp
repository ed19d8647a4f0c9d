#include "skin/controls/SkinRadioButton.h"

#include "framework/controls/Controls.h"
#include "framework/graphics/Bitmap.h"
#include "skin/controls/ButtonDraw.h"
#include "skin/controls/ButtonFaces.h"
#include "skin/controls/CheckMark.h"
#include "skin/data/WinSkinData.h"

namespace tf {

namespace {
TBitmap* RadioStrip(TSkinData* data)
{
    if (!data || !data->SkinButtons || data->SkinButtons->RadioBitmap->Empty()) return nullptr;
    return data->SkinButtons->RadioBitmap.get();
}
} // namespace

const TClassInfo& TSkinRadioButton::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TSkinRadioButton>("TSkinRadioButton", TSkinControl::StaticClass()).Build();
    return info;
}

TSkinRadioButton::TSkinRadioButton(TComponent* owner) : TSkinControl(owner) {}

void TSkinRadioButton::Attach(TSkinnerHost* form, TSkinData* data, bool setColor, TCanvas* canvas)
{
    TSkinControl::Attach(form, data, setColor, canvas);
    FMode = FControl && RadioStrip(data) ? 1 : 0;
    FTransparent = (FControl && FControl->Tag() == 5555) || (data && data->Options().Contains(xoTransparent));
}

bool TSkinRadioButton::BeforeMessage(TMessage& m)
{
    const bool passOn = TSkinControl::BeforeMessage(m);
    if ((m.Msg == WM_PAINT || m.Msg == WM_PRINT || m.Msg == WM_PRINTCLIENT) && FMode == 1) {
        PaintMessage(*this, m);
        return false;
    }
    if (m.Msg == WM_ERASEBKGND && FTransparent) {
        EraseBackground(*this, m);
        return false;
    }
    return passOn;
}

void TSkinRadioButton::AfterMessage(TMessage& m)
{
    switch (m.Msg) {
    case BM_SETCHECK:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case CM_EXIT:
    case 0xB0D0: Refresh(); return;
    default: TSkinControl::AfterMessage(m); return;
    }
}

void TSkinRadioButton::DrawControl(HDC dc, const RECT& rect)
{
    TBitmap* strip = RadioStrip(FSkinData);
    if (!strip) {
        FMode = 0;
        return;
    }
    bool checked = SendMessageA(FHandle, BM_GETCHECK, 0, 0) & 1;
    if (FControl && FindProperty(FControl, "Checked")) checked = ReadEnumLower(FControl, "Checked") == "true";
    const bool disabled = WindowLong(FHandle, GWL_STYLE) & WS_DISABLED;
    TCheckMarkPaint paint;
    paint.Strip = strip;
    paint.FrameCount = FSkinData->SkinButtons->RadioFrameCount;
    paint.Frame = RadioButtonFrame(checked, disabled, paint.FrameCount);
    paint.RightInset = 1;
    paint.WholeControl = FMode != 0;
    paint.Transparent = FTransparent;
    DrawCheckMark(*this, dc, rect, paint);
}

} // namespace tf
