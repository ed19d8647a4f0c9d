// A spin edit: an edit ("TSpinEdit") holding a number, with native up-down
// buttons ("msctls_updown32") inside its window at the right edge. The
// buttons step Value by Increment within [MinValue, MaxValue] and write it
// into the edit; typing changes it too.
#pragma once
#include "Memo.h"

namespace tf {

class TSpinEdit : public TCustomEdit {
    TF_CLASS(TSpinEdit)
public:
    explicit TSpinEdit(TComponent* owner);

    int Value();
    void SetValue(int value);
    int MinValue() const { return FMinValue; }
    void SetMinValue(int value);
    int MaxValue() const { return FMaxValue; }
    void SetMaxValue(int value);
    int Increment() const { return FIncrement; }
    void SetIncrement(int value);
    // The buttons' window (null without a window).
    HWND ButtonWindow() const { return FButtons; }

    void WndProc(TMessage& m) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;

private:
    void PlaceButtons();
    void UpdateButtons();

    HWND FButtons = nullptr;
    int FValue = 0;
    int FMinValue = 0;
    int FMaxValue = 100;
    int FIncrement = 1;
};

} // namespace tf
