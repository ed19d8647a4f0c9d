#include "ListBox.h"

#include "Publish.h"
#include "framework/core/SysUtils.h"

namespace tf {

const TEnumInfo ListBoxStyleInfo{"TListBoxStyle", {"lbStandard", "lbOwnerDrawFixed", "lbOwnerDrawVariable"}};

// ------------------------------------------------------------ TListBoxStrings

const TClassInfo& TListBoxStrings::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TListBoxStrings>("TListBoxStrings", TStrings::StaticClass()).Build();
    return info;
}

HWND TListBoxStrings::Window() const { return FListBox->WindowHandle(); }

void TListBoxStrings::Check(int index) const
{
    if (index < 0 || index >= Count()) throw EListError(Format(SListIndexError, index));
}

int TListBoxStrings::Count() const
{
    if (HWND w = Window()) {
        const LRESULT n = SendMessageA(w, LB_GETCOUNT, 0, 0);
        return n < 0 ? 0 : static_cast<int>(n);
    }
    return FSaved.Count();
}

std::string TListBoxStrings::Get(int index) const
{
    Check(index);
    HWND w = Window();
    if (!w) return FSaved.Get(index);
    const LRESULT len = SendMessageA(w, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (len == LB_ERR) throw EListError(Format(SListIndexError, index));
    std::string s(static_cast<size_t>(len) + 1, '\0');
    const LRESULT n = SendMessageA(w, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(s.data()));
    s.resize(n < 0 ? 0 : static_cast<size_t>(n));
    return s;
}

void TListBoxStrings::Put(int index, const std::string& s)
{
    Check(index);
    HWND w = Window();
    if (!w) {
        FSaved.Put(index, s);
        Changed();
        return;
    }
    const int selected = FListBox->ItemIndex();
    const intptr_t data = GetObject(index);
    SendMessageA(w, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
    Insert(index, s);
    PutObject(index, data);
    if (selected == index) FListBox->SetItemIndex(index);
}

intptr_t TListBoxStrings::GetObject(int index) const
{
    Check(index);
    if (HWND w = Window()) return static_cast<intptr_t>(SendMessageA(w, LB_GETITEMDATA, static_cast<WPARAM>(index), 0));
    return FSaved.GetObject(index);
}

void TListBoxStrings::PutObject(int index, intptr_t value)
{
    Check(index);
    if (HWND w = Window()) SendMessageA(w, LB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(value));
    else FSaved.PutObject(index, value);
}

void TListBoxStrings::Insert(int index, const std::string& s)
{
    if (index < 0 || index > Count()) throw EListError(Format(SListIndexError, index));
    if (HWND w = Window()) {
        const LRESULT r = FListBox->Sorted()
                              ? SendMessageA(w, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s.c_str()))
                              : SendMessageA(w, LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(s.c_str()));
        if (r < 0) throw EOutOfResources("Cannot add an item to the list");
    } else {
        FSaved.Insert(index, s);
    }
    Changed();
}

void TListBoxStrings::Delete(int index)
{
    Check(index);
    if (HWND w = Window()) SendMessageA(w, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
    else FSaved.Delete(index);
    Changed();
}

void TListBoxStrings::Clear()
{
    if (HWND w = Window()) SendMessageA(w, LB_RESETCONTENT, 0, 0);
    else FSaved.Clear();
    Changed();
}

int TListBoxStrings::IndexOf(const std::string& s) const
{
    HWND w = Window();
    if (!w) return FSaved.IndexOf(s);
    // LB_FINDSTRINGEXACT folds case by the system's rules; check the bytes.
    for (int start = -1;;) {
        const LRESULT i = SendMessageA(w, LB_FINDSTRINGEXACT, static_cast<WPARAM>(start), reinterpret_cast<LPARAM>(s.c_str()));
        if (i == LB_ERR || i <= start) return -1;
        if (SameTextAscii(Get(static_cast<int>(i)), s)) return static_cast<int>(i);
        start = static_cast<int>(i);
    }
}

void TListBoxStrings::SetUpdateState(bool updating)
{
    if (HWND w = Window()) {
        SendMessageA(w, WM_SETREDRAW, updating ? FALSE : TRUE, 0);
        if (!updating) InvalidateRect(w, nullptr, TRUE);
    }
}

// ------------------------------------------------------------ TCustomListBox

const TClassInfo& TCustomListBox::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TCustomListBox>("TCustomListBox", TWinControl::StaticClass()).Build();
    return info;
}

TCustomListBox::TCustomListBox(TComponent* owner)
    : TWinControl(owner), FItems(std::make_unique<TListBoxStrings>(this)),
      FCanvas(std::make_unique<TControlCanvas>(this))
{
    SetControlStyle(0);
    SetBounds(0, 0, 121, 97);
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
}

TCustomListBox::~TCustomListBox() { FCanvas->FreeHandle(); }

void TCustomListBox::SetItems(TStrings* value)
{
    if (value) FItems->Assign(value);
}

void TCustomListBox::CreateParams(TCreateParams& p)
{
    TWinControl::CreateParams(p);
    CreateSubClass(p, "LISTBOX");
    p.Style |= WS_HSCROLL | WS_VSCROLL | LBS_HASSTRINGS | LBS_NOTIFY;
    if (FSorted) p.Style |= LBS_SORT;
    if (FMultiSelect) p.Style |= FExtendedSelect ? LBS_EXTENDEDSEL : LBS_MULTIPLESEL;
    if (!FIntegralHeight) p.Style |= LBS_NOINTEGRALHEIGHT;
    if (FStyle == lbOwnerDrawFixed) p.Style |= LBS_OWNERDRAWFIXED;
    if (FStyle == lbOwnerDrawVariable) p.Style |= LBS_OWNERDRAWVARIABLE;
    if (FBorderStyle == bsSingle) p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomListBox::CreateWnd()
{
    TWinControl::CreateWnd();
    HWND w = WindowHandle();
    if (FStyle == lbOwnerDrawFixed) SendMessageA(w, LB_SETITEMHEIGHT, 0, FItemHeight);
    TStringList& saved = FItems->FSaved;
    if (saved.Count() > 0) {
        SendMessageA(w, WM_SETREDRAW, FALSE, 0);
        for (int i = 0; i < saved.Count(); ++i) {
            const std::string s = saved.Get(i);
            const LRESULT at = SendMessageA(w, FSorted ? LB_ADDSTRING : LB_INSERTSTRING, FSorted ? 0 : static_cast<WPARAM>(i),
                                            reinterpret_cast<LPARAM>(s.c_str()));
            if (at >= 0) SendMessageA(w, LB_SETITEMDATA, static_cast<WPARAM>(at), static_cast<LPARAM>(saved.GetObject(i)));
        }
        SendMessageA(w, WM_SETREDRAW, TRUE, 0);
        saved.Clear();
    }
    if (FSavedItemIndex >= 0) SetItemIndex(FSavedItemIndex);
    if (FSavedTopIndex > 0) SendMessageA(w, LB_SETTOPINDEX, static_cast<WPARAM>(FSavedTopIndex), 0);
    FSavedItemIndex = -1;
    FSavedTopIndex = 0;
}

void TCustomListBox::DestroyWnd()
{
    if (!HasState(csDestroying)) {
        HWND w = WindowHandle();
        TStringList& saved = FItems->FSaved;
        saved.Clear();
        const int n = static_cast<int>(SendMessageA(w, LB_GETCOUNT, 0, 0));
        for (int i = 0; i < n; ++i) saved.AddObject(FItems->Get(i), FItems->GetObject(i));
        FSavedItemIndex = ItemIndex();
        FSavedTopIndex = TopIndex();
    }
    FCanvas->FreeHandle();
    TWinControl::DestroyWnd();
}

int TCustomListBox::ItemIndex()
{
    if (!HandleAllocated()) return FSavedItemIndex;
    if (Count() == 0) return -1;
    const LRESULT i = SendMessageA(WindowHandle(), FMultiSelect ? LB_GETCARETINDEX : LB_GETCURSEL, 0, 0);
    return i < 0 ? -1 : static_cast<int>(i);
}

void TCustomListBox::SetItemIndex(int value)
{
    if (!HandleAllocated()) {
        FSavedItemIndex = value;
        return;
    }
    if (ItemIndex() == value) return;
    if (FMultiSelect) SendMessageA(WindowHandle(), LB_SETCARETINDEX, static_cast<WPARAM>(value), FALSE);
    else SendMessageA(WindowHandle(), LB_SETCURSEL, static_cast<WPARAM>(value), 0);
}

bool TCustomListBox::Selected(int index)
{
    FItems->Check(index);
    if (!HandleAllocated()) return index == FSavedItemIndex;
    return SendMessageA(WindowHandle(), LB_GETSEL, static_cast<WPARAM>(index), 0) > 0;
}

void TCustomListBox::SetSelected(int index, bool value)
{
    FItems->Check(index);
    HWND w = Handle();
    if (FMultiSelect) {
        SendMessageA(w, LB_SETSEL, value ? TRUE : FALSE, static_cast<LPARAM>(index));
    } else if (value) {
        SendMessageA(w, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    } else if (ItemIndex() == index) {
        SendMessageA(w, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    }
}

int TCustomListBox::SelCount()
{
    if (!HandleAllocated()) return FSavedItemIndex >= 0 ? 1 : 0;
    if (FMultiSelect) {
        const LRESULT n = SendMessageA(WindowHandle(), LB_GETSELCOUNT, 0, 0);
        return n < 0 ? 0 : static_cast<int>(n);
    }
    return ItemIndex() >= 0 ? 1 : 0;
}

int TCustomListBox::TopIndex()
{
    if (!HandleAllocated()) return FSavedTopIndex;
    return static_cast<int>(SendMessageA(WindowHandle(), LB_GETTOPINDEX, 0, 0));
}

void TCustomListBox::SetTopIndex(int value)
{
    if (!HandleAllocated()) FSavedTopIndex = value;
    else SendMessageA(WindowHandle(), LB_SETTOPINDEX, static_cast<WPARAM>(value), 0);
}

int TCustomListBox::ItemAtPos(POINT p, bool existing)
{
    const LRESULT r = SendMessageA(Handle(), LB_ITEMFROMPOINT, 0, MAKELPARAM(p.x, p.y));
    const int index = LOWORD(r);
    if (HIWORD(r) != 0) return existing ? -1 : index + 1;   // outside the rows
    return index;
}

RECT TCustomListBox::ItemRect(int index)
{
    RECT r{0, 0, 0, 0};
    SendMessageA(Handle(), LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    return r;
}

void TCustomListBox::SetStyle(TListBoxStyle value)
{
    if (FStyle == value) return;
    FStyle = value;
    RecreateWnd();
}

void TCustomListBox::SetMultiSelect(bool value)
{
    if (FMultiSelect == value) return;
    FMultiSelect = value;
    RecreateWnd();
}

void TCustomListBox::SetExtendedSelect(bool value)
{
    if (FExtendedSelect == value) return;
    FExtendedSelect = value;
    RecreateWnd();
}

void TCustomListBox::SetSorted(bool value)
{
    if (FSorted == value) return;
    FSorted = value;
    RecreateWnd();
}

void TCustomListBox::SetIntegralHeight(bool value)
{
    if (FIntegralHeight == value) return;
    FIntegralHeight = value;
    RecreateWnd();
}

int TCustomListBox::ItemHeight()
{
    if (HandleAllocated() && FStyle == lbStandard)
        return static_cast<int>(SendMessageA(WindowHandle(), LB_GETITEMHEIGHT, 0, 0));
    return FItemHeight;
}

void TCustomListBox::SetItemHeight(int value)
{
    if (value <= 0 || FItemHeight == value) return;
    FItemHeight = value;
    if (FStyle != lbStandard) RecreateWnd();
}

void TCustomListBox::SetBorderStyle(TBorderStyle value)
{
    if (FBorderStyle == value) return;
    FBorderStyle = value;
    RecreateWnd();
}

void TCustomListBox::MeasureItem(int index, int& height) { OnMeasureItem(this, index, height); }

void TCustomListBox::DrawItem(int index, const RECT& rect, TOwnerDrawState state)
{
    if (OnDrawItem) {
        OnDrawItem(this, index, rect, state);
        return;
    }
    FCanvas->FillRect(rect);
    if (index < Count()) FCanvas->TextOut(rect.left + 2, rect.top, FItems->Get(index));
}

void TCustomListBox::HandleMeasureItem(TMessage& m)
{
    auto* mi = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
    int height = FItemHeight;
    if (FStyle == lbOwnerDrawVariable) MeasureItem(static_cast<int>(mi->itemID), height);
    mi->itemHeight = static_cast<UINT>(height > 0 ? height : 1);
    m.Result = 1;
}

void TCustomListBox::HandleDrawItem(TMessage& m)
{
    auto* d = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
    const TOwnerDrawState state = d->itemState;
    const int index = static_cast<int>(d->itemID);
    {
        TCanvasPaintScope scope(*FCanvas, d->hDC);
        FCanvas->Font()->Assign(Font());
        FCanvas->Brush()->Assign(Brush());
        if (index >= 0 && (state & ODS_SELECTED)) {
            FCanvas->Brush()->SetColor(clHighlight);
            FCanvas->Font()->SetColor(clHighlightText);
        }
        // A list without rows that has the focus only gets its background.
        if (index >= 0) DrawItem(index, d->rcItem, state);
        else FCanvas->FillRect(d->rcItem);
    }
    if (state & ODS_FOCUS) DrawFocusRect(d->hDC, &d->rcItem);
    m.Result = 1;
}

void TCustomListBox::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case CN_COMMAND:
        switch (HIWORD(m.WParam)) {
        case LBN_SELCHANGE: Click(); break;
        case LBN_DBLCLK: DblClick(); break;
        default: break;
        }
        m.Result = 0;
        return;
    case CN_DRAWITEM: HandleDrawItem(m); return;
    case CN_MEASUREITEM: HandleMeasureItem(m); return;
    default: break;
    }
    TWinControl::WndProc(m);
}

// ------------------------------------------------------------ TListBox

const TClassInfo& TListBox::StaticClass()
{
    static const TClassInfo info = [] {
        TClassBuilder<TListBox> b("TListBox", TCustomListBox::StaticClass());
        b.Object<TStrings>("Items", &TListBox::Items, &TListBox::SetItems)
            .Enum("Style", ListBoxStyleInfo, &TListBox::Style, &TListBox::SetStyle)
            .Bool("MultiSelect", &TListBox::MultiSelect, &TListBox::SetMultiSelect)
            .Bool("ExtendedSelect", &TListBox::ExtendedSelect, &TListBox::SetExtendedSelect)
            .Bool("Sorted", &TListBox::Sorted, &TListBox::SetSorted)
            .Bool("IntegralHeight", &TListBox::IntegralHeight, &TListBox::SetIntegralHeight)
            .Int("ItemHeight", &TListBox::ItemHeight, &TListBox::SetItemHeight)
            .Int("ItemIndex", &TListBox::ItemIndex, &TListBox::SetItemIndex)
            .Enum("BorderStyle", BorderStyleInfo, &TListBox::BorderStyle, &TListBox::SetBorderStyle);
        PublishWinControlDefaults(b);
        PublishEvent<TDrawItemEvent>(b, "OnDrawItem", &TCustomListBox::OnDrawItem);
        PublishEvent<TMeasureItemEvent>(b, "OnMeasureItem", &TCustomListBox::OnMeasureItem);
        return b.Build();
    }();
    return info;
}

TListBox::TListBox(TComponent* owner) : TCustomListBox(owner) {}

} // namespace tf
