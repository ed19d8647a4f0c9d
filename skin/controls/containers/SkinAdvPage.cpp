#include "skin/controls/containers/SkinAdvPage.h"

#include "framework/graphics/Bitmap.h"
#include "framework/controls/Controls.h"
#include "skin/controls/edits/SkinUpDown.h"
#include "skin/data/WinSkinData.h"

namespace tf {

const TClassInfo& TSkinAdvPage::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TSkinAdvPage>("TSkinAdvPage", TSkinControl::StaticClass()).Build();
    return info;
}

TSkinAdvPage::TSkinAdvPage(TComponent* owner) : TSkinControl(owner) {}

TSkinAdvPage::~TSkinAdvPage()
{
    if (SkinsLivingControl()) Unskin();
}

void TSkinAdvPage::Notification(TComponent* c, TOperation op)
{
    TSkinControl::Notification(c, op);
    if (op == TOperation::opRemove && c == FUpDown) FUpDown = nullptr;
}

void TSkinAdvPage::Attach(TSkinnerHost* form, TSkinData* data, bool setColor, TCanvas* canvas)
{
    if (FAttached) return;
    TSkinControl::Attach(form, data, setColor, canvas);
    if (FPageMode == 4) BuildBackgrounds();
    FAttached = true;
    FState = TSkinnerState::Attached;
}

void TSkinAdvPage::BuildBackgrounds()
{
    TDataSkinBorder* tabs = FSkinData ? FSkinData->SkinTabs.get() : nullptr;
    if (!tabs || tabs->Empty() || !FControl) return;
    const RECT size{0, 0, 100, 21};
    const auto normal = ComposeElement(size, *tabs->Bitmap, tabs->Margins, 1, tabs->FrameCount, tabs->Tile != 0, false);
    const auto active = ComposeElement(size, *tabs->Bitmap, tabs->Margins, 2, tabs->FrameCount, tabs->Tile != 0, false);
    AssignObjectProperty(FControl, "TabBackGround", normal.get());
    AssignObjectProperty(FControl, "TabBackGroundActive", active.get());
}

void TSkinAdvPage::ClearBackgrounds()
{
    TBitmap none;
    AssignObjectProperty(FControl, "TabBackGround", &none);
    AssignObjectProperty(FControl, "TabBackGroundActive", &none);
}

void TSkinAdvPage::Unskin()
{
    if (!FActive) return;
    // Only the backgrounds go back: the colour given at attach stays.
    FActive = false;
    if (FState != TSkinnerState::WindowDestroyed && FControl) ClearBackgrounds();
}

void TSkinAdvPage::SkinChanged()
{
    if (FPageMode == 4) BuildBackgrounds();
}

void TSkinAdvPage::DrawControl(HDC, const RECT&)
{
    if (FUpDown) return;
    HWND spin = FindWindowExA(FHandle, nullptr, "msctls_updown32", nullptr);
    if (!spin) return;
    FUpDown = new TSkinUpDown(Owner());
    FUpDown->FreeNotification(this);
    FUpDown->AttachWindow(spin, FSkinData, FForm, FCanvas);
}

} // namespace tf
