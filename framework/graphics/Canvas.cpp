#include "Canvas.h"

#include "framework/core/SysUtils.h"
#include "framework/graphics/Graphic.h"

namespace tf {

const TClassInfo& TCanvas::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TCanvas>("TCanvas", TPersistent::StaticClass())
            .Object<TBrush>("Brush", &TCanvas::Brush, &TCanvas::SetBrush)
            .Object<TFont>("Font", &TCanvas::Font, &TCanvas::SetFont)
            .Object<TPen>("Pen", &TCanvas::Pen, &TCanvas::SetPen)
            .Build();
    return info;
}

TCanvas::TCanvas() : FFont(std::make_unique<TFont>()), FBrush(std::make_unique<TBrush>()), FPen(std::make_unique<TPen>())
{
    FFont->OnChange = TNotifyEvent::Of<&TCanvas::FontChanged>(this);
    FBrush->OnChange = TNotifyEvent::Of<&TCanvas::BrushChanged>(this);
    FPen->OnChange = TNotifyEvent::Of<&TCanvas::PenChanged>(this);
}

TCanvas::~TCanvas()
{
    // Derived canvases have released their own DC by now; a foreign one gets
    // its objects back.
    DeselectHandles();
}

void TCanvas::CreateHandle() { throw EInvalidOperation("Canvas does not allow drawing"); }

HDC TCanvas::Handle()
{
    if (!FHandle) CreateHandle();
    if (!FHandle) throw EInvalidOperation("Canvas does not allow drawing");
    return FHandle;
}

void TCanvas::SetHandle(HDC dc)
{
    if (dc == FHandle) return;
    DeselectHandles();
    FHandle = dc;
}

void TCanvas::DeselectHandles()
{
    if (FHandle) {
        if (FOldFont) ::SelectObject(FHandle, FOldFont);
        if (FOldBrush) ::SelectObject(FHandle, FOldBrush);
        if (FOldPen) ::SelectObject(FHandle, FOldPen);
    }
    FOldFont = FOldBrush = FOldPen = nullptr;
    FState = 0;
}

void TCanvas::RequiredState(uint32_t state)
{
    HDC dc = Handle();
    const uint32_t missing = state & ~FState;
    if (missing & csFontValid) {
        HGDIOBJ old = ::SelectObject(dc, FFont->Handle());
        if (!FOldFont) FOldFont = old;
        ::SetTextColor(dc, ColorToRGB(FFont->Color()));
        FState |= csFontValid;
    }
    if (missing & csPenValid) {
        HGDIOBJ old = ::SelectObject(dc, FPen->Handle());
        if (!FOldPen) FOldPen = old;
        ::SetROP2(dc, PenModeToROP2(FPen->Mode()));
        FState |= csPenValid;
    }
    if (missing & csBrushValid) {
        HBRUSH brush = FBrush->Handle();
        ::UnrealizeObject(brush);
        HGDIOBJ old = ::SelectObject(dc, brush);
        if (!FOldBrush) FOldBrush = old;
        const COLORREF color = ColorToRGB(FBrush->Color());
        if (FBrush->Style() == bsSolid || FBrush->Bitmap()) {
            ::SetBkColor(dc, color);
            ::SetBkMode(dc, OPAQUE);
        } else {
            ::SetBkColor(dc, ~color & 0xFFFFFF);
            ::SetBkMode(dc, TRANSPARENT);
        }
        FState |= csBrushValid;
    }
}

void TCanvas::FontChanged(TObject*)
{
    if (!(FState & csFontValid)) return;
    ::SelectObject(FHandle, FOldFont);
    FOldFont = nullptr;
    FState &= ~csFontValid;
}

void TCanvas::BrushChanged(TObject*)
{
    if (!(FState & csBrushValid)) return;
    ::SelectObject(FHandle, FOldBrush);
    FOldBrush = nullptr;
    FState &= ~csBrushValid;
}

void TCanvas::PenChanged(TObject*)
{
    if (!(FState & csPenValid)) return;
    ::SelectObject(FHandle, FOldPen);
    FOldPen = nullptr;
    FState &= ~csPenValid;
}

void TCanvas::Lock()
{
    FLock.lock();
    ++FLockCount;
}

void TCanvas::Unlock()
{
    --FLockCount;
    FLock.unlock();
}

bool TCanvas::TryLock()
{
    if (!FLock.try_lock()) return false;
    ++FLockCount;
    return true;
}

HBRUSH TCanvas::CurrentBrush() { return static_cast<HBRUSH>(::GetCurrentObject(Handle(), OBJ_BRUSH)); }

void TCanvas::SetBkMode(int mode)
{
    RequiredState(csBrushValid);
    ::SetBkMode(FHandle, mode);
}

int TCanvas::BkMode()
{
    RequiredState(csBrushValid);
    return ::GetBkMode(FHandle);
}

POINT TCanvas::PenPos()
{
    POINT p{};
    ::GetCurrentPositionEx(Handle(), &p);
    return p;
}

void TCanvas::MoveTo(int x, int y) { ::MoveToEx(Handle(), x, y, nullptr); }

void TCanvas::LineTo(int x, int y)
{
    RequiredState(csPenValid | csBrushValid);
    ::LineTo(FHandle, x, y);
}

void TCanvas::FillRect(const RECT& r)
{
    RequiredState(csBrushValid);
    ::FillRect(FHandle, &r, FBrush->Handle());
}

void TCanvas::FillRect(const RECT& r, HBRUSH brush) { ::FillRect(Handle(), &r, brush); }

void TCanvas::FrameRect(const RECT& r)
{
    RequiredState(csBrushValid);
    ::FrameRect(FHandle, &r, FBrush->Handle());
}

void TCanvas::FrameRect(const RECT& r, HBRUSH brush) { ::FrameRect(Handle(), &r, brush); }

void TCanvas::Rectangle(int x1, int y1, int x2, int y2)
{
    RequiredState(csPenValid | csBrushValid);
    ::Rectangle(FHandle, x1, y1, x2, y2);
}

void TCanvas::RoundRect(int x1, int y1, int x2, int y2, int ellipseWidth, int ellipseHeight)
{
    RequiredState(csPenValid | csBrushValid);
    ::RoundRect(FHandle, x1, y1, x2, y2, ellipseWidth, ellipseHeight);
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2)
{
    RequiredState(csPenValid | csBrushValid);
    ::Ellipse(FHandle, x1, y1, x2, y2);
}

void TCanvas::Polygon(std::span<const POINT> points)
{
    if (points.empty()) return;
    RequiredState(csPenValid | csBrushValid);
    ::Polygon(FHandle, points.data(), static_cast<int>(points.size()));
}

void TCanvas::Polyline(std::span<const POINT> points)
{
    if (points.empty()) return;
    RequiredState(csPenValid | csBrushValid);
    ::Polyline(FHandle, points.data(), static_cast<int>(points.size()));
}

void TCanvas::DrawFocusRect(const RECT& r)
{
    RequiredState(csBrushValid);
    ::DrawFocusRect(FHandle, &r);
}

void TCanvas::TextOut(int x, int y, const std::string& text)
{
    RequiredState(csFontValid | csBrushValid);
    ::TextOutA(FHandle, x, y, text.data(), static_cast<int>(text.size()));
}

void TCanvas::TextOut(int x, int y, const std::wstring& text)
{
    RequiredState(csFontValid | csBrushValid);
    ::TextOutW(FHandle, x, y, text.data(), static_cast<int>(text.size()));
}

void TCanvas::TextRect(const RECT& r, int x, int y, const std::string& text)
{
    RequiredState(csFontValid | csBrushValid);
    UINT options = ETO_CLIPPED;
    if (FBrush->Style() != bsClear) options |= ETO_OPAQUE;
    ::ExtTextOutA(FHandle, x, y, options, &r, text.data(), static_cast<UINT>(text.size()), nullptr);
}

SIZE TCanvas::TextExtent(const std::string& text)
{
    RequiredState(csFontValid);
    SIZE s{};
    ::GetTextExtentPoint32A(FHandle, text.data(), static_cast<int>(text.size()), &s);
    return s;
}

SIZE TCanvas::TextExtent(const std::wstring& text)
{
    RequiredState(csFontValid);
    SIZE s{};
    ::GetTextExtentPoint32W(FHandle, text.data(), static_cast<int>(text.size()), &s);
    return s;
}

void TCanvas::Draw(int x, int y, TGraphic* graphic)
{
    if (!graphic || graphic->Empty()) return;
    RECT r{x, y, x + graphic->Width(), y + graphic->Height()};
    graphic->Draw(*this, r);
}

void TCanvas::StretchDraw(const RECT& r, TGraphic* graphic)
{
    if (!graphic || graphic->Empty()) return;
    graphic->Draw(*this, r);
}

void TCanvas::CopyRect(const RECT& dest, TCanvas& sourceCanvas, const RECT& source)
{
    RequiredState(csBrushValid);
    HDC src = sourceCanvas.Handle();
    const int dw = dest.right - dest.left, dh = dest.bottom - dest.top;
    const int sw = source.right - source.left, sh = source.bottom - source.top;
    if (dw == sw && dh == sh)
        ::BitBlt(FHandle, dest.left, dest.top, dw, dh, src, source.left, source.top, FCopyMode);
    else
        ::StretchBlt(FHandle, dest.left, dest.top, dw, dh, src, source.left, source.top, sw, sh, FCopyMode);
}

TColor TCanvas::Pixel(int x, int y) { return static_cast<TColor>(::GetPixel(Handle(), x, y)); }

void TCanvas::SetPixel(int x, int y, TColor color)
{
    RequiredState(csPenValid | csBrushValid);
    ::SetPixel(FHandle, x, y, ColorToRGB(color));
}

RECT TCanvas::ClipRect()
{
    RECT r{};
    ::GetClipBox(Handle(), &r);
    return r;
}

} // namespace tf
