#include "ControlCanvas.h"

#include "WinControl.h"

namespace tf {

const TClassInfo& TControlCanvas::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TControlCanvas>("TControlCanvas", TCanvas::StaticClass()).Build();
    return info;
}

TControlCanvas::~TControlCanvas() { FreeHandle(); }

void TControlCanvas::FreeHandle()
{
    if (!FOwnDC) return;
    HDC dc = FOwnDC;
    FOwnDC = nullptr;
    SetHandle(nullptr);
    ReleaseDC(FWindow, dc);
    FWindow = nullptr;
}

void TControlCanvas::CreateHandle()
{
    if (!FControl) return;
    if (FOwnDC) {   // painting pointed the canvas elsewhere meanwhile
        ReleaseDC(FWindow, FOwnDC);
        FOwnDC = nullptr;
    }
    if (auto* win = dynamic_cast<TWinControl*>(FControl)) {
        FWindow = win->Handle();
        FOwnDC = GetDC(FWindow);
    } else {
        TWinControl* parent = FControl->Parent();
        if (!parent) return;
        FWindow = parent->Handle();
        FOwnDC = GetDC(FWindow);
        if (FOwnDC) {
            SetViewportOrgEx(FOwnDC, FControl->Left(), FControl->Top(), nullptr);
            IntersectClipRect(FOwnDC, 0, 0, FControl->Width(), FControl->Height());
        }
    }
    if (FOwnDC) SetHandle(FOwnDC);
}

} // namespace tf
