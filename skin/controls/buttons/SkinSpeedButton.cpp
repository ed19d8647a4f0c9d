#include "skin/controls/buttons/SkinSpeedButton.h"

#include "framework/controls/ControlCanvas.h"
#include "framework/controls/Controls.h"
#include "framework/controls/GraphicControl.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Font.h"
#include "skin/controls/buttons/ButtonDraw.h"
#include "skin/controls/buttons/ButtonFaces.h"
#include "skin/data/WinSkinData.h"
#include "skin/draw/ParentBackground.h"

namespace tf {

namespace {
TCanvas* CanvasOf(TControl* control)
{
    auto* graphic = dynamic_cast<TGraphicControl*>(control);
    return graphic ? graphic->Canvas() : nullptr;
}
} // namespace

const TClassInfo& TSkinSpeedButton::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TSkinSpeedButton>("TSkinSpeedButton", TSkinBitButton::StaticClass()).Build();
    return info;
}

TSkinSpeedButton::TSkinSpeedButton(TComponent* owner) : TSkinBitButton(owner) {}

void TSkinSpeedButton::AttachGraphic(TSkinnerHost* form, TSkinData* data, TCanvas* canvas)
{
    if (FAttached) return;
    FSkinData = data;
    FCanvas = canvas;
    FForm = form;
    FControl = dynamic_cast<TControl*>(Owner());
    if (!FControl) return;
    FRepaintTarget = FControl;
    FOldWindowProc = FControl->WindowProc;
    FControl->WindowProc = TWndMethod::Of<&TSkinControl::SkinWndProc>(this);
    Register();
    FAttached = true;
    FState = TSkinnerState::Attached;
    FTransparent = FControl->Tag() == 5555 || (data && data->Options().Contains(xoTransparent));
    FControl->Invalidate();
}

void TSkinSpeedButton::RestoreHandler()
{
    if (!FOldWindowProc || !FControl) return;
    FControl->WindowProc = FOldWindowProc;
    FOldWindowProc.Clear();
}

bool TSkinSpeedButton::BeforeMessage(TMessage& m)
{
    if (!ButtonElement()) return TSkinControl::BeforeMessage(m);
    switch (m.Msg) {
    case WM_PAINT:
        if (!m.WParam) break;
        // The parent painting our background paints us too: nothing then.
        if (FPainting) {
            m.Result = 1;
            return false;
        }
        if (TCanvas* canvas = CanvasOf(FControl)) {
            TCanvasPaintScope scope(*canvas, reinterpret_cast<HDC>(m.WParam));
            PaintSpeedButton(*canvas, FControl->ClientRect());
        }
        m.Result = 1;
        return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (!CallDefault(m)) return false;   // the control's own press (its handler may free it)
        SetPressed(true);
        PaintNow();
        return false;
    case WM_LBUTTONUP: return true;
    default: break;
    }
    return TSkinButton::BeforeMessage(m);
}

void TSkinSpeedButton::AfterMessage(TMessage& m)
{
    if (!ButtonElement()) return TSkinControl::AfterMessage(m);
    switch (m.Msg) {
    case WM_ENABLE:
    case CM_FOCUSCHANGED:
    case CM_ENABLEDCHANGED: return;
    case WM_NCDESTROY:
    case CM_RELEASE: RestoreHandler(); return;
    case WM_KEYDOWN:
    case WM_KEYUP:
        if (m.WParam == VK_SPACE) {
            SetPressed(m.Msg == WM_KEYDOWN);
            PaintNow();
        }
        return;
    case WM_LBUTTONUP:
        SetPressed(false);
        PaintNow();
        return;
    default: TSkinButton::AfterMessage(m); return;
    }
}

void TSkinSpeedButton::HotChanged()
{
    if (!Hot()) SetPressed(false);
    if (FControl && FControl->Visible()) PaintNow();
}

void TSkinSpeedButton::PaintNow() { PaintControl(nullptr); }

void TSkinSpeedButton::PaintControl(HDC)
{
    TCanvas* canvas = CanvasOf(FControl);
    if (!canvas || !FControl->Parent() || !FControl->Parent()->HandleAllocated()) return;
    const bool hadDC = canvas->HandleAllocated();
    {
        TCanvasLock lock(*canvas);
        try {
            PaintSpeedButton(*canvas, FControl->ClientRect());
        } catch (const std::exception& e) {
            ReportFailure(e.what());
        }
    }
    // A DC the canvas took for this paint goes back at once.
    if (!hadDC)
        if (auto* own = dynamic_cast<TControlCanvas*>(canvas)) own->FreeHandle();
}

void TSkinSpeedButton::PaintSpeedButton(TCanvas& canvas, const RECT& rect)
{
    TDataSkinButton* element = ButtonElement();
    if (!element || ReadEnumLower(FControl, "Visible") == "false" || FPainting) return;
    FPainting = true;
    struct Guard {
        bool& flag;
        ~Guard() { flag = false; }
    } guard{FPainting};

    const bool graphic = !GlyphProperty().empty();
    const bool enabled = ReadEnumLower(FControl, "Enabled") == "true";
    const bool down = ReadEnumLower(FControl, "Down") == "true";
    const int frame = SpeedButtonFaceFrame(enabled, down, Pressed(), Hot());
    FEnabled = enabled;
    FFocused = false;
    FWindowText = ReadTextProperty(FControl, "Caption");
    auto* glyph = graphic ? nullptr : dynamic_cast<TBitmap*>(ReadObjectProperty(FControl, "Glyph"));
    auto* picture = graphic ? dynamic_cast<TGraphic*>(ReadObjectProperty(FControl, GlyphProperty())) : nullptr;
    int numGlyphs = static_cast<int>(ReadIntProperty(FControl, "NumGlyphs"));
    if (numGlyphs < 1) numGlyphs = 1;
    const bool flat = ReadEnumLower(FControl, "Flat") == "true";
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    if (w <= 0 || h <= 0) return;

    FBuffer->SetPixelFormat(pf24bit);
    FBuffer->SetSize(w, h);
    if (FBuffer->Width() != w || FBuffer->Height() != h) return;
    HDC buffer = FBuffer->Canvas()->Handle();
    const RECT face{0, 0, w, h};
    if (FTransparent) PaintParentBackground(FControl, buffer);
    else FillFace(buffer, face);
    if (frame == bfPressed || frame == bfHot || !flat) DrawElementFrame(buffer, face, element->FrameCount, frame, *element);

    TLayoutSize glyphSize;
    if (picture && !picture->Empty()) glyphSize = {picture->Width(), picture->Height()};
    else if (glyph && !glyph->Empty()) glyphSize = {glyph->Width() / numGlyphs, glyph->Height()};

    if (glyphSize.Width * glyphSize.Height == 0) {
        SelectTextFont(buffer, frame, false);
        DrawCaption(buffer, face, DT_CENTER);
    } else {
        SelectTextFont(buffer, frame, true);
        TButtonLayoutInput in = LayoutInputOf(w, h, glyphSize);
        in.SpeedButton = true;
        const TGlyphTextLayout layout = LayOut(buffer, in);
        if (picture)
            picture->Draw(*FBuffer->Canvas(), RECT{layout.Glyph.X, layout.Glyph.Y, layout.Glyph.X + glyphSize.Width,
                                                    layout.Glyph.Y + glyphSize.Height});
        else
            DrawGlyph(buffer, layout.Glyph.X, layout.Glyph.Y, numGlyphs, SpeedButtonGlyphImage(frame, down), *glyph);
        DrawLaidCaption(buffer, layout.Text, in.Text, layout.Flags, false);   // speed buttons have no focus
    }
    CopyBuffer(canvas.Handle(), rect);
}

} // namespace tf
