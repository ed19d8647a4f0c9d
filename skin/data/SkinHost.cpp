#include "skin/data/SkinHost.h"

#include "framework/controls/Application.h"
#include "framework/controls/Forms.h"
#include "framework/controls/HintWindow.h"

namespace tf {

namespace {

TSkinHost gHost;

// The framework's hint window behind the caption-hint interface.
class TFrameworkHint final : public TCaptionHintWindow {
public:
    TFrameworkHint() : FWindow(new THintWindow(nullptr)) {}
    ~TFrameworkHint() override { FWindow->Free(); }
    TFrameworkHint(const TFrameworkHint&) = delete;
    TFrameworkHint& operator=(const TFrameworkHint&) = delete;

    RECT CalcHintRect(int maxWidth, const std::string& text) override { return FWindow->CalcHintRect(maxWidth, text); }
    void ActivateHint(const RECT& rect, const std::string& text) override { FWindow->ActivateHint(rect, text); }
    void HideHint() override { FWindow->ReleaseHandle(); }

private:
    THintWindow* FWindow;
};

} // namespace

const TSkinHost& SkinHost() { return gHost; }

void InstallSkinHost(const TSkinHost& host) { gHost = host; }

HWND SkinHostFormWindow(TComponent* c)
{
    if (!c) return nullptr;
    if (gHost.FormWindow) return gHost.FormWindow(c);
    auto* form = dynamic_cast<TCustomForm*>(c);
    return form ? form->Handle() : nullptr;
}

HWND SkinHostApplicationWindow()
{
    if (gHost.ApplicationWindow) return gHost.ApplicationWindow();
    return Application && Application->HandleAllocated() ? Application->Handle() : nullptr;
}

std::unique_ptr<TCaptionHintWindow> SkinHostCreateHintWindow()
{
    if (gHost.CreateHintWindow) return gHost.CreateHintWindow();
    return std::make_unique<TFrameworkHint>();
}

void SkinHostReportError(const std::string& text)
{
    if (gHost.ReportError) {
        gHost.ReportError(text);
        return;
    }
    if (Application) Application->ShowException(text);
}

} // namespace tf
