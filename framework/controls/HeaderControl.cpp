#include "HeaderControl.h"

#include <commctrl.h>

#include "Publish.h"
#include "framework/graphics/ImageList.h"

namespace tf {

// ------------------------------------------------------------ THeaderSection

const TClassInfo& THeaderSection::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<THeaderSection>("THeaderSection", TCollectionItem::StaticClass())
            .String("Text", &THeaderSection::Text, &THeaderSection::SetText)
            .Int("Width", &THeaderSection::Width, &THeaderSection::SetWidth)
            .Enum("Alignment", AlignmentInfo, &THeaderSection::Alignment, &THeaderSection::SetAlignment)
            .Int("ImageIndex", &THeaderSection::ImageIndex, &THeaderSection::SetImageIndex)
            .Bool("AllowClick", &THeaderSection::AllowClick, &THeaderSection::SetAllowClick)
            .Build();
    return info;
}

THeaderSection::THeaderSection(TCollection* collection) : TCollectionItem(collection) {}

void THeaderSection::SetText(const std::string& value)
{
    FText = value;
    Changed(false);
}

void THeaderSection::SetWidth(int value)
{
    FWidth = value < 0 ? 0 : value;
    Changed(false);
}

void THeaderSection::SetAlignment(TAlignment value)
{
    FAlignment = value;
    Changed(false);
}

void THeaderSection::SetImageIndex(int value)
{
    FImageIndex = value;
    Changed(false);
}

const TClassInfo& THeaderSections::StaticClass()
{
    static const TClassInfo info = TClassBuilder<THeaderSections>("THeaderSections", TCollection::StaticClass()).Build();
    return info;
}

THeaderSections::THeaderSections(THeaderControl* owner)
    : TCollection(owner, &MakeCollectionItem<THeaderSection>), FHeader(owner)
{
}

void THeaderSections::Update(TCollectionItem*)
{
    if (FHeader) FHeader->Refill();
}

// ------------------------------------------------------------ THeaderControl

const TClassInfo& THeaderControl::StaticClass()
{
    static const TClassInfo info = [] {
        TClassBuilder<THeaderControl> b("THeaderControl", TNativeControl::StaticClass());
        b.Object<THeaderSections>("Sections", &THeaderControl::Sections, &THeaderControl::SetSections)
            .Bool("HotTrack", &THeaderControl::HotTrack, &THeaderControl::SetHotTrack)
            .Object<TImageList>("Images", &THeaderControl::Images, &THeaderControl::SetImages);
        PublishEvent<TSectionNotifyEvent>(b, "OnSectionClick", &THeaderControl::OnSectionClick);
        PublishEvent<TSectionNotifyEvent>(b, "OnSectionResize", &THeaderControl::OnSectionResize);
        PublishFont(b);
        PublishShowHint(b);
        PublishMouseEvents(b);
        return b.Build();
    }();
    return info;
}

THeaderControl::THeaderControl(TComponent* owner)
    : TNativeControl(owner, WC_HEADERA, HDS_BUTTONS | HDS_HORZ, 0, ICC_LISTVIEW_CLASSES),
      FSections(std::make_unique<THeaderSections>(this))
{
    SetBounds(0, 0, 250, 20);
}

THeaderControl::~THeaderControl() { Destroying(); }

void THeaderControl::SetSections(THeaderSections* value)
{
    if (value) FSections->Assign(value);
}

void THeaderControl::SetHotTrack(bool value)
{
    if (FHotTrack == value) return;
    FHotTrack = value;
    RecreateWnd();
}

void THeaderControl::SetImages(TImageList* value)
{
    if (FImages) FImages->RemoveFreeNotification(this);
    FImages = value;
    if (FImages) FImages->FreeNotification(this);
    Refill();
}

void THeaderControl::Notification(TComponent* c, TOperation op)
{
    TNativeControl::Notification(c, op);
    if (op == TOperation::opRemove && c == FImages) SetImages(nullptr);
}

void THeaderControl::CreateParams(TCreateParams& p)
{
    TNativeControl::CreateParams(p);
    if (FHotTrack) p.Style |= HDS_HOTTRACK;
}

void THeaderControl::CreateWnd()
{
    TNativeControl::CreateWnd();
    Refill();
}

void THeaderControl::Loaded()
{
    TNativeControl::Loaded();
    Refill();
}

void THeaderControl::Refill()
{
    if (!HandleAllocated() || HasState(csLoading) || FFilling) return;
    FFilling = true;
    HWND w = WindowHandle();
    while (SendMessageA(w, HDM_GETITEMCOUNT, 0, 0) > 0) SendMessageA(w, HDM_DELETEITEM, 0, 0);
    SendMessageA(w, HDM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(FImages ? FImages->Handle() : nullptr));
    static constexpr int formats[] = {HDF_LEFT, HDF_RIGHT, HDF_CENTER};
    for (int i = 0; i < FSections->Count(); ++i) {
        THeaderSection* s = FSections->Items(i);
        HDITEMA item{};
        item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
        item.pszText = const_cast<char*>(s->Text().c_str());
        item.cxy = s->Width();
        item.fmt = HDF_STRING | formats[s->Alignment()];
        if (FImages && s->ImageIndex() >= 0) {
            item.mask |= HDI_IMAGE;
            item.iImage = s->ImageIndex();
            item.fmt |= HDF_IMAGE;
        }
        SendMessageA(w, HDM_INSERTITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    }
    FFilling = false;
}

void THeaderControl::Notify(NMHDR* header, LRESULT& result)
{
    const auto* nm = reinterpret_cast<NMHEADERA*>(header);
    const bool valid = nm->iItem >= 0 && nm->iItem < FSections->Count();
    switch (header->code) {
    case HDN_ITEMCLICKA:
    case HDN_ITEMCLICKW:
        if (valid && FSections->Items(nm->iItem)->AllowClick()) OnSectionClick(this, FSections->Items(nm->iItem));
        break;
    case HDN_ENDTRACKA:
    case HDN_ENDTRACKW:
        if (valid && nm->pitem && (nm->pitem->mask & HDI_WIDTH)) {
            // The window already has the width: keep it without refilling.
            FSections->Items(nm->iItem)->FWidth = nm->pitem->cxy;
            OnSectionResize(this, FSections->Items(nm->iItem));
        }
        break;
    default: break;
    }
    TNativeControl::Notify(header, result);
}

} // namespace tf
