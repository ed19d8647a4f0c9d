#include "Application.h"

#include "ControlAtom.h"
#include "Screen.h"
#include "WinControl.h"
#include "WndProcThunk.h"
#include "framework/core/SysUtils.h"

#include <cstdlib>
#include <cstring>

#ifdef TF_HAVE_READER
#include "framework/reader/FormReader.h"
#endif
#ifdef TF_HAVE_THREADS
#include "framework/threads/Threads.h"
#endif

namespace tf {

TApplication* Application = nullptr;
TScreen* Screen = nullptr;

namespace {

// The globals exist from start-up on; they are never deleted, so late
// callers (a destructor reporting a failure) still find them.
[[maybe_unused]] const bool globalsReady = [] {
    Screen = new TScreen(nullptr);
    Application = new TApplication(nullptr);
    return true;
}();

bool ReadStoredForm(TComponent* root)
{
#ifdef TF_HAVE_READER
    return ReadFormResource(root);
#else
    (void)root;
    return false;
#endif
}

void PumpSynchronize()
{
#ifdef TF_HAVE_THREADS
    CheckSynchronize();
#endif
}

} // namespace

TApplication::TFormLoader TApplication::FormLoader = &ReadStoredForm;

void HandleCallbackException(TObject* sender) noexcept
{
    try {
        if (Application) Application->HandleException(sender);
    } catch (...) {
        // The error box itself failed; nothing sensible is left to do.
    }
}

const TClassInfo& TApplication::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TApplication>("TApplication", TComponent::StaticClass())
                                       .String("Title", &TApplication::Title, &TApplication::SetTitle)
                                       .Int("HintPause", &TApplication::HintPause, &TApplication::SetHintPause)
                                       .Int("HintHidePause", &TApplication::HintHidePause,
                                            &TApplication::SetHintHidePause)
                                       .Bool("ShowMainForm", &TApplication::ShowMainForm,
                                             &TApplication::SetShowMainForm)
                                       .Build();
    return info;
}

TApplication::TApplication(TComponent* owner) : TComponent(owner)
{
    // The title is the program's file name without its extension.
    std::string name = ExeName();
    const size_t slash = name.find_last_of("\\/:");
    if (slash != std::string::npos) name.erase(0, slash + 1);
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos) name.erase(dot);
    FTitle = name;
#ifdef TF_HAVE_THREADS
    // Made during start-up on the user-interface thread: Synchronize works
    // even in programs that never call Initialize.
    try {
        InitThreads();
    } catch (...) {
    }
#endif
}

TApplication::~TApplication()
{
    Destroying();
    DestroyForms();
}

void TApplication::Initialize()
{
#ifdef TF_HAVE_THREADS
    InitThreads();
#endif
    ControlAtom();
    Handle();
}

std::string TApplication::ExeName() const
{
    char path[MAX_PATH * 2] = {};
    const DWORD n = GetModuleFileNameA(nullptr, path, sizeof(path));
    return std::string(path, n);
}

void TApplication::SetTitle(const std::string& value)
{
    FTitle = value;
    if (FHandle) SetWindowTextA(FHandle, value.c_str());
}

// ------------------------------------------------------------ window

namespace {
BOOL CALLBACK TakeFirstName(HMODULE, LPCSTR, LPSTR name, LONG_PTR param)
{
    auto** out = reinterpret_cast<char**>(param);
    *out = IS_INTRESOURCE(name) ? name : _strdup(name);
    return FALSE;
}
} // namespace

LRESULT CALLBACK AppWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

void TApplication::LoadProgramIcon()
{
    if (FIcon) return;
    // The first icon group of the program is its icon, as the shell shows it.
    char* firstName = nullptr;
    EnumResourceNamesA(MainInstance(), reinterpret_cast<LPCSTR>(RT_GROUP_ICON), &TakeFirstName,
                       reinterpret_cast<LONG_PTR>(&firstName));
    const int smallW = GetSystemMetrics(SM_CXSMICON), smallH = GetSystemMetrics(SM_CYSMICON);
    if (firstName) {
        FIcon = LoadIconA(MainInstance(), firstName);
        FSmallIcon = static_cast<HICON>(LoadImageA(MainInstance(), firstName, IMAGE_ICON, smallW, smallH, LR_SHARED));
        if (!IS_INTRESOURCE(firstName)) free(firstName);
    }
    if (!FIcon) {
        FIcon = LoadIconA(nullptr, IDI_APPLICATION);
        FSmallIcon = static_cast<HICON>(LoadImageA(nullptr, IDI_APPLICATION, IMAGE_ICON, smallW, smallH, LR_SHARED));
    }
}

HWND TApplication::Handle()
{
    if (FHandle) return FHandle;
    LoadProgramIcon();
    WNDCLASSA existing;
    if (!GetClassInfoA(MainInstance(), "TApplication", &existing)) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = &AppWindowProc;
        wc.hInstance = MainInstance();
        wc.hIcon = FIcon;
        wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        wc.lpszClassName = "TApplication";
        if (!RegisterClassA(&wc)) throw EOutOfResources("Cannot register the application window class");
    }
    HWND window = CreateWindowExA(0, "TApplication", FTitle.c_str(),
                                  WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 0, 0,
                                  nullptr, nullptr, MainInstance(), nullptr);
    if (!window) throw EOSError("Cannot create the application window");
    FHandle = window;
    return FHandle;
}

LRESULT CALLBACK AppWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (!Application || Application->FHandle != window) return DefWindowProcA(window, msg, wParam, lParam);
    TMessage m{msg, wParam, lParam, 0};
    try {
        Application->AppWndProc(m);
    } catch (...) {
        HandleCallbackException(Application);
        return 0;
    }
    return m.Result;
}

void TApplication::AppWndProc(TMessage& m)
{
    switch (m.Msg) {
    case WM_GETICON:
        m.Result = reinterpret_cast<LRESULT>(m.WParam == ICON_BIG ? FIcon : SmallIcon());
        return;
    case WM_CLOSE:
        if (FMainForm) FMainForm->Close();
        return;
    case WM_ENDSESSION:
        if (m.WParam) Terminate();
        return;
    default: break;
    }
    m.Result = DefWindowProcA(FHandle, m.Msg, m.WParam, m.LParam);
}

// ------------------------------------------------------------ forms

TCustomForm* TApplication::CreateForm(const TClassInfo& formClass)
{
    if (!formClass.Create || !formClass.InheritsFrom(TCustomForm::StaticClass()))
        throw EInvalidOperation(formClass.Name + " is not a form class");
    auto* form = static_cast<TCustomForm*>(formClass.Create(this));
    try {
        FormCreated(form);
    } catch (...) {
        form->Free();
        throw;
    }
    return form;
}

void TApplication::FormCreated(TCustomForm* form)
{
    const bool read = FormLoader && FormLoader(form);
    // Without stored data the form still gets its creation event.
    if (!read) form->ReadingFinished();
    if (!FMainForm) {
        FMainForm = form;
        form->HandleNeeded();
    }
}

void TApplication::DestroyForms()
{
    // Forms get OnDestroy while they are whole, then go in creation order.
    for (int i = 0; i < ComponentCount(); ++i)
        if (auto* form = dynamic_cast<TCustomForm*>(Components(i))) form->FireDestroy();
    DestroyComponents();
    FMainForm = nullptr;
    if (FHandle) {
        DestroyWindow(FHandle);
        FHandle = nullptr;
    }
}

void DoneApplication()
{
    if (Application) Application->DestroyForms();
}

void TApplication::ControlDestroying(TControl* control)
{
    if (FMouseControl == control) FMouseControl = nullptr;
    if (FMainForm == control) FMainForm = nullptr;
}

// ------------------------------------------------------------ loop

void TApplication::Run()
{
    if (FMainForm && FShowMainForm) FMainForm->Show();
    while (!FTerminated) {
        try {
            HandleMessage();
        } catch (...) {
            HandleException(this);
        }
    }
}

void TApplication::Terminate() { PostQuitMessage(0); }

void TApplication::ProcessMessages()
{
    MSG msg;
    while (ProcessMessage(msg)) {
    }
    PumpSynchronize();
}

void TApplication::HandleMessage()
{
    MSG msg;
    if (!ProcessMessage(msg)) Idle();
}

bool TApplication::ProcessMessage(MSG& msg)
{
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
    if (msg.message == WM_QUIT) {
        FTerminated = true;
        return true;
    }
    if (!IsKeyMsg(msg)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    switch (msg.message) {
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE:
    case WM_MOUSELEAVE:
    case WM_NCMOUSELEAVE: DoMouseIdle(); break;
    default: break;
    }
    return true;
}

bool TApplication::IsKeyMsg(MSG& msg)
{
    if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST) return false;
    // The framework control the key is for: the window itself, or the nearest
    // framework parent of a native child (a combo box's edit).
    HWND window = msg.hwnd;
    while (window && !FindControl(window)) {
        if (!(GetWindowLongA(window, GWL_STYLE) & WS_CHILD)) return false;
        window = GetParent(window);
    }
    if (!window) return false;
    return SendMessageA(window, CN_BASE + msg.message, msg.wParam, msg.lParam) != 0;
}

void TApplication::Idle()
{
    DoMouseIdle();
    PumpSynchronize();
    bool done = true;
    try {
        OnIdle(this, done);
    } catch (...) {
        HandleException(this);
    }
    if (done) WaitMessage();
}

void TApplication::DoMouseIdle()
{
    POINT p;
    TControl* target = nullptr;
    if (GetCursorPos(&p)) {
        HWND window = WindowFromPoint(p);
        if (auto* win = dynamic_cast<TWinControl*>(FindControl(window))) {
            target = win;
            if (TControl* child = win->ControlAtPos(win->ScreenToClient(p), false)) target = child;
            if (window != FTrackedWindow) {
                // Tells us when the mouse leaves for a window of another program.
                TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE, window, 0};
                if (TrackMouseEvent(&tme)) FTrackedWindow = window;
            }
        }
    }
    if (!target) FTrackedWindow = nullptr;
    if (target == FMouseControl) return;
    TControl* old = FMouseControl;
    FMouseControl = target;
    if (old) old->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(old));
    if (target && FMouseControl == target) target->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(target));
}

// ------------------------------------------------------------ errors

void TApplication::HandleException(TObject* sender)
{
    std::exception_ptr error = std::current_exception();
    if (!error) return;
    std::string text;
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        if (OnException && !FHandleException) {
            FHandleException = true;
            try {
                OnException(sender, e);
            } catch (...) {
                FHandleException = false;
                ShowException(e.what());
                return;
            }
            FHandleException = false;
            return;
        }
        text = e.what();
    } catch (...) {
        text = "Unknown exception";
    }
    ShowException(text);
}

void TApplication::ShowException(const std::string& message) { ShowMessageBox(message, FTitle, MB_OK | MB_ICONSTOP); }

int TApplication::ShowMessageBox(const std::string& text, const std::string& caption, UINT flags)
{
    HWND owner = nullptr;
    try {
        owner = Handle();
    } catch (...) {
    }
    return MessageBoxA(owner, text.c_str(), caption.c_str(), flags);
}

// ------------------------------------------------------------ utility windows

namespace {

LRESULT CALLBACK UtilWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* method = reinterpret_cast<TWndMethod*>(GetWindowLongPtrA(window, 0));
    if (!method) return DefWindowProcA(window, msg, wParam, lParam);
    TMessage m{msg, wParam, lParam, 0};
    try {
        (*method)(m);
    } catch (...) {
        HandleCallbackException(method->Data());
        return 0;
    }
    return m.Result;
}

const char* const UtilWindowClass = "TUtilWindow";

} // namespace

HWND AllocateHWnd(TWndMethod method)
{
    WNDCLASSA existing;
    if (!GetClassInfoA(MainInstance(), UtilWindowClass, &existing)) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = &UtilWndProc;
        wc.cbWndExtra = sizeof(void*);
        wc.hInstance = MainInstance();
        wc.lpszClassName = UtilWindowClass;
        if (!RegisterClassA(&wc)) throw EOutOfResources("Cannot register the utility window class");
    }
    HWND window = CreateWindowExA(WS_EX_TOOLWINDOW, UtilWindowClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                  MainInstance(), nullptr);
    if (!window) throw EOSError("Cannot create a utility window");
    if (method) SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(new TWndMethod(method)));
    return window;
}

void DeallocateHWnd(HWND window)
{
    if (!window || !IsWindow(window)) return;
    auto* method = reinterpret_cast<TWndMethod*>(GetWindowLongPtrA(window, 0));
    SetWindowLongPtrA(window, 0, 0);
    DestroyWindow(window);
    delete method;
}

} // namespace tf
