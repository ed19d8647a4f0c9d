#include "skin/controls/containers/SkinSizer.h"

namespace tf {

const TClassInfo& TSkinSizer::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TSkinSizer>("TSkinSizer", TSkinControl::StaticClass()).Build();
    return info;
}

TSkinSizer::TSkinSizer(TComponent* owner) : TSkinControl(owner) {}

void TSkinSizer::DrawControl(HDC dc, const RECT& rect) { FillFace(dc, rect); }

} // namespace tf
