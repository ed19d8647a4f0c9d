// Frame and caption painting of a skinned window: the borders, the caption
// band composed off-screen with its text and buttons, the menu band, and
// the window icon.
#include <exception>

#include "framework/controls/Forms.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "skin/data/SkinHost.h"
#include "skin/data/SkinText.h"
#include "skin/data/WinSkinData.h"
#include "skin/draw/SkinDraw.h"
#include "skin/draw/SkinPlatform.h"
#include "skin/window/FormChrome.h"
#include "skin/window/FrameLayout.h"
#include "skin/window/PaintFailure.h"
#include "skin/window/WinSkinForm.h"

namespace tf {

namespace {

HICON WindowIcon(HWND window)
{
    auto icon = reinterpret_cast<HICON>(::SendMessageA(window, WM_GETICON, ICON_SMALL, 0));
    if (!icon) icon = reinterpret_cast<HICON>(::SendMessageA(window, WM_GETICON, ICON_BIG, 0));
    return icon;
}

void FillWith(HDC dc, const RECT& r, TColor color)
{
    TBrushHandle brush(::CreateSolidBrush(ColorToRGB(color)));
    ::FillRect(dc, &r, brush.Get());
}

} // namespace

std::wstring TWinSkinForm::WindowTextWide() const
{
    std::wstring text;
    if (unicodeWindow) {
        if (PlatformFlags().NTFamily) {
            const int length = ::GetWindowTextLengthW(window);
            std::wstring buffer(static_cast<size_t>(length) + 1, L'\0');
            const int got = ::GetWindowTextW(window, buffer.data(), length + 1);
            text.assign(buffer.data(), static_cast<size_t>(got > 0 ? got : 0));
        } else {
            char buffer[1000] = {};
            ::SendMessageA(window, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
            text = AnsiToWide(buffer);
        }
    } else {
        char buffer[1000] = {};
        ::SendMessageA(window, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
        text = AnsiToWide(buffer);
    }
    return text;
}

void TWinSkinForm::ReportPaintFailure(const char* what)
{
    paintFailed = true;
    tf::ReportPaintFailure(PaintFailureSubject(window) + ": " + what);
}

void TWinSkinForm::PaintFrame(HDC dc)
{
    if (skinState != TFormSkinState::Running && skinState != TFormSkinState::Reapplying) return;
    if (frameKind == FrameKind::NoCaption || paintFailed) return;
    if (formKind == FormKind::MDIChild && windowState == FrameWindowState::Maximized) return;
    RECT r{};
    if (!::GetWindowRect(window, &r)) return;
    windowRect = r;
    const int w = r.right - r.left, h = r.bottom - r.top;
    lastPaintWidth = w;
    lastPaintHeight = h;
    TWindowDC own(dc ? nullptr : window);
    HDC target = dc ? dc : own.Get();
    if (!target) return;
    try {
        if (windowState == FrameWindowState::Minimized) {
            PaintCaption(target, w, h);
        } else {
            DrawBorderPiece(1, RECT{0, 0, borderLeft, h}, target);
            DrawBorderPiece(2, RECT{w - borderRight, 0, w, h}, target);
            DrawBorderPiece(4, RECT{borderLeft, h - borderBottom, w - borderRight, h}, target);
            PaintCaption(target, w, h);
            const RECT band{borderLeft, borderTop, w - borderRight, borderTop + menuBarHeight};
            if (menuTakenOff && menuBarHeight > 0) PaintMenuBand(target, band);
            else if (menuBarHeight > 0) ::FillRect(target, &band, skinData->FFaceBrush.Get());
        }
    } catch (const std::exception& e) {
        ReportPaintFailure(e.what());
    } catch (...) {
        ReportPaintFailure("an unknown failure");
    }
    chrome->FramePainted();
}

void TWinSkinForm::DrawBorderPiece(int index, const RECT& rect, HDC dc)
{
    if (index < 1 || index > 4) return;
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    if (w <= 0 || h <= 0) return;
    const TDataSkinBorder& e = *skinData->SkinBorders[static_cast<size_t>(index - 1)];
    if (e.Empty()) return;
    const int count = UsableFrameCount(e.FrameCount);
    const int frame = active || count == 1 ? 1 : 2;
    const auto image = ComposeElement(rect, *e.Bitmap, e.Margins, frame, count, e.Tile != 1, index > 2);
    ::BitBlt(dc, rect.left, rect.top, w, h, image->Canvas()->Handle(), 0, 0, SRCCOPY);
}

void TWinSkinForm::PaintCaption(HDC dc, int w, int h)
{
    TBitmap& buffer = *captionBuffer;
    RECT area{};
    if (windowState == FrameWindowState::Minimized) {
        buffer.SetSize(w, h);
        FillWith(buffer.Canvas()->Handle(), RECT{0, 0, w, h}, skinData->FColors[SkinColor::ButtonFace]);
        area = RECT{0, 0, w, borderTop};
    } else {
        buffer.SetSize(w, borderTop);
        // The side borders' tops, painted just before, stay under the band.
        ::BitBlt(buffer.Canvas()->Handle(), 0, 0, w, borderTop, dc, 0, 0, SRCCOPY);
        area = RECT{borderLeft, 0, w - borderRight, borderTop};
    }
    if (buffer.Empty()) return;
    HDC bufferDC = buffer.Canvas()->Handle();
    DrawBorderPiece(3, area, bufferDC);
    DrawTitleText(*buffer.Canvas(), area);
    chrome->DrawCaptionButtons(bufferDC);
    ::BitBlt(dc, 0, 0, buffer.Width(), buffer.Height(), bufferDC, 0, 0, SRCCOPY);
    ::SetBkMode(dc, OPAQUE);
}

void TWinSkinForm::DrawTitleText(TCanvas& canvas, const RECT& area)
{
    const std::wstring text = CaptionText();
    rightButtonsExtent = chrome->RightButtonsExtent();
    const TDataSkinTitle& title = *skinData->SkinTitle;
    HDC dc = canvas.Handle();
    TSelectObject font(dc, captionFont.Get());
    TBkModeScope mode(dc, TRANSPARENT);
    const TColor color = skinData->FColors[active ? SkinColor::TitleTextActive : SkinColor::TitleTextNoActive];
    const COLORREF oldColor = ::SetTextColor(dc, ColorToRGB(color));

    RECT measured = area;
    DrawTextWide(dc, text, measured, DT_CALCRECT | DT_NOPREFIX | DT_NOCLIP);
    frame::TCaptionTextInput in;
    in.Area = frame::TBox{area.left, area.top, area.right, area.bottom};
    in.TextWidth = measured.right - measured.left;
    in.TextHeight = measured.bottom - measured.top;
    in.Alignment = title.TextAlignment;
    in.TextShift = title.Margins.left;
    in.TextShiftVert = title.Margins.top;
    in.TextRightClip = title.Margins.right;
    in.BackLeft = title.TXTBackleft;
    in.BackRight = title.TXTBackRight;
    in.RightButtonsExtent = rightButtonsExtent;
    in.RightToLeft = rightToLeft;
    in.PopupStyle = (style & WS_POPUP) != 0;
    in.DialogFrame = frameKind == FrameKind::Dialog;
    const frame::TBox box = frame::CaptionTextBox(in);
    captionBackRect = RECT{box.Left, box.Top, box.Right, box.Bottom};
    if (!title.Empty())
        DrawHorzBar(canvas, RECT{box.Left, area.top, box.Right, area.bottom}, *title.Bitmap,
                    RECT{title.TXTBackleft, 0, title.TXTBackRight, 0}, active ? 1 : 2, 2, true, true);
    RECT textRect{box.Left + title.TXTBackleft, box.Top, box.Right - title.TXTBackRight, box.Bottom};
    UINT format = DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;
    if (rightToLeft) format |= DT_RIGHT | DT_RTLREADING;
    DrawTextWide(dc, text, textRect, format);
    captionTextRect = textRect;
    ::SetTextColor(dc, oldColor);
}

void TWinSkinForm::PaintMenuBand(HDC dc, const RECT& band)
{
    const int w = band.right - band.left, h = band.bottom - band.top;
    if (w <= 0 || h <= 0) return;
    TBitmap image(w, h, pf24bit);
    TCanvas& canvas = *image.Canvas();
    HDC bandDC = canvas.Handle();
    const RECT local{0, 0, w, h};
    const TDataSkinObject* bar = skinData->SkinMenuBar.get();
    if (bar && !bar->Empty()) {
        const int frame = active ? 1 : 2;
        if (bar->Tile == 1)
            DrawElement(bandDC, local, *bar->Bitmap, bar->Margins, frame, 2, false, false, true);
        else
            DrawHorzBar(canvas, local, *bar->Bitmap, RECT{bar->Margins.left, 0, bar->Margins.right, 0}, frame, 2,
                        false, true);
    } else {
        FillWith(bandDC, local, skinData->FColors[SkinColor::Menubar]);
    }
    // The items are drawn in frame coordinates over the background.
    POINT origin{};
    ::SetViewportOrgEx(bandDC, -band.left, -band.top, &origin);
    chrome->DrawMenuBarItems(bandDC, band);
    ::SetViewportOrgEx(bandDC, origin.x, origin.y, nullptr);
    ::BitBlt(dc, band.left, band.top, w, h, bandDC, 0, 0, SRCCOPY);
}

// ---------------------------------------------------------------- icons

void TWinSkinForm::BuildIconBitmap()
{
    const int cx = ::GetSystemMetrics(SM_CXSMICON), cy = ::GetSystemMetrics(SM_CYSMICON);
    auto image = std::make_unique<TBitmap>(cx, cy, pf16bit);
    HDC dc = image->Canvas()->Handle();
    FillWith(dc, RECT{0, 0, cx, cy}, clSkinKey);
    iconSize = cx;
    if (HICON icon = WindowIcon(window)) {
        TIconHandle copy(static_cast<HICON>(::CopyImage(icon, IMAGE_ICON, cx, cy, LR_COPYFROMRESOURCE)));
        if (copy) ::DrawIconEx(dc, 0, 0, copy.Get(), cx, cy, 0, nullptr, DI_NORMAL);
    }
    iconBitmap = std::move(image);
}

void TWinSkinForm::DrawCaptionIcon(HDC dc, const RECT& rect)
{
    HWND app = SkinHostApplicationWindow();
    if (HICON icon = app ? WindowIcon(app) : nullptr) {
        TIconHandle copy(static_cast<HICON>(::CopyImage(icon, IMAGE_ICON, iconSize, iconSize, 0)));
        if (!copy) return;
        const int centre = (captionTextRect.top + captionTextRect.bottom) / 2;
        ::DrawIconEx(dc, 8, centre - iconSize / 2, copy.Get(), iconSize, iconSize, 0, nullptr, DI_NORMAL);
        return;
    }
    if (iconBitmap && !iconBitmap->Empty()) DrawTransparent(dc, rect, *iconBitmap, clSkinKey);
}

} // namespace tf
