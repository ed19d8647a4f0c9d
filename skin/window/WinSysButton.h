// TWinSysButton: one caption button of a skinned frame, made from one of the
// skin's caption-button elements. It re-reads its element from the skin data
// at every use (by position), so it never holds an element across a skin
// change. The caption image it is drawn into at each frame paint also gives
// it the background it lies on, so that its hot and pressed frames can be
// drawn alone, off-screen, and copied to the window in one operation.
#pragma once
#include <windows.h>

#include <memory>

#include "skin/window/NCObject.h"

namespace tf {

class TBitmap;
class TDataSkinSysButton;

class TWinSysButton final : public TNCObject {
public:
    TWinSysButton(TSkinChrome& chrome, int elementIndex);
    ~TWinSysButton() override;

    // The element, or null when the skin no longer has it.
    TDataSkinSysButton* Element() const;
    // The element's action (-1 without an element).
    int Action() const;
    // The element has an image to draw and to hit.
    bool HasImage() const;
    // The size of one frame of the element's image.
    SIZE FrameSize() const;

    // Keeps what lies under bounds in dc (frame coordinates) and draws the
    // button there in frame `frame`.
    void DrawInto(HDC dc, int frame);
    // Hot tracking and pressing: the frame of the draw state, on the window.
    void Draw() override;

private:
    void Paint(HDC dc, int frame);

    int elementIndex;
    std::unique_ptr<TBitmap> under;   // the caption or band under bounds
};

} // namespace tf
