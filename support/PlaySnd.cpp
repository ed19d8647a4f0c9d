#include "PlaySnd.h"

#include <windows.h>
#include <mmsystem.h>

#include "support/Wow64.h"

namespace tf {

namespace {

int __stdcall SystemPlay(const char* sound, void* module, uint32_t flags)
{
    return PlaySoundA(sound, static_cast<HMODULE>(module), flags);
}

Fplaysnd::TPlayFunction gPlay = &SystemPlay;

} // namespace

Fplaysnd::TPlayFunction Fplaysnd::SetPlayFunction(TPlayFunction fn)
{
    const TPlayFunction previous = gPlay;
    gPlay = fn ? fn : &SystemPlay;
    return previous;
}

Fplaysnd::Fplaysnd(const std::string& libraryPath)
{
    // A damaged library must not bring up the loader's message box.
    const UINT mode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    FModule = LoadLibraryA(NativeFilePath(libraryPath).c_str());
    SetErrorMode(mode);
}

Fplaysnd::~Fplaysnd()
{
    if (!FModule) return;
    // A sound still playing from the library would be read after it is gone.
    gPlay(nullptr, nullptr, 0);
    FreeLibrary(static_cast<HMODULE>(FModule));
}

bool Fplaysnd::Play(int32_t number)
{
    try {
        const std::string name = "WAV" + std::to_string(number);
        gPlay(nullptr, nullptr, 0);
        gPlay(name.c_str(), FModule, SND_RESOURCE | SND_ASYNC);
        return true;
    } catch (...) {
        return false;
    }
}

} // namespace tf
