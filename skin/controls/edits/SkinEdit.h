// TSkinEdit: edits keep their own client area (text, caret, selection); the
// skinner only replaces the sunken 3-D border with a flat skin border (a
// ButtonShadow line and two white rings) after the control painted, and
// skins a spin button found inside the edit the first time it draws. An edit
// without a border is left exactly as the system draws it.
#pragma once
#include "skin/controls/SkinControl.h"

namespace tf {

class TSkinUpDown;

class TSkinEdit : public TSkinControl {
    TF_CLASS(TSkinEdit)
public:
    explicit TSkinEdit(TComponent* owner);

    bool BeforeMessage(TMessage& m) override;
    void AfterMessage(TMessage& m) override;
    void DrawControl(HDC dc, const RECT& rect) override;
    void Notification(TComponent* c, TOperation op) override;

    // The skinner of the spin button inside the edit, or null.
    TSkinUpDown* UpDown() const { return FUpDown; }

private:
    // WM_PRINT: the border into a DC that is printing the whole window.
    void PrintBorder(HDC dc);
    void FindUpDown();

    TSkinUpDown* FUpDown = nullptr;
    int FPrintState = 0;   // the DC's saved state while the control prints
};

// A child window of an edit that is a spin button: its class name, lower
// case, is "msctls_updown32" or holds "spin" or "updown".
bool IsSpinButtonClass(const char* className);

} // namespace tf
