#include "HintWindow.h"

#include "Screen.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/GdiHandle.h"

namespace tf {

namespace {
constexpr UINT HintTextFlags = DT_LEFT | DT_WORDBREAK | DT_NOPREFIX;
}

const TClassInfo& THintWindow::StaticClass()
{
    static const TClassInfo info = TClassBuilder<THintWindow>("THintWindow", TCustomControl::StaticClass()).Build();
    return info;
}

THintWindow::THintWindow(TComponent* owner) : TCustomControl(owner)
{
    SetVisible(false);
    SetParentColor(false);
    SetColor(clInfoBk);
    if (Screen) Font()->Assign(Screen->HintFont());
    Font()->SetColor(clInfoText);
}

void THintWindow::CreateParams(TCreateParams& p)
{
    TCustomControl::CreateParams(p);
    p.Style = WS_POPUP | WS_BORDER;
    p.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
    p.WndParent = nullptr;
    p.WindowClass.style |= CS_SAVEBITS;
}

RECT THintWindow::CalcHintRect(int maxWidth, const std::string& text)
{
    TScreenDC dc;
    TSelectObject font(dc.Get(), Font()->Handle());
    RECT r{0, 0, maxWidth, 0};
    DrawTextA(dc.Get(), text.c_str(), static_cast<int>(text.size()), &r, HintTextFlags | DT_CALCRECT);
    // Room for the border (1 on each side) and a little padding.
    r.right += 6;
    r.bottom += 4;
    return r;
}

void THintWindow::ActivateHint(const RECT& rect, const std::string& text)
{
    SetCaption(text);
    HWND window = Handle();
    SetWindowPos(window, HWND_TOPMOST, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_SHOWWINDOW | SWP_NOACTIVATE);
    FActive = true;
    InvalidateRect(window, nullptr, TRUE);
    UpdateWindow(window);
}

void THintWindow::ReleaseHandle()
{
    FActive = false;
    if (HandleAllocated()) ShowWindow(WindowHandle(), SW_HIDE);
}

void THintWindow::Paint()
{
    TCanvas* canvas = Canvas();
    HDC dc = canvas->Handle();
    RECT r = ClientRect();
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(r);
    r.left += 2;
    r.top += 1;
    const std::string text = Caption();
    TSelectObject font(dc, Font()->Handle());
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(Font()->Color()));
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, HintTextFlags);
    SetBkMode(dc, oldMode);
}

} // namespace tf
