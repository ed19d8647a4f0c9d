// Up-down (spin) buttons: a native "msctls_updown32" under the class name
// "TUpDown". Range and position live in the window once it exists. With an
// Associate the buttons sit beside that control and write the position into
// its text; a click moves the position by Increment and fires OnClick.
#pragma once
#include "ComCtrls.h"

namespace tf {

enum TUDOrientation : uint8_t { udHorizontal, udVertical };
extern const TEnumInfo UDOrientationInfo;

class TCustomUpDown : public TNativeControl {
    TF_CLASS(TCustomUpDown)
public:
    explicit TCustomUpDown(TComponent* owner);

    int Min() const { return FMin; }
    void SetMin(int value);
    int Max() const { return FMax; }
    void SetMax(int value);
    int Position();
    void SetPosition(int value);
    int Increment() const { return FIncrement; }
    void SetIncrement(int value);
    TUDOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TUDOrientation value);
    bool Wrap() const { return FWrap; }
    void SetWrap(bool value);
    bool ArrowKeys() const { return FArrowKeys; }
    void SetArrowKeys(bool value);
    TWinControl* Associate() const { return FAssociate; }
    void SetAssociate(TWinControl* value);

    void Notification(TComponent* c, TOperation op) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void Scroll(TMessage& m) override;

private:
    void UpdateWindow();

    int FMin = 0;
    int FMax = 100;
    int FPosition = 0;
    int FIncrement = 1;
    TUDOrientation FOrientation = udVertical;
    bool FWrap = false;
    bool FArrowKeys = true;
    TWinControl* FAssociate = nullptr;
};

class TUpDown : public TCustomUpDown {
    TF_CLASS(TUpDown)
public:
    explicit TUpDown(TComponent* owner);
};

} // namespace tf
