// TSkinTab: tab controls and page controls with tabs. The whole control is
// painted from the skin: the strip of tabs (from the "Tabs" element; bottom
// tabs flipped, left and right strips drawn lying down and rotated, with
// their text) and the pane around the display area (the element's second
// image, or "Tab.Pane"). Page controls tagged 7777 with tabs on top get a
// close box on each tab: a click in it asks the form (SKM_CLOSETAB) and
// frees the page unless the form answers non-zero. The spin button of a
// single-line strip gets its own skinner. Mode 2: a tab control that is not
// a page control (its window-less children are painted over the pane).
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <vector>

#include "skin/controls/tabbars/TabGeometry.h"
#include "skin/controls/SkinControl.h"

namespace tf {

class TBitmap;
class TSkinUpDown;

// The value of Tag that asks for close boxes.
constexpr int CloseBoxTag = 7777;

class TSkinTab : public TSkinControl {
    TF_CLASS(TSkinTab)
public:
    explicit TSkinTab(TComponent* owner);
    ~TSkinTab() override;

    void Attach(TSkinnerHost* form, TSkinData* data, bool setColor, TCanvas* canvas) override;
    void AttachWindow(HWND window, TSkinData* data, TSkinnerHost* form, TCanvas* canvas) override;
    bool BeforeMessage(TMessage& m) override;
    void DrawControl(HDC dc, const RECT& rect) override;
    void SkinChanged() override;
    void Notification(TComponent* c, TOperation op) override;

    TTabSide TabSide() const { return FTabSide; }
    bool CloseButtons() const { return FCloseButtons; }
    // The close boxes of the last paint (control coordinates), one per tab.
    const std::vector<RECT>& CloseRects() const { return FCloseRects; }
    // The spin button's skinner, or null.
    TSkinUpDown* UpDown() const { return FUpDown; }

private:
    void PrepareTabBitmaps();
    // Skins the strip's spin button once; the spin button when it shows.
    HWND FindTabUpDown();
    void DrawStrip(HDC dc, const RECT& rect, const RECT& pane, int count, int focus, HIMAGELIST images);
    // A click in a close box: asks the form and frees the page.
    bool CloseBoxClick(int x, int y);

    std::vector<RECT> FCloseRects;
    TTabSide FTabSide = TTabSide::Top;
    bool FIsUnicodeTab = false;
    std::unique_ptr<TBitmap> FTabBitmap;
    std::unique_ptr<TBitmap> FPaneBitmap;
    std::unique_ptr<TBitmap> FStripBitmap;
    TSkinUpDown* FUpDown = nullptr;
    bool FCloseButtons = false;
};

} // namespace tf
