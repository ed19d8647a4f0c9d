// TArrowButton: a small window of the date picker skinner's own that covers
// the picker's drop-down button and shows the skin's combo arrow (frame 4
// while the mouse is over it, else frame 1). A press on it is handed to the
// picker as a click on the picker's own button, which opens the calendar;
// the release gives the picker the keyboard back unless the calendar is open.
// Not a tab stop.
#pragma once
#include "framework/controls/GraphicControl.h"
#include "skin/controls/HotItem.h"

namespace tf {

class TSkinControl;

class TArrowButton : public TCustomControl {
    TF_CLASS(TArrowButton)
public:
    // owner: the skinner; picker: the date picker control, whose window
    // becomes the arrow's parent window.
    TArrowButton(TSkinControl* skinner, TWinControl* picker);

    int ArrowWidth() const { return FArrowWidth; }
    TWinControl* Picker() const { return FPicker; }
    TSkinControl* Skinner() const { return FSkinner; }
    HWND PickerWindow() const { return FPickerWindow; }
    bool Hot() const { return FHot.Index() >= 0; }
    // Places the arrow at the picker's button for its current size.
    void Place();

    void WndProc(TMessage& m) override;

protected:
    void Paint() override;

private:
    bool CalendarOpen() const;

    int FArrowWidth;
    TWinControl* FPicker;
    TSkinControl* FSkinner;
    HWND FPickerWindow;
    THotItem FHot;
    bool FOpenAtPress = false;
};

} // namespace tf
