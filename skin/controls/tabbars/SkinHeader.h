// TSkinHeader: column headers (header controls and the header of a report
// list view), each item drawn from the skin's "Headerbar" element with its
// text and image, the item under the mouse in the hot frame; the area right
// of the last item gets the normal frame. Without the element the header
// keeps its own look.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "skin/controls/SkinControl.h"

namespace tf {

class TSkinHeader : public TSkinControl {
    TF_CLASS(TSkinHeader)
public:
    explicit TSkinHeader(TComponent* owner);

    void Attach(TSkinnerHost* form, TSkinData* data, bool setColor, TCanvas* canvas) override;
    void AttachWindow(HWND window, TSkinData* data, TSkinnerHost* form, TCanvas* canvas) override;
    bool BeforeMessage(TMessage& m) override;
    void DrawControl(HDC dc, const RECT& rect) override;
    // The item under the mouse; between items the hot one stays.
    bool TracksHover() const override { return true; }
    int HotItemAt(POINT p) const override;
    // Without the element the control keeps its own look.
    TPaintKind PaintKind() const override { return HasElement() ? TPaintKind::Whole : TPaintKind::Custom; }

    // The items' rectangles of the last paint, 3 pixels in from each side.
    const std::vector<RECT>& ItemRects() const { return FItemRects; }

private:
    bool HasElement() const;
    void DrawItem(HDC dc, int index, const RECT& r, HIMAGELIST images);

    std::vector<RECT> FItemRects;
};

} // namespace tf
