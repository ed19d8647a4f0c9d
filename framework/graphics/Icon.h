// TIcon: an HICON with one owner, and the images of the icon file it came
// from (kept so that saving gives back every image).
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "framework/graphics/GdiHandle.h"
#include "framework/graphics/Graphic.h"
#include "framework/graphics/IconFile.h"

namespace tf {

class TIcon : public TGraphic {
    TF_CLASS(TIcon)
public:
    TIcon();
    ~TIcon() override;
    TIcon(const TIcon&) = delete;
    TIcon& operator=(const TIcon&) = delete;

    // Made on first use from the image nearest the system icon size (most
    // colours among equals); owned by the icon. Null while empty.
    HICON Handle();
    bool HandleAllocated() const { return static_cast<bool>(FHandle); }
    // Takes ownership of h (for example an ExtractIconA result) and releases
    // the previous handle; the file images are dropped. Null empties the icon.
    void SetHandle(HICON h);
    // Gives the handle to the caller; the icon keeps its file images only.
    HICON ReleaseHandle();
    // A new handle of the image nearest w x h (the caller owns it); null when empty.
    TIconHandle CreateHandleForSize(int width, int height) const;

    bool Empty() const override { return !FHandle && FImages.empty(); }
    int32_t Width() const override { return FWidth; }
    int32_t Height() const override { return FHeight; }
    // Icons keep their size: both raise EInvalidGraphicOperation.
    void SetWidth(int32_t width) override;
    void SetHeight(int32_t height) override;
    bool Transparent() const override { return true; }

    int ImageCount() const { return static_cast<int>(FImages.size()); }
    const std::vector<TIconImage>& Images() const { return FImages; }

    // Icon drawn with its mask, stretched to rect.
    void Draw(TCanvas& canvas, const RECT& rect) override;
    // Every image of an icon file; bad data raises EInvalidGraphic and leaves the icon unchanged.
    void LoadFromStream(TStream& stream) override;
    // The file images as read, or one 32-bit image made from the handle;
    // nothing for an empty icon.
    void SaveToStream(TStream& stream) override;
    // An icon resource (its large-size image); a missing one raises EResNotFound.
    void LoadFromResourceName(HINSTANCE instance, const std::string& name);

    // Copies the images, or a copy of the handle (CopyIcon) for a handle-only icon.
    void Assign(TPersistent* source) override;

private:
    void ReadHandleSize();
    int BestImage(int width, int height) const;

    TIconHandle FHandle;
    std::vector<TIconImage> FImages;
    int32_t FWidth = 0;
    int32_t FHeight = 0;
};

} // namespace tf
