// One owner per GDI or USER handle: TOwnedHandle deletes what it holds exactly
// once, when it is reset, replaced or destroyed. Move-only.
#pragma once
#include <windows.h>

#include <utility>

namespace tf {

template <class H, auto Release>
class TOwnedHandle {
public:
    TOwnedHandle() = default;
    explicit TOwnedHandle(H h) : FHandle(h) {}
    ~TOwnedHandle() { Reset(); }
    TOwnedHandle(const TOwnedHandle&) = delete;
    TOwnedHandle& operator=(const TOwnedHandle&) = delete;
    TOwnedHandle(TOwnedHandle&& other) noexcept : FHandle(other.Detach()) {}
    TOwnedHandle& operator=(TOwnedHandle&& other) noexcept
    {
        if (this != &other) Reset(other.Detach());
        return *this;
    }

    H Get() const { return FHandle; }
    explicit operator bool() const { return FHandle != nullptr; }
    // Frees the current handle (if any) and holds h.
    void Reset(H h = nullptr)
    {
        if (FHandle && FHandle != h) Release(FHandle);
        FHandle = h;
    }
    // Gives up ownership without freeing.
    H Detach() { return std::exchange(FHandle, nullptr); }

private:
    H FHandle = nullptr;
};

namespace gdi_detail {
inline void DeleteGdiObject(HGDIOBJ h) { ::DeleteObject(h); }
inline void DeleteDc(HDC h) { ::DeleteDC(h); }
inline void DestroyIconHandle(HICON h) { ::DestroyIcon(h); }
} // namespace gdi_detail

using TFontHandle = TOwnedHandle<HFONT, &gdi_detail::DeleteGdiObject>;
using TBrushHandle = TOwnedHandle<HBRUSH, &gdi_detail::DeleteGdiObject>;
using TPenHandle = TOwnedHandle<HPEN, &gdi_detail::DeleteGdiObject>;
using TBitmapHandle = TOwnedHandle<HBITMAP, &gdi_detail::DeleteGdiObject>;
using TRegionHandle = TOwnedHandle<HRGN, &gdi_detail::DeleteGdiObject>;
using TPaletteHandle = TOwnedHandle<HPALETTE, &gdi_detail::DeleteGdiObject>;
using TDCHandle = TOwnedHandle<HDC, &gdi_detail::DeleteDc>;   // CreateCompatibleDC / CreateDC
using TIconHandle = TOwnedHandle<HICON, &gdi_detail::DestroyIconHandle>;

// Selects an object into a DC for a scope and puts the previous one back.
class TSelectObject {
public:
    TSelectObject(HDC dc, HGDIOBJ obj) : FDC(dc), FOld(obj ? ::SelectObject(dc, obj) : nullptr) {}
    ~TSelectObject()
    {
        if (FOld) ::SelectObject(FDC, FOld);
    }
    TSelectObject(const TSelectObject&) = delete;
    TSelectObject& operator=(const TSelectObject&) = delete;

private:
    HDC FDC;
    HGDIOBJ FOld;
};

// A screen DC for a scope (GetDC(0) / ReleaseDC).
class TScreenDC {
public:
    TScreenDC() : FDC(::GetDC(nullptr)) {}
    ~TScreenDC() { ::ReleaseDC(nullptr, FDC); }
    TScreenDC(const TScreenDC&) = delete;
    TScreenDC& operator=(const TScreenDC&) = delete;
    HDC Get() const { return FDC; }

private:
    HDC FDC;
};

// A window's whole-window DC for a scope (GetWindowDC / ReleaseDC); null
// when the window has none (destroyed).
class TWindowDC {
public:
    explicit TWindowDC(HWND window) : FWindow(window), FDC(window ? ::GetWindowDC(window) : nullptr) {}
    ~TWindowDC()
    {
        if (FDC) ::ReleaseDC(FWindow, FDC);
    }
    TWindowDC(const TWindowDC&) = delete;
    TWindowDC& operator=(const TWindowDC&) = delete;
    HDC Get() const { return FDC; }

private:
    HWND FWindow;
    HDC FDC;
};

// Sets one of a DC's modes (background mode, stretch mode) for a scope and
// puts the previous one back.
template <int(WINAPI* Set)(HDC, int)>
class TDCModeScope {
public:
    TDCModeScope(HDC dc, int mode) : FDC(dc), FOld(Set(dc, mode)) {}
    ~TDCModeScope()
    {
        if (FOld) Set(FDC, FOld);
    }
    TDCModeScope(const TDCModeScope&) = delete;
    TDCModeScope& operator=(const TDCModeScope&) = delete;

private:
    HDC FDC;
    int FOld;
};
using TBkModeScope = TDCModeScope<&::SetBkMode>;
using TStretchMode = TDCModeScope<&::SetStretchBltMode>;

// Saves a DC's state for a scope and restores it (SaveDC / RestoreDC).
class TSavedDC {
public:
    explicit TSavedDC(HDC dc) : FDC(dc), FState(::SaveDC(dc)) {}
    ~TSavedDC()
    {
        if (FState) ::RestoreDC(FDC, FState);
    }
    TSavedDC(const TSavedDC&) = delete;
    TSavedDC& operator=(const TSavedDC&) = delete;

private:
    HDC FDC;
    int FState;
};

// The DC of one paint message for a scope: the DC the message carries
// (WM_PAINT with a DC in wParam, WM_PRINTCLIENT) when there is one, else
// BeginPaint's, ended by EndPaint when the scope closes.
class TPaintDCScope {
public:
    TPaintDCScope(HWND window, HDC given) : FWindow(window), FDC(given), FOwn(given == nullptr)
    {
        if (FOwn) FDC = ::BeginPaint(window, &FPaint);
    }
    ~TPaintDCScope()
    {
        if (FOwn) ::EndPaint(FWindow, &FPaint);
    }
    TPaintDCScope(const TPaintDCScope&) = delete;
    TPaintDCScope& operator=(const TPaintDCScope&) = delete;
    HDC Get() const { return FDC; }
    // Whether the scope began the paint (and so validates the window).
    bool Owns() const { return FOwn; }
    // What needs painting: the update rectangle of a paint the scope began,
    // the whole client area for a DC that was given.
    RECT UpdateRect() const
    {
        if (FOwn) return FPaint.rcPaint;
        RECT client{0, 0, 0, 0};
        ::GetClientRect(FWindow, &client);
        return client;
    }

private:
    HWND FWindow;
    HDC FDC;
    bool FOwn;
    PAINTSTRUCT FPaint{};
};

// An off-screen buffer for a scope: a memory DC compatible with target that
// holds a bitmap of rect's size, with its origin moved so that drawing in
// target coordinates lands in the buffer. Flush copies the buffer onto
// target at rect in one operation; closing the scope copies nothing and
// frees the bitmap and the DC.
class TOffscreenDC {
public:
    TOffscreenDC(HDC target, const RECT& rect)
        : FTarget(target), FRect(rect), FDC(::CreateCompatibleDC(target)),
          FBitmap(Width() > 0 && Height() > 0 ? ::CreateCompatibleBitmap(target, Width(), Height()) : nullptr)
    {
        if (!FDC || !FBitmap) return;
        FOldBitmap = ::SelectObject(FDC.Get(), FBitmap.Get());
        ::SetWindowOrgEx(FDC.Get(), rect.left, rect.top, nullptr);
    }
    ~TOffscreenDC()
    {
        if (FOldBitmap) ::SelectObject(FDC.Get(), FOldBitmap);
    }
    TOffscreenDC(const TOffscreenDC&) = delete;
    TOffscreenDC& operator=(const TOffscreenDC&) = delete;
    // False when the buffer could not be made (an empty rectangle, no memory):
    // draw into the target directly then.
    explicit operator bool() const { return FOldBitmap != nullptr; }
    HDC Get() const { return FDC.Get(); }
    const RECT& Rect() const { return FRect; }
    void Flush() const
    {
        if (FOldBitmap)
            ::BitBlt(FTarget, FRect.left, FRect.top, Width(), Height(), FDC.Get(), FRect.left, FRect.top, SRCCOPY);
    }

private:
    int Width() const { return FRect.right > FRect.left ? FRect.right - FRect.left : 0; }
    int Height() const { return FRect.bottom > FRect.top ? FRect.bottom - FRect.top : 0; }

    HDC FTarget;
    RECT FRect;
    TDCHandle FDC;
    TBitmapHandle FBitmap;
    HGDIOBJ FOldBitmap = nullptr;
};

} // namespace tf
