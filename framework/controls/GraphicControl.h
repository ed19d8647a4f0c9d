// TGraphicControl: a control without a window, painted by its parent (which
// performs WM_PAINT with the DC in wParam, already moved to the control's
// origin and clipped to it) and fed mouse and cursor messages by it.
// TCustomControl: a windowed control that paints itself through Paint.
#pragma once
#include <memory>

#include "ControlCanvas.h"
#include "WinControl.h"

namespace tf {

class TGraphicControl : public TControl {
    TF_CLASS(TGraphicControl)
public:
    explicit TGraphicControl(TComponent* owner);
    ~TGraphicControl() override;

    TCanvas* Canvas() const { return FCanvas.get(); }
    void WndProc(TMessage& m) override;

protected:
    virtual void Paint() {}

private:
    std::unique_ptr<TControlCanvas> FCanvas;
};

class TCustomControl : public TWinControl {
    TF_CLASS(TCustomControl)
public:
    explicit TCustomControl(TComponent* owner);
    ~TCustomControl() override;

    TCanvas* Canvas() const { return FCanvas.get(); }
    void WndProc(TMessage& m) override;

protected:
    virtual void Paint() {}
    void PaintWindow(HDC dc) override;
    void DestroyWnd() override;

private:
    std::unique_ptr<TControlCanvas> FCanvas;
};

} // namespace tf
