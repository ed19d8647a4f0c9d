// Program start: the application object, the main window from its stored
// form data (hidden), the message loop until the window closes.
#include <windows.h>

#include "AppClasses.h"
#include "Unit_main.h"
#include "framework/controls/Application.h"
#include "skin/SkinEngine.h"
#include "skin/window/FormPopupMenus.h"
#include "support/ShellHelpers.h"

using namespace tf;

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    RegisterMainWindowClasses();
    // Every window of the process wears the skin of the main window's skin
    // data component; when the engine goes, every window is given back.
    TSkinEngine engine;
    Application->Initialize();
    // Questions to the user belong to the hidden application window.
    SetAskOwner([]() -> void* { return Application->Handle(); });
    try {
        Application->CreateForm(Form_main);
    } catch (...) {
        Application->HandleException(Application);
        DoneApplication();
        return 1;
    }
    // The window starts hidden and is skinned when first activated, yet its
    // notification-area menu is drawn by the skin from the first right click.
    SkinPopupMenusBeforeForm(*Form_main);
    Application->SetShowMainForm(false);
    Application->Run();
    DoneApplication();
    return 0;
}
