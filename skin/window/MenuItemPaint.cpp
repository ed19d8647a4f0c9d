#include "skin/window/MenuItemPaint.h"

#include <commctrl.h>

#include "framework/controls/Menus.h"
#include "framework/controls/Screen.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/BrushPen.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/GdiHandle.h"
#include "framework/graphics/ImageList.h"
#include "skin/data/SkinText.h"
#include "skin/data/WinSkinData.h"
#include "skin/draw/SkinDraw.h"
#include "skin/window/MenuItemRules.h"
#include "skin/window/SkinManage.h"
#include "skin/window/WinSkinPopMenu.h"

namespace tf {

namespace {

const TDataSkinObject* MenuItemElement(TSkinData& data)
{
    const TDataSkinObject* e = data.SkinMenuItem.get();
    return e && !e->Empty() ? e : nullptr;
}

int ElementMargin(TSkinData& data)
{
    const TDataSkinObject* e = MenuItemElement(data);
    return e ? e->Margins.left : 0;
}

TImageList* ImagesOf(TMenuItem& item)
{
    TMenu* menu = item.GetParentMenu();
    return menu ? menu->Images() : nullptr;
}

bool Windows95Family() { return (SkinOSVersion() & 0x80000000u) != 0; }

// An item-sized picture, filled with `color`.
std::unique_ptr<TBitmap> ItemImage(int w, int h, TColor color)
{
    auto image = std::make_unique<TBitmap>(w, h, pf24bit);
    TBrushHandle brush(::CreateSolidBrush(ColorToRGB(color)));
    const RECT all{0, 0, w, h};
    ::FillRect(image->Canvas()->Handle(), &all, brush.Get());
    return image;
}

// The part of the menu window's skinned background under r, when a skinned
// window shows that menu.
void CopyBackground(TBitmap& image, HMENU menu, const RECT& r)
{
    const TPopupBackgroundPart part = PopupBackgroundFor(menu);
    if (!part.Bitmap || part.Bitmap->Empty()) return;
    const int x = r.left + part.Offset.x, y = r.top + part.Offset.y;
    const int w = std::min(image.Width(), part.Bitmap->Width() - x);
    const int h = std::min(image.Height(), part.Bitmap->Height() - y);
    if (x < 0 || y < 0 || w <= 0 || h <= 0) return;
    ::BitBlt(image.Canvas()->Handle(), 0, 0, w, h, part.Bitmap->Canvas()->Handle(), x, y, SRCCOPY);
}

void Present(TCanvas& canvas, const RECT& r, TBitmap& image)
{
    ::BitBlt(canvas.Handle(), r.left, r.top, image.Width(), image.Height(), image.Canvas()->Handle(), 0, 0, SRCCOPY);
}

SIZE CheckMarkSize(HBITMAP check)
{
    BITMAP info{};
    if (!check || !::GetObjectA(check, sizeof info, &info)) return SIZE{0, 0};
    return SIZE{info.bmWidth, info.bmHeight};
}

// A monochrome mask (the shape black) drawn in colour at x, y.
void DrawMaskInColor(HDC dc, HBITMAP mask, int x, int y, int w, int h, TColor color)
{
    TDCHandle source(::CreateCompatibleDC(dc));
    TSelectObject bitmap(source.Get(), mask);
    TBrushHandle brush(::CreateSolidBrush(ColorToRGB(color)));
    TSelectObject selected(dc, brush.Get());
    const COLORREF text = ::SetTextColor(dc, RGB(0, 0, 0));
    const COLORREF back = ::SetBkColor(dc, RGB(255, 255, 255));
    // Brush where the mask is black, the target left where it is white.
    ::BitBlt(dc, x, y, w, h, source.Get(), 0, 0, 0x00B8074A);
    ::SetTextColor(dc, text);
    ::SetBkColor(dc, back);
}

// The system check mark (a monochrome image, the mark black) in colour.
void DrawCheckMark(HDC dc, HBITMAP check, int x, int y, TColor color)
{
    const SIZE size = CheckMarkSize(check);
    DrawMaskInColor(dc, check, x, y, size.cx, size.cy, color);
}

// A glyph of the skin's own menu glyphs (restore, maximise, minimise, close:
// dark shapes made for a light menu) in the item's text colour, so it shows
// on a menu of any colour.
void DrawGlyphInColor(HDC dc, TImageList& glyphs, int index, int x, int y, TColor color)
{
    const int w = glyphs.Width(), h = glyphs.Height();
    TBitmapHandle mask(::CreateBitmap(w, h, 1, 1, nullptr));
    if (!mask) return;
    {
        TDCHandle maskDC(::CreateCompatibleDC(dc));
        TSelectObject selected(maskDC.Get(), mask.Get());
        ::PatBlt(maskDC.Get(), 0, 0, w, h, WHITENESS);   // nothing drawn where the list draws nothing
        ::ImageList_Draw(glyphs.Handle(), index, maskDC.Get(), 0, 0, ILD_MASK);
    }
    DrawMaskInColor(dc, mask.Get(), x, y, w, h, color);
}

// The colour of an item's text, and of its check mark and glyph.
TColor ItemTextColor(TSkinData& data, TMenuItem& item, bool selected)
{
    const TColor menuText = data.FColors[SkinColor::MenuText];
    if (!item.Enabled()) {
        const TColor shadow = data.FColors[SkinColor::ButtonShadow];
        return shadow == menuText ? clBtnShadow : shadow;
    }
    return selected ? data.FColors[SkinColor::HilightText] : menuText;
}

frame::TBox Box(const RECT& r) { return frame::TBox{r.left, r.top, r.right, r.bottom}; }
RECT Rect(const frame::TBox& b) { return RECT{b.Left, b.Top, b.Right, b.Bottom}; }

// Caption, shortcut or separator line of an item; measures instead when the
// format has DT_CALCRECT (rect then holds the measured text).
void DrawMenuText(TSkinData& data, TMenuItem& item, HDC dc, UINT format, bool selected, RECT& rect,
                  std::wstring text)
{
    const bool measuring = (format & DT_CALCRECT) != 0;
    if (measuring && (text.empty() || text == L"&")) text += L" ";
    if (text == L"-") {
        if (!measuring) {
            RECT line = rect;
            ::OffsetRect(&line, 0, 4);
            ::DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
        }
        return;
    }
    TFont font;
    if (Screen) font.Assign(Screen->MenuFont());
    if (item.Default()) font.SetStyle(font.Style().Include(fsBold));
    TSelectObject selectedFont(dc, font.Handle());
    TBkModeScope mode(dc, TRANSPARENT);
    const COLORREF previous = ::SetTextColor(dc, ColorToRGB(ItemTextColor(data, item, selected)));
    DrawTextWide(dc, text, rect, format);
    ::SetTextColor(dc, previous);
}

} // namespace

HMENU ParentMenuHandle(TMenuItem& item)
{
    TMenuItem* parent = item.Parent();
    return parent && parent->HandleAllocated() ? parent->Handle() : nullptr;
}

void DrawMenuItemContent(TSkinData& data, TMenuItem& item, TCanvas& canvas, bool selected, const RECT& r)
{
    HDC dc = canvas.Handle();
    TImageList* images = ImagesOf(item);
    TMenu* menu = item.GetParentMenu();
    const bool rtl = menu && menu->RightToLeft();
    const std::wstring caption = AnsiToWide(item.Caption());
    const HBITMAP check = ::LoadBitmapA(nullptr, MAKEINTRESOURCEA(OBM_CHECK));
    const SIZE checkSize = CheckMarkSize(check);

    menuitem::TContentInput in;
    in.Item = Box(r);
    in.RightToLeft = rtl;
    in.HasElement = MenuItemElement(data) != nullptr;
    in.ElementLeftMargin = ElementMargin(data);
    in.ImageListWidth = images ? images->Width() : 0;
    in.ImageHeight = images ? images->Height() : 0;
    in.Separator = item.IsLine();
    in.HasImage = images && item.ImageIndex() >= 0 && item.ImageIndex() < images->Count();
    in.Checked = item.Checked();
    in.CheckWidth = checkSize.cx;
    in.CheckHeight = checkSize.cy;
    // The caption is measured in the room it has; a separator keeps the item's height.
    const menuitem::TContentLayout first = menuitem::ContentLayout(in);
    RECT measured{first.Text.Left, r.top, first.Text.Right, r.bottom};
    const UINT rtlBits = rtl ? DT_RIGHT | DT_RTLREADING : 0;
    DrawMenuText(data, item, dc, DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS | DT_SINGLELINE | rtlBits, selected,
                 measured, caption);
    in.CaptionWidth = measured.right - measured.left;
    in.CaptionHeight = measured.bottom - measured.top;
    const menuitem::TContentLayout layout = menuitem::ContentLayout(in);

    if (layout.CheckedBack) {
        TBrushHandle pattern(::CreatePatternBrush(AllocPatternBitmap(clBtnFace, clBtnHighlight)->Handle()));
        const RECT filled = Rect(layout.FilledBox);
        ::FillRect(dc, &filled, pattern.Get());
        RECT edge = Rect(layout.GlyphBox);
        ::DrawEdge(dc, &edge, BDR_SUNKENOUTER, BF_RECT);
    }
    const TColor ink = ItemTextColor(data, item, selected);
    if (layout.DrawImage) {
        if (images == data.FMenuGlyphs.get())
            DrawGlyphInColor(dc, *images, item.ImageIndex(), layout.ImageX, layout.ImageY, ink);
        else
            images->Draw(canvas, layout.ImageX, layout.ImageY, item.ImageIndex(), item.Enabled());
    }
    if (layout.DrawCheck && check) DrawCheckMark(dc, check, layout.CheckX, layout.CheckY, ink);
    if (check) ::DeleteObject(check);

    RECT text = Rect(layout.Text);
    DrawMenuText(data, item, dc, DT_EXPANDTABS | DT_SINGLELINE | rtlBits, selected, text, caption);
    const std::string keys = item.ShortCut() != scNone ? ShortCutToText(item.ShortCut()) : std::string();
    if (!keys.empty()) {
        RECT shortcut = Rect(layout.Shortcut);
        DrawMenuText(data, item, dc, DT_EXPANDTABS | DT_SINGLELINE | (rtl ? DT_RTLREADING : DT_RIGHT), selected,
                     shortcut, AnsiToWide(keys));
    }
}

void DrawMenuSeparator(TSkinData& data, TCanvas& canvas, const RECT& r)
{
    const TDataSkinObject* e = MenuItemElement(data);
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (!e || w <= 0 || h <= 0) return;
    TBitmap& source = *e->Bitmap;
    const menuitem::TSeparatorSlices s =
        menuitem::SeparatorSlices(source.Width(), source.Height(), e->Margins.left, e->Margins.right, w, h);
    TBitmap line(w, h, pf24bit);
    HDC dc = line.Canvas()->Handle();
    TStretchMode stretch(dc, COLORONCOLOR);
    for (const menuitem::TSlice& slice : {s.Left, s.Middle, s.Right}) {
        if (slice.Target.Width() <= 0 || slice.Source.Width() <= 0 || slice.Source.Height() <= 0) continue;
        ::StretchBlt(dc, slice.Target.Left, slice.Target.Top, slice.Target.Width(), slice.Target.Height(),
                     source.Canvas()->Handle(), slice.Source.Left, slice.Source.Top, slice.Source.Width(),
                     slice.Source.Height(), SRCCOPY);
    }
    DrawTransparent(canvas.Handle(), r, line, clSkinKey);
}

void DrawPlainMenuItem(TSkinData& data, TMenuItem& item, TCanvas& canvas, const RECT& r, bool selected)
{
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0) return;
    auto image = ItemImage(w, h, data.FColors[selected ? SkinColor::Hilight : SkinColor::Menu]);
    DrawMenuItemContent(data, item, *image->Canvas(), selected, RECT{0, 0, w, h});
    Present(canvas, r, *image);
}

namespace {

// DrawMenuItem and DrawMenuHandleItem: the item over its part of the menu
// window's background.
void DrawOverBackground(TSkinData& data, TMenuItem& item, HMENU menu, TCanvas& canvas, const RECT& r, bool selected,
                        bool separatorFromElement)
{
    const TDataSkinObject* e = MenuItemElement(data);
    if (!e) {
        DrawPlainMenuItem(data, item, canvas, r, selected);
        return;
    }
    if (TSkinManage* manager = SkinManage()) manager->BindPopupMenuHandle(menu);
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0) return;
    auto image = ItemImage(w, h, data.FColors[SkinColor::Menu]);
    CopyBackground(*image, menu, r);
    if (separatorFromElement && item.IsLine()) {
        Present(canvas, r, *image);
        DrawMenuSeparator(data, canvas, r);
        return;
    }
    const RECT local{0, 0, w, h};
    DrawElement(image->Canvas()->Handle(), local, *e->Bitmap, e->Margins, selected ? 4 : 1, 5, e->Trans != 0,
                e->Tile != 0, false);
    DrawMenuItemContent(data, item, *image->Canvas(), selected, local);
    Present(canvas, r, *image);
}

} // namespace

void DrawMenuItem(TSkinData& data, TMenuItem& item, TCanvas& canvas, const RECT& r, bool selected)
{
    DrawOverBackground(data, item, ParentMenuHandle(item), canvas, r, selected, true);
}

void DrawMenuHandleItem(TSkinData& data, HMENU menu, TMenuItem& item, bool selected, const RECT& r, TCanvas& canvas)
{
    DrawOverBackground(data, item, menu, canvas, r, selected, false);
}

void MeasureMainMenuItem(TSkinData& data, TMenuItem& item, TCanvas& canvas, int& width, int& height)
{
    // The framework's own measuring, whatever measure event the item has.
    item.DefaultMeasureItem(&canvas, width, height);
    width += menuitem::MainMenuExtraWidth(ElementMargin(data), ImagesOf(item) != nullptr);
}

void MeasurePopupItem(TSkinData& data, TMenuItem& item, TCanvas& canvas, int& width, int& height)
{
    item.DefaultMeasureItem(&canvas, width, height);
    width += menuitem::PopupExtraWidth(ElementMargin(data), ImagesOf(item) != nullptr);
}

void MeasureMenuText(TSkinData& data, const std::string& text, int& width, int& height)
{
    TScreenDC screen;
    TFont font;
    if (Screen) font.Assign(Screen->MenuFont());
    TSelectObject selected(screen.Get(), font.Handle());
    RECT r{0, 0, 0, 0};
    if (!text.empty())
        ::DrawTextA(screen.Get(), text.c_str(), static_cast<int>(text.size()), &r,
                    DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS | DT_NOCLIP);
    const menuitem::TSize s =
        menuitem::MeasureByText(r.right - r.left, text.empty(), height, ElementMargin(data), Windows95Family());
    width = s.Width;
    height = s.Height;
}

} // namespace tf
