#include "ListView.h"

#include <commctrl.h>

#include "Publish.h"

namespace tf {

const TEnumInfo ViewStyleInfo{"TViewStyle", {"vsIcon", "vsSmallIcon", "vsList", "vsReport"}};

namespace {
std::vector<std::string> SplitCells(const std::string& row)
{
    std::vector<std::string> cells;
    size_t start = 0;
    for (;;) {
        const size_t bar = row.find('|', start);
        cells.push_back(row.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
        if (bar == std::string::npos) return cells;
        start = bar + 1;
    }
}
} // namespace

// ------------------------------------------------------------ TListColumn

const TClassInfo& TListColumn::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TListColumn>("TListColumn", TCollectionItem::StaticClass())
                                       .String("Caption", &TListColumn::Caption, &TListColumn::SetCaption)
                                       .Int("Width", &TListColumn::Width, &TListColumn::SetWidth)
                                       .Enum("Alignment", AlignmentInfo, &TListColumn::Alignment, &TListColumn::SetAlignment)
                                       .Build();
    return info;
}

TListColumn::TListColumn(TCollection* collection) : TCollectionItem(collection) {}

void TListColumn::SetCaption(const std::string& value)
{
    FCaption = value;
    Changed(false);
}

void TListColumn::SetWidth(int value)
{
    FWidth = value;
    Changed(false);
}

void TListColumn::SetAlignment(TAlignment value)
{
    FAlignment = value;
    Changed(false);
}

const TClassInfo& TListColumns::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TListColumns>("TListColumns", TCollection::StaticClass()).Build();
    return info;
}

TListColumns::TListColumns(TCustomListView* owner)
    : TCollection(owner, &MakeCollectionItem<TListColumn>), FListView(owner)
{
}

void TListColumns::Update(TCollectionItem*)
{
    if (FListView) FListView->Refill();
}

// ------------------------------------------------------------ TCustomListView

const TClassInfo& TCustomListView::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TCustomListView>("TCustomListView", TNativeControl::StaticClass()).Build();
    return info;
}

TCustomListView::TCustomListView(TComponent* owner)
    : TNativeControl(owner, WC_LISTVIEWA, LVS_SHAREIMAGELISTS | LVS_SHOWSELALWAYS, 0, ICC_LISTVIEW_CLASSES),
      FColumns(std::make_unique<TListColumns>(this)), FItems(std::make_unique<TStringList>())
{
    SetBounds(0, 0, 250, 150);
    SetColor(clWindow);
    SetTabStop(true);
    FItems->OnChange = TNotifyEvent::Of<&TCustomListView::ItemsChanged>(this);
}

TCustomListView::~TCustomListView()
{
    Destroying();
    FItems->OnChange.Clear();
}

void TCustomListView::SetColumns(TListColumns* value)
{
    if (value) FColumns->Assign(value);
}

void TCustomListView::SetItems(TStrings* value)
{
    if (value) FItems->Assign(value);
}

void TCustomListView::SetViewStyle(TViewStyle value)
{
    if (FViewStyle == value) return;
    FViewStyle = value;
    RecreateWnd();
}

void TCustomListView::SetBorderStyle(TBorderStyle value)
{
    if (FBorderStyle == value) return;
    FBorderStyle = value;
    RecreateWnd();
}

void TCustomListView::SetGridLines(bool value)
{
    FGridLines = value;
    UpdateExtendedStyle();
}

void TCustomListView::SetRowSelect(bool value)
{
    FRowSelect = value;
    UpdateExtendedStyle();
}

void TCustomListView::CreateParams(TCreateParams& p)
{
    TNativeControl::CreateParams(p);
    static constexpr DWORD styles[] = {LVS_ICON, LVS_SMALLICON, LVS_LIST, LVS_REPORT};
    p.Style |= styles[FViewStyle];
    if (FBorderStyle == bsSingle) p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomListView::CreateWnd()
{
    TNativeControl::CreateWnd();
    UpdateExtendedStyle();
    FColorsSent = false;
    UpdateColors();
    Refill();
}

void TCustomListView::UpdateColors()
{
    if (!HandleAllocated()) return;
    if (!FColorsSent && Color() == clWindow && Font()->Color() == clWindowText) return;
    FColorsSent = true;
    HWND w = WindowHandle();
    const auto back = static_cast<LPARAM>(ColorToRGB(Color()));
    SendMessageA(w, LVM_SETBKCOLOR, 0, back);
    SendMessageA(w, LVM_SETTEXTBKCOLOR, 0, back);
    SendMessageA(w, LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(ColorToRGB(Font()->Color())));
    InvalidateRect(w, nullptr, TRUE);
}

void TCustomListView::WndProc(TMessage& m)
{
    TNativeControl::WndProc(m);
    if (m.Msg == CM_COLORCHANGED || m.Msg == CM_FONTCHANGED) UpdateColors();
}

void TCustomListView::UpdateExtendedStyle()
{
    if (!HandleAllocated()) return;
    const DWORD ex = (FGridLines ? LVS_EX_GRIDLINES : 0) | (FRowSelect ? LVS_EX_FULLROWSELECT : 0);
    SendMessageA(WindowHandle(), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT, ex);
}

HWND TCustomListView::HeaderHandle()
{
    if (!HandleAllocated()) return nullptr;
    return reinterpret_cast<HWND>(SendMessageA(WindowHandle(), LVM_GETHEADER, 0, 0));
}

void TCustomListView::ItemsChanged(TObject*) { Refill(); }

void TCustomListView::Loaded()
{
    TNativeControl::Loaded();
    Refill();
}

void TCustomListView::Refill()
{
    if (!HandleAllocated() || HasState(csLoading) || HasState(csDestroying)) return;
    HWND w = WindowHandle();
    SendMessageA(w, WM_SETREDRAW, FALSE, 0);
    SendMessageA(w, LVM_DELETEALLITEMS, 0, 0);
    while (SendMessageA(w, LVM_DELETECOLUMN, 0, 0)) {
    }
    static constexpr int formats[] = {LVCFMT_LEFT, LVCFMT_RIGHT, LVCFMT_CENTER};
    for (int i = 0; i < FColumns->Count(); ++i) {
        const TListColumn* c = FColumns->Items(i);
        std::string caption = c->Caption();
        LVCOLUMNA col{};
        col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
        col.fmt = formats[c->Alignment()];
        col.cx = c->Width();
        col.pszText = caption.data();
        col.iSubItem = i;
        SendMessageA(w, LVM_INSERTCOLUMNA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&col));
    }
    for (int row = 0; row < FItems->Count(); ++row) {
        std::vector<std::string> cells = SplitCells(FItems->Get(row));
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = row;
        item.pszText = cells[0].data();
        const auto index = static_cast<int>(SendMessageA(w, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
        for (size_t cell = 1; cell < cells.size() && index >= 0; ++cell) {
            LVITEMA sub{};
            sub.iSubItem = static_cast<int>(cell);
            sub.pszText = cells[cell].data();
            SendMessageA(w, LVM_SETITEMTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&sub));
        }
    }
    SendMessageA(w, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(w, nullptr, TRUE);
}

const TClassInfo& TListView::StaticClass()
{
    static const TClassInfo info = [] {
        TClassBuilder<TListView> b("TListView", TCustomListView::StaticClass());
        b.Object<TListColumns>("Columns", &TListView::Columns, &TListView::SetColumns)
            .Object<TStrings>("Items", &TListView::Items, &TListView::SetItems)
            .Enum("ViewStyle", ViewStyleInfo, &TListView::ViewStyle, &TListView::SetViewStyle)
            .Enum("BorderStyle", BorderStyleInfo, &TListView::BorderStyle, &TListView::SetBorderStyle)
            .Bool("GridLines", &TListView::GridLines, &TListView::SetGridLines)
            .Bool("RowSelect", &TListView::RowSelect, &TListView::SetRowSelect);
        PublishWinControlDefaults(b);
        return b.Build();
    }();
    return info;
}

TListView::TListView(TComponent* owner) : TCustomListView(owner) {}

} // namespace tf
