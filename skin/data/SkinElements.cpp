#include "skin/data/SkinElements.h"

namespace tf {

TDataSkinObject::TDataSkinObject(std::string name) : Bitmap(std::make_unique<TBitmap>()), Name(std::move(name)) {}

TDataSkinObject::~TDataSkinObject() = default;

TDataSkinBorder::TDataSkinBorder(std::string name) : TDataSkinObject(std::move(name)), Bitmap2(std::make_unique<TBitmap>()) {}

TDataSkinButton::TDataSkinButton(std::string name)
    : TDataSkinObject(std::move(name)), CheckBitmap(std::make_unique<TBitmap>()), RadioBitmap(std::make_unique<TBitmap>())
{
}

int FrameSideSize(const TDataSkinBorder& border, bool leftOrRight)
{
    return (leftOrRight ? border.Bitmap->Width() : border.Bitmap->Height()) / UsableFrameCount(border.FrameCount);
}

} // namespace tf
