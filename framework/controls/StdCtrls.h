// Standard controls: push buttons and check boxes (native BUTTON windows
// under the class names "TButton" and "TCheckBox") and the window-less label.
#pragma once
#include "GraphicControl.h"
#include "WinControl.h"

namespace tf {

// True when caption marks ch as its accelerator ("&Save" and 's').
bool IsAccel(WPARAM ch, const std::string& caption);

class TButtonControl : public TWinControl {
    TF_CLASS(TButtonControl)
public:
    explicit TButtonControl(TComponent* owner);
};

// A push button; BN_CLICKED arrives reflected as CN_COMMAND and calls Click.
// The Default button (or the focused button) clicks on Enter, the Cancel
// button on Escape.
class TButton : public TButtonControl {
    TF_CLASS(TButton)
public:
    explicit TButton(TComponent* owner);

    bool Default() const { return FDefault; }
    void SetDefault(bool value);
    bool Cancel() const { return FCancel; }
    void SetCancel(bool value) { FCancel = value; }
    // Set on the parent form when the button is clicked.
    int ModalResult() const { return FModalResult; }
    void SetModalResult(int value) { FModalResult = value; }

    void Click() override;
    void WndProc(TMessage& m) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void SetButtonStyle(bool isDefault);

private:
    bool FDefault = false;
    bool FCancel = false;
    bool FActive = false;   // Enter clicks this button
    int FModalResult = 0;
};

enum TCheckBoxState : uint8_t { cbUnchecked, cbChecked, cbGrayed };
extern const TEnumInfo CheckBoxStateInfo;

// A check box: State (and Checked) live in the window once it exists;
// setting them, or a click, fires OnClick.
class TCustomCheckBox : public TButtonControl {
    TF_CLASS(TCustomCheckBox)
public:
    explicit TCustomCheckBox(TComponent* owner);

    TCheckBoxState State();
    void SetState(TCheckBoxState value);
    bool Checked() { return State() == cbChecked; }
    void SetChecked(bool value) { SetState(value ? cbChecked : cbUnchecked); }
    bool AllowGrayed() const { return FAllowGrayed; }
    void SetAllowGrayed(bool value) { FAllowGrayed = value; }
    // taRightJustify: the text right of the box; taLeftJustify: BS_LEFTTEXT.
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);

    void WndProc(TMessage& m) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    virtual void Toggle();

private:
    TCheckBoxState FState = cbUnchecked;
    bool FAllowGrayed = false;
    TAlignment FAlignment = taRightJustify;
};

class TCheckBox : public TCustomCheckBox {
    TF_CLASS(TCheckBox)
public:
    explicit TCheckBox(TComponent* owner);
};

enum TTextLayout : uint8_t { tlTop, tlCenter, tlBottom };
extern const TEnumInfo TextLayoutInfo;

// A label: text drawn by its parent's paint, clicks and cursor through the
// parent's window.
class TCustomLabel : public TGraphicControl {
    TF_CLASS(TCustomLabel)
public:
    explicit TCustomLabel(TComponent* owner);

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);
    TTextLayout Layout() const { return FLayout; }
    void SetLayout(TTextLayout value);
    bool ShowAccelChar() const { return FShowAccelChar; }
    void SetShowAccelChar(bool value);
    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* value);

    void Loaded() override;
    void Notification(TComponent* c, TOperation op) override;
    void WndProc(TMessage& m) override;

protected:
    void Paint() override;
    // Fits the bounds to the text (AutoSize).
    void AdjustBounds();
    UINT DrawTextFlags() const;

private:
    TAlignment FAlignment = taLeftJustify;
    bool FAutoSize = true;
    bool FWordWrap = false;
    bool FTransparent = false;
    TTextLayout FLayout = tlTop;
    bool FShowAccelChar = true;
    TWinControl* FFocusControl = nullptr;
};

class TLabel : public TCustomLabel {
    TF_CLASS(TLabel)
public:
    explicit TLabel(TComponent* owner);
};

} // namespace tf
