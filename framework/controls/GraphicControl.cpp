#include "GraphicControl.h"

namespace tf {

const TClassInfo& TGraphicControl::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TGraphicControl>("TGraphicControl", TControl::StaticClass()).Build();
    return info;
}

TGraphicControl::TGraphicControl(TComponent* owner)
    : TControl(owner), FCanvas(std::make_unique<TControlCanvas>(this))
{
}

TGraphicControl::~TGraphicControl() = default;

void TGraphicControl::WndProc(TMessage& m)
{
    if (m.Msg == WM_PAINT && m.WParam) {
        TCanvasPaintScope scope(*FCanvas, reinterpret_cast<HDC>(m.WParam));
        Paint();
        return;
    }
    TControl::WndProc(m);
}

const TClassInfo& TCustomControl::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TCustomControl>("TCustomControl", TWinControl::StaticClass()).Build();
    return info;
}

TCustomControl::TCustomControl(TComponent* owner)
    : TWinControl(owner), FCanvas(std::make_unique<TControlCanvas>(this))
{
    SetControlState(ControlState() | csCustomPaint);
}

TCustomControl::~TCustomControl() { FCanvas->FreeHandle(); }

void TCustomControl::WndProc(TMessage& m) { TWinControl::WndProc(m); }

void TCustomControl::PaintWindow(HDC dc)
{
    TCanvasPaintScope scope(*FCanvas, dc);
    Paint();
}

void TCustomControl::DestroyWnd()
{
    FCanvas->FreeHandle();
    TWinControl::DestroyWnd();
}

} // namespace tf
