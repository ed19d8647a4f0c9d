// THintWindow: a small top-most tool window showing a text, placed and shown
// by its user (there is no general hint system). Showing it never activates it.
#pragma once
#include <string>

#include "GraphicControl.h"

namespace tf {

class THintWindow : public TCustomControl {
    TF_CLASS(THintWindow)
public:
    explicit THintWindow(TComponent* owner);

    // The rectangle (at 0, 0) the text needs, wrapped at maxWidth pixels.
    virtual RECT CalcHintRect(int maxWidth, const std::string& text);
    // Shows the text in rect (screen coordinates) without activating.
    virtual void ActivateHint(const RECT& rect, const std::string& text);
    // Hides the window.
    void ReleaseHandle();
    bool Active() const { return FActive; }

protected:
    void CreateParams(TCreateParams& params) override;
    void Paint() override;

private:
    bool FActive = false;
};

} // namespace tf
