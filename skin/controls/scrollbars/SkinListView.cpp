#include "skin/controls/scrollbars/SkinListView.h"

#include <commctrl.h>

#include "skin/controls/SkinnerRegistry.h"

namespace tf {

const TClassInfo& TSkinListView::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TSkinListView>("TSkinListView", TSkinScrollbar::StaticClass()).Build();
    return info;
}

TSkinListView::TSkinListView(TComponent* owner) : TSkinScrollbar(owner) {}

void TSkinListView::AttachScroll(TControl* control, TSkinData* data, TSkinnerHost* form, TCanvas* canvas)
{
    TSkinScrollbar::AttachScroll(control, data, form, canvas);
    if (!FHandle) return;
    HWND header = reinterpret_cast<HWND>(SendMessageA(FHandle, LVM_GETHEADER, 0, 0));
    if (!header) return;
    // Owned like this skinner: by the list view, or by the form skinner.
    FHeader = CreateSkinner(TSkinnerKind::Header, Owner());
    if (FHeader) FHeader->AttachWindow(header, data, form, canvas);
}

} // namespace tf
