// The skin previewer: skinview.exe [skin file] [--unskinned]. Shows every
// control kind the skin engine draws with the program's own skin, or with
// the skin of the file named; --unskinned starts with skinning switched off.
#include <windows.h>

#include <shellapi.h>

#include <string>
#include <vector>

#include "framework/controls/Application.h"
#include "framework/core/SysUtils.h"
#include "skin/SkinEngine.h"
#include "skinview/Unit_skinview.h"

using namespace tf;

namespace {
std::vector<std::string> Arguments()
{
    std::vector<std::string> args;
    int count = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
    for (int i = 1; argv && i < count; ++i) args.push_back(WideToAnsi(argv[i]));
    if (argv) LocalFree(argv);
    return args;
}
} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    RegisterSkinviewClasses();
    // The engine first: the form's skin data component loads with the form.
    TSkinEngine engine;
    Application->Initialize();
    std::string skinFile;
    bool unskinned = false;
    for (const std::string& arg : Arguments()) {
        if (arg == "--unskinned") unskinned = true;
        else skinFile = arg;
    }
    try {
        Application->CreateForm(Form_skinview);
    } catch (...) {
        Application->HandleException(Application);
        DoneApplication();
        return 1;
    }
    if (unskinned) Form_skinview->SetSkinned(false);
    if (!skinFile.empty()) {
        std::string error;
        if (!Form_skinview->LoadSkinFile(skinFile, error)) {
            Form_skinview->Show();   // the question comes over the window it is about
            MessageBoxA(Form_skinview->Handle(), error.c_str(), "Skin preview", MB_OK | MB_ICONWARNING);
        }
    }
    Application->Run();
    DoneApplication();
    return 0;
}
