// Panels (a window painting its colour, bevels and caption, parenting other
// controls) and the window-less image.
#pragma once
#include <memory>

#include "Forms.h"
#include "GraphicControl.h"

namespace tf {

class TPicture;

enum TBevelCut : uint8_t { bvNone, bvLowered, bvRaised, bvSpace };
extern const TEnumInfo BevelCutInfo;

// Draws a frame of `width` lines around rect, top-left in topColor and
// bottom-right in bottomColor, and shrinks rect by it.
void Frame3D(HDC dc, RECT& rect, TColor topColor, TColor bottomColor, int width);

class TCustomPanel : public TCustomControl {
    TF_CLASS(TCustomPanel)
public:
    explicit TCustomPanel(TComponent* owner);

    TBevelCut BevelInner() const { return FBevelInner; }
    void SetBevelInner(TBevelCut value);
    TBevelCut BevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TBevelCut value);
    int BevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(int value);
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int value);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);

protected:
    void CreateParams(TCreateParams& params) override;
    void Paint() override;

private:
    TBevelCut FBevelInner = bvNone;
    TBevelCut FBevelOuter = bvRaised;
    int FBevelWidth = 1;
    int FBorderWidth = 0;
    TBorderStyle FBorderStyle = bsNone;
    TAlignment FAlignment = taCenter;
};

class TPanel : public TCustomPanel {
    TF_CLASS(TPanel)
public:
    explicit TPanel(TComponent* owner);
};

// A picture drawn at its natural size at the top-left (or centred or
// stretched). A new picture (an icon, say) replaces and releases the old one.
class TImage : public TGraphicControl {
    TF_CLASS(TImage)
public:
    explicit TImage(TComponent* owner);
    ~TImage() override;

    TPicture* Picture() const { return FPicture.get(); }
    void SetPicture(TPicture* value);   // copies
    bool Center() const { return FCenter; }
    void SetCenter(bool value);
    bool Stretch() const { return FStretch; }
    void SetStretch(bool value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value);

protected:
    void Paint() override;

private:
    void PictureChanged(TObject*);
    RECT DestRect() const;

    std::unique_ptr<TPicture> FPicture;
    bool FCenter = false;
    bool FStretch = false;
    bool FTransparent = false;
    bool FAutoSize = false;
};

} // namespace tf
