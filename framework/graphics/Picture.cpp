#include "Picture.h"

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Icon.h"

namespace tf {

const TClassInfo& TPicture::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TPicture>("TPicture", TPersistent::StaticClass())
                                       .Object<TGraphic>("Graphic", &TPicture::Graphic, &TPicture::SetGraphic)
                                       .Build();
    return info;
}

namespace {
std::unique_ptr<TGraphic> CopyOf(TGraphic* graphic)
{
    std::unique_ptr<TGraphic> copy;
    if (dynamic_cast<TBitmap*>(graphic))
        copy = std::make_unique<TBitmap>();
    else if (dynamic_cast<TIcon*>(graphic))
        copy = std::make_unique<TIcon>();
    else
        throw EInvalidGraphicOperation("Unsupported graphic class " + graphic->ClassName());
    copy->Assign(graphic);
    return copy;
}
} // namespace

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

void TPicture::Replace(std::unique_ptr<TGraphic> graphic)
{
    FGraphic = std::move(graphic);
    if (FGraphic) FGraphic->OnChange = TNotifyEvent::Of<&TPicture::GraphicChanged>(this);
    OnChange(this);
}

void TPicture::GraphicChanged(TObject*) { OnChange(this); }

void TPicture::SetGraphic(TGraphic* graphic)
{
    if (graphic == FGraphic.get()) return;
    Replace(graphic ? CopyOf(graphic) : nullptr);
}

TBitmap* TPicture::Bitmap()
{
    if (!dynamic_cast<TBitmap*>(FGraphic.get())) Replace(std::make_unique<TBitmap>());
    return static_cast<TBitmap*>(FGraphic.get());
}

TIcon* TPicture::Icon()
{
    if (!dynamic_cast<TIcon*>(FGraphic.get())) Replace(std::make_unique<TIcon>());
    return static_cast<TIcon*>(FGraphic.get());
}

void TPicture::SetBitmap(TBitmap* bitmap) { SetGraphic(bitmap); }
void TPicture::SetIcon(TIcon* icon) { SetGraphic(icon); }

void TPicture::Draw(TCanvas& canvas, const RECT& rect)
{
    if (!Empty()) FGraphic->Draw(canvas, rect);
}

void TPicture::Assign(TPersistent* source)
{
    if (!source) {
        SetGraphic(nullptr);
    } else if (auto* p = dynamic_cast<TPicture*>(source)) {
        if (p != this) SetGraphic(p->Graphic());
    } else if (auto* g = dynamic_cast<TGraphic*>(source)) {
        SetGraphic(g);
    } else {
        TPersistent::Assign(source);
    }
}

} // namespace tf
