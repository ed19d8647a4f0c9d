// TProgressBar: the native progress bar ("msctls_progress32") under the class
// name "TProgressBar". Range, position and step live in the window once it
// exists; a vertical bar fills from the bottom.
#pragma once
#include "ComCtrls.h"

namespace tf {

enum TProgressBarOrientation : uint8_t { pbHorizontal, pbVertical };
extern const TEnumInfo ProgressBarOrientationInfo;

class TProgressBar : public TNativeControl {
    TF_CLASS(TProgressBar)
public:
    explicit TProgressBar(TComponent* owner);

    int Min() const { return FMin; }
    void SetMin(int value);
    int Max() const { return FMax; }
    void SetMax(int value);
    // The window's position when it exists (it may have moved by StepIt).
    int Position();
    void SetPosition(int value);
    int Step() const { return FStep; }
    void SetStep(int value);
    TProgressBarOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TProgressBarOrientation value);
    bool Smooth() const { return FSmooth; }
    void SetSmooth(bool value);
    // Advances the position by Step (wrapping past Max as the window does).
    void StepIt();

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;

private:
    void UpdateWindow();

    int FMin = 0;
    int FMax = 100;
    int FPosition = 0;
    int FStep = 10;
    TProgressBarOrientation FOrientation = pbHorizontal;
    bool FSmooth = false;
};

} // namespace tf
