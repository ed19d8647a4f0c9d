// TSkinButton: push buttons drawn from the skin's button element. The
// skinner takes the mouse over: it keeps its own hot and pressed state (the
// control never sees a left-button press), paints the whole face into an
// off-screen bitmap copied to the window in one step, and raises the click
// itself on release, wherever the cursor is then (a press, a move off the
// button and a release elsewhere clear the press on the way out, so they
// raise nothing). Keyboard clicks stay the control's own.
#pragma once
#include <memory>

#include "skin/controls/buttons/ButtonFaces.h"
#include "skin/controls/SkinControl.h"

namespace tf {

class TBitmap;
class TDataSkinButton;

class TSkinButton : public TSkinControl {
    TF_CLASS(TSkinButton)
public:
    explicit TSkinButton(TComponent* owner);
    ~TSkinButton() override;

    void Attach(TSkinnerHost* form, TSkinData* data, bool setColor, TCanvas* canvas) override;
    bool BeforeMessage(TMessage& m) override;
    void AfterMessage(TMessage& m) override;
    void DrawControl(HDC dc, const RECT& rect) override;
    // The whole button while the skin has its button image.
    TPaintKind PaintKind() const override { return ButtonElement() ? TPaintKind::Whole : TPaintKind::Custom; }
    // Hot while enabled; leaving also ends a press.
    bool TracksHover() const override { return ButtonElement() != nullptr; }
    int HotItemAt(POINT) const override { return FEnabled ? 0 : -1; }
    void HotChanged() override;

    bool Transparent() const { return FTransparent; }

protected:
    // The skin's button element when it has an image, else null (the
    // control keeps its own look then).
    TDataSkinButton* ButtonElement() const;
    // Steps shared by the family: state, caption, face frame, background and
    // face into Buffer; returns the face frame.
    int PrepareFace(const RECT& rect, bool defaultCounts);
    // The control's font (or the window's) into the buffer, and the text colour.
    void SelectTextFont(HDC dc, int frame, bool normalOnly);
    // WindowText in rect with "||" as line breaks; the focus rectangle
    // around it when focused.
    void DrawCaption(HDC dc, const RECT& rect, UINT format);
    // What the layout takes from the control ("Layout", "Margin", "Spacing")
    // for a face of w x h with a glyph of a size.
    TButtonLayoutInput LayoutInputOf(int w, int h, TLayoutSize glyph) const;
    // Glyph and caption laid out on the face: WindowText (its "||" made line
    // breaks) is measured into in.Text first.
    TGlyphTextLayout LayOut(HDC dc, TButtonLayoutInput& in);
    // The caption of a given size at a place with format flags; the focus
    // rectangle around it when focusRect.
    void DrawLaidCaption(HDC dc, TLayoutPoint at, TLayoutSize size, UINT flags, bool focusRect);
    // The buffer to dc at rect's position; the buffer's font goes back.
    void CopyBuffer(HDC dc, const RECT& rect);
    bool FocusRectWanted() const;

    std::unique_ptr<TBitmap> FBuffer;
    bool FTransparent = false;

private:
    void RaiseClick();
    HGDIOBJ FOldFont = nullptr;
};

} // namespace tf
