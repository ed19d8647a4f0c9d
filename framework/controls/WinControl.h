// TWinControl: a control with its own window. Windows are ANSI and are
// created lazily (Handle()); each is of a window class registered under the
// control's class name ("TButton"), superclassing the native control where
// there is one. One framework window procedure serves them all: it finds the
// control through the "ControlOfs..." window property (ControlAtom.h), calls
// its WindowProc, and never changes the window's GWL_WNDPROC, so others may
// subclass framework windows freely.
//
// A windowed control parents other controls: it paints its graphic children
// (PaintControls), routes mouse and cursor messages to them, reflects the
// notifications its children send (WM_COMMAND -> CN_COMMAND and so on), and
// keeps the tab order of its windowed children.
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "Controls.h"
#include "framework/graphics/BrushPen.h"

namespace tf {

struct TCreateParams {
    std::string Caption;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;
    HWND WndParent = nullptr;
    HMENU Menu = nullptr;            // a top-level window's menu; children get their id
    WNDCLASSA WindowClass{};         // lpfnWndProc: the procedure default handling calls
    std::string WinClassName;        // the class the window is registered under
};

class TWinControl : public TControl {
    TF_CLASS(TWinControl)
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;

    // The window, created (with its parents' windows) when needed.
    HWND Handle();
    HWND WindowHandle() const { return FHandle; }   // never creates
    bool HandleAllocated() const { return FHandle != nullptr; }
    void HandleNeeded() { Handle(); }
    // A foreign window to parent this control's window when it has no Parent.
    HWND ParentWindow() const { return FParentWindow; }
    void SetParentWindow(HWND value);
    // Destroys and re-creates the window through CM_RECREATEWND (nothing
    // without a window); WindowProc is kept.
    void RecreateWnd();
    // The procedure DefaultHandler passes messages to.
    WNDPROC DefWndProc() const { return FDefWndProc; }

    // Child controls, windowed and graphic, in insertion order.
    int ControlCount() const { return static_cast<int>(FControls.size()); }
    TControl* Controls(int index) const { return FControls.at(static_cast<size_t>(index)); }
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    bool ContainsControl(TControl* control) const;   // any depth
    // The visible child at a client point, the topmost (last inserted) first.
    TControl* ControlAtPos(POINT p, bool allowDisabled, bool allowWinControls = false);

    int TabOrder() const;
    void SetTabOrder(int value);
    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool value);
    // Windowed children by tab order, each followed by its own children.
    void GetTabOrderList(std::vector<TWinControl*>& list);
    TWinControl* FindNextControl(TWinControl* current, bool goForward, bool checkTabStop, bool checkParent);
    void SelectNext(TWinControl* current, bool goForward, bool checkTabStop);

    bool Focused() const;
    virtual bool CanFocus();
    virtual void SetFocus();

    // Paints the visible graphic children into dc (client coordinates),
    // starting with `first` when it is given.
    void PaintControls(HDC dc, TControl* first = nullptr);
    // The background brush (Color).
    TBrush* Brush() const { return FBrush.get(); }

    // Performs m on every child control until one answers non-zero.
    void Broadcast(TMessage& m);
    void NotifyControls(UINT msg);

    void Invalidate() override;
    void Update() override;
    void SetBounds(int left, int top, int width, int height) override;
    RECT ClientRect() override;
    POINT ClientOrigin() override;
    bool Showing() override;

    virtual void KeyDown(WORD& key, TShiftState shift);
    virtual void KeyUp(WORD& key, TShiftState shift);
    virtual void KeyPress(char& key);

    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;

    void WndProc(TMessage& m) override;
    void DefaultHandler(TMessage& m) override;
    // Orders the tab list by the TabOrder values stored data gave the
    // children (in any order) while they were loading.
    void Loaded() override;

protected:
    virtual void CreateParams(TCreateParams& params);
    // Makes the window and its children's windows.
    virtual void CreateWnd();
    // Saves what the window holds (text, items) and destroys it.
    virtual void DestroyWnd();
    void CreateHandle();
    void DestroyHandle();
    // Superclasses a native window class ("BUTTON", "LISTBOX"...).
    static void CreateSubClass(TCreateParams& params, const char* nativeClass);

    // Paints the control's own face into dc; the default lets the native or
    // default procedure paint.
    virtual void PaintWindow(HDC dc);
    void PaintHandler(TMessage& m);
    virtual void DoEnter();
    virtual void DoExit();
    // Re-reads the bounds from the window after it moved or changed size.
    void UpdateBounds();
    // Called by the window procedure when a window has just been tied to this control.
    virtual void HandleAttached() {}

private:
    friend LRESULT CALLBACK ControlWndProc(HWND, UINT, WPARAM, LPARAM);
    friend class TControl;
    bool IsControlMouseMsg(TMessage& m);
    void HandleSetCursor(TMessage& m);
    void HandleKeyDown(TMessage& m);
    void HandleChar(TMessage& m);
    bool ReflectNotification(TMessage& m);
    void HandleCtlColor(TMessage& m);
    void AdoptWindow(HWND window);
    void WindowGone(HWND window);
    void DoRecreate();
    void MoveInTabList(int index);
    bool IsNativeWindow() const;

    HWND FHandle = nullptr;
    HWND FParentWindow = nullptr;
    WNDPROC FDefWndProc = nullptr;
    std::vector<TControl*> FControls;
    std::vector<TWinControl*> FTabList;
    bool FTabStop = false;
    int FLoadedTabOrder = -1;
    std::unique_ptr<TBrush> FBrush;
};

// Window class registration: registers params.WinClassName for the
// framework's window procedure unless the module already has that class.
void RegisterControlClass(const TCreateParams& params);

} // namespace tf
