#include "skin/controls/buttons/SkinObjImage.h"

#include "framework/controls/WinControl.h"
#include "framework/core/SysUtils.h"
#include "framework/graphics/Bitmap.h"
#include "skin/controls/containers/ContainerGeometry.h"
#include "skin/data/WinSkinData.h"

namespace tf {

const TClassInfo& TSkinObjImage::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TSkinObjImage>("TSkinObjImage", TSkinControl::StaticClass()).Build();
    return info;
}

TSkinObjImage::TSkinObjImage(TComponent* owner) : TSkinControl(owner) {}

TSkinObjImage::~TSkinObjImage()
{
    if (SkinsLivingControl()) Unskin();
}

void TSkinObjImage::Attach(TSkinnerHost* form, TSkinData* data, bool, TCanvas* canvas)
{
    if (FAttached) return;
    FSkinData = data;
    FForm = form;
    FCanvas = canvas;
    FControl = dynamic_cast<TControl*>(Owner());
    if (auto* win = dynamic_cast<TWinControl*>(FControl)) FHandle = win->Handle();
    Register();
    BuildAndAssign();
    FAttached = true;
    FState = TSkinnerState::Attached;
}

void TSkinObjImage::BuildAndAssign()
{
    if (!FSkinData || !FSkinData->SkinButtons || !FControl) return;
    TDataSkinButton& buttons = *FSkinData->SkinButtons;
    TBitmap& source = FGlyphKind == 2 ? *buttons.RadioBitmap : *buttons.CheckBitmap;
    const int frames = UsableFrameCount(FGlyphKind == 2 ? buttons.RadioFrameCount : buttons.CheckFrameCount);
    if (source.Empty()) return;
    const TGlyphStripMap map = GlyphStripMap(FGlyphKind, frames);
    if (map.Cells == 0) return;
    const int w = source.Width() / frames, h = source.Height();
    TBitmap strip(w * map.Cells, h, pf24bit);
    HDC dc = strip.Canvas()->Handle();
    FillSolid(dc, RECT{0, 0, strip.Width(), h}, clSkinKey);   // cells without a glyph stay transparent
    for (const auto& [cell, frame] : map.Copies)
        BitBlt(dc, cell * w, 0, w, h, source.Canvas()->Handle(), (frame - 1) * w, 0, SRCCOPY);
    if (FGlyphKind == 3) {
        TObject* properties = ReadObjectProperty(FControl, "Properties");
        if (!AssignObjectProperty(properties, "Glyph", &strip)) return;
        if (auto* glyph = dynamic_cast<TBitmap*>(ReadObjectProperty(properties, "Glyph"))) {
            glyph->SetTransparentColor(clSkinKey);
            glyph->SetTransparent(false);
        }
        return;
    }
    if (!AssignObjectProperty(FControl, "CustomGlyphs", &strip)) return;
    WriteProperty(FControl, "transparentcolor", IntToStr(static_cast<int>(clSkinKey)));
    // The toggle makes the control load its glyphs again.
    WriteProperty(FControl, "UseCustomGlyphs", "false");
    WriteProperty(FControl, "UseCustomGlyphs", "true");
}

void TSkinObjImage::Unskin()
{
    if (!FActive) return;
    FActive = false;
    if (FState == TSkinnerState::WindowDestroyed || !FControl) return;
    if (FGlyphKind == 3) {
        TBitmap none;
        AssignObjectProperty(ReadObjectProperty(FControl, "Properties"), "Glyph", &none);
    } else {
        WriteProperty(FControl, "UseCustomGlyphs", "false");
    }
}

void TSkinObjImage::SkinChanged() { BuildAndAssign(); }

} // namespace tf
