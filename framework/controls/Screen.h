// TScreen: the program's forms and screen-wide state. The global Screen
// exists from start-up on.
//
// Forms lists every form in creation order: a form is appended when it is
// constructed and removed when it is destroyed; the order never changes
// otherwise, so the list may be scanned from either end.
#pragma once
#include <windows.h>

#include <memory>
#include <vector>

#include "Controls.h"

namespace tf {

class TCustomForm;
class TWinControl;

class TScreen : public TComponent {
    TF_CLASS(TScreen)
public:
    explicit TScreen(TComponent* owner);
    ~TScreen() override;

    int FormCount() const { return static_cast<int>(FForms.size()); }
    TCustomForm* Forms(int index) const { return FForms.at(static_cast<size_t>(index)); }
    // The form last activated (null when it went away).
    TCustomForm* ActiveForm() const { return FActiveForm; }
    TWinControl* ActiveControl() const;

    // Fonts of the system's menus and tool tips.
    TFont* MenuFont() const { return FMenuFont.get(); }
    TFont* HintFont() const { return FHintFont.get(); }
    int PixelsPerInch() const { return ScreenPixelsPerInch; }
    int Width() const { return GetSystemMetrics(SM_CXSCREEN); }
    int Height() const { return GetSystemMetrics(SM_CYSCREEN); }

    // The cursor of the whole program; crDefault lets every control choose.
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor value);
    // The system cursor for a TCursor (the arrow for unknown values).
    HCURSOR Cursors(TCursor cursor) const;

    // Called by forms.
    void AddForm(TCustomForm* form);
    void RemoveForm(TCustomForm* form);
    void SetActiveForm(TCustomForm* form) { FActiveForm = form; }

private:
    std::vector<TCustomForm*> FForms;
    TCustomForm* FActiveForm = nullptr;
    std::unique_ptr<TFont> FMenuFont;
    std::unique_ptr<TFont> FHintFont;
    TCursor FCursor = crDefault;
};

extern TScreen* Screen;

} // namespace tf
