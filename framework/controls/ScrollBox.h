// TScrollBox: a container whose children may reach past its client area;
// its own scroll bars (shown only when needed) move every child so that the
// rest comes into view.
#pragma once
#include "Forms.h"
#include "WinControl.h"

namespace tf {

class TScrollBox : public TWinControl {
    TF_CLASS(TScrollBox)
public:
    explicit TScrollBox(TComponent* owner);

    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle value);
    // How far the content is scrolled (pixels).
    POINT ScrollPos() const { return FScroll; }
    void ScrollTo(int x, int y);
    // Recomputes the scroll ranges from the children's extent; call after
    // adding or moving children at run time.
    void UpdateScrollRange();

    void Loaded() override;
    void WndProc(TMessage& m) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void Resize() override;

private:
    SIZE ContentSize() const;
    void ScrollMessage(TMessage& m, bool vertical);

    TBorderStyle FBorderStyle = bsSingle;
    POINT FScroll{0, 0};
    bool FUpdating = false;
};

} // namespace tf
