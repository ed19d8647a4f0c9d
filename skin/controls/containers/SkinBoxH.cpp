#include "skin/controls/containers/SkinBoxH.h"

#include "skin/data/WinSkinData.h"

namespace tf {

const TClassInfo& TSkinBoxH::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TSkinBoxH>("TSkinBoxH", TSkinControl::StaticClass()).Build();
    return info;
}

TSkinBoxH::TSkinBoxH(TComponent* owner) : TSkinControl(owner) {}

bool TSkinBoxH::BeforeMessage(TMessage& m)
{
    switch (m.Msg) {
    case WM_ERASEBKGND: {
        RECT r{};
        GetWindowRect(FHandle, &r);
        FillFace(reinterpret_cast<HDC>(m.WParam), RECT{0, 0, r.right - r.left, r.bottom - r.top});
        m.Result = 0;
        return false;
    }
    case WM_CTLCOLORSTATIC:
        if (CallDefault(m)) m.Result = reinterpret_cast<LRESULT>(FSkinData->FFaceBrush.Get());
        return false;
    default: return TSkinControl::BeforeMessage(m);
    }
}

} // namespace tf
