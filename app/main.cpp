// Program start: the application object, the main window from its stored
// form data (hidden), the message loop until the window closes.
#include <windows.h>

#include "AppClasses.h"
#include "Unit_main.h"
#include "framework/controls/Application.h"
#include "skin/controls/ControlSkinning.h"
#include "skin/window/FormPopupMenus.h"
#include "skin/window/SkinChrome.h"
#include "skin/window/SkinManage.h"
#include "support/ShellHelpers.h"

using namespace tf;

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    RegisterMainWindowClasses();
    // The skin data component of the main window makes the skin manager.
    InstallSkinManagerFactory();
    // Caption buttons, menu bar and menus drawn from the skin.
    InstallWindowChrome();
    // Form skinners hand the window's controls to the control skinners.
    InstallControlSkinners();
    Application->Initialize();
    // Questions to the user belong to the hidden application window.
    SetAskOwner([]() -> void* { return Application->Handle(); });
    try {
        Application->CreateForm(Form_main);
    } catch (...) {
        Application->HandleException(Application);
        DoneApplication();
        FinalizeSkinManager();
        return 1;
    }
    // The window starts hidden and is skinned when first activated, yet its
    // notification-area menu is drawn by the skin from the first right click.
    SkinPopupMenusBeforeForm(*Form_main);
    Application->SetShowMainForm(false);
    Application->Run();
    DoneApplication();
    // Every skinner still attached gives its window back; the hook goes.
    FinalizeSkinManager();
    return 0;
}
