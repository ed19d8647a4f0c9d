// MDI forms: the frame's client window of class "MDIClient", the children
// made inside it, and the default procedures both pass messages to.
#include "Application.h"
#include "ControlAtom.h"
#include "Forms.h"
#include "Screen.h"
#include "framework/core/SysUtils.h"

namespace tf {

void TCustomForm::CreateMDIClient()
{
    CLIENTCREATESTRUCT client{};
    client.idFirstChild = 0xFF00;
    RECT r{};
    GetClientRect(WindowHandle(), &r);
    FClientHandle = CreateWindowExA(WS_EX_CLIENTEDGE, "MDICLIENT", nullptr,
                                    WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_HSCROLL | WS_VSCROLL, 0, 0, r.right,
                                    r.bottom, WindowHandle(), nullptr, MainInstance(), &client);
    if (!FClientHandle)
        throw EOSError(Format("Cannot create the MDI client window of %s (%lu)", Name().c_str(), GetLastError()));
}

HWND TCustomForm::MDIParentClient()
{
    // The main form when it is an MDI form, else the first MDI form of the screen.
    TCustomForm* frame = nullptr;
    if (Application)
        if (TCustomForm* main = Application->MainForm(); main && main->FormStyle() == fsMDIForm) frame = main;
    if (!frame && Screen)
        for (int i = 0; i < Screen->FormCount() && !frame; ++i)
            if (Screen->Forms(i)->FormStyle() == fsMDIForm) frame = Screen->Forms(i);
    if (!frame) throw EInvalidOperation("An MDI child form needs an MDI form");
    frame->HandleNeeded();
    return frame->ClientHandle();
}

void TCustomForm::DestroyWnd()
{
    TWinControl::DestroyWnd();
    FClientHandle = nullptr;   // it went with its frame
}

void TCustomForm::DefaultHandler(TMessage& m)
{
    HWND window = WindowHandle();
    if (window && FFormStyle == fsMDIForm && FClientHandle) {
        m.Result = DefFrameProcA(window, FClientHandle, m.Msg, m.WParam, m.LParam);
        return;
    }
    if (window && FFormStyle == fsMDIChild && (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_MDICHILD)) {
        m.Result = DefMDIChildProcA(window, m.Msg, m.WParam, m.LParam);
        return;
    }
    TWinControl::DefaultHandler(m);
}

} // namespace tf
