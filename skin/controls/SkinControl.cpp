#include "skin/controls/SkinControl.h"

#include <cctype>
#include <exception>
#include <string>

#include "framework/controls/Controls.h"
#include "framework/controls/WinControl.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/GdiHandle.h"
#include "framework/graphics/OffscreenCache.h"
#include "skin/data/SkinText.h"
#include "skin/data/WinSkinData.h"
#include "skin/draw/SkinPlatform.h"
#include "skin/window/PaintFailure.h"

namespace tf {

const TClassInfo& TSkinControl::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TSkinControl>("TSkinControl", TComponent::StaticClass()).Build();
    return info;
}

TSkinControl::TSkinControl(TComponent* owner) : TComponent(owner) {}

TSkinControl::~TSkinControl()
{
    Destroying();
    // A skinner freed while it still skins gives the colour back too (not
    // to a control that is being destroyed).
    if (FState == TSkinnerState::Attached && SkinsLivingControl()) RestoreColor();
    if (FOldWindowProc) {
        if (FControl) FControl->WindowProc = FOldWindowProc;
        FOldWindowProc.Clear();
    }
    if (FWndProcThunk) {
        // A destroyed window has nothing to give back; under another
        // subclass the procedure stays in the chain, passing messages on.
        if (FState != TSkinnerState::WindowDestroyed && IsWindow(FHandle)) {
            const auto old = reinterpret_cast<LONG_PTR>(FOldWndProc);
            const auto mine = reinterpret_cast<LONG_PTR>(FWndProcThunk.Proc());
            if ((FIsUnicode ? GetWindowLongPtrW(FHandle, GWLP_WNDPROC) : GetWindowLongPtrA(FHandle, GWLP_WNDPROC)) != mine)
                PassOnObjectInstance(FWndProcThunk.Detach(), FHandle, FOldWndProc, FIsUnicode);
            else
                FIsUnicode ? SetWindowLongPtrW(FHandle, GWLP_WNDPROC, old) : SetWindowLongPtrA(FHandle, GWLP_WNDPROC, old);
        }
        FWndProcThunk.Reset();
    }
    if (FForm) FForm->Skinners().Remove(this);
}

// ------------------------------------------------------------ attaching

void TSkinControl::Register()
{
    if (FForm) FForm->Skinners().Add(this);
}

void TSkinControl::Attach(TSkinnerHost* form, TSkinData* data, bool setColor, TCanvas* canvas)
{
    if (FAttached) return;
    FSetColor = setColor;
    FSkinData = data;
    FForm = form;
    FCanvas = canvas;
    FControl = dynamic_cast<TControl*>(Owner());
    if (!FControl) return;
    if (auto* win = dynamic_cast<TWinControl*>(FControl)) FHandle = win->Handle();
    FIsUnicode = FHandle && IsWindowUnicode(FHandle);
    FOldWindowProc = FControl->WindowProc;
    FControl->WindowProc = TWndMethod::Of<&TSkinControl::SkinWndProc>(this);
    Register();
    if (FSetColor) ReplaceColor();
    FControl->Invalidate();
    FAttached = true;
    FState = TSkinnerState::Attached;
}

void TSkinControl::AttachWindow(HWND window, TSkinData* data, TSkinnerHost* form, TCanvas* canvas)
{
    FSkinData = data;
    FCanvas = canvas;
    FForm = form;
    FHandle = window;
    FEnabled = true;
    FMode = 0;
    Register();
    FIsUnicode = window && IsWindowUnicode(window);
    FWindowText = GetWindowTextWide(window);
    FWndProcThunk.Reset(TWndMethod::Of<&TSkinControl::SkinWndProc>(this));
    const auto proc = reinterpret_cast<LONG_PTR>(FWndProcThunk.Proc());
    FOldWndProc = reinterpret_cast<WNDPROC>(FIsUnicode ? SetWindowLongPtrW(window, GWLP_WNDPROC, proc)
                                                       : SetWindowLongPtrA(window, GWLP_WNDPROC, proc));
    if (window) InvalidateRect(window, nullptr, TRUE);
    FAttached = true;
    FState = TSkinnerState::Attached;
}

void TSkinControl::ReplaceColor()
{
    if (!FControl) return;
    FSavedColor = FControl->Color();
    FSavedParentColor = FControl->ParentColor();
    FControl->SetColor(FaceColor());
}

void TSkinControl::RestoreColor()
{
    if (!FSetColor || !FControl) return;
    FControl->SetColor(FSavedColor);
    if (FSavedParentColor) FControl->SetParentColor(true);
}

bool TSkinControl::SkinsLivingControl() const
{
    if (!FActive || FState == TSkinnerState::WindowDestroyed) return false;
    return !FControl || !FControl->HasState(csDestroying);
}

void TSkinControl::Unskin()
{
    if (!FActive) return;
    FActive = false;
    if (FState != TSkinnerState::WindowDestroyed) RestoreColor();
}

bool TSkinControl::HandlerOnTop() const
{
    if (FOldWindowProc)
        return !FControl || FControl->WindowProc == TWndMethod::Of<&TSkinControl::SkinWndProc>(const_cast<TSkinControl*>(this));
    if (!FWndProcThunk || FState == TSkinnerState::WindowDestroyed || !IsWindow(FHandle)) return true;
    const LONG_PTR now = FIsUnicode ? GetWindowLongPtrW(FHandle, GWLP_WNDPROC) : GetWindowLongPtrA(FHandle, GWLP_WNDPROC);
    return now == reinterpret_cast<LONG_PTR>(FWndProcThunk.Proc());
}

bool TSkinControl::Release()
{
    if (HandlerOnTop()) return true;
    // A later handler saved this one and calls it: unlinking is impossible.
    if (FActive) {
        Unskin();
        ActiveChanged();
    }
    if (FHandle) InvalidateRect(FHandle, nullptr, TRUE);
    // A bare window's procedure outlives the skinner, passing messages on.
    if (!FOldWindowProc) return true;
    // A control's handler is a method of the skinner: it must stay, inert.
    FReleased = true;
    if (FForm) FForm->Skinners().Remove(this);
    FForm = nullptr;
    return false;
}

void TSkinControl::SkinChanged()
{
    if (FPaintFailed) {
        // A new skin is tried afresh.
        FPaintFailed = false;
        FActive = true;
        ActiveChanged();
    }
    if (FSetColor && FControl) FControl->SetColor(FaceColor());
    Refresh();
}

// ------------------------------------------------------------ messages

void TSkinControl::SkinWndProc(TMessage& m)
{
    if (FReleased) {
        CallDefault(m);
        return;
    }
    const auto alive = LifeWatch();
    ++FMessageDepth;
    RouteMessage(m);
    if (!*alive) return;
    if (--FMessageDepth == 0 && FUpdatePending) {
        FUpdatePending = false;
        if (FHandle) UpdateWindow(FHandle);
    }
}

void TSkinControl::UpdateNow()
{
    if (!FHandle) return;
    if (FMessageDepth > 1) {
        FUpdatePending = true;
        return;
    }
    UpdateWindow(FHandle);
}

void TSkinControl::RouteMessage(TMessage& m)
{
    if (m.Msg == SKM_SKINENABLE) {
        const bool active = static_cast<int>(m.WParam) > 0;
        if (active == FActive) return;
        FActive = active;
        ActiveChanged();
        // Off as well as on: the control shows the look it now has.
        Refresh();
        return;
    }
    if (!FActive) {
        CallDefault(m);
        return;
    }
    if (PaintKind() != TPaintKind::Custom && RoutePaint(m)) return;
    if (BeforeMessage(m) && CallDefault(m)) {
        if (TracksHover()) TrackHover(m);
        AfterMessage(m);
    }
}

void TSkinControl::TrackHover(const TMessage& m)
{
    int index = FHover.Index();
    switch (m.Msg) {
    case WM_MOUSEMOVE: {
        const int at = HotItemAt(POINT{m.XPos(), m.YPos()});
        if (FHandle) TrackMouseLeave(FHandle);
        index = at;
        break;
    }
    case CM_MOUSEENTER: index = HotItemAt(POINT{-1, -1}); break;
    case WM_MOUSELEAVE:
    case CM_MOUSELEAVE: index = -1; break;
    default: return;
    }
    if (!FHover.Set(index)) return;
    SetHot(index >= 0);
    HotChanged();
}

void TSkinControl::ResetHover()
{
    FHover.Set(-1);
    SetHot(false);
}

bool TSkinControl::CallDefault(TMessage& m)
{
    // The control's handlers may free it, and this skinner with it (a click
    // that closes the form): nothing of the skinner is touched then.
    const auto alive = LifeWatch();
    if (FOldWindowProc) {
        FOldWindowProc(m);
        return *alive;
    }
    if (!FOldWndProc) return true;
    // A Unicode window's previous procedure gets the wide form it expects.
    m.Result = FIsUnicode ? CallWindowProcW(FOldWndProc, FHandle, m.Msg, m.WParam, m.LParam)
                          : CallWindowProcA(FOldWndProc, FHandle, m.Msg, m.WParam, m.LParam);
    return *alive;
}

bool TSkinControl::BeforeMessage(TMessage& m)
{
    switch (m.Msg) {
    case WM_NCDESTROY:
        FState = TSkinnerState::WindowDestroyed;
        if (CallDefault(m) && FActive) Unskin();
        return false;
    case SKM_QUERYSKINNED: m.Result = 1; return false;
    default: return true;
    }
}

void TSkinControl::AfterMessage(TMessage& m)
{
    switch (m.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_SETTEXT:
    case CM_ENABLEDCHANGED: Refresh(); break;
    case WM_PAINT:
    case WM_PRINTCLIENT: PaintControl(reinterpret_cast<HDC>(m.WParam)); break;
    default: break;
    }
}

// ------------------------------------------------------------ painting

const char* PaintKindName(TPaintKind kind)
{
    switch (kind) {
    case TPaintKind::Custom: return "Custom";
    case TPaintKind::Whole: return "Whole";
    case TPaintKind::Over: return "Over";
    }
    return "Unknown";
}

bool TSkinControl::RoutePaint(TMessage& m)
{
    switch (m.Msg) {
    case WM_ERASEBKGND:
        // The paint pass covers everything (Whole) or erases into its buffer (Over).
        m.Result = 1;
        return true;
    case WM_PRINTCLIENT:
        if (!m.WParam) return false;
        [[fallthrough]];
    case WM_PAINT: {
        RECT whole{0, 0, 0, 0};
        if (!FHandle || !GetWindowRect(FHandle, &FWindowRect)) return false;
        whole = RECT{0, 0, FWindowRect.right - FWindowRect.left, FWindowRect.bottom - FWindowRect.top};
        TPaintDCScope paint(FHandle, reinterpret_cast<HDC>(m.WParam));
        // Nothing of the skinner is touched once a handler freed it.
        if (!PaintPass(paint.Get(), paint.UpdateRect(), whole)) return true;
        m.Result = 0;
        return true;
    }
    case WM_PRINT:
        // Over: the control's own printing, whose WM_PRINTCLIENT comes here.
        if (PaintKind() != TPaintKind::Whole || !m.WParam) return false;
        PrintWindowTo(reinterpret_cast<HDC>(m.WParam), m.LParam);
        m.Result = 0;
        return true;
    default: return false;
    }
}

bool TSkinControl::PaintPass(HDC target, const RECT& area, const RECT& whole)
{
    if (!target || IsRectEmpty(&area)) return true;
    ++FPaintPasses;
    const auto alive = LifeWatch();
    std::string failure;
    {
        TOffscreenLease buffer(target, area);
        HDC dc = buffer.Get();
        try {
            if (PaintKind() == TPaintKind::Over) {
                // The control's own erase and paint land in the buffer.
                TMessage erase{WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0, 0};
                if (!CallDefault(erase)) return false;
                TMessage paint{WM_PAINT, reinterpret_cast<WPARAM>(dc), 0, 0};
                if (!CallDefault(paint)) return false;
            }
            DrawControl(dc, whole);
        } catch (const std::exception& e) {
            failure = e.what();
        } catch (...) {
            failure = "unknown failure";
        }
        if (!*alive) return false;
        if (failure.empty()) buffer.Flush();
    }
    if (!failure.empty()) ReportFailure(failure.c_str());
    return true;
}

void TSkinControl::PrintWindowTo(HDC dc, LPARAM flags)
{
    if ((flags & PRF_CHECKVISIBLE) && !IsWindowVisible(FHandle)) return;
    RECT screen{0, 0, 0, 0};
    if (!GetWindowRect(FHandle, &screen)) return;
    const RECT whole{0, 0, screen.right - screen.left, screen.bottom - screen.top};
    if ((flags & (PRF_CLIENT | PRF_NONCLIENT)) && !PaintPass(dc, whole, whole)) return;
    if (!(flags & PRF_CHILDREN)) return;
    // Bottom of the z-order first, so that upper windows print over lower ones.
    for (HWND child = GetWindow(GetWindow(FHandle, GW_CHILD), GW_HWNDLAST); child;
         child = GetWindow(child, GW_HWNDPREV)) {
        if (!IsWindowVisible(child)) continue;
        RECT r{0, 0, 0, 0};
        GetWindowRect(child, &r);
        TSavedDC saved(dc);
        OffsetViewportOrgEx(dc, r.left - screen.left, r.top - screen.top, nullptr);
        IntersectClipRect(dc, 0, 0, r.right - r.left, r.bottom - r.top);
        SendMessageW(child, WM_PRINT, reinterpret_cast<WPARAM>(dc), flags | PRF_CHECKVISIBLE);
    }
}

void TSkinControl::PaintControl(HDC dc)
{
    if (PaintKind() != TPaintKind::Custom && !dc) {
        // Painting now is one pass of the paint route, and leaves nothing
        // invalid behind for a second one.
        if (!FHandle) return;
        InvalidateRect(FHandle, nullptr, FALSE);
        UpdateNow();
        return;
    }
    if (!FHandle || !GetWindowRect(FHandle, &FWindowRect)) return;
    const RECT r{0, 0, FWindowRect.right - FWindowRect.left, FWindowRect.bottom - FWindowRect.top};
    try {
        if (dc) {
            DrawControl(dc, r);
        } else {
            HDC own = GetWindowDC(FHandle);
            try {
                DrawControl(own, r);
            } catch (...) {
                ReleaseDC(FHandle, own);
                throw;
            }
            ReleaseDC(FHandle, own);
        }
    } catch (const std::exception& e) {
        ReportFailure(e.what());
    } catch (...) {
        ReportFailure("unknown failure");
    }
}

void TSkinControl::DrawControl(HDC, const RECT&) {}

void TSkinControl::ReportFailure(const char* what)
{
    // Never a message box from inside the paint: the report comes later,
    // and the control paints itself from now on.
    FActive = false;
    FPaintFailed = true;
    ActiveChanged();
    ReportPaintFailure(ClassName() + " of " + PaintFailureSubject(FHandle) + ": " + what);
    if (FHandle) InvalidateRect(FHandle, nullptr, TRUE);
    else if (FRepaintTarget) FRepaintTarget->Invalidate();
}

void TSkinControl::Refresh()
{
    if (FRepaintTarget) {
        FRepaintTarget->Invalidate();
        return;
    }
    if (!FHandle) return;
    InvalidateRect(FHandle, nullptr, TRUE);
    UpdateNow();
}

TColor TSkinControl::FaceColor() const
{
    return FSkinData ? FSkinData->FColors[SkinColor::ButtonFace] : clBtnFace;
}

void TSkinControl::FillSolid(HDC dc, const RECT& rect, TColor color)
{
    TBrushHandle brush(CreateSolidBrush(ColorToRGB(color)));
    FillRect(dc, &rect, brush.Get());
}

void TSkinControl::FillFace(HDC dc, const RECT& rect) { FillSolid(dc, rect, FaceColor()); }

void TSkinControl::FillControlColor(HDC dc, const RECT& rect) { FillSolid(dc, rect, ControlColor(FaceColor())); }

TColor TSkinControl::ControlColor(TColor def)
{
    if (!FControl || !FindProperty(FControl, "Color")) return def;
    const int64_t color = ReadIntProperty(FControl, "Color");
    return FindProperty(FControl, "Color")->Kind == TPropKind::Integer ? static_cast<TColor>(color) : def;
}

LONG TSkinControl::WindowLong(HWND window, int index) const
{
    return FIsUnicode ? GetWindowLongW(window, index) : GetWindowLongA(window, index);
}

void TSkinControl::ReadWindowState()
{
    FFocused = FHandle && GetFocus() == FHandle;
    FEnabled = !FHandle || !(WindowLong(FHandle, GWL_STYLE) & WS_DISABLED);
}

void TSkinControl::DrawTextFocus(HDC dc, UINT format, const RECT& rect)
{
    RECT measured = rect;
    DrawTextWide(dc, FWindowText, measured, format | DT_CALCRECT | DT_NOCLIP);
    const int width = measured.right - measured.left, height = measured.bottom - measured.top;
    const int rw = rect.right - rect.left, rh = rect.bottom - rect.top;
    if (format & DT_CENTER) OffsetRect(&measured, (rw - width) / 2, (rh - height) / 2 - 1);
    else if (format & DT_RIGHT) OffsetRect(&measured, rw - width, 0);
    InflateRect(&measured, 2, 1);
    RECT clipped;
    IntersectRect(&clipped, &measured, &rect);
    DrawFocusRect(dc, &clipped);
}

void TSkinControl::ForwardMouseDown(const TMessage& m)
{
    if (!FControl) return;
    int x = m.XPos(), y = m.YPos();
    // Coordinates past 32767 do not fit the message.
    if (FControl->Width() > 32768 || FControl->Height() > 32768) {
        POINT p;
        GetCursorPos(&p);
        if (FHandle) ScreenToClient(FHandle, &p);
        x = p.x;
        y = p.y;
    }
    FControl->MouseDown(mbLeft, KeysToShiftState(m.WParam), x, y);
}

// ------------------------------------------------------------ shared routines

std::wstring GetWindowTextWide(HWND window)
{
    if (!window) return {};
    if (PlatformFlags().NTFamily) {
        const int length = GetWindowTextLengthW(window);
        std::wstring text(static_cast<size_t>(length) + 1, L'\0');
        const int n = GetWindowTextW(window, text.data(), length + 1);
        text.resize(static_cast<size_t>(n < 0 ? 0 : n));
        return text;
    }
    char buffer[1000] = {};
    SendMessageA(window, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
    return AnsiToWide(buffer);
}

void CopyBitmap(TBitmap& source, TBitmap& dest)
{
    dest.SetPixelFormat(source.PixelFormat());
    dest.SetSize(source.Width(), source.Height());
    if (source.Empty()) return;
    BitBlt(dest.Canvas()->Handle(), 0, 0, source.Width(), source.Height(), source.Canvas()->Handle(), 0, 0, SRCCOPY);
}

std::unique_ptr<TBitmap> MakeDisabledGlyph(TBitmap& glyph)
{
    const int w = glyph.Width(), h = glyph.Height();
    auto result = std::make_unique<TBitmap>(w, h, pf24bit);
    if (glyph.Empty()) return result;
    TBitmap source(w, h, pf24bit);
    BitBlt(source.Canvas()->Handle(), 0, 0, w, h, glyph.Canvas()->Handle(), 0, 0, SRCCOPY);
    const COLORREF face = ColorToRGB(clBtnFace), light = ColorToRGB(clBtnHighlight), shadow = ColorToRGB(clBtnShadow);
    const auto put = [&](int x, int y, COLORREF c) {
        if (x >= w || y >= h) return;
        uint8_t* p = result->ScanLine(y) + 3 * x;
        p[0] = GetBValue(c);
        p[1] = GetGValue(c);
        p[2] = GetRValue(c);
    };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) put(x, y, face);
    // The mask is the glyph's black: highlight one pixel down and right,
    // then shadow in place.
    for (int pass = 0; pass < 2; ++pass)
        for (int y = 0; y < h; ++y) {
            const uint8_t* row = source.ScanLine(y);
            for (int x = 0; x < w; ++x) {
                const uint8_t* p = row + 3 * x;
                if (p[0] | p[1] | p[2]) continue;
                pass == 0 ? put(x + 1, y + 1, light) : put(x, y, shadow);
            }
        }
    if (glyph.PixelFormat() != pf24bit && glyph.PixelFormat() != pfDevice) result->SetPixelFormat(glyph.PixelFormat());
    return result;
}

std::string WindowClassLower(HWND window)
{
    char name[101] = {};
    GetClassNameA(window, name, sizeof name);
    std::string s = name;
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

bool IsPopupOrDesktopChild(HWND window)
{
    return (GetWindowLongA(window, GWL_STYLE) & WS_POPUP) || GetParent(window) == reinterpret_cast<HWND>(0x10014);
}

} // namespace tf
