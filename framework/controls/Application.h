// TApplication: the message loop, the hidden application window, the main
// form and the default error box. The globals Application and Screen exist
// from start-up on (made during static initialisation on the thread that runs
// it, which is the user-interface thread).
//
// A program runs:
//   Application->Initialize();
//   Application->CreateForm(Form_main);    // reads the form's stored data
//   Application->Run();                     // until the main form closes
//   DoneApplication();                      // forms destroyed, explicitly
//
// Stored form data: CreateForm calls FormLoader (by default the form reader's
// ReadFormResource when the reader library is linked; a program may set its
// own), which reads the RCDATA resource named by the form's upper-cased class
// name if there is one. Without such data the form's OnCreate still fires.
#pragma once
#include <windows.h>

#include <exception>
#include <new>
#include <string>
#include <vector>

#include "Forms.h"
#include "Messages.h"

namespace tf {

class TControl;
class TIcon;

using TExceptionEvent = TEvent<TObject*, const std::exception&>;
using TIdleEvent = TEvent<TObject*, bool&>;

class TApplication : public TComponent {
    TF_CLASS(TApplication)
public:
    explicit TApplication(TComponent* owner);
    ~TApplication() override;

    // Makes the hidden application window (with the program icon) and ties
    // the user-interface thread to the thread helpers.
    void Initialize();

    // Constructs a form of class T (owner: the application) and reads its
    // stored data; ref is set before the constructor runs, so handlers may
    // use it. The first form created becomes the main form and gets its
    // window at once. A failure frees the form, clears ref and is raised.
    template <class T>
    void CreateForm(T*& ref)
    {
        void* memory = ::operator new(sizeof(T));
        ref = static_cast<T*>(memory);
        T* form = nullptr;
        try {
            form = new (memory) T(this);
        } catch (...) {
            ref = nullptr;
            ::operator delete(memory);
            throw;
        }
        try {
            FormCreated(form);
        } catch (...) {
            ref = nullptr;
            form->Free();
            throw;
        }
    }
    // The same for a class known by name; answers the form.
    TCustomForm* CreateForm(const TClassInfo& formClass);

    // Shows the main form (unless ShowMainForm is false) and runs the message
    // loop until Terminate (closing the main form terminates).
    void Run();
    // Ends Run: posts WM_QUIT; Terminated becomes true when the loop takes it.
    void Terminate();
    bool Terminated() const { return FTerminated; }
    // Handles every message waiting in the queue, then pending synchronized calls.
    void ProcessMessages();
    // Handles one message, or idles (waiting for the next) when there is none.
    void HandleMessage();

    // The default handler of an exception escaping an event, a window
    // procedure, a timer or a creation handler: OnException when assigned,
    // else an OK message box with the exception's text, captioned Title and
    // owned by the application window. Call it inside a catch block.
    void HandleException(TObject* sender);
    void ShowException(const std::string& message);
    // A message box owned by the application window (MessageBoxA flags and
    // answer), as the default error box shows it.
    int ShowMessageBox(const std::string& text, const std::string& caption, UINT flags);

    TCustomForm* MainForm() const { return FMainForm; }
    bool ShowMainForm() const { return FShowMainForm; }
    void SetShowMainForm(bool value) { FShowMainForm = value; }

    // The hidden zero-sized window of class "TApplication": owner of the
    // forms and message boxes; answers WM_GETICON with the program icon.
    HWND Handle();
    bool HandleAllocated() const { return FHandle != nullptr; }
    // The program icon (the first icon group of the program's resources, or
    // the system's application icon), at the large and the small icon size.
    HICON Icon() const { return FIcon; }
    HICON SmallIcon() const { return FSmallIcon ? FSmallIcon : FIcon; }

    const std::string& Title() const { return FTitle; }
    void SetTitle(const std::string& value);
    std::string ExeName() const;

    int HintPause() const { return FHintPause; }
    void SetHintPause(int value) { FHintPause = value; }
    int HintHidePause() const { return FHintHidePause; }
    void SetHintHidePause(int value) { FHintHidePause = value; }
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool value) { FShowHint = value; }

    TExceptionEvent OnException;
    TIdleEvent OnIdle;

    // Reads stored form data into a new form; answers whether there was any.
    using TFormLoader = bool (*)(TComponent* root);
    static TFormLoader FormLoader;

    // The control under the mouse, as last reported by CM_MOUSEENTER.
    TControl* MouseControl() const { return FMouseControl; }
    // Checks which control is under the mouse and sends CM_MOUSELEAVE and
    // CM_MOUSEENTER when it changed.
    void DoMouseIdle();
    // Told by every control as it is destroyed.
    void ControlDestroying(TControl* control);
    // Frees the forms and components the application owns, then its window.
    void DestroyForms();

private:
    void FormCreated(TCustomForm* form);
    bool ProcessMessage(MSG& msg);
    bool IsKeyMsg(MSG& msg);
    void Idle();
    friend LRESULT CALLBACK AppWindowProc(HWND, UINT, WPARAM, LPARAM);
    void AppWndProc(TMessage& m);
    void LoadProgramIcon();

    HWND FHandle = nullptr;
    HICON FIcon = nullptr;        // shared (LoadIcon)
    HICON FSmallIcon = nullptr;   // shared (LR_SHARED)
    TCustomForm* FMainForm = nullptr;
    bool FShowMainForm = true;
    bool FTerminated = false;
    bool FHandleException = false;   // inside HandleException
    std::string FTitle;
    int FHintPause = 500;
    int FHintHidePause = 2500;
    bool FShowHint = true;
    TControl* FMouseControl = nullptr;
    HWND FTrackedWindow = nullptr;
};

extern TApplication* Application;

// Destroys the application's forms and its window; call once after Run.
void DoneApplication();

// A hidden, zero-sized WS_POPUP tool window, never shown, whose messages go
// to method; the method must pass what it does not handle to DefWindowProcA
// of the returned window. Used by timers, menus and tray icons.
HWND AllocateHWnd(TWndMethod method);
void DeallocateHWnd(HWND window);

} // namespace tf
