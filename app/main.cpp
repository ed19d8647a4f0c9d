// Program start: the application object, the main window from its stored
// form data (hidden), the message loop until the window closes.
#include <windows.h>

#include "AppClasses.h"
#include "Unit_main.h"
#include "framework/controls/Application.h"

using namespace tf;

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    RegisterMainWindowClasses();
    Application->Initialize();
    try {
        Application->CreateForm(Form_main);
    } catch (...) {
        Application->HandleException(Application);
        DoneApplication();
        return 1;
    }
    Application->SetShowMainForm(false);
    Application->Run();
    DoneApplication();
    return 0;
}
