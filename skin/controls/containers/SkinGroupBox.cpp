#include "skin/controls/containers/SkinGroupBox.h"

#include "framework/controls/WinControl.h"
#include "framework/graphics/GdiHandle.h"
#include "skin/controls/buttons/ButtonDraw.h"
#include "skin/controls/containers/ContainerGeometry.h"
#include "skin/data/SkinText.h"
#include "skin/data/WinSkinData.h"

namespace tf {

const TClassInfo& TSkinGroupBox::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TSkinGroupBox>("TSkinGroupBox", TSkinControl::StaticClass()).Build();
    return info;
}

TSkinGroupBox::TSkinGroupBox(TComponent* owner) : TSkinControl(owner) {}

TSkinGroupBox::~TSkinGroupBox()
{
    if (SkinsLivingControl()) Unskin();
}

void TSkinGroupBox::Attach(TSkinnerHost* form, TSkinData* data, bool setColor, TCanvas* canvas)
{
    TSkinControl::Attach(form, data, setColor, canvas);
    FMode = FControl ? 1 : 0;
}

bool TSkinGroupBox::BeforeMessage(TMessage& m)
{
    return TSkinControl::BeforeMessage(m);
}

void TSkinGroupBox::DrawControl(HDC dc, const RECT& rect)
{
    FWindowText = GetWindowTextWide(FHandle);
    if (FWindowText.empty() && FControl) FWindowText = ReadTextProperty(FControl, "Caption");
    if (FControl) FillFace(dc, rect);
    const int saved = SaveDC(dc);
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(FHandle, WM_GETFONT, 0, 0));
    if (auto* f = dynamic_cast<TFont*>(ReadObjectProperty(FControl, "Font"))) {
        font = f->Handle();
        SetTextColor(dc, ColorToRGB(f->Color()));
    }
    if (font) SelectObject(dc, font);
    SIZE zero{};
    GetTextExtentPoint32W(dc, L"0", 1, &zero);
    const int y = GroupBoxLineY(zero.cy);
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    HBRUSH face = FSkinData->FFaceBrush.Get();
    if (!FControl) {
        // A dialog's group box: its own frame goes under the face colour.
        RECT frame{0, y, w, h};
        FrameRect(dc, &frame, face);
        InflateRect(&frame, -1, -1);
        FrameRect(dc, &frame, face);
    }
    TPenHandle pen(CreatePen(PS_SOLID, 1, ColorToRGB(FSkinData->FColors[SkinColor::ButtonShadow])));
    SelectObject(dc, pen.Get());
    SelectObject(dc, GetStockObject(NULL_BRUSH));
    RoundRect(dc, 1, y, w - 1, h - 1, 5, 5);
    // The caption covers the frame line behind it.
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, ColorToRGB(FaceColor()));
    RECT text = rect;
    UINT format = DT_EXPANDTABS;
    if (WindowLong(FHandle, GWL_EXSTYLE) & WS_EX_RIGHT) {
        text.right -= 8;
        format = TextFlags(FControl, DT_RIGHT | DT_EXPANDTABS);
    } else {
        text.left += 8;
    }
    DrawTextWide(dc, FWindowText, text, format);
    RestoreDC(dc, saved);
    if (FControl && FMode == 1)
        if (auto* win = dynamic_cast<TWinControl*>(FControl)) win->PaintControls(dc);
}

} // namespace tf
