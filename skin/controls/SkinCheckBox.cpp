#include "skin/controls/SkinCheckBox.h"

#include "framework/controls/Controls.h"
#include "framework/graphics/Bitmap.h"
#include "skin/controls/ButtonDraw.h"
#include "skin/controls/ButtonFaces.h"
#include "skin/controls/CheckMark.h"
#include "skin/data/WinSkinData.h"

namespace tf {

namespace {
TBitmap* CheckStrip(TSkinData* data)
{
    if (!data || !data->SkinButtons || data->SkinButtons->CheckBitmap->Empty()) return nullptr;
    return data->SkinButtons->CheckBitmap.get();
}
} // namespace

const TClassInfo& TSkinCheckBox::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TSkinCheckBox>("TSkinCheckBox", TSkinControl::StaticClass()).Build();
    return info;
}

TSkinCheckBox::TSkinCheckBox(TComponent* owner) : TSkinControl(owner) {}

void TSkinCheckBox::Attach(TSkinnerHost* form, TSkinData* data, bool setColor, TCanvas* canvas)
{
    TSkinControl::Attach(form, data, setColor, canvas);
    FDataState = 0;
    FMode = FControl && CheckStrip(data) ? 1 : 0;
    FTransparent = (FControl && FControl->Tag() == 5555) || (data && data->Options().Contains(xoTransparent));
}

bool TSkinCheckBox::BeforeMessage(TMessage& m)
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

void TSkinCheckBox::AfterMessage(TMessage& m)
{
    switch (m.Msg) {
    case BM_SETCHECK:
        FDataState = static_cast<int>(m.WParam) + 1;
        Refresh();
        return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case CM_EXIT:
    case 0xB0D0: Refresh(); return;
    default: TSkinControl::AfterMessage(m); return;
    }
}

void TSkinCheckBox::DrawControl(HDC dc, const RECT& rect)
{
    TBitmap* strip = CheckStrip(FSkinData);
    if (!strip) {
        FMode = 0;
        return;
    }
    const LRESULT state = SendMessageA(FHandle, BM_GETSTATE, 0, 0);
    int check = (state & BST_CHECKED) ? 2 : 1;
    if (FControl) {
        if (FindProperty(FControl, "State")) {
            if (const int told = CheckFrameOfState(ReadEnumLower(FControl, "State"))) check = told;
        } else if (FindProperty(FControl, "Checked")) {
            check = ReadEnumLower(FControl, "Checked") == "true" ? 2 : 1;
        }
        if (FindProperty(FControl, "DataField") && FDataState != 0) check = FDataState == 3 ? 4 : FDataState;
        if (FindProperty(FControl, "DataBinding")) check = 1;
    }
    const bool disabled = WindowLong(FHandle, GWL_STYLE) & WS_DISABLED;
    const bool indeterminate = (state & BST_INDETERMINATE) || check == 4;
    TCheckMarkPaint paint;
    paint.Strip = strip;
    paint.FrameCount = FSkinData->SkinButtons->CheckFrameCount;
    paint.Frame = CheckBoxFrame(check, disabled, indeterminate, paint.FrameCount);
    paint.WholeControl = FMode != 0;
    paint.Transparent = FTransparent;
    DrawCheckMark(*this, dc, rect, paint);
}

} // namespace tf
