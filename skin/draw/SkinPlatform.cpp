#include "skin/draw/SkinPlatform.h"

#include <windows.h>

namespace tf {

namespace {

TPlatformFlags Measure()
{
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
    TPlatformFlags flags;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (::GetVersionExA(&info)) {
#pragma GCC diagnostic pop
        flags.NTFamily = info.dwPlatformId == VER_PLATFORM_WIN32_NT;
        flags.MajorNot6 = info.dwMajorVersion != 6;
    }
    return flags;
}

const TPlatformFlags* gOverride = nullptr;

} // namespace

const TPlatformFlags& PlatformFlags()
{
    static const TPlatformFlags measured = Measure();
    return gOverride ? *gOverride : measured;
}

void OverridePlatformFlags(const TPlatformFlags* flags) { gOverride = flags; }

} // namespace tf
