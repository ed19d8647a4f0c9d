// TSkinListView: list views, whose scroll bars are skinned as any control's
// and whose column header (report style) gets the header skinner.
#pragma once
#include "skin/controls/scrollbars/SkinScrollbar.h"

namespace tf {

class TSkinListView : public TSkinScrollbar {
    TF_CLASS(TSkinListView)
public:
    explicit TSkinListView(TComponent* owner);
    void AttachScroll(TControl* control, TSkinData* data, TSkinnerHost* form, TCanvas* canvas) override;
    // The header's skinner, or null (no header, or no header skinner built).
    TSkinControl* Header() const { return FHeader; }

private:
    TSkinControl* FHeader = nullptr;
};

} // namespace tf
