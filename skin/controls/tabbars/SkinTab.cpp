#include "skin/controls/tabbars/SkinTab.h"

#include <commctrl.h>

#include <algorithm>

#include "framework/controls/WinControl.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/GdiHandle.h"
#include "skin/controls/buttons/ButtonDraw.h"
#include "skin/controls/tabbars/ItemText.h"
#include "skin/controls/edits/SkinUpDown.h"
#include "skin/controls/tabbars/TabPages.h"
#include "skin/data/ImgUtil.h"
#include "skin/data/SkinText.h"
#include "skin/data/WinSkinData.h"
#include "skin/draw/SkinDraw.h"

namespace tf {

namespace {

TLayoutRect Layout(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }
RECT Win(const TLayoutRect& r) { return {r.Left, r.Top, r.Right, r.Bottom}; }

} // namespace

const TClassInfo& TSkinTab::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TSkinTab>("TSkinTab", TSkinControl::StaticClass()).Build();
    return info;
}

TSkinTab::TSkinTab(TComponent* owner) : TSkinControl(owner) {}

TSkinTab::~TSkinTab()
{
    Destroying();
}

void TSkinTab::Attach(TSkinnerHost* form, TSkinData* data, bool setColor, TCanvas* canvas)
{
    TSkinControl::Attach(form, data, setColor, canvas);
    if (!FHandle) return;
    FEnabled = !(WindowLong(FHandle, GWL_STYLE) & WS_DISABLED);
    FCloseButtons = FControl && FControl->Tag() == CloseBoxTag && FControl->InheritsFrom("TPageControl") &&
                    ReadEnumLower(FControl, "TabPosition") == "tptop";
    PrepareTabBitmaps();
    FindTabUpDown();
    FActive = true;
    FIsUnicodeTab = IsWindowUnicode(FHandle);
}

void TSkinTab::AttachWindow(HWND window, TSkinData* data, TSkinnerHost* form, TCanvas* canvas)
{
    TSkinControl::AttachWindow(window, data, form, canvas);
    ReadWindowState();
    PrepareTabBitmaps();
    FindTabUpDown();
    FActive = true;
    FIsUnicodeTab = window && IsWindowUnicode(window);
}

void TSkinTab::SkinChanged()
{
    // The new images first, so that the one repaint shows them.
    PrepareTabBitmaps();
    TSkinControl::SkinChanged();
}

void TSkinTab::PrepareTabBitmaps()
{
    // A skin without the element keeps nothing of the one before it.
    FTabBitmap.reset();
    FPaneBitmap.reset();
    if (!FSkinData || !FSkinData->SkinTabs || !FHandle) return;
    const TDataSkinBorder& tabs = *FSkinData->SkinTabs;
    FTabSide = TabSideOfStyle(static_cast<uint32_t>(WindowLong(FHandle, GWL_STYLE)));
    if (!tabs.Empty()) {
        FTabBitmap = std::make_unique<TBitmap>();
        CopyBitmap(*tabs.Bitmap, *FTabBitmap);
        FTabBitmap->SetPixelFormat(pf24bit);
    }
    TBitmap* pane = nullptr;
    if (tabs.Style == 0) pane = tabs.Bitmap2.get();
    else if (tabs.Style == 1 && FSkinData->SkinTabPane) pane = FSkinData->SkinTabPane->Bitmap.get();
    if (pane && !pane->Empty()) {
        FPaneBitmap = std::make_unique<TBitmap>();
        CopyBitmap(*pane, *FPaneBitmap);
        FPaneBitmap->SetPixelFormat(pf24bit);
    }
    switch (FTabSide) {
    case TTabSide::Bottom:
        if (FTabBitmap) FlipVertical(*FTabBitmap);
        if (FPaneBitmap) FlipVertical(*FPaneBitmap);
        break;
    case TTabSide::Left:
        if (FPaneBitmap) RotateLeft(*FPaneBitmap);
        break;
    case TTabSide::Right:
        if (FPaneBitmap) RotateRight(*FPaneBitmap);
        break;
    case TTabSide::Top: break;
    }
}

HWND TSkinTab::FindTabUpDown()
{
    HWND spin = nullptr;
    for (HWND w = GetWindow(FHandle, GW_CHILD); w && !spin; w = GetWindow(w, GW_HWNDNEXT))
        if (WindowClassLower(w) == "msctls_updown32") spin = w;
    if (!spin) return nullptr;
    if (!FUpDown) {
        // Owned like this skinner: by the tab control, or by the form skinner.
        FUpDown = new TSkinUpDown(Owner());
        FUpDown->FreeNotification(this);
        FUpDown->AttachWindow(spin, FSkinData, FForm, FCanvas);
    }
    return IsWindowVisible(spin) ? spin : nullptr;
}

void TSkinTab::Notification(TComponent* c, TOperation op)
{
    TSkinControl::Notification(c, op);
    if (op == TOperation::opRemove && c == FUpDown) FUpDown = nullptr;
}

bool TSkinTab::BeforeMessage(TMessage& m)
{
    switch (m.Msg) {
    case WM_PAINT:
    case WM_PRINTCLIENT:
        // Without a tab image the control draws its own strip first; the
        // pane is drawn over it afterwards (AfterMessage).
        if (!FTabBitmap) break;
        PaintMessage(*this, m);
        return false;
    case WM_ERASEBKGND:
        // Strip and pane cover the whole control.
        if (FTabBitmap && FPaneBitmap) {
            m.Result = 1;
            return false;
        }
        break;
    case WM_LBUTTONDOWN:
        if (FCloseButtons && CloseBoxClick(m.XPos(), m.YPos())) return false;
        break;
    default: break;
    }
    return TSkinControl::BeforeMessage(m);
}

bool TSkinTab::CloseBoxClick(int x, int y)
{
    const POINT p{x, y};
    for (size_t i = 0; i < FCloseRects.size(); ++i) {
        if (!PtInRect(&FCloseRects[i], p)) continue;
        const int tab = static_cast<int>(i);
        TTabSheet* page = PageOfTab(FControl, tab);
        HWND form = FForm ? FForm->Window() : nullptr;
        // While it answers, the form may free the page itself, or the whole
        // control and this skinner with it.
        const auto alive = LifeWatch();
        const LRESULT keep =
            form ? SendMessageA(form, SKM_CLOSETAB, reinterpret_cast<WPARAM>(FHandle), static_cast<LPARAM>(tab)) : 0;
        if (*alive && keep == 0) ClosePageOfTab(FControl, tab, page);
        return true;
    }
    return false;
}

void TSkinTab::DrawControl(HDC dc, const RECT& rect)
{
    if (!FHandle || !FSkinData) return;
    ReadWindowState();
    RECT display = rect;
    SendMessageA(FHandle, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    const RECT pane = Win(TabPaneRect(Layout(display), FTabSide));
    const int count = static_cast<int>(SendMessageA(FHandle, TCM_GETITEMCOUNT, 0, 0));
    const int focus = static_cast<int>(SendMessageA(FHandle, TCM_GETCURFOCUS, 0, 0));
    auto images = reinterpret_cast<HIMAGELIST>(SendMessageA(FHandle, TCM_GETIMAGELIST, 0, 0));
    FCloseRects.assign(static_cast<size_t>(std::max(count, 0)), RECT{0, 0, 0, 0});

    if (FTabBitmap && FSkinData->SkinTabs) DrawStrip(dc, rect, pane, count, focus, images);

    if (FPaneBitmap && FSkinData->SkinTabs) {
        const TDataSkinBorder& tabs = *FSkinData->SkinTabs;
        RECT margins{4, 5, 4, 4};
        if (tabs.Style != 0 && FSkinData->SkinTabPane) margins = FSkinData->SkinTabPane->Margins;
        // The pane image was turned for the side; so are its margins.
        margins = Win(MarginsForSide(Layout(margins), FTabSide, true));
        DrawElement(dc, pane, *FPaneBitmap, margins, 1, 1, false, false, false);
    }
    // The control's own paint does not run: its window-less children are
    // painted here.
    if (FMode == 2)
        if (auto* win = dynamic_cast<TWinControl*>(FControl)) win->PaintControls(dc);
}

void TSkinTab::DrawStrip(HDC dc, const RECT& rect, const RECT& pane, int count, int focus, HIMAGELIST images)
{
    const TDataSkinBorder& tabs = *FSkinData->SkinTabs;
    const TLayoutRect strip = TabStripRect(Layout(rect), Layout(pane), FTabSide);
    const RECT margins = Win(MarginsForSide(Layout(tabs.Margins), FTabSide, false));
    const TLayoutSize size = TabStripBitmapSize(strip, FTabSide);
    if (size.Width <= 0 || size.Height <= 0) return;
    if (!FStripBitmap) FStripBitmap = std::make_unique<TBitmap>();
    FStripBitmap->SetPixelFormat(pf24bit);
    FStripBitmap->SetSize(size.Width, size.Height);
    HDC work = FStripBitmap->Canvas()->Handle();
    FillControlColor(work, RECT{0, 0, size.Width, size.Height});
    {
        TSelectObject font(work, reinterpret_cast<HFONT>(SendMessageA(FHandle, WM_GETFONT, 0, 0)));
        const int width = rect.right - rect.left;
        for (int i = 0; i < count; ++i) {
            RECT item{};
            if (!SendMessageA(FHandle, TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item))) continue;
            int image = -1;
            const std::wstring text = TabItemText(FHandle, FIsUnicodeTab, i, image);
            const RECT r = Win(TabInStrip(Layout(item), FTabSide, Layout(pane), size, width));
            const int state = i == focus ? 2 : 1;
            DrawElement(work, r, *FTabBitmap, margins, state, UsableFrameCount(tabs.FrameCount), tabs.Trans == 1,
                        tabs.Tile != 0, false);
            if (FCloseButtons) {
                const RECT box = Win(TabCloseBox(Layout(r)));
                MoveToEx(work, box.left, box.top, nullptr);
                LineTo(work, box.right, box.top);
                LineTo(work, box.right, box.bottom);
                LineTo(work, box.left, box.bottom);
                LineTo(work, box.left, box.top);
                LineTo(work, box.right, box.bottom);
                MoveToEx(work, box.right, box.top, nullptr);
                LineTo(work, box.left, box.bottom);
                // Close boxes are on top tabs only, where the strip starts at
                // the control's top-left: strip and control coordinates agree.
                FCloseRects[static_cast<size_t>(i)] = RECT{box.left, box.top, box.right + 1, box.bottom + 1};
            }
            SetTextColor(work, ColorToRGB(state == 2 ? tabs.MouseOverColour2 : tabs.NormalColour2));
            DrawImageAndText(work, r, 1, text, image, images, FEnabled);
        }
    }
    if (FTabSide == TTabSide::Right) RotateRight(*FStripBitmap);
    else if (FTabSide == TTabSide::Left) RotateLeft(*FStripBitmap);
    work = FStripBitmap->Canvas()->Handle();

    TSavedDC saved(dc);
    if (HWND spin = FindTabUpDown()) {
        RECT r{};
        GetWindowRect(spin, &r);
        MapWindowPoints(nullptr, FHandle, reinterpret_cast<POINT*>(&r), 2);
        ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom);
    }
    BitBlt(dc, strip.Left, strip.Top, strip.Right - strip.Left, strip.Bottom - strip.Top, work, 0, 0, SRCCOPY);
}

} // namespace tf
