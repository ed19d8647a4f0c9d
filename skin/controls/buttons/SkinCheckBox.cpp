#include "skin/controls/buttons/SkinCheckBox.h"

#include "framework/controls/Controls.h"
#include "framework/graphics/Bitmap.h"
#include "skin/controls/buttons/ButtonFaces.h"
#include "skin/data/WinSkinData.h"

namespace tf {

const TClassInfo& TSkinCheckBox::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TSkinCheckBox>("TSkinCheckBox", TSkinCheckMark::StaticClass()).Build();
    return info;
}

TSkinCheckBox::TSkinCheckBox(TComponent* owner) : TSkinCheckMark(owner) {}

TBitmap* TSkinCheckBox::Strip() const
{
    if (!FSkinData || !FSkinData->SkinButtons || FSkinData->SkinButtons->CheckBitmap->Empty()) return nullptr;
    return FSkinData->SkinButtons->CheckBitmap.get();
}

void TSkinCheckBox::Attach(TSkinnerHost* form, TSkinData* data, bool setColor, TCanvas* canvas)
{
    TSkinCheckMark::Attach(form, data, setColor, canvas);
    FDataState = 0;
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
    if (!Strip()) {
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
    // A grayed state told by the control is indeterminate as the window's is.
    const bool indeterminate = (state & BST_INDETERMINATE) || check == 4;
    const int count = FSkinData->SkinButtons->CheckFrameCount;
    DrawMark(dc, rect, count, CheckBoxFrame(check, disabled, indeterminate, count), 0);
}

} // namespace tf
