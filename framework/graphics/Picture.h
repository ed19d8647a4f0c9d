// TPicture: holds one graphic (a bitmap or an icon) of its own and passes
// on its changes.
#pragma once
#include <windows.h>

#include <memory>

#include "framework/core/Object.h"
#include "framework/graphics/Graphic.h"

namespace tf {

class TBitmap;
class TCanvas;
class TIcon;

class TPicture : public TPersistent {
    TF_CLASS(TPicture)
public:
    TPicture();
    ~TPicture() override;
    TPicture(const TPicture&) = delete;
    TPicture& operator=(const TPicture&) = delete;

    TGraphic* Graphic() const { return FGraphic.get(); }
    // Keeps a copy of graphic (same class); null empties the picture.
    void SetGraphic(TGraphic* graphic);
    // The graphic as a bitmap or an icon: a graphic of another kind is first
    // replaced by an empty one of this kind.
    TBitmap* Bitmap();
    TIcon* Icon();
    void SetBitmap(TBitmap* bitmap);
    void SetIcon(TIcon* icon);

    bool Empty() const { return !FGraphic || FGraphic->Empty(); }
    int32_t Width() const { return FGraphic ? FGraphic->Width() : 0; }
    int32_t Height() const { return FGraphic ? FGraphic->Height() : 0; }
    // The graphic stretched to rect; nothing when empty.
    void Draw(TCanvas& canvas, const RECT& rect);

    // From a TPicture or any TGraphic (copied); null empties the picture.
    void Assign(TPersistent* source) override;

    // Fires when the graphic is replaced or changes itself.
    TNotifyEvent OnChange;

private:
    void Replace(std::unique_ptr<TGraphic> graphic);
    void GraphicChanged(TObject*);

    std::unique_ptr<TGraphic> FGraphic;
};

} // namespace tf
