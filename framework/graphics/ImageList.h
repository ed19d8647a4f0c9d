// TImageList: equally sized images with masks in a system image list, drawn
// normally or dimmed (embossed in the button shadow and highlight colours).
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "framework/core/Component.h"
#include "framework/graphics/Color.h"
#include "framework/graphics/GdiHandle.h"

namespace tf {

class TBitmap;
class TCanvas;
class TIcon;

namespace gdi_detail {
inline void DestroyImageList(HIMAGELIST h) { ::ImageList_Destroy(h); }
} // namespace gdi_detail
using TImageListHandle = TOwnedHandle<HIMAGELIST, &gdi_detail::DestroyImageList>;

class TImageList : public TComponent {
    TF_CLASS(TImageList)
public:
    explicit TImageList(TComponent* owner = nullptr);
    ~TImageList() override;

    // Image size; changing it empties the list. 16 x 16 at first.
    int32_t Width() const { return FWidth; }
    void SetWidth(int32_t width) { SetSize(width, FHeight); }
    int32_t Height() const { return FHeight; }
    void SetHeight(int32_t height) { SetSize(FWidth, height); }
    void SetSize(int32_t width, int32_t height);
    int Count();

    // The system list, made on first use; destroyed with the component
    // unless ShareImages is set.
    HIMAGELIST Handle();
    bool HandleAllocated() const { return static_cast<bool>(FHandle); }
    // Uses a list made elsewhere (owned unless ShareImages); its size is adopted.
    void SetHandle(HIMAGELIST list);
    bool ShareImages() const { return FShareImages; }
    void SetShareImages(bool value) { FShareImages = value; }

    // image may hold several images side by side; each is Width wide.
    // Returns the index of the first image added (-1 on failure).
    int Add(TBitmap* image, TBitmap* mask);
    // Pixels of maskColor become transparent. The bitmap is not changed.
    int AddMasked(TBitmap* image, TColor maskColor);
    int AddIcon(TIcon* icon);
    void Delete(int index);
    void Clear();

    // Replaces the images with a BITMAP resource cut into cells width pixels
    // wide, as high as the bitmap, with maskColor transparent ("GLAZEMENU":
    // 16, clWhite). A missing resource raises EResNotFound.
    void LoadFromResourceName(HINSTANCE instance, const std::string& name, int32_t width, TColor maskColor);

    // Image index at (x, y) with its mask; dimmed when not enabled. An index
    // out of range draws nothing.
    void Draw(TCanvas& canvas, int x, int y, int index, bool enabled = true);
    // The same for any system image list (a tab control's, for instance).
    static void DrawList(HIMAGELIST list, HDC dc, int x, int y, int index, bool enabled);
    // The image on a white background, at the list's size.
    void GetBitmap(int index, TBitmap& dest);

    TNotifyEvent OnChange;

private:
    void FreeHandle();
    void Changed() { OnChange(this); }

    TImageListHandle FHandle;   // detached instead of destroyed when shared
    bool FShareImages = false;
    int32_t FWidth = 16;
    int32_t FHeight = 16;
};

} // namespace tf
