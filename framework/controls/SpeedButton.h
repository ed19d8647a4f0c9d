// TSpeedButton: a window-less tool button painted by its parent. It shows a
// glyph (a strip of up to four images: up, disabled, down, held down) and a
// caption, can stay down (Down), and in a group (GroupIndex) works like a
// radio button among the speed buttons of its parent. A flat button draws
// its face only while the mouse is over it or it is down.
#pragma once
#include <memory>

#include "Buttons.h"
#include "GraphicControl.h"

namespace tf {

class TBitmap;

class TSpeedButton : public TGraphicControl {
    TF_CLASS(TSpeedButton)
public:
    explicit TSpeedButton(TComponent* owner);
    ~TSpeedButton() override;

    TBitmap* Glyph() const { return FGlyph.get(); }
    void SetGlyph(TBitmap* value);   // copies
    int NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(int value);
    int Margin() const { return FMargin; }
    void SetMargin(int value);
    int Spacing() const { return FSpacing; }
    void SetSpacing(int value);
    TButtonLayout Layout() const { return FLayout; }
    void SetLayout(TButtonLayout value);
    bool Flat() const { return FFlat; }
    void SetFlat(bool value);
    // Stays pressed; only buttons with a GroupIndex keep it.
    bool Down() const { return FDown; }
    void SetDown(bool value);
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int value);
    // A down button of a group can be clicked up again.
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool value) { FAllowAllUp = value; }
    // The mouse is over the button (a flat button shows its face then).
    bool MouseInControl() const { return FMouseInControl; }

    void Click() override;
    void WndProc(TMessage& m) override;

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    void GlyphChanged(TObject*);
    void ReleaseGroup();

    std::unique_ptr<TBitmap> FGlyph;
    int FNumGlyphs = 1;
    int FMargin = -1;
    int FSpacing = 4;
    TButtonLayout FLayout = blGlyphLeft;
    bool FFlat = false;
    bool FDown = false;
    int FGroupIndex = 0;
    bool FAllowAllUp = false;
    bool FPressed = false;
    bool FMouseInControl = false;
};

} // namespace tf
