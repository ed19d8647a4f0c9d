#include "TreeView.h"

#include <commctrl.h>

#include <vector>

#include "Publish.h"

namespace tf {

const TClassInfo& TCustomTreeView::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TCustomTreeView>("TCustomTreeView", TNativeControl::StaticClass()).Build();
    return info;
}

TCustomTreeView::TCustomTreeView(TComponent* owner)
    : TNativeControl(owner, WC_TREEVIEWA, TVS_SHOWSELALWAYS, 0, ICC_TREEVIEW_CLASSES),
      FItems(std::make_unique<TStringList>())
{
    SetBounds(0, 0, 121, 97);
    SetColor(clWindow);
    SetTabStop(true);
    FItems->OnChange = TNotifyEvent::Of<&TCustomTreeView::ItemsChanged>(this);
}

TCustomTreeView::~TCustomTreeView()
{
    Destroying();
    FItems->OnChange.Clear();
}

void TCustomTreeView::SetItems(TStrings* value)
{
    if (value) FItems->Assign(value);
}

void TCustomTreeView::SetBorderStyle(TBorderStyle value)
{
    if (FBorderStyle == value) return;
    FBorderStyle = value;
    RecreateWnd();
}

void TCustomTreeView::SetShowLines(bool value)
{
    if (FShowLines == value) return;
    FShowLines = value;
    RecreateWnd();
}

void TCustomTreeView::SetShowButtons(bool value)
{
    if (FShowButtons == value) return;
    FShowButtons = value;
    RecreateWnd();
}

void TCustomTreeView::SetAutoExpand(bool value)
{
    FAutoExpand = value;
    Refill();
}

void TCustomTreeView::CreateParams(TCreateParams& p)
{
    TNativeControl::CreateParams(p);
    if (FShowLines) p.Style |= TVS_HASLINES | TVS_LINESATROOT;
    if (FShowButtons) p.Style |= TVS_HASBUTTONS;
    if (FBorderStyle == bsSingle) p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomTreeView::CreateWnd()
{
    TNativeControl::CreateWnd();
    UpdateColors();
    Refill();
}

void TCustomTreeView::UpdateColors()
{
    if (!HandleAllocated()) return;
    const auto value = [](TColor c, TColor system) {
        return c == system ? static_cast<LPARAM>(-1) : static_cast<LPARAM>(ColorToRGB(c));
    };
    SendMessageA(WindowHandle(), TVM_SETBKCOLOR, 0, value(Color(), clWindow));
    SendMessageA(WindowHandle(), TVM_SETTEXTCOLOR, 0, value(Font()->Color(), clWindowText));
}

void TCustomTreeView::WndProc(TMessage& m)
{
    TNativeControl::WndProc(m);
    if (m.Msg == CM_COLORCHANGED || m.Msg == CM_FONTCHANGED) UpdateColors();
}

void TCustomTreeView::ItemsChanged(TObject*) { Refill(); }

void TCustomTreeView::Loaded()
{
    TNativeControl::Loaded();
    Refill();
}

void TCustomTreeView::Refill()
{
    if (!HandleAllocated() || HasState(csLoading)) return;
    HWND w = WindowHandle();
    SendMessageA(w, WM_SETREDRAW, FALSE, 0);
    SendMessageA(w, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    // The last node inserted at each depth, for finding a new node's parent.
    std::vector<std::pair<size_t, HTREEITEM>> open;
    std::vector<HTREEITEM> all;
    for (int i = 0; i < FItems->Count(); ++i) {
        std::string line = FItems->Get(i);
        const size_t depth = line.find_first_not_of(" \t");
        if (depth == std::string::npos) continue;
        line.erase(0, depth);
        while (!open.empty() && open.back().first >= depth) open.pop_back();
        TVINSERTSTRUCTA ins{};
        ins.hParent = open.empty() ? TVI_ROOT : open.back().second;
        ins.hInsertAfter = TVI_LAST;
        ins.item.mask = TVIF_TEXT;
        ins.item.pszText = line.data();
        auto node = reinterpret_cast<HTREEITEM>(SendMessageA(w, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&ins)));
        if (!node) continue;
        open.emplace_back(depth, node);
        all.push_back(node);
    }
    if (FAutoExpand)
        for (HTREEITEM node : all) SendMessageA(w, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(node));
    SendMessageA(w, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(w, nullptr, TRUE);
}

const TClassInfo& TTreeView::StaticClass()
{
    static const TClassInfo info = [] {
        TClassBuilder<TTreeView> b("TTreeView", TCustomTreeView::StaticClass());
        b.Object<TStrings>("Items", &TTreeView::Items, &TTreeView::SetItems)
            .Enum("BorderStyle", BorderStyleInfo, &TTreeView::BorderStyle, &TTreeView::SetBorderStyle)
            .Bool("ShowLines", &TTreeView::ShowLines, &TTreeView::SetShowLines)
            .Bool("ShowButtons", &TTreeView::ShowButtons, &TTreeView::SetShowButtons)
            .Bool("AutoExpand", &TTreeView::AutoExpand, &TTreeView::SetAutoExpand);
        PublishWinControlDefaults(b);
        return b.Build();
    }();
    return info;
}

TTreeView::TTreeView(TComponent* owner) : TCustomTreeView(owner) {}

} // namespace tf
