#include "skin/window/SkinManage.h"

#include <algorithm>

#include "framework/controls/ControlAtom.h"
#include "framework/controls/Forms.h"
#include "framework/controls/Screen.h"
#include "framework/controls/Timer.h"
#include "framework/controls/WndProcThunk.h"
#include "framework/core/SysUtils.h"
#include "skin/EngineParts.h"
#include "skin/data/SkinDataEvents.h"
#include "skin/data/SkinHost.h"
#include "skin/data/WinSkinData.h"
#include "skin/window/WinSkinForm.h"

namespace tf {

namespace {

// Unit-level state: one manager and one hook per process.
TSkinManage* gManage = nullptr;
HHOOK gHook = nullptr;
bool gFinished = false;   // the manager was destroyed: the hook passes everything on
bool gReporting = false;  // a failure of the hook is being reported
DWORD gVersion = 0;
DWORD gVersionOverride = 0;

std::string ClassNameOf(HWND window)
{
    char name[100] = {};
    ::GetClassNameA(window, name, sizeof name);
    return name;
}

bool IsPlainChild(HWND window)
{
    const LONG style = ::GetWindowLongA(window, GWL_STYLE);
    const LONG exStyle = ::GetWindowLongA(window, GWL_EXSTYLE);
    if (!(style & WS_CHILD) || (exStyle & WS_EX_MDICHILD)) return false;
    return LowerCaseAscii(ClassNameOf(::GetParent(window))) != "mdiclient";
}

bool SkinsDialogs(const std::string& className)
{
    const std::string lower = LowerCaseAscii(className);
    return lower == "tmessageform" || lower == "#32770";
}

// The engine's ear on the skin data components: the first one to load
// makes the manager, which then acts on every event.
class TManagerSubscription final : public TSkinDataListener {
public:
    void SkinDataLoaded(TSkinData& data) override
    {
        if (!gManage) new TSkinManage();   // it registers itself as the process's manager
        gManage->ComponentLoaded(data);
    }
    void SkinDataActiveChanged(TSkinData& data) override
    {
        // Before any component loaded the stored value is all there is.
        if (gManage) gManage->ComponentActiveChanged(data);
    }
    void SkinDataNewSkin(TSkinData& data) override
    {
        if (!gManage) data.Loaded();   // the component loads first, which makes the manager
        if (gManage) gManage->ComponentNewSkin(data);
    }
    void SkinDataGone(TSkinData& data) override
    {
        if (gManage) gManage->UnregisterSkinData(&data);
    }
};

TManagerSubscription gSubscription;

} // namespace

const char* SkinActionName(TSkinAction action)
{
    switch (action) {
    case TSkinAction::None: return "None";
    case TSkinAction::Skin: return "Skin";
    case TSkinAction::Unskin: return "Unskin";
    case TSkinAction::SkinChanged: return "SkinChanged";
    case TSkinAction::DropDeadSkinners: return "DropDeadSkinners";
    }
    return "Unknown";
}

const char* RunStateName(TRunState state)
{
    switch (state) {
    case TRunState::BeforeActivation: return "BeforeActivation";
    case TRunState::Running: return "Running";
    case TRunState::Destroying: return "Destroying";
    }
    return "Raised";
}

// ---------------------------------------------------------------- life

TSkinManage::TSkinManage() : actionTimer(std::make_unique<TTimer>(nullptr))
{
    actionTimer->SetInterval(100);
    actionTimer->SetEnabled(false);
    actionTimer->SetOnTimer(TNotifyEvent::Of<&TSkinManage::ActionTimerTick>(this));
    gManage = this;
    gFinished = false;
}

TSkinManage::~TSkinManage()
{
    runState = TRunState::Destroying;
    enabled = false;
    actionTimer.reset();
    while (!formSkinners.empty()) {
        TWinSkinForm* skinner = formSkinners.back();
        skinner->DetachForShutdown();
        formSkinners.pop_back();
        skinner->Free();
    }
    for (auto& popup : popupSkinners) popup->Detach();
    popupSkinners.clear();
    skinDatas.clear();
    if (gHook) {
        ::UnhookWindowsHookEx(gHook);
        gHook = nullptr;
    }
    gFinished = true;
    if (gManage == this) gManage = nullptr;
}

TSkinManage* SkinManage() { return gManage; }

bool SkinHookInstalled() { return gHook != nullptr; }

void engine::InstallSkinManager() { SubscribeSkinData(&gSubscription); }

void engine::RemoveSkinManager()
{
    UnsubscribeSkinData(&gSubscription);
    delete gManage;   // clears gManage
}

DWORD SkinOSVersion() { return gVersion; }

void OverrideSkinOSVersion(DWORD value) { gVersionOverride = value; }

// ---------------------------------------------------------------- the components' events

void TSkinManage::ComponentLoaded(TSkinData& data)
{
    RegisterSkinData(&data);
    if (data.SkinFormtype() != sfMainform) {
        enabled = true;
        runState = static_cast<TRunState>(static_cast<int>(runState) + 1);
        if (data.Active())
            if (HWND window = SkinHostFormWindow(data.Owner())) SkinWindow(window);
        return;
    }
    InstallHook();
    if (data.Active() && !data.FNoSkin) RequestAction(TSkinAction::Skin, 250);
}

void TSkinManage::ComponentActiveChanged(TSkinData& data)
{
    const bool on = data.Active();
    switch (data.SkinFormtype()) {
    case sfMainform:
        if (on && data.FNoSkin) return;
        pendingSkinData = &data;
        RequestAction(on ? TSkinAction::Skin : TSkinAction::Unskin, 250);
        if (on) runState = TRunState::Running;
        break;
    case sfOnlyThisForm:
        pendingSkinData = &data;
        if (on && data.FNoSkin) return;
        RequestAction(on ? TSkinAction::Skin : TSkinAction::Unskin, 250);
        break;
    default: break;   // other kinds switch nothing
    }
}

void TSkinManage::ComponentNewSkin(TSkinData& data)
{
    pendingSkinData = &data;
    DropCaptionButtons();
    if (runState == TRunState::Running) RequestAction(TSkinAction::SkinChanged, 250);
}

// ---------------------------------------------------------------- registration

void TSkinManage::RegisterSkinData(TSkinData* data)
{
    skinDatas.push_back(data);
    if (!mainSkinData && data->SkinFormtype() == sfMainform) mainSkinData = data;
}

void TSkinManage::UnregisterSkinData(TSkinData* data)
{
    const auto it = std::find(skinDatas.begin(), skinDatas.end(), data);
    if (it != skinDatas.end()) skinDatas.erase(it);
    // A component that goes leaves nothing behind that points at it.
    if (pendingSkinData == data) pendingSkinData = nullptr;
    if (mainSkinData == data) {
        mainSkinData = nullptr;
        for (TSkinData* d : skinDatas)
            if (d->SkinFormtype() == sfMainform) {
                mainSkinData = d;
                break;
            }
    }
    // No skinner outlives the component it paints with: a window that lives
    // on is given back unskinned.
    for (size_t i = formSkinners.size(); i-- > 0;) {
        if (i >= formSkinners.size() || formSkinners[i]->SkinData() != data) continue;
        if (formSkinners[i]->Destroyed()) FreeFormSkinner(formSkinners[i]);
        else DetachAndFree(formSkinners[i]);
    }
    // A menu open meanwhile keeps its window: it paints on in the system's look.
    for (size_t i = popupSkinners.size(); i-- > 0;) {
        if (popupSkinners[i]->SkinData() != data) continue;
        std::unique_ptr<TPopupSkinnerLink> skinner = std::move(popupSkinners[i]);
        popupSkinners.erase(popupSkinners.begin() + static_cast<std::ptrdiff_t>(i));
        skinner->Detach();
    }
    if (popupSkinners.empty()) menuKind = MenuKind::Popup;
}

void TSkinManage::InstallHook()
{
    gVersion = gVersionOverride ? gVersionOverride : ::GetVersion();
    if (gHook) return;   // one hook per process, however many components ask
    gHook = ::SetWindowsHookExA(WH_CBT, &TSkinManage::HookProc, nullptr, ::GetCurrentThreadId());
}

// ---------------------------------------------------------------- the hook

LRESULT CALLBACK TSkinManage::HookProc(int code, WPARAM wParam, LPARAM lParam)
{
    // While a failure is reported no window is offered: the error box's own
    // activation would fail the same way and report again, without end.
    // Destruction still releases popup skinners.
    if (!gFinished && code >= 0 && gManage && (!gReporting || code == HCBT_DESTROYWND)) {
        try {
            gManage->HookEvent(code, wParam, lParam);
        } catch (...) {
            // A failure must not stop the window's creation or activation.
            gReporting = true;
            HandleCallbackException(gManage);
            gReporting = false;
        }
    }
    return ::CallNextHookEx(gHook, code, wParam, lParam);
}

void TSkinManage::HookEvent(int code, WPARAM wParam, LPARAM lParam)
{
    HWND window = reinterpret_cast<HWND>(wParam);
    switch (code) {
    case HCBT_CREATEWND: {
        const CREATESTRUCTA* cs = reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs;
        const std::string name = ClassNameOf(window);
        if (name == "ScrollBar" && (cs->style & SBS_SIZEGRIP))
            if (TWinSkinForm* owner = FindFormSkinner(cs->hwndParent)) owner->SkinChildWindow(window);
        if (!(cs->style & WS_CHILD) && name == "#32768") SkinPopupWindow(window);
        if (cs->dwExStyle & WS_EX_MDICHILD) SkinWindow(window);
        break;
    }
    case HCBT_DESTROYWND: ReleasePopupWindow(window); break;
    case HCBT_ACTIVATE:
        if (runState == TRunState::BeforeActivation) runState = TRunState::Running;
        SkinWindow(window);
        break;
    default: break;
    }
}

// ---------------------------------------------------------------- form skinners

bool TSkinManage::SkinWindow(HWND window)
{
    if (!enabled) return false;
    PurgeFormSkinners();
    if (::SendMessageA(window, SKM_QUERYSKINNED, 0, 0) == 1) return false;
    if (FindFormSkinner(window)) return false;
    TControl* formControl = FindFormOfWindow(window);
    if (!forceSkin && IsPlainChild(window)) return false;
    const std::string name = ClassNameOf(window);
    const auto instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrA(window, GWLP_HINSTANCE));
    if (!formControl && instance != MainInstance() && name != "#32770") return false;
    RECT r{};
    ::GetWindowRect(window, &r);
    const bool mdiChild = (::GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_MDICHILD) != 0;
    if (!mdiChild && static_cast<long long>(r.right - r.left) * (r.bottom - r.top) == 0) return false;
    if (formControl && formControl->Tag() == 99) return false;
    if (name.find("TcxPopupEditPopupWindow") != std::string::npos ||
        name.find("TTERenderWindow") != std::string::npos || name == "TApplication")
        return false;
    if (!AcceptWindow(window, name)) return false;
    TSkinData* data = SelectSkinData(window);
    if (!data || data->FNoSkin) return false;

    auto* form = dynamic_cast<TCustomForm*>(formControl);
    auto* skinner = new TWinSkinForm(formControl);
    skinner->SetWindow(window, name);
    formSkinners.push_back(skinner);
    try {
        if (form) skinner->AttachToForm(data, form);
        else skinner->AttachToWindow(data);
    } catch (...) {
        // Whatever was replaced goes back before the failure is passed on.
        formSkinners.pop_back();
        skinner->DetachForShutdown();
        skinner->Free();
        throw;
    }
    ::PostMessageA(window, SKM_FORMSKINNED, 0, FormSkinnedMark);
    return true;
}

void TSkinManage::SkinVisibleForm(TCustomForm* form)
{
    if (!form->Visible()) return;
    HWND window = form->Handle();
    if (::GetWindowLongA(window, GWL_STYLE) & WS_CHILD) return;
    SkinWindow(window);
}

TWinSkinForm* TSkinManage::FindFormSkinner(HWND window) const
{
    for (TWinSkinForm* s : formSkinners)
        if (s->Window() == window) return s;
    return nullptr;
}

TControl* TSkinManage::FindFormOfWindow(HWND window) const
{
    if (Screen)
        for (int i = 0; i < Screen->FormCount(); ++i)
            if (Screen->Forms(i)->WindowHandle() == window) return Screen->Forms(i);
    return window ? FindControl(window) : nullptr;
}

TSkinData* TSkinManage::SelectSkinData(HWND window) const
{
    TSkinData* found = nullptr;
    for (TSkinData* d : skinDatas)
        if (d->SkinFormtype() == sfOnlyThisForm && d->Owner())
            if (auto* owner = dynamic_cast<TWinControl*>(d->Owner()); owner && owner->WindowHandle() == window)
                found = d;
    if (found) return found;
    if (SkinsDialogs(ClassNameOf(window))) {
        for (TSkinData* d : skinDatas)
            if (d->SkinFormtype() == sfDialog) found = d;
        if (found) return found;
    }
    for (TSkinData* d : skinDatas)
        if (d->SkinFormtype() == sfMainform) found = d;
    if (found) return found;
    return skinDatas.empty() ? nullptr : skinDatas.front();
}

bool TSkinManage::AcceptWindow(HWND window, const std::string& className) const
{
    if (!mainSkinData) return true;
    bool accept = true;
    const std::string lower = LowerCaseAscii(className);
    if (!mainSkinData->Options().Contains(xoPreview) && lower.find("preview") != std::string::npos) accept = false;
    if (className == "#32770" && (::GetWindowLongA(window, GWL_STYLE) & DS_SETFOREGROUND)) accept = false;
    if (lower == "tpopupdbtreeview") accept = false;
    mainSkinData->AcceptWindowName(window, className, accept);
    return accept;
}

void TSkinManage::ForgetFormSkinner(HWND window)
{
    if (runState == TRunState::Destroying) return;
    const auto it = std::find_if(formSkinners.begin(), formSkinners.end(),
                                 [window](TWinSkinForm* s) { return s->Window() == window; });
    if (it != formSkinners.end()) formSkinners.erase(it);
}

void TSkinManage::ForgetFormSkinner(TWinSkinForm* skinner)
{
    if (runState == TRunState::Destroying) return;
    const auto it = std::find(formSkinners.begin(), formSkinners.end(), skinner);
    if (it != formSkinners.end()) formSkinners.erase(it);
}

void TSkinManage::FreeFormSkinner(TWinSkinForm* skinner)
{
    const auto it = std::find(formSkinners.begin(), formSkinners.end(), skinner);
    if (it != formSkinners.end()) formSkinners.erase(it);
    skinner->Free();
}

void TSkinManage::PurgeFormSkinners()
{
    if (runState == TRunState::Destroying) return;
    for (size_t i = formSkinners.size(); i-- > 0;) {
        if (i >= formSkinners.size()) continue;   // a destructor may have taken others
        TWinSkinForm* s = formSkinners[i];
        if (s->Destroyed()) FreeFormSkinner(s);
    }
}

void TSkinManage::DropCaptionButtons()
{
    for (TWinSkinForm* s : formSkinners)
        if (s->SkinData() == pendingSkinData) s->FreeCaptionButtons();
}

void TSkinManage::SetMDIMaximized(bool value)
{
    if (value == mdiMaximized) return;
    mdiMaximized = value;
    if (mainSkinData && mainSkinData->Options().Contains(xoMDIChildBorder)) return;
    const std::vector<TWinSkinForm*> skinners = formSkinners;
    for (TWinSkinForm* s : skinners)
        if (s->FormKindValue() == FormKind::MDIChild) s->MDIMaximizedChanged(value);
}

// ---------------------------------------------------------------- popup skinners

void TSkinManage::SkinPopupWindow(HWND window)
{
    if (!enabled) return;
    if (::SendMessageA(window, SKM_QUERYSKINNED, 0, 0) == 1) return;
    for (const auto& p : popupSkinners)
        if (p->PopupWindow() == window) return;
    TSkinData* data = SelectSkinData(window);
    if (!data || data->FNoSkin) return;
    const TSkinControlTypes kinds = data->SkinControls();
    switch (menuKind) {
    case MenuKind::Popup:
        if (!kinds.Contains(xcPopupMenu)) return;
        break;
    case MenuKind::MenuBar:
        if (!kinds.Contains(xcMainMenu) && !kinds.Contains(xcMenuItem)) return;
        break;
    case MenuKind::SystemMenu:
        if (!kinds.Contains(xcSystemMenu)) return;
        break;
    default: break;
    }
    TPopupSkinnerFactory factory = PopupSkinnerFactory();
    if (!factory) return;
    std::unique_ptr<TPopupSkinnerLink> skinner = factory();
    if (!skinner) return;
    skinner->Attach(window, data, nullptr);
    popupSkinners.push_back(std::move(skinner));
}

bool TSkinManage::ReleasePopupWindow(HWND window)
{
    const auto it = std::find_if(popupSkinners.begin(), popupSkinners.end(),
                                 [window](const auto& p) { return p->PopupWindow() == window; });
    const bool found = it != popupSkinners.end();
    if (found) {
        std::unique_ptr<TPopupSkinnerLink> skinner = std::move(*it);
        popupSkinners.erase(it);
        skinner->Detach();
    }
    if (popupSkinners.empty()) menuKind = MenuKind::Popup;
    return found;
}

void TSkinManage::BindPopupMenuHandle(HMENU menu)
{
    for (size_t i = popupSkinners.size(); i-- > 0;)
        if (!popupSkinners[i]->MenuHandle()) {
            popupSkinners[i]->SetMenuHandle(menu);
            return;
        }
}

TBitmap* TSkinManage::PopupBitmapFor(HMENU menu) const
{
    for (const auto& p : popupSkinners)
        if (p->MenuHandle() == menu) return p->Background();
    return nullptr;
}

} // namespace tf
