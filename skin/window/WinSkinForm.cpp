// The form skinner's life: creation, attaching to a form or a bare window,
// frame metrics, skin changes, the controls, detaching and destruction.
#include "skin/window/WinSkinForm.h"

#include <vector>

#include "framework/controls/Forms.h"
#include "framework/controls/Timer.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "skin/data/WinSkinData.h"
#include "skin/draw/SkinDraw.h"
#include "skin/draw/SkinPlatform.h"
#include "skin/window/FormChrome.h"
#include "skin/window/FrameLayout.h"
#include "skin/window/SkinManage.h"

namespace tf {

const char* FormSkinStateName(TFormSkinState state)
{
    switch (state) {
    case TFormSkinState::Attached: return "Attached";
    case TFormSkinState::Running: return "Running";
    case TFormSkinState::Reapplying: return "Reapplying";
    case TFormSkinState::Detaching: return "Detaching";
    case TFormSkinState::Fitting: return "Fitting";
    case TFormSkinState::WindowDestroyed: return "WindowDestroyed";
    }
    return "Unknown";
}

namespace {

// The caption font as the system's non-client metrics give it.
HFONT MakeCaptionFont()
{
    static_assert(sizeof(NONCLIENTMETRICSA) >= 340, "the record the caption font is read with");
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = 340;
    if (!::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, 340, &metrics, 0)) return nullptr;
    return ::CreateFontIndirectA(&metrics.lfCaptionFont);
}

bool SameClass(HWND window, const char* name)
{
    char buffer[100] = {};
    ::GetClassNameA(window, buffer, sizeof buffer);
    return lstrcmpiA(buffer, name) == 0;
}

// Major and minor version from the value the manager took with its hook.
int MajorVersion() { return LOBYTE(LOWORD(SkinOSVersion())); }
int MinorVersion() { return HIBYTE(LOWORD(SkinOSVersion())); }
bool Windows95Family() { return (SkinOSVersion() & 0x80000000u) != 0; }

} // namespace

const TClassInfo& TWinSkinForm::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TWinSkinForm>("TWinSkinForm", TComponent::StaticClass()).Build();
    return info;
}

TWinSkinForm::TWinSkinForm(TComponent* owner)
    : TComponent(owner), captionFont(MakeCaptionFont()), captionCanvas(std::make_unique<TCanvas>()),
      controlCanvas(std::make_unique<TCanvas>()), iconBitmap(std::make_unique<TBitmap>()),
      captionBuffer(std::make_unique<TBitmap>())
{
    if (TFormChromeFactory factory = FormChromeFactory()) chrome = factory(*this);
    if (!chrome) chrome = std::make_unique<TFormChrome>();
}

TWinSkinForm::~TWinSkinForm()
{
    Destroying();
    // Never leave the window calling into a freed skinner.
    if (Attached()) DetachForShutdown();
    controlSkinners.FreeAll();
    chrome->FreeCaptionButtons();
    captionBuffer.reset();
    hoverTimer.reset();
    chrome->FreeMenuBar();
    chrome->FreeSystemMenu();
    captionFont.Reset();
    iconBitmap.reset();
    if (TSkinManage* manager = SkinManage()) {
        manager->ForgetFormSkinner(this);
        // The manager keeps no MDI frame form that is being destroyed.
        if (form && manager->MDIFrameForm() == form && (form->ComponentState() & csDestroying))
            manager->SetMDIFrameForm(nullptr);
    }
    chrome.reset();
    captionCanvas.reset();
    controlCanvas.reset();
}

void TWinSkinForm::SetWindow(HWND value, const std::string& name)
{
    window = value;
    className = name;
}

// ---------------------------------------------------------------- attaching

void TWinSkinForm::AttachToForm(TSkinData* data, TCustomForm* value)
{
    form = value;
    if (data->OnBeforeSkinForm) data->OnBeforeSkinForm(form, window, className);
    if (data->SkinControls().Contains(xcMenuItem) && HasProperty(form, "AutoScroll")) {
        savedAutoScroll = ReadInt(form, "AutoScroll");
        autoScrollReplaced = true;
        Write(form, "AutoScroll", "False");
    }
    AttachToWindow(data);
    if (frameSkinned) {
        oldFormHook = form->WindowProc;
        form->WindowProc = TWndMethod::Of<&TWinSkinForm::FormMessageHook>(this);
    }
    savedColor = form->Color();
    colorReplaced = true;
    form->SetColor(data->FColors[SkinColor::ButtonFace]);
    windowColours.Apply(*form, *data);
    if (data->SkinControls().Contains(xcMenuItem)) chrome->SetMainMenusOwnerDrawn(true);
}

void TWinSkinForm::ReadWindowFacts()
{
    style = ::GetWindowLongA(window, GWL_STYLE);
    const LONG exStyle = ::GetWindowLongA(window, GWL_EXSTYLE);
    rightToLeft = (exStyle & WS_EX_LEFTSCROLLBAR) != 0;
    isChild = (style & WS_CHILD) != 0;
    ownerWindow = ::GetWindow(window, GW_OWNER);

    buttonMask = static_cast<uint8_t>(frame::ButtonMaskOf(style, exStyle, systemMenu != nullptr));
    ReadWindowState();
    resizable = (style & WS_THICKFRAME) != 0;

    formKind = FormKind::Ordinary;
    for (HWND child = ::GetTopWindow(window); child; child = ::GetWindow(child, GW_HWNDNEXT))
        if (SameClass(child, "MDIClient")) {
            formKind = FormKind::MDIFrame;
            mdiClient = child;
            if (TSkinManage* manager = SkinManage()) {
                manager->SetMDIClientWindow(child);
                manager->SetMDIFrameForm(form);
            }
            break;
        }
    if (formKind == FormKind::Ordinary && (exStyle & WS_EX_MDICHILD)) {
        formKind = FormKind::MDIChild;
        if (skinData->Options().Contains(xoMDIChildBorder)) frameSkinned = false;
    }

    frameKind = static_cast<uint8_t>(frame::FrameKindOf(style, exStyle));

    const bool version50 = MajorVersion() >= 5 && MinorVersion() == 0;
    if (((exStyle & WS_EX_APPWINDOW) && PlatformFlags().NTFamily && version50) ||
        (!ownerWindow && formKind != FormKind::MDIChild && version50))
        buttonMask |= CaptionBox::KeepSysMenu;
}

void TWinSkinForm::AttachToWindow(TSkinData* data)
{
    if (wndProcThunk) return;
    if (TSkinManage* manager = SkinManage()) manager->SetRunState(TRunState::Running);
    skinData = data;
    if (!hoverTimer) {
        hoverTimer = std::make_unique<TTimer>(nullptr);
        hoverTimer->SetEnabled(false);
        hoverTimer->SetInterval(250);
        hoverTimer->SetOnTimer(TNotifyEvent::Of<&TWinSkinForm::HoverTimerTick>(this));
    }
    frameSkinned = data->SkinControls().Contains(xcMainMenu);
    ReadWindowFacts();

    unicodeWindow = ::IsWindowUnicode(window) != FALSE;
    if (className == "#32770" || className == "TMessageForm") {
        if (frameKind != FrameKind::NoCaption) frameKind = FrameKind::Dialog;
        isDialog = true;
    }
    if (Windows95Family()) {
        TSkinControlTypes kinds = data->SkinControls();
        systemMenuKindTaken = kinds.Contains(xcSystemMenu);
        kinds.Exclude(xcSystemMenu);
        data->SetSkinControls(kinds);
    }
    if (formKind == FormKind::MDIFrame) {
        savedMenuUpdate = data->MenuUpdate();
        mdiClientThunk.Reset(TWndMethod::Of<&TWinSkinForm::MDIClientProc>(this));
        mdiClientOldProc = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrA(mdiClient, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(mdiClientThunk.Proc())));
    }
    wndProcThunk.Reset(TWndMethod::Of<&TWinSkinForm::SkinWndProc>(this));
    const auto proc = reinterpret_cast<LONG_PTR>(wndProcThunk.Proc());
    oldWndProc = reinterpret_cast<WNDPROC>(unicodeWindow ? ::SetWindowLongPtrW(window, GWLP_WNDPROC, proc)
                                                         : ::SetWindowLongPtrA(window, GWLP_WNDPROC, proc));
    if (frameSkinned) {
        menuHandle = ::GetMenu(window);
        // A window without caption has no band for it: its menu stays.
        if (menuHandle && formKind != FormKind::MDIChild && frameKind != FrameKind::NoCaption) {
            menuBarHeight = ::GetSystemMetrics(SM_CYMENU);
            // The skin draws the menu bar itself, in the band under the caption.
            ::SetMenu(window, nullptr);
            menuTakenOff = true;
            chrome->CreateMenuBar(menuHandle);
        }
        ReloadFrameMetrics();
    } else {
        skinState = TFormSkinState::Running;
    }
    if (formKind == FormKind::MDIChild) {
        const int systemTop = ::GetSystemMetrics(SM_CYCAPTION) + ::GetSystemMetrics(SM_CXFRAME);
        if (systemTop > borderTop) menuBarHeight = systemTop - borderTop;
        TSkinManage* manager = SkinManage();
        if (windowState == FrameWindowState::Maximized && manager && !manager->MDIMaximized())
            manager->SetMDIMaximized(true);
    }
}

void TWinSkinForm::ReloadFrameMetrics()
{
    if (!skinData || skinData->FNoSkin) return;
    if (frameKind == FrameKind::NoCaption) {
        borderLeft = borderTop = borderRight = borderBottom = 0;
        menuBarHeight = 0;
    } else {
        auto frameSize = [this](int side, bool leftOrRight) {
            return FrameSideSize(*skinData->SkinBorders[static_cast<size_t>(side)], leftOrRight);
        };
        borderTop = frameSize(SkinBorder::Top, false);
        borderLeft = frameSize(SkinBorder::Left, true);
        borderRight = frameSize(SkinBorder::Right, true);
        borderBottom = frameSize(SkinBorder::Bottom, false);
    }
    chrome->RebuildCaptionButtons();
}

void TWinSkinForm::FreeCaptionButtons() { chrome->FreeCaptionButtons(); }

void TWinSkinForm::MDIMaximizedChanged(bool maximized)
{
    if (maximized) {
        RemoveRegion();
        return;
    }
    if (::IsIconic(window)) return;
    windowState = FrameWindowState::Normal;
    UpdateRegion();
    if (!regionOwned) RefreshFrame();
}

// ---------------------------------------------------------------- skin changes

void TWinSkinForm::ReapplySkin()
{
    paintFailed = false;   // a new skin is tried afresh
    const TColor face = skinData->FColors[SkinColor::ButtonFace];
    if (form) {
        form->SetColor(face);
        for (int i = 0; i < form->ComponentCount(); ++i) {
            TComponent* c = form->Components(i);
            if (auto* inner = dynamic_cast<TCustomForm*>(c)) inner->SetColor(face);
            else if (c->InheritsFrom("TCustomGrid")) WriteInt(c, "FixedColor", static_cast<int64_t>(face));
        }
        windowColours.Apply(*form, *skinData);
    }
    controlSkinners.SkinChanged();
    SetSkinState(TFormSkinState::Reapplying);
    if (frameSkinned) {
        if (form) chrome->SetPopupMenusOwnerDrawn(true);
        // A bare window needs its frame fitted to the new borders as much as a form.
        FitWindowToSkin(true);
        if (windowState == FrameWindowState::Normal) UpdateRegion();
        if (form) {
            form->SetHeight(form->Height() + 1);
            form->SetHeight(form->Height() - 1);
        }
    }
    AfterSkin();
    SetSkinState(TFormSkinState::Running);
}

// ---------------------------------------------------------------- controls

void TWinSkinForm::SkinFormControls(TCustomForm* target)
{
    controlSkinners.DropDestroyed();
    const auto skinControl = ControlSkinning().SkinControl;
    if (skinControl)
        for (int i = 0; i < target->ComponentCount(); ++i)
            if (auto* control = dynamic_cast<TControl*>(target->Components(i))) skinControl(*this, control, target);
    if (skinData->SkinControls().Contains(xcPopupMenu)) chrome->SetPopupMenusOwnerDrawn(true);
    if (!skinControl) return;
    std::vector<TWinControl*> tabOrder;
    target->GetTabOrderList(tabOrder);
    for (TWinControl* control : tabOrder)
        if (control->HandleAllocated() && control->Tag() != skinData->DisableTag() &&
            ::SendMessageA(control->WindowHandle(), SKM_QUERYSKINNED, 0, 0) != 1)
            skinControl(*this, control, target);
}

void TWinSkinForm::SkinChildWindows(HWND parent)
{
    std::vector<HWND> children;
    for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        if (::GetWindowLongA(child, GWL_STYLE) & WS_CHILD) children.push_back(child);
    for (HWND child : children)
        if (::IsWindow(child)) SkinChildWindow(child);
}

void TWinSkinForm::SkinChildWindow(HWND child)
{
    if (const auto skinChild = ControlSkinning().SkinChildWindow) skinChild(*this, child);
}

// ---------------------------------------------------------------- detaching

void TWinSkinForm::RestoreFormColor()
{
    // A form being destroyed is left alone; one whose window is only made
    // anew gets its colour back, for the skinner of its next window to keep.
    if (form && colorReplaced && !(form->ComponentState() & csDestroying)) form->SetColor(savedColor);
    colorReplaced = false;
}

void TWinSkinForm::RestoreSettings()
{
    if (form && autoScrollReplaced && !(form->ComponentState() & csDestroying))
        WriteInt(form, "AutoScroll", savedAutoScroll);
    autoScrollReplaced = false;
    if (!skinData) return;
    if (systemMenuKindTaken) {
        TSkinControlTypes kinds = skinData->SkinControls();
        kinds.Include(xcSystemMenu);
        skinData->SetSkinControls(kinds);
        systemMenuKindTaken = false;
    }
    if (menuUpdateTaken) {
        skinData->SetMenuUpdate(savedMenuUpdate);
        menuUpdateTaken = false;
    }
}

void TWinSkinForm::RestoreWindowProcs()
{
    if (form && oldFormHook) {
        form->WindowProc = oldFormHook;
        oldFormHook = TWndMethod();
    }
    if (wndProcThunk) {
        const auto proc = reinterpret_cast<LONG_PTR>(oldWndProc);
        if (unicodeWindow) ::SetWindowLongPtrW(window, GWLP_WNDPROC, proc);
        else ::SetWindowLongPtrA(window, GWLP_WNDPROC, proc);
        wndProcThunk.Reset();
    }
}

void TWinSkinForm::RestoreMDIClientProc()
{
    if (!mdiClientThunk) return;
    if (::IsWindow(mdiClient))
        ::SetWindowLongPtrA(mdiClient, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(mdiClientOldProc));
    mdiClientThunk.Reset();
}

void TWinSkinForm::PutMenuBack()
{
    if (menuTakenOff && ::IsWindow(window) && formKind != FormKind::MDIChild) ::SetMenu(window, menuHandle);
    menuTakenOff = false;
    chrome->FreeMenuBar();
}

void TWinSkinForm::DetachUnskinnedFrame(bool destroying)
{
    SetHoverTimer(false);
    controlSkinners.FreeAll();
    chrome->SetMainMenusOwnerDrawn(false);
    chrome->SetPopupMenusOwnerDrawn(false);
    RestoreFormColor();
    if (form) windowColours.Restore(*form);
    RestoreSettings();
    RestoreWindowProcs();
    RestoreMDIClientProc();
    if (form && !destroying)
        for (int i = 0; i < form->ComponentCount(); ++i)
            if (auto* control = dynamic_cast<TControl*>(form->Components(i))) control->Invalidate();
}

void TWinSkinForm::Detach()
{
    if (!frameSkinned) {
        DetachUnskinnedFrame(skinState == TFormSkinState::Detaching);
        return;
    }
    chrome->FreeSystemMenu();
    SetHoverTimer(false);
    if (Attached()) {
        RestoreWindowProcs();
        controlSkinners.FreeAll();
        chrome->SetMainMenusOwnerDrawn(false);
        chrome->SetPopupMenusOwnerDrawn(false);
        RestoreFormColor();
        if (form) windowColours.Restore(*form);
    }
    RestoreSettings();
    SetSysMenuStyle(false);
    PutMenuBack();
    RestoreMDIClientProc();
    // The client area keeps its size under the system frame. Only a window
    // the skin fitted is given back its system size; a maximised or
    // minimised one keeps the size the system gave it.
    if (fitted && !::IsIconic(window) && !::IsZoomed(window) && (formKind == FormKind::MDIChild || !isChild)) {
        RECT r{};
        ::GetWindowRect(window, &r);
        if (formKind == FormKind::MDIChild)
            ::MapWindowPoints(HWND_DESKTOP, ::GetParent(window), reinterpret_cast<POINT*>(&r), 2);
        const int width = r.right - r.left + sysNcWidth - borderLeft - borderRight;
        const int height = r.bottom - r.top + sysNcHeight - borderTop - borderBottom;
        ::SetWindowPos(window, nullptr, r.left, r.top, width, height,
                       SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOZORDER);
    } else {
        if (fitted && (formKind == FormKind::MDIChild || !isChild)) RestoreNormalSize();
        ::SetWindowPos(window, nullptr, 0, 0, 0, 0,
                       SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE);
    }
    fitted = false;
    ::SetWindowRgn(window, nullptr, TRUE);
    regionOwned = false;
    regionWidth = regionHeight = 0;
}

void TWinSkinForm::RestoreNormalSize()
{
    // A maximised or minimised window keeps the size the system gave it, but
    // the size it is restored to was fitted to the skin: that one goes back
    // to the system's frame, with neither a show nor an activation.
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (!::GetWindowPlacement(window, &placement)) return;
    placement.rcNormalPosition.right += sysNcWidth - borderLeft - borderRight;
    placement.rcNormalPosition.bottom += sysNcHeight - borderTop - borderBottom;
    placement.showCmd = ::IsWindowVisible(window) ? SW_SHOWNA : SW_HIDE;
    ::SetWindowPlacement(window, &placement);
}

void TWinSkinForm::DetachForShutdown()
{
    if (!frameSkinned) {
        DetachUnskinnedFrame(true);
        return;
    }
    chrome->FreeSystemMenu();
    SetHoverTimer(false);
    RestoreWindowProcs();
    controlSkinners.FreeAll();
    RestoreFormColor();
    if (form) windowColours.Restore(*form);
    RestoreSettings();
    chrome->FreeMenuBar();
    // The menu taken off the window goes as the window would have taken it:
    // with a window being destroyed (a form's main menu frees its own), or
    // back onto a window that lives on.
    if (menuTakenOff) {
        if (skinState != TFormSkinState::Detaching) ::SetMenu(window, menuHandle);
        else if (!form && ::IsMenu(menuHandle)) ::DestroyMenu(menuHandle);
        menuTakenOff = false;
    }
    // The client window may outlive the frame's skinner (the manager goes first).
    RestoreMDIClientProc();
}

void TWinSkinForm::SetHoverTimer(bool on)
{
    if (!hoverTimer) return;
    const bool wasOn = hoverTimer->Enabled();
    hoverTimer->SetEnabled(on);
    if (wasOn && !on) chrome->HoverStopped();
}

void TWinSkinForm::HoverTimerTick(TObject*) { chrome->HoverTick(); }

} // namespace tf
