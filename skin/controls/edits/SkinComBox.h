// TSkinComBox: combo boxes of all three styles. The control keeps its own
// text area; the skinner draws the border ring and the drop-down button from
// the skin after the control painted (or, in the inset and composite
// variants a skin's "ComboButton" asks for, the whole frame), tracks the
// button's hot and pressed look, skins the drop-down list's scroll bar
// (TComboxScrollBar) or a simple combo's list (TSkinScrollbarH overlays),
// and subclasses the edit part so the frame is drawn again after the edit
// paints. A right-to-left combo (WS_EX_LEFTSCROLLBAR) has its button on the
// left, drawn from the mirrored image. Extended mode (Skin3rd kind
// "comboboxex") draws a flat border and the skin's combo arrow over the
// control's first child window.
#pragma once
#include "skin/controls/SkinControl.h"

namespace tf {

class TComboxScrollBar;
class TSkinScrollbarH;

class TSkinComBox : public TSkinControl {
    TF_CLASS(TSkinComBox)
public:
    explicit TSkinComBox(TComponent* owner);
    ~TSkinComBox() override;

    void Attach(TSkinnerHost* form, TSkinData* data, bool setColor, TCanvas* canvas) override;
    void AttachWindow(HWND window, TSkinData* data, TSkinnerHost* form, TCanvas* canvas) override;
    void Unskin() override;
    void AfterMessage(TMessage& m) override;
    void DrawControl(HDC dc, const RECT& rect) override;
    void Notification(TComponent* c, TOperation op) override;

    bool ExtendedMode() const { return FExtendedMode; }
    void SetExtendedMode(bool value) { FExtendedMode = value; }
    bool DroppedDown() const { return FDroppedDown; }
    HWND EditWindow() const { return FEditWindow; }
    HWND ListWindow() const { return FListWindow; }
    TComboxScrollBar* ListBar() const { return FListBar; }
    TSkinScrollbarH* ListScroll() const { return FListScroll; }
    // The button's rectangle (client coordinates) as last drawn.
    const RECT& ButtonRect() const { return FButtonRect; }
    bool ButtonHot() const { return Hot(); }
    bool ButtonPressed() const { return Pressed(); }

protected:
    void ActiveChanged() override;

private:
    bool ReadComboInfo();
    void SubclassEdit();
    void RestoreEdit();
    void FreeListSkinners();
    void EditProc(TMessage& m);
    // Hot over the arrow button while enabled.
    bool TracksHover() const override { return true; }
    int HotItemAt(POINT p) const override;
    // A left-button press or release on the combo or its edit part: the
    // button shows it. False for other messages.
    bool TrackPress(UINT msg);
    // The press ended where the combo cannot see the release.
    void ReleasePress();
    // The drawing variants (SkinComBoxPaint.cpp).
    void DrawInset(HDC dc, const RECT& rect);
    void DrawExtended(HDC dc, const RECT& rect, int frame);
    void DrawPlain(HDC dc, const RECT& rect, int frame, bool buttonLeft);

    LONG FStyle = 0;
    LONG FExStyle = 0;
    HWND FListWindow = nullptr;
    HWND FEditWindow = nullptr;
    bool FDroppedDown = false;
    TWndProcThunk FEditThunk;
    WNDPROC FOldEditProc = nullptr;
    TSkinScrollbarH* FListScroll = nullptr;
    TComboxScrollBar* FListBar = nullptr;
    COMBOBOXINFO FInfo{};
    RECT FButtonRect{0, 0, 0, 0};
    bool FExtendedMode = false;
};

} // namespace tf
