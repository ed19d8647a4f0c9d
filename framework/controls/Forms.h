// TCustomForm/TForm: top-level windows, owned by the hidden application
// window. A form's window class is its class name ("TForm_main"). Forms are
// created hidden; Show brings one to the front. Closing a form asks
// OnCloseQuery and OnClose; closing the main form ends Application->Run.
//
// MDI: a form with FormStyle fsMDIForm gets a client window of class
// "MDIClient" filling its client area (ClientHandle) and passes what it does
// not handle to DefFrameProc; a form with fsMDIChild is created inside the
// client window of the MDI form (the main form when it is one, else the
// first MDI form of the screen) and passes to DefMDIChildProc. Set the style
// before the window is made.
#pragma once
#include <windows.h>

#include <memory>

#include "ControlCanvas.h"
#include "WinControl.h"

namespace tf {

class TMainMenu;
class TMenuItem;

enum TFormStyle : uint8_t { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
extern const TEnumInfo FormStyleInfo;

// Form border styles; controls use the first two (TBorderStyle).
enum TFormBorderStyle : uint8_t { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
using TBorderStyle = TFormBorderStyle;
extern const TEnumInfo FormBorderStyleInfo;
extern const TEnumInfo BorderStyleInfo;   // bsNone, bsSingle

enum TBorderIcon : uint8_t { biSystemMenu, biMinimize, biMaximize, biHelp };
extern const TEnumInfo BorderIconInfo;
using TBorderIcons = uint32_t;   // bit i = TBorderIcon i

enum TWindowState : uint8_t { wsNormal, wsMinimized, wsMaximized };
extern const TEnumInfo WindowStateInfo;

enum TPosition : uint8_t { poDesigned, poDefault, poScreenCenter };
extern const TEnumInfo PositionInfo;

enum TCloseAction : uint8_t { caNone, caHide, caFree, caMinimize };
using TCloseEvent = TEvent<TObject*, TCloseAction&>;
using TCloseQueryEvent = TEvent<TObject*, bool&>;

using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = IDOK;
constexpr TModalResult mrCancel = IDCANCEL;
constexpr TModalResult mrAbort = IDABORT;
constexpr TModalResult mrRetry = IDRETRY;
constexpr TModalResult mrIgnore = IDIGNORE;
constexpr TModalResult mrYes = IDYES;
constexpr TModalResult mrNo = IDNO;

class TCustomForm : public TWinControl {
    TF_CLASS(TCustomForm)
public:
    explicit TCustomForm(TComponent* owner);
    ~TCustomForm() override;

    // Visible := true and brings the window to the front (activating it).
    void Show();
    // Visible := false and hides the window.
    void Hide();
    // Asks OnCloseQuery, then OnClose (default action caHide); acts on the
    // answer. A modal form just gets ModalResult mrCancel.
    void Close();
    // Posts CM_RELEASE; the form frees itself when it handles it.
    void Release();
    // Runs a modal loop until ModalResult is set; answers it.
    TModalResult ShowModal();
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult value) { FModalResult = value; }
    bool Modal() const { return FModal; }

    TFormStyle FormStyle() const { return FFormStyle; }
    void SetFormStyle(TFormStyle value);
    TFormBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle value);
    TBorderIcons BorderIcons() const { return FBorderIcons; }
    void SetBorderIcons(TBorderIcons value);
    TWindowState WindowState() const { return FWindowState; }
    void SetWindowState(TWindowState value);
    TPosition Position() const { return FPosition; }
    void SetPosition(TPosition value) { FPosition = value; }
    bool AutoScroll() const { return FAutoScroll; }
    void SetAutoScroll(bool value) { FAutoScroll = value; }
    bool KeyPreview() const { return FKeyPreview; }
    void SetKeyPreview(bool value) { FKeyPreview = value; }

    TMainMenu* Menu() const { return FMenu; }
    void SetMenu(TMainMenu* value);
    // The "MDIClient" window of an MDI form (null otherwise).
    HWND ClientHandle() const { return FClientHandle; }

    RECT ClientRect() override;
    void SetClientWidth(int value) override;
    void SetClientHeight(int value) override;

    // The control that has (or gets, when the form is activated) the focus.
    TWinControl* ActiveControl() const { return FActiveControl; }
    void SetActiveControl(TWinControl* control);
    void FocusControl(TWinControl* control);
    // Called by a control that got the focus: sends CM_EXIT to the control
    // that lost it, broadcasts CM_FOCUSCHANGED and sends CM_ENTER.
    bool SetFocusedControl(TWinControl* control);
    // Told by a windowed control of this form as it is destroyed.
    void ControlDestroying(TWinControl* control);
    bool Active() const { return FActive; }

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;   // fires from Release/caFree and DoneApplication
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnPaint;

    // Fires OnCreate once stored data has been read; an exception goes to the
    // application's handler and creation goes on. Shows the form then when
    // it is Visible.
    void ReadingFinished() override;
    // Fires OnDestroy, once. A form freed by Release, by caFree or by
    // DoneApplication fires it before it is destroyed; deleting a form
    // directly does not (its derived parts would be gone by then).
    void FireDestroy();

    // The canvas OnPaint draws on.
    TCanvas* Canvas() const { return FCanvas.get(); }

    void WndProc(TMessage& m) override;
    void DefaultHandler(TMessage& m) override;
    void Notification(TComponent* c, TOperation op) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void PaintWindow(HDC dc) override;
    // The system-command handler; the default passes to DefWindowProc (after
    // turning SC_KEYMENU with a key into CM_DIALOGCHAR). Override it and call
    // the base for the default behaviour.
    virtual void WMSysCommand(TMessage& m);
    virtual bool CloseQuery();
    virtual void DoClose(TCloseAction& action);
    void DoCreate();

private:
    void DestroyNow();
    void WindowStyles(DWORD& style, DWORD& exStyle) const;
    // MDI (FormsMDI.cpp): the client window of an MDI form, and the client
    // window an MDI child is made in.
    void CreateMDIClient();
    static HWND MDIParentClient();
    void UpdateShowing();
    void SetActive(bool value);
    void SetWindowFocus();
    void HandleDialogKey(TMessage& m);
    bool HandleMenuMessage(TMessage& m);

    TFormStyle FFormStyle = fsNormal;
    TFormBorderStyle FBorderStyle = bsSizeable;
    TBorderIcons FBorderIcons = (1u << biSystemMenu) | (1u << biMinimize) | (1u << biMaximize);
    TWindowState FWindowState = wsNormal;
    TPosition FPosition = poDesigned;
    bool FAutoScroll = true;
    bool FKeyPreview = false;
    TMainMenu* FMenu = nullptr;
    HWND FClientHandle = nullptr;
    TWinControl* FActiveControl = nullptr;
    TWinControl* FFocusedControl = nullptr;
    bool FActive = false;
    bool FModal = false;
    TModalResult FModalResult = mrNone;
    bool FDestroyFired = false;
    std::unique_ptr<TControlCanvas> FCanvas;
};

class TForm : public TCustomForm {
    TF_CLASS(TForm)
public:
    explicit TForm(TComponent* owner);
};

} // namespace tf
