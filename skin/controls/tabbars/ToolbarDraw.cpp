#include "skin/controls/tabbars/ToolbarDraw.h"

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "skin/controls/SkinnerHost.h"
#include "skin/data/WinSkinData.h"
#include "skin/draw/SkinDraw.h"

namespace tf {

void DrawToolbarBackground(TToolBar* toolbar, const RECT& rect, TSkinData& data)
{
    if (!toolbar || !data.SkinToolbar || data.SkinToolbar->Empty() || data.Options().Contains(xoToolbarBK)) return;
    if (rect.right < rect.left || rect.bottom < rect.top) return;
    HDC dc = toolbar->Canvas()->Handle();
    TBitmap& image = *data.SkinToolbar->Bitmap;
    const int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, image.Canvas()->Handle(), 0, 0,
               image.Width(), image.Height(), SRCCOPY);
    SetStretchBltMode(dc, oldMode);
}

void DrawToolbarButton(TToolBar* toolbar, TToolButton* button, TCustomDrawState state, TSkinData& data, bool formRunning)
{
    if (!toolbar || !button) return;
    TCanvas* canvas = toolbar->Canvas();
    // Captions in the skin's button text colour unless the bar has its own,
    // whether or not a face is drawn (the bar stands on the skin's face).
    const TColor own = toolbar->Font()->Color();
    canvas->Font()->SetColor(own == clBtnText || own == clWindowText ? data.FColors[SkinColor::ButtonText] : own);
    TDataSkinButton* element = data.SkinButtons.get();
    if (!element || element->Empty() || !formRunning || data.Options().Contains(xoToolbarButton)) return;
    const auto has = [state](TCustomDrawStateMember m) { return (state >> m) & 1; };
    int frame = 0;
    if (has(cdsSelected)) frame = 2;
    else if (has(cdsFocused) || has(cdsHot)) frame = 4;
    else if (has(cdsGrayed) || has(cdsDisabled)) return;
    else if (has(cdsDefault)) frame = 1;
    else return;
    if (frame == 1 && element->HasNormalColour2) canvas->Font()->SetColor(element->NormalColour2);
    if (frame == 4 && element->HasMouseOverColour2) canvas->Font()->SetColor(element->MouseOverColour2);
    if (frame == 2 && element->HasPressedColour2) canvas->Font()->SetColor(element->PressedColour2);
    RECT r = toolbar->ButtonRect(button);
    InflateRect(&r, -1, -1);
    DrawElement(canvas->Handle(), r, *element->Bitmap, element->Margins, frame, 5, element->Trans != 0, false, false);
    toolbar->ButtonFaceDrawn();
}

// ------------------------------------------------------------ TToolbarSkinHandlers

const TClassInfo& TToolbarSkinHandlers::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TToolbarSkinHandlers>("TToolbarSkinHandlers", TComponent::StaticClass()).Build();
    return info;
}

TToolbarSkinHandlers::TToolbarSkinHandlers(TComponent* owner) : TComponent(owner) {}

TToolbarSkinHandlers::~TToolbarSkinHandlers()
{
    Destroying();
    if (FToolBar) {
        if (FOwnBackground && FToolBar->OnCustomDraw.Data() == this) FToolBar->OnCustomDraw.Clear();
        if (FOwnButton && FToolBar->OnCustomDrawButton.Data() == this) FToolBar->OnCustomDrawButton.Clear();
        if (!FToolBar->HasState(csDestroying)) {
            FToolBar->SetFlat(FSavedFlat);
            if (FColorTaken && FToolBar->Color() == FSetColor) {
                FToolBar->SetColor(FSavedColor);
                if (FSavedParentColor) FToolBar->SetParentColor(true);
            }
            FToolBar->Invalidate();
        }
    }
    if (FHost) FHost->Skinners().Remove(this);
}

void TToolbarSkinHandlers::Attach(TToolBar* toolbar, TSkinnerHost* host)
{
    FToolBar = toolbar;
    FHost = host;
    FSavedFlat = toolbar->Flat();
    toolbar->SetFlat(true);
    // The bar's own background is the system's face: the skin's face instead
    // (a colour the program chose stays).
    if (toolbar->Color() == clBtnFace && host->SkinData()) {
        FColorTaken = true;
        FSavedColor = toolbar->Color();
        FSavedParentColor = toolbar->ParentColor();
        FSetColor = host->SkinData()->FColors[SkinColor::ButtonFace];
        toolbar->SetColor(FSetColor);
    }
    if (!toolbar->OnCustomDraw) {
        toolbar->OnCustomDraw = TToolBarCustomDrawEvent::Of<&TToolbarSkinHandlers::DrawBackground>(this);
        FOwnBackground = true;
    }
    if (!toolbar->OnCustomDrawButton) {
        toolbar->OnCustomDrawButton = TToolBarCustomDrawButtonEvent::Of<&TToolbarSkinHandlers::DrawButton>(this);
        FOwnButton = true;
    }
    host->Skinners().Add(this);
    toolbar->Invalidate();
}

void TToolbarSkinHandlers::SkinChanged()
{
    if (!FToolBar) return;
    if (FColorTaken && FToolBar->Color() == FSetColor && FHost && FHost->SkinData()) {
        FSetColor = FHost->SkinData()->FColors[SkinColor::ButtonFace];
        FToolBar->SetColor(FSetColor);
    }
    FToolBar->Invalidate();
}

void TToolbarSkinHandlers::DrawBackground(TToolBar* sender, const RECT& rect, bool&)
{
    if (FHost && FHost->SkinData()) DrawToolbarBackground(sender, rect, *FHost->SkinData());
}

void TToolbarSkinHandlers::DrawButton(TToolBar* sender, TToolButton* button, TCustomDrawState state, bool&)
{
    if (FHost && FHost->SkinData()) DrawToolbarButton(sender, button, state, *FHost->SkinData(), FHost->FormRunning());
}

} // namespace tf
