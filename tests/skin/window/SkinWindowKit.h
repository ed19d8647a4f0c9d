// Helpers for the window-skinning tests: the kit's skin fixture, plain test
// windows whose own procedure records what it sees (the procedure a skinner
// passes messages on to), message pumping, pixels of painted frames and the
// process's GDI and USER object counts.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tests/kit/MessageLog.h"
#include "tests/kit/Pixels.h"
#include "tests/kit/SkinFixture.h"
#include "framework/controls/Forms.h"
#include "tests/framework/controls/ControlTestUtil.h"
#include "framework/controls/Application.h"
#include "framework/core/Streams.h"
#include "framework/graphics/Bitmap.h"
#include "skin/SkinEngine.h"
#include "skin/data/WinSkinData.h"
#include "skin/draw/SkinDraw.h"
#include "skin/window/SkinManage.h"
#include "skin/window/WinSkinForm.h"

namespace skintest {

// ---------------------------------------------------------------- pumping

using testutil::Pump;
using testutil::PumpUntil;

// ---------------------------------------------------------------- the skin

using tftest::LightBlueBlock;
using tftest::LightBlueSkin;
using tftest::SkinFixture;
using tftest::WindowsOnly;

// The size of one frame of a frame border (frames side by side or stacked).
inline SIZE BorderFrameSize(const tf::TSkinData& d, int side)
{
    const tf::TDataSkinBorder& b = *d.SkinBorders[static_cast<size_t>(side)];
    const int n = tf::UsableFrameCount(b.FrameCount);
    const bool stacked = side == tf::SkinBorder::Top || side == tf::SkinBorder::Bottom;
    return SIZE{stacked ? b.Bitmap->Width() : b.Bitmap->Width() / n, stacked ? b.Bitmap->Height() / n : b.Bitmap->Height()};
}

// ---------------------------------------------------------------- test windows

// What the window's own procedure saw (the procedure under a skinner).
inline tftest::MessageLog& OwnProcLog()
{
    static tftest::MessageLog log;
    return log;
}

inline LRESULT CALLBACK RecordingProc(HWND w, UINT msg, WPARAM wParam, LPARAM lParam)
{
    OwnProcLog().Add(w, msg, tftest::Via::Called, wParam, lParam);
    return DefWindowProcA(w, msg, wParam, lParam);
}

inline const char* TestClass()
{
    static const char* name = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = &RecordingProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = "TfSkinTestWindow";
        RegisterClassA(&wc);
        return "TfSkinTestWindow";
    }();
    return name;
}

// A window of the program's module that records what reaches its own
// procedure; destroyed with the object.
class TestWindow {
public:
    TestWindow(DWORD style, int x, int y, int w, int h, const char* caption = "Skin test", DWORD exStyle = 0,
               HWND parent = nullptr, HMENU menu = nullptr)
    {
        FWindow = CreateWindowExA(exStyle, TestClass(), caption, style, x, y, w, h, parent, menu,
                                  GetModuleHandleA(nullptr), nullptr);
    }
    ~TestWindow()
    {
        if (IsWindow(FWindow)) DestroyWindow(FWindow);
    }
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;
    HWND Get() const { return FWindow; }
    operator HWND() const { return FWindow; }

private:
    HWND FWindow;
};

// Shows a window and makes it the active one.
inline void Activate(HWND w)
{
    ShowWindow(w, SW_SHOW);
    SetForegroundWindow(w);
}

// A framework form, shown and active.
inline std::unique_ptr<tf::TForm> ShownForm(const char* caption, int x = 150, int y = 120, int w = 320, int h = 240)
{
    auto form = std::make_unique<tf::TForm>(nullptr);
    form->SetBounds(x, y, w, h);
    form->SetCaption(caption);
    form->Show();
    SetForegroundWindow(form->Handle());
    return form;
}

inline RECT WindowRectOf(HWND w)
{
    RECT r{};
    GetWindowRect(w, &r);
    return r;
}
inline SIZE ClientSizeOf(HWND w)
{
    RECT r{};
    GetClientRect(w, &r);
    return SIZE{r.right, r.bottom};
}
// The window procedure as an address (printable in checks).
inline const void* ProcOf(HWND w) { return reinterpret_cast<const void*>(GetWindowLongPtrA(w, GWLP_WNDPROC)); }

// ---------------------------------------------------------------- pixels

using tftest::PixelAt;

// The window's whole frame as the skinner paints it (SKM_PAINTFRAMETO into
// a memory bitmap of the window's size).
inline std::unique_ptr<tf::TBitmap> PaintedFrame(HWND w)
{
    const RECT r = WindowRectOf(w);
    auto image = std::make_unique<tf::TBitmap>(r.right - r.left, r.bottom - r.top, tf::pf24bit);
    SendMessageA(w, 0xBC4B, reinterpret_cast<WPARAM>(image->Canvas()->Handle()), 0x41A2);
    return image;
}

// Border `side` composed as the skinner composes it at width x height, frame
// 1 (active) or 2 (inactive).
inline std::unique_ptr<tf::TBitmap> ComposedBorder(tf::TSkinData& d, int side, int width, int height, int frame)
{
    tf::TDataSkinBorder& b = *d.SkinBorders[static_cast<size_t>(side)];
    return tf::ComposeElement(RECT{0, 0, width, height}, *b.Bitmap, b.Margins, frame, b.FrameCount, b.Tile != 1,
                              side == tf::SkinBorder::Top || side == tf::SkinBorder::Bottom);
}

// Pixels of `part` at (px, py) of `image` that differ from `part`; the
// positions where magenta(transparent corners) lies are compared too.
inline int DifferingPixels(tf::TBitmap& image, int px, int py, tf::TBitmap& part, int* firstX = nullptr,
                           int* firstY = nullptr)
{
    int bad = 0;
    for (int y = 0; y < part.Height(); ++y)
        for (int x = 0; x < part.Width(); ++x)
            if (PixelAt(image, px + x, py + y) != PixelAt(part, x, y)) {
                if (!bad && firstX) {
                    *firstX = x;
                    *firstY = y;
                }
                ++bad;
            }
    return bad;
}

// ---------------------------------------------------------------- object counts

// The process's GDI and USER object counts. GetGuiResources answers them on
// Windows; Wine's is a stub answering 0, so there they are counted by
// probing the 16-bit handle values, which Wine matches whatever the
// handle's generation: live GDI objects, menus and icons; and the windows
// of this process, found by walking the window tree (top-level and
// message-only windows and all their descendants), which is far quicker
// than asking the server about every handle value.
struct GuiCounts {
    int Gdi = 0;
    int User = 0;
};

struct WindowCount {
    DWORD Pid;
    int N;
};
inline BOOL CALLBACK CountOneWindow(HWND, LPARAM count)
{
    ++reinterpret_cast<WindowCount*>(count)->N;
    return TRUE;
}
// A window of this process and all its descendants.
inline BOOL CALLBACK CountWindowTree(HWND w, LPARAM count)
{
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    if (owner == reinterpret_cast<WindowCount*>(count)->Pid) {
        CountOneWindow(w, count);
        EnumChildWindows(w, CountOneWindow, count);
    }
    return TRUE;
}

inline int CountProcessWindows()
{
    WindowCount count{GetCurrentProcessId(), 0};
    EnumWindows(CountWindowTree, reinterpret_cast<LPARAM>(&count));
    for (HWND w = FindWindowExA(HWND_MESSAGE, nullptr, nullptr, nullptr); w;
         w = FindWindowExA(HWND_MESSAGE, w, nullptr, nullptr))
        CountWindowTree(w, reinterpret_cast<LPARAM>(&count));
    return count.N;
}

inline GuiCounts CountGuiObjects()
{
    HANDLE process = GetCurrentProcess();
    GuiCounts c{static_cast<int>(GetGuiResources(process, GR_GDIOBJECTS)),
                static_cast<int>(GetGuiResources(process, GR_USEROBJECTS))};
    if (c.Gdi > 0 && c.User > 0) return c;
    c = GuiCounts{};
    for (UINT_PTR h = 0x20; h < 0x10000; ++h)
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(h))) ++c.Gdi;
    c.User = CountProcessWindows();
    HDC probe = CreateCompatibleDC(nullptr);
    for (UINT_PTR h = 0x20; h < 0x10000; h += 2) {
        if (IsMenu(reinterpret_cast<HMENU>(h))) ++c.User;
        else if (DrawIconEx(probe, 0, 0, reinterpret_cast<HICON>(h), 1, 1, 0, nullptr, DI_NORMAL)) ++c.User;
    }
    DeleteDC(probe);
    return c;
}

} // namespace skintest
