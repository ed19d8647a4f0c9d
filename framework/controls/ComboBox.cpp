#include "ComboBox.h"

#include "Publish.h"
#include "framework/core/SysUtils.h"

namespace tf {

const TEnumInfo ComboBoxStyleInfo{"TComboBoxStyle", {"csDropDown", "csSimple", "csDropDownList"}};

// ------------------------------------------------------------ TComboBoxStrings

const TClassInfo& TComboBoxStrings::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TComboBoxStrings>("TComboBoxStrings", TStrings::StaticClass()).Build();
    return info;
}

HWND TComboBoxStrings::Window() const { return FCombo->WindowHandle(); }

int TComboBoxStrings::Count() const
{
    if (HWND w = Window()) {
        const LRESULT n = SendMessageA(w, CB_GETCOUNT, 0, 0);
        return n < 0 ? 0 : static_cast<int>(n);
    }
    return FSaved.Count();
}

std::string TComboBoxStrings::Get(int index) const
{
    HWND w = Window();
    if (!w) return FSaved.Get(index);
    const LRESULT len = SendMessageA(w, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (len == CB_ERR) throw EListError(Format(SListIndexError, index));
    std::string s(static_cast<size_t>(len) + 1, '\0');
    const LRESULT n = SendMessageA(w, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(s.data()));
    s.resize(n < 0 ? 0 : static_cast<size_t>(n));
    return s;
}

void TComboBoxStrings::Insert(int index, const std::string& s)
{
    if (index < 0 || index > Count()) throw EListError(Format(SListIndexError, index));
    if (HWND w = Window()) {
        const LRESULT r = FCombo->Sorted()
                              ? SendMessageA(w, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s.c_str()))
                              : SendMessageA(w, CB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(s.c_str()));
        if (r < 0) throw EOutOfResources("Cannot add an item to the list");
    } else {
        FSaved.Insert(index, s);
    }
    Changed();
}

void TComboBoxStrings::Delete(int index)
{
    if (index < 0 || index >= Count()) throw EListError(Format(SListIndexError, index));
    if (HWND w = Window()) SendMessageA(w, CB_DELETESTRING, static_cast<WPARAM>(index), 0);
    else FSaved.Delete(index);
    Changed();
}

void TComboBoxStrings::Clear()
{
    if (HWND w = Window()) SendMessageA(w, CB_RESETCONTENT, 0, 0);
    else FSaved.Clear();
    Changed();
}

// ------------------------------------------------------------ TCustomComboBox

const TClassInfo& TCustomComboBox::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TCustomComboBox>("TCustomComboBox", TWinControl::StaticClass()).Build();
    return info;
}

TCustomComboBox::TCustomComboBox(TComponent* owner)
    : TWinControl(owner), FItems(std::make_unique<TComboBoxStrings>(this))
{
    SetControlStyle(csDoubleClicks | csNativePaint);
    SetBounds(0, 0, 145, 21);
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
}

TCustomComboBox::~TCustomComboBox() = default;

void TCustomComboBox::SetItems(TStrings* value)
{
    if (value) FItems->Assign(value);
}

void TCustomComboBox::CreateParams(TCreateParams& p)
{
    TWinControl::CreateParams(p);
    CreateSubClass(p, "COMBOBOX");
    p.Style |= WS_VSCROLL | CBS_AUTOHSCROLL | CBS_HASSTRINGS;
    if (FSorted) p.Style |= CBS_SORT;
    switch (FStyle) {
    case csDropDown: p.Style |= CBS_DROPDOWN; break;
    case csSimple: p.Style |= CBS_SIMPLE | CBS_NOINTEGRALHEIGHT; break;
    case csDropDownList: p.Style |= CBS_DROPDOWNLIST; break;
    }
    // A drop-down combo's window height is its closed height; the height it
    // is created with sets how far its list drops.
    if (FStyle != csSimple) p.Height = Height() + FDropDownCount * 16 + 2;
    p.ExStyle |= BiDiExStyle(FBiDiMode);
}

void TCustomComboBox::CreateWnd()
{
    TWinControl::CreateWnd();
    HWND w = WindowHandle();
    if (FMaxLength > 0) SendMessageA(w, CB_LIMITTEXT, static_cast<WPARAM>(FMaxLength), 0);
    TStringList& saved = FItems->FSaved;
    for (int i = 0; i < saved.Count(); ++i) {
        const std::string s = saved.Get(i);
        SendMessageA(w, FSorted ? CB_ADDSTRING : CB_INSERTSTRING, FSorted ? 0 : static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(s.c_str()));
    }
    saved.Clear();
    if (FSavedItemIndex >= 0) SendMessageA(w, CB_SETCURSEL, static_cast<WPARAM>(FSavedItemIndex), 0);
    else if (!FText.empty()) SetWindowTextA(w, FText.c_str());
    FSavedItemIndex = -1;
}

void TCustomComboBox::DestroyWnd()
{
    if (!HasState(csDestroying)) {
        TStringList& saved = FItems->FSaved;
        saved.Clear();
        const int n = FItems->Count();
        for (int i = 0; i < n; ++i) saved.Add(FItems->Get(i));
        FSavedItemIndex = ItemIndex();
    }
    TWinControl::DestroyWnd();
}

int TCustomComboBox::ItemIndex()
{
    if (!HandleAllocated()) return FSavedItemIndex;
    const LRESULT i = SendMessageA(WindowHandle(), CB_GETCURSEL, 0, 0);
    return i < 0 ? -1 : static_cast<int>(i);
}

void TCustomComboBox::SetItemIndex(int value)
{
    if (!HandleAllocated()) {
        FSavedItemIndex = value;
        return;
    }
    SendMessageA(WindowHandle(), CB_SETCURSEL, static_cast<WPARAM>(value), 0);
}

void TCustomComboBox::SetStyle(TComboBoxStyle value)
{
    if (FStyle == value) return;
    FStyle = value;
    RecreateWnd();
}

void TCustomComboBox::SetMaxLength(int value)
{
    FMaxLength = value < 0 ? 0 : value;
    if (HandleAllocated()) SendMessageA(WindowHandle(), CB_LIMITTEXT, static_cast<WPARAM>(FMaxLength), 0);
}

void TCustomComboBox::SetSorted(bool value)
{
    if (FSorted == value) return;
    FSorted = value;
    RecreateWnd();
}

void TCustomComboBox::SetBiDiMode(TBiDiMode value)
{
    if (FBiDiMode == value) return;
    FBiDiMode = value;
    RecreateWnd();
}

bool TCustomComboBox::DroppedDown()
{
    return HandleAllocated() && SendMessageA(WindowHandle(), CB_GETDROPPEDSTATE, 0, 0) != 0;
}

void TCustomComboBox::SetDroppedDown(bool value)
{
    SendMessageA(Handle(), CB_SHOWDROPDOWN, value ? TRUE : FALSE, 0);
}

void TCustomComboBox::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case CN_COMMAND:
        switch (HIWORD(m.WParam)) {
        case CBN_SELCHANGE:
            OnSelect(this);
            OnChange(this);
            break;
        case CBN_EDITCHANGE: OnChange(this); break;
        case CBN_DROPDOWN: OnDropDown(this); break;
        case CBN_CLOSEUP: OnCloseUp(this); break;
        default: break;
        }
        m.Result = 0;
        return;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX: {
        // The edit part and the list take the combo's colours.
        HDC dc = reinterpret_cast<HDC>(m.WParam);
        SetTextColor(dc, ColorToRGB(Font()->Color()));
        SetBkColor(dc, ColorToRGB(Brush()->Color()));
        m.Result = reinterpret_cast<LRESULT>(Brush()->Handle());
        return;
    }
    default: break;
    }
    TWinControl::WndProc(m);
}

const TClassInfo& TComboBox::StaticClass()
{
    static const TClassInfo info = [] {
        TClassBuilder<TComboBox> b("TComboBox", TCustomComboBox::StaticClass());
        b.Enum("Style", ComboBoxStyleInfo, &TComboBox::Style, &TComboBox::SetStyle)
            .Object<TStrings>("Items", &TComboBox::Items, &TComboBox::SetItems)
            .Int("ItemIndex", &TComboBox::ItemIndex, &TComboBox::SetItemIndex)
            .String("Text", &TComboBox::Text, &TComboBox::SetText)
            .Int("DropDownCount", &TComboBox::DropDownCount, &TComboBox::SetDropDownCount)
            .Int("MaxLength", &TComboBox::MaxLength, &TComboBox::SetMaxLength)
            .Bool("Sorted", &TComboBox::Sorted, &TComboBox::SetSorted)
            .Enum("BiDiMode", BiDiModeInfo, &TComboBox::BiDiMode, &TComboBox::SetBiDiMode);
        PublishWinControlDefaults(b);
        PublishEvent<TNotifyEvent>(b, "OnChange", &TComboBox::OnChange);
        PublishEvent<TNotifyEvent>(b, "OnSelect", &TComboBox::OnSelect);
        PublishEvent<TNotifyEvent>(b, "OnDropDown", &TComboBox::OnDropDown);
        PublishEvent<TNotifyEvent>(b, "OnCloseUp", &TComboBox::OnCloseUp);
        return b.Build();
    }();
    return info;
}

TComboBox::TComboBox(TComponent* owner) : TCustomComboBox(owner) {}

} // namespace tf
