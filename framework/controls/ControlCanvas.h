// TControlCanvas: a canvas on a control. While the control paints, the
// canvas is pointed at the paint DC; outside painting, using the canvas takes
// a DC of the control's window (a graphic control's area of its parent's
// window), released by FreeHandle or when the canvas goes.
#pragma once
#include <windows.h>

#include "framework/graphics/Canvas.h"

namespace tf {

class TControl;

class TControlCanvas : public TCanvas {
    TF_CLASS(TControlCanvas)
public:
    explicit TControlCanvas(TControl* control) : FControl(control) {}
    ~TControlCanvas() override;

    TControl* Control() const { return FControl; }
    // Releases a DC the canvas took for itself.
    void FreeHandle();

protected:
    void CreateHandle() override;

private:
    TControl* FControl;
    HWND FWindow = nullptr;
    HDC FOwnDC = nullptr;
};

// Points a canvas at a DC for a scope and detaches it again.
class TCanvasPaintScope {
public:
    TCanvasPaintScope(TCanvas& canvas, HDC dc) : FCanvas(canvas)
    {
        FCanvas.Lock();
        FCanvas.SetHandle(dc);
    }
    ~TCanvasPaintScope()
    {
        FCanvas.SetHandle(nullptr);
        FCanvas.Unlock();
    }
    TCanvasPaintScope(const TCanvasPaintScope&) = delete;
    TCanvasPaintScope& operator=(const TCanvasPaintScope&) = delete;

private:
    TCanvas& FCanvas;
};

} // namespace tf
