// TGraphic: the abstract picture kind (bitmap, icon) that a canvas can draw.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "framework/core/Object.h"
#include "framework/graphics/GraphicErrors.h"

namespace tf {

class TCanvas;
class TStream;

class TGraphic : public TPersistent {
    TF_CLASS(TGraphic)
public:
    ~TGraphic() override = default;

    virtual bool Empty() const = 0;
    virtual int32_t Width() const = 0;
    virtual int32_t Height() const = 0;
    virtual void SetWidth(int32_t width) = 0;
    virtual void SetHeight(int32_t height) = 0;
    // Drawn leaving out the transparent parts (a key colour, an icon's mask).
    virtual bool Transparent() const { return FTransparent; }
    virtual void SetTransparent(bool value);

    // Draws the whole graphic into rect, stretched to its size.
    virtual void Draw(TCanvas& canvas, const RECT& rect) = 0;

    // Invalid data raises EInvalidGraphic; the graphic is unchanged then.
    virtual void LoadFromStream(TStream& stream) = 0;
    virtual void SaveToStream(TStream& stream) = 0;
    void LoadFromFile(const std::string& fileName);
    void SaveToFile(const std::string& fileName);
    // Stored data gives a graphic property its image as "Data": the bytes
    // of the graphic's file ("Glyph = @file 'glyph.bmp'").
    bool ReadBinaryProperty(const std::string& name, TStream& data) override;

    // Fires after the image or its size changed.
    TNotifyEvent OnChange;

protected:
    TGraphic() = default;
    virtual void Changed() { OnChange(this); }

    bool FTransparent = false;
};

} // namespace tf
