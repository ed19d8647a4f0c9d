#include "Memo.h"

#include "Publish.h"
#include "framework/core/SysUtils.h"

namespace tf {

const TEnumInfo ScrollStyleInfo{"TScrollStyle", {"ssNone", "ssHorizontal", "ssVertical", "ssBoth"}};

namespace {

// What every edit publishes after its own properties.
template <class C>
void PublishEditDefaults(TClassBuilder<C>& b)
{
    b.Enum("BorderStyle", BorderStyleInfo, &TCustomEdit::BorderStyle, &TCustomEdit::SetBorderStyle)
        .Bool("ReadOnly", &TCustomEdit::ReadOnly, &TCustomEdit::SetReadOnly)
        .Int("MaxLength", &TCustomEdit::MaxLength, &TCustomEdit::SetMaxLength)
        .Bool("HideSelection", &TCustomEdit::HideSelection, &TCustomEdit::SetHideSelection);
    PublishWinControlDefaults(b);
    PublishEvent<TNotifyEvent>(b, "OnChange", &TCustomEdit::OnChange);
}

} // namespace

// ------------------------------------------------------------ TCustomEdit

const TClassInfo& TCustomEdit::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TCustomEdit>("TCustomEdit", TWinControl::StaticClass()).Build();
    return info;
}

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner)
{
    SetControlStyle(csCaptureMouse | csDoubleClicks);
    SetBounds(0, 0, 121, 21);
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
}

void TCustomEdit::CreateParams(TCreateParams& p)
{
    TWinControl::CreateParams(p);
    CreateSubClass(p, "EDIT");
    p.Style |= ES_AUTOHSCROLL | ES_AUTOVSCROLL;
    if (FReadOnly) p.Style |= ES_READONLY;
    if (!FHideSelection) p.Style |= ES_NOHIDESEL;
    if (FBorderStyle == bsSingle) p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomEdit::CreateWnd()
{
    TWinControl::CreateWnd();
    if (FMaxLength > 0) SendMessageA(WindowHandle(), EM_LIMITTEXT, static_cast<WPARAM>(FMaxLength), 0);
}

void TCustomEdit::SetBorderStyle(TBorderStyle value)
{
    if (FBorderStyle == value) return;
    FBorderStyle = value;
    RecreateWnd();
}

void TCustomEdit::SetReadOnly(bool value)
{
    if (FReadOnly == value) return;
    FReadOnly = value;
    if (HandleAllocated()) SendMessageA(WindowHandle(), EM_SETREADONLY, value ? TRUE : FALSE, 0);
}

void TCustomEdit::SetMaxLength(int value)
{
    if (FMaxLength == value) return;
    FMaxLength = value;
    if (HandleAllocated()) SendMessageA(WindowHandle(), EM_LIMITTEXT, static_cast<WPARAM>(value), 0);
}

void TCustomEdit::SetHideSelection(bool value)
{
    if (FHideSelection == value) return;
    FHideSelection = value;
    RecreateWnd();
}

bool TCustomEdit::Modified()
{
    return HandleAllocated() && SendMessageA(WindowHandle(), EM_GETMODIFY, 0, 0) != 0;
}

void TCustomEdit::SetModified(bool value)
{
    if (HandleAllocated()) SendMessageA(WindowHandle(), EM_SETMODIFY, value ? TRUE : FALSE, 0);
}

void TCustomEdit::SelectAll()
{
    if (HandleAllocated()) SendMessageA(WindowHandle(), EM_SETSEL, 0, -1);
}

int TCustomEdit::SelStart()
{
    DWORD start = 0, end = 0;
    SendMessageA(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return static_cast<int>(start);
}

void TCustomEdit::SetSelStart(int value) { SendMessageA(Handle(), EM_SETSEL, static_cast<WPARAM>(value), value); }

int TCustomEdit::SelLength()
{
    DWORD start = 0, end = 0;
    SendMessageA(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return static_cast<int>(end - start);
}

void TCustomEdit::SetSelLength(int value)
{
    const int start = SelStart();
    SendMessageA(Handle(), EM_SETSEL, static_cast<WPARAM>(start), start + value);
}

void TCustomEdit::Change() { OnChange(this); }

void TCustomEdit::WndProc(TMessage& m)
{
    if (m.Msg == CN_COMMAND) {
        if (HIWORD(m.WParam) == EN_CHANGE && !(ControlState() & csCreating)) Change();
        m.Result = 0;
        return;
    }
    TWinControl::WndProc(m);
}

const TClassInfo& TEdit::StaticClass()
{
    static const TClassInfo info = [] {
        TClassBuilder<TEdit> b("TEdit", TCustomEdit::StaticClass());
        b.String("Text", &TEdit::Text, &TEdit::SetText);
        PublishEditDefaults(b);
        return b.Build();
    }();
    return info;
}

TEdit::TEdit(TComponent* owner) : TCustomEdit(owner) {}

// ------------------------------------------------------------ TMemoStrings

const TClassInfo& TMemoStrings::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TMemoStrings>("TMemoStrings", TStrings::StaticClass()).Build();
    return info;
}

std::vector<std::string> TMemoStrings::Lines() const { return SplitLines(FMemo->Text()); }

void TMemoStrings::Store(const std::vector<std::string>& lines, bool atEnd)
{
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    FMemo->SetText(text);
    if (atEnd && FMemo->HandleAllocated()) {
        // Keep the newest line in view.
        SendMessageA(FMemo->WindowHandle(), EM_SETSEL, 0x7FFFFFFF, 0x7FFFFFFF);
        SendMessageA(FMemo->WindowHandle(), EM_SCROLLCARET, 0, 0);
    }
    Changed();
}

int TMemoStrings::Count() const { return static_cast<int>(Lines().size()); }

std::string TMemoStrings::Get(int index) const
{
    const std::vector<std::string> lines = Lines();
    if (index < 0 || index >= static_cast<int>(lines.size())) throw EListError(Format(SListIndexError, index));
    return lines[static_cast<size_t>(index)];
}

void TMemoStrings::Put(int index, const std::string& s)
{
    std::vector<std::string> lines = Lines();
    if (index < 0 || index >= static_cast<int>(lines.size())) throw EListError(Format(SListIndexError, index));
    lines[static_cast<size_t>(index)] = s;
    Store(lines, false);
}

void TMemoStrings::Insert(int index, const std::string& s)
{
    std::vector<std::string> lines = Lines();
    if (index < 0 || index > static_cast<int>(lines.size())) throw EListError(Format(SListIndexError, index));
    const bool atEnd = index == static_cast<int>(lines.size());
    lines.insert(lines.begin() + index, s);
    Store(lines, atEnd);
}

void TMemoStrings::Delete(int index)
{
    std::vector<std::string> lines = Lines();
    if (index < 0 || index >= static_cast<int>(lines.size())) throw EListError(Format(SListIndexError, index));
    lines.erase(lines.begin() + index);
    Store(lines, false);
}

void TMemoStrings::Clear()
{
    FMemo->SetText("");
    Changed();
}

// ------------------------------------------------------------ TCustomMemo

const TClassInfo& TCustomMemo::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TCustomMemo>("TCustomMemo", TCustomEdit::StaticClass()).Build();
    return info;
}

TCustomMemo::TCustomMemo(TComponent* owner) : TCustomEdit(owner), FLines(std::make_unique<TMemoStrings>(this))
{
    SetBounds(Left(), Top(), 185, 89);
}

TCustomMemo::~TCustomMemo() = default;

void TCustomMemo::SetLines(TStrings* value)
{
    if (value) FLines->Assign(value);
}

void TCustomMemo::CreateParams(TCreateParams& p)
{
    TCustomEdit::CreateParams(p);
    p.Style &= ~static_cast<DWORD>(ES_AUTOHSCROLL);
    p.Style |= ES_MULTILINE;
    if (!FWordWrap) p.Style |= ES_AUTOHSCROLL;
    if (FScrollBars == ssHorizontal || FScrollBars == ssBoth) p.Style |= WS_HSCROLL;
    if (FScrollBars == ssVertical || FScrollBars == ssBoth) p.Style |= WS_VSCROLL;
    if (FAlignment == taRightJustify) p.Style |= ES_RIGHT;
    if (FAlignment == taCenter) p.Style |= ES_CENTER;
}

void TCustomMemo::SetScrollBars(TScrollStyle value)
{
    if (FScrollBars == value) return;
    FScrollBars = value;
    RecreateWnd();
}

void TCustomMemo::SetWordWrap(bool value)
{
    if (FWordWrap == value) return;
    FWordWrap = value;
    RecreateWnd();
}

void TCustomMemo::SetAlignment(TAlignment value)
{
    if (FAlignment == value) return;
    FAlignment = value;
    RecreateWnd();
}

void TCustomMemo::WndProc(TMessage& m)
{
    if (m.Msg == WM_GETDLGCODE) {
        TCustomEdit::WndProc(m);
        if (FWantTabs) m.Result |= DLGC_WANTTAB;
        else m.Result &= ~static_cast<LRESULT>(DLGC_WANTTAB);
        if (!FWantReturns) m.Result &= ~static_cast<LRESULT>(DLGC_WANTALLKEYS);
        return;
    }
    TCustomEdit::WndProc(m);
}

const TClassInfo& TMemo::StaticClass()
{
    static const TClassInfo info = [] {
        TClassBuilder<TMemo> b("TMemo", TCustomMemo::StaticClass());
        b.Object<TStrings>("Lines", &TMemo::Lines, &TMemo::SetLines)
            .String("Text", &TMemo::Text, &TMemo::SetText)
            .Enum("ScrollBars", ScrollStyleInfo, &TMemo::ScrollBars, &TMemo::SetScrollBars)
            .Bool("WordWrap", &TMemo::WordWrap, &TMemo::SetWordWrap)
            .Enum("Alignment", AlignmentInfo, &TMemo::Alignment, &TMemo::SetAlignment)
            .Bool("WantReturns", &TMemo::WantReturns, &TMemo::SetWantReturns)
            .Bool("WantTabs", &TMemo::WantTabs, &TMemo::SetWantTabs);
        PublishEditDefaults(b);
        return b.Build();
    }();
    return info;
}

TMemo::TMemo(TComponent* owner) : TCustomMemo(owner) {}

} // namespace tf
