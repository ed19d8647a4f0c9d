#include "ProgressBar.h"

#include <commctrl.h>

#include "Publish.h"

namespace tf {

const TEnumInfo ProgressBarOrientationInfo{"TProgressBarOrientation", {"pbHorizontal", "pbVertical"}};

const TClassInfo& TProgressBar::StaticClass()
{
    static const TClassInfo info = [] {
        TClassBuilder<TProgressBar> b("TProgressBar", TNativeControl::StaticClass());
        b.Int("Min", &TProgressBar::Min, &TProgressBar::SetMin)
            .Int("Max", &TProgressBar::Max, &TProgressBar::SetMax)
            .Int("Position", &TProgressBar::Position, &TProgressBar::SetPosition)
            .Int("Step", &TProgressBar::Step, &TProgressBar::SetStep)
            .Enum("Orientation", ProgressBarOrientationInfo, &TProgressBar::Orientation, &TProgressBar::SetOrientation)
            .Bool("Smooth", &TProgressBar::Smooth, &TProgressBar::SetSmooth);
        PublishShowHint(b);
        PublishMouseEvents(b);
        return b.Build();
    }();
    return info;
}

TProgressBar::TProgressBar(TComponent* owner) : TNativeControl(owner, PROGRESS_CLASSA, 0, 0, ICC_PROGRESS_CLASS)
{
    SetBounds(0, 0, 150, 16);
}

void TProgressBar::CreateParams(TCreateParams& p)
{
    TNativeControl::CreateParams(p);
    if (FOrientation == pbVertical) p.Style |= PBS_VERTICAL;
    if (FSmooth) p.Style |= PBS_SMOOTH;
}

void TProgressBar::CreateWnd()
{
    TNativeControl::CreateWnd();
    UpdateWindow();
}

void TProgressBar::DestroyWnd()
{
    FPosition = Position();
    TNativeControl::DestroyWnd();
}

void TProgressBar::UpdateWindow()
{
    if (!HandleAllocated()) return;
    SendMessageA(WindowHandle(), PBM_SETRANGE32, static_cast<WPARAM>(FMin), FMax);
    SendMessageA(WindowHandle(), PBM_SETSTEP, static_cast<WPARAM>(FStep), 0);
    SendMessageA(WindowHandle(), PBM_SETPOS, static_cast<WPARAM>(FPosition), 0);
}

int TProgressBar::Position()
{
    if (HandleAllocated()) FPosition = static_cast<int>(SendMessageA(WindowHandle(), PBM_GETPOS, 0, 0));
    return FPosition;
}

void TProgressBar::SetMin(int value)
{
    FMin = value;
    UpdateWindow();
}

void TProgressBar::SetMax(int value)
{
    FMax = value;
    UpdateWindow();
}

void TProgressBar::SetPosition(int value)
{
    FPosition = value;
    if (HandleAllocated()) SendMessageA(WindowHandle(), PBM_SETPOS, static_cast<WPARAM>(value), 0);
}

void TProgressBar::SetStep(int value)
{
    FStep = value;
    if (HandleAllocated()) SendMessageA(WindowHandle(), PBM_SETSTEP, static_cast<WPARAM>(value), 0);
}

void TProgressBar::SetOrientation(TProgressBarOrientation value)
{
    if (FOrientation == value) return;
    FOrientation = value;
    if (!HasState(csLoading)) SetBounds(Left(), Top(), Height(), Width());
    RecreateWnd();
}

void TProgressBar::SetSmooth(bool value)
{
    if (FSmooth == value) return;
    FSmooth = value;
    RecreateWnd();
}

void TProgressBar::StepIt()
{
    if (HandleAllocated()) SendMessageA(WindowHandle(), PBM_STEPIT, 0, 0);
    else FPosition += FStep;
}

} // namespace tf
