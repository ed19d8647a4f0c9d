#include "skin/controls/buttons/SkinRadioButton.h"

#include "framework/controls/Controls.h"
#include "framework/graphics/Bitmap.h"
#include "skin/controls/buttons/ButtonFaces.h"
#include "skin/data/WinSkinData.h"

namespace tf {

const TClassInfo& TSkinRadioButton::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TSkinRadioButton>("TSkinRadioButton", TSkinCheckMark::StaticClass()).Build();
    return info;
}

TSkinRadioButton::TSkinRadioButton(TComponent* owner) : TSkinCheckMark(owner) {}

TBitmap* TSkinRadioButton::Strip() const
{
    if (!FSkinData || !FSkinData->SkinButtons || FSkinData->SkinButtons->RadioBitmap->Empty()) return nullptr;
    return FSkinData->SkinButtons->RadioBitmap.get();
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
    if (!Strip()) {
        FMode = 0;
        return;
    }
    bool checked = SendMessageA(FHandle, BM_GETCHECK, 0, 0) & 1;
    if (FControl && FindProperty(FControl, "Checked")) checked = ReadEnumLower(FControl, "Checked") == "true";
    const bool disabled = WindowLong(FHandle, GWL_STYLE) & WS_DISABLED;
    const int count = FSkinData->SkinButtons->RadioFrameCount;
    // Its box stands one pixel further in when the text is on its left.
    DrawMark(dc, rect, count, RadioButtonFrame(checked, disabled, count), 1);
}

} // namespace tf
