#include "TabSet.h"

#include "Publish.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/GdiHandle.h"

namespace tf {

namespace {
constexpr int ArrowWidth = 13;
constexpr int TabPadding = 9;   // a tab is its text's width plus this
} // namespace

// ------------------------------------------------------------ TScroller

const TClassInfo& TScroller::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TScroller>("TScroller", TCustomControl::StaticClass()).Build();
    return info;
}

TScroller::TScroller(TComponent* owner) : TCustomControl(owner)
{
    SetControlStyle(csCaptureMouse | csOpaque);
    SetBounds(0, 0, 2 * ArrowWidth, 18);
}

void TScroller::SetParams(int position, int min, int max)
{
    if (max < min) max = min;
    if (position < min) position = min;
    if (position > max) position = max;
    const bool moved = position != FPosition;
    FMin = min;
    FMax = max;
    FPosition = position;
    Invalidate();
    if (moved) OnChange(this);
}

void TScroller::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == mbLeft) {
        FPressed = x < Width() / 2 ? 1 : 2;
        Invalidate();
    }
    TCustomControl::MouseDown(button, shift, x, y);
}

void TScroller::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == mbLeft && FPressed) {
        const int under = x < 0 || x >= Width() || y < 0 || y >= Height() ? 0 : x < Width() / 2 ? 1 : 2;
        const int pressed = FPressed;
        FPressed = 0;
        Invalidate();
        if (under == pressed) SetParams(FPosition + (pressed == 1 ? -1 : 1), FMin, FMax);
    }
    TCustomControl::MouseUp(button, shift, x, y);
}

void TScroller::Paint()
{
    HDC dc = Canvas()->Handle();
    const int half = Width() / 2;
    RECT left{0, 0, half, Height()}, right{half, 0, Width(), Height()};
    UINT leftState = DFCS_SCROLLLEFT | (FPressed == 1 ? DFCS_PUSHED : 0) | (FPosition <= FMin ? DFCS_INACTIVE : 0);
    UINT rightState = DFCS_SCROLLRIGHT | (FPressed == 2 ? DFCS_PUSHED : 0) | (FPosition >= FMax ? DFCS_INACTIVE : 0);
    DrawFrameControl(dc, &left, DFC_SCROLL, leftState);
    DrawFrameControl(dc, &right, DFC_SCROLL, rightState);
}

// ------------------------------------------------------------ TTabSet

const TClassInfo& TTabSet::StaticClass()
{
    static const TClassInfo info = [] {
        TClassBuilder<TTabSet> b("TTabSet", TCustomControl::StaticClass());
        b.Object<TStrings>("Tabs", &TTabSet::Tabs, &TTabSet::SetTabs)
            .Int("TabIndex", &TTabSet::TabIndex, &TTabSet::SetTabIndex)
            .Int("FirstIndex", &TTabSet::FirstIndex, &TTabSet::SetFirstIndex)
            .Int("StartMargin", &TTabSet::StartMargin, &TTabSet::SetStartMargin)
            .Int("EndMargin", &TTabSet::EndMargin, &TTabSet::SetEndMargin)
            .Int("SelectedColor", &TTabSet::SelectedColor, &TTabSet::SetSelectedColor)
            .Int("UnselectedColor", &TTabSet::UnselectedColor, &TTabSet::SetUnselectedColor);
        PublishEvent<TNotifyEvent>(b, "OnChange", &TTabSet::OnChange);
        PublishColor(b);
        PublishFont(b);
        PublishShowHint(b);
        PublishMouseEvents(b);
        return b.Build();
    }();
    return info;
}

TTabSet::TTabSet(TComponent* owner) : TCustomControl(owner), FTabs(std::make_unique<TStringList>())
{
    // The scroller is the first component the tab set owns.
    FScroller = new TScroller(this);
    SetControlStyle(csAcceptsControls | csCaptureMouse | csClickEvents | csOpaque | csDoubleClicks);
    SetBounds(0, 0, 185, 21);
    SetColor(clBtnFace);
    SetParentColor(false);
    FScroller->SetVisible(false);
    FScroller->SetParent(this);
    FScroller->OnChange = TNotifyEvent::Of<&TTabSet::ScrollerChanged>(this);
    FTabs->OnChange = TNotifyEvent::Of<&TTabSet::TabsChanged>(this);
}

TTabSet::~TTabSet()
{
    Destroying();
    FTabs->OnChange.Clear();
}

void TTabSet::SetTabs(TStrings* value)
{
    if (value) FTabs->Assign(value);
}

void TTabSet::SetTabIndex(int value)
{
    if (value < -1 || value >= FTabs->Count()) value = -1;
    if (FTabIndex == value) return;
    FTabIndex = value;
    Invalidate();
    if (!HasState(csLoading)) OnChange(this);
}

void TTabSet::SetFirstIndex(int value)
{
    if (value < 0) value = 0;
    if (value >= FTabs->Count()) value = FTabs->Count() > 0 ? FTabs->Count() - 1 : 0;
    if (FFirstIndex == value) return;
    FFirstIndex = value;
    Layout();
    Invalidate();
}

void TTabSet::SetStartMargin(int value)
{
    FStartMargin = value;
    Layout();
    Invalidate();
}

void TTabSet::SetEndMargin(int value)
{
    FEndMargin = value;
    Layout();
    Invalidate();
}

void TTabSet::SetSelectedColor(TColor value)
{
    FSelectedColor = value;
    Invalidate();
}

void TTabSet::SetUnselectedColor(TColor value)
{
    FUnselectedColor = value;
    Invalidate();
}

void TTabSet::TabsChanged(TObject*)
{
    if (FTabIndex >= FTabs->Count()) FTabIndex = FTabs->Count() - 1;
    Layout();
    Invalidate();
}

void TTabSet::ScrollerChanged(TObject*) { SetFirstIndex(FScroller->Position()); }

void TTabSet::Loaded()
{
    TCustomControl::Loaded();
    Layout();
}

void TTabSet::Resize()
{
    TCustomControl::Resize();
    Layout();
}

void TTabSet::CreateWnd()
{
    TCustomControl::CreateWnd();
    Layout();
}

void TTabSet::Layout()
{
    if (HasState(csLoading)) return;
    std::vector<int> widths;
    {
        TScreenDC screen;
        TSelectObject font(screen.Get(), Font()->Handle());
        for (int i = 0; i < FTabs->Count(); ++i) {
            const std::string text = FTabs->Get(i);
            SIZE size{};
            GetTextExtentPoint32A(screen.Get(), text.c_str(), static_cast<int>(text.size()), &size);
            widths.push_back(size.cx);
        }
    }
    // The scroller shows when a tab does not fit or the first is not shown;
    // while it shows a tab needs 12 pixels more, so none reaches under it.
    const int limit = Width() - FEndMargin;
    bool scroll = FFirstIndex > 0;
    int total = FStartMargin;
    for (int w : widths) total += w + TabPadding;
    if (total > limit) scroll = true;
    const int need = scroll ? TabPadding + 12 : TabPadding;
    FSlots.clear();
    int x = FStartMargin;
    for (int i = FFirstIndex; i < FTabs->Count(); ++i) {
        const int w = widths[static_cast<size_t>(i)];
        if (x + w + need > limit) continue;   // a narrower tab after it may still fit
        FSlots.push_back(TSlot{i, RECT{x, 0, x + w + TabPadding, Height()}});
        x += w + TabPadding;
    }
    FScroller->SetBounds(Width() - FScroller->Width(), 0, FScroller->Width(), Height());
    FScroller->SetVisible(scroll);
    FScroller->OnChange.Clear();
    FScroller->SetParams(FFirstIndex, 0, FTabs->Count() > 0 ? FTabs->Count() - 1 : 0);
    FScroller->OnChange = TNotifyEvent::Of<&TTabSet::ScrollerChanged>(this);
}

int TTabSet::TabAt(int x, int y)
{
    if (y < 0 || y >= Height()) return -1;
    for (const TSlot& slot : FSlots)
        if (x >= slot.Rect.left && x < slot.Rect.right) return slot.Index;
    return -1;
}

void TTabSet::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == mbLeft) {
        const int tab = TabAt(x, y);
        if (tab >= 0) SetTabIndex(tab);
    }
    TCustomControl::MouseDown(button, shift, x, y);
}

void TTabSet::Paint()
{
    TCanvas& canvas = *Canvas();
    HDC dc = canvas.Handle();
    const RECT client{0, 0, Width(), Height()};
    TBrushHandle back(CreateSolidBrush(ColorToRGB(Color())));
    FillRect(dc, &client, back.Get());
    // The seam with the page above; the selected tab opens it.
    TPenHandle dark(CreatePen(PS_SOLID, 1, ColorToRGB(clBtnShadow)));
    TPenHandle light(CreatePen(PS_SOLID, 1, ColorToRGB(clBtnHighlight)));
    TSelectObject pen(dc, dark.Get());
    MoveToEx(dc, 0, 0, nullptr);
    LineTo(dc, Width(), 0);
    TSelectObject font(dc, Font()->Handle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(Font()->Color()));
    for (const TSlot& slot : FSlots) {
        const int index = slot.Index;
        RECT r = slot.Rect;
        const bool selected = index == FTabIndex;
        TBrushHandle face(CreateSolidBrush(ColorToRGB(selected ? FSelectedColor : FUnselectedColor)));
        const POINT shape[] = {{r.left, 0}, {r.left + 3, r.bottom - 2}, {r.right - 3, r.bottom - 2}, {r.right, 0}};
        TSelectObject brush(dc, face.Get());
        Polygon(dc, shape, 4);
        if (selected) {
            SelectObject(dc, light.Get());
            MoveToEx(dc, r.left + 1, 0, nullptr);
            LineTo(dc, r.right, 0);
            SelectObject(dc, dark.Get());
        }
        const std::string text = FTabs->Get(index);
        DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
}

} // namespace tf
