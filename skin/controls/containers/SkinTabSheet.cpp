#include "skin/controls/containers/SkinTabSheet.h"

#include "framework/controls/WinControl.h"
#include "skin/controls/buttons/ButtonDraw.h"
#include "skin/data/WinSkinData.h"

namespace tf {

const TClassInfo& TSkinTabSheet::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TSkinTabSheet>("TSkinTabSheet", TSkinControl::StaticClass()).Build();
    return info;
}

TSkinTabSheet::TSkinTabSheet(TComponent* owner) : TSkinControl(owner) {}

bool TSkinTabSheet::BeforeMessage(TMessage& m)
{
    if (!TSkinControl::BeforeMessage(m)) return false;
    switch (m.Msg) {
    case WM_PAINT:
    case WM_PRINT: PaintMessage(*this, m); return false;
    case WM_ERASEBKGND: {
        RECT client;
        GetClientRect(FHandle, &client);
        FillRect(reinterpret_cast<HDC>(m.WParam), &client, FSkinData->FFaceBrush.Get());
        m.Result = 1;
        return false;
    }
    default: return true;
    }
}

void TSkinTabSheet::DrawControl(HDC dc, const RECT& rect)
{
    FillFace(dc, rect);
    if (auto* win = dynamic_cast<TWinControl*>(FControl)) win->PaintControls(dc);
}

} // namespace tf
