// Helpers of the watcher tests: files, and the kit's temporary folders and pumping.
#pragma once
#include <windows.h>

#include <string>

#include "tests/kit/Pump.h"
#include "tests/kit/TempDir.h"

namespace tf::test {

using tftest::PumpUntil;
using tftest::RemoveTree;
using tftest::TTempDir;

inline void PumpFor(DWORD ms) { tftest::Pump(ms); }

inline void WriteFileText(const std::string& path, const std::string& text)
{
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return;
    DWORD n = 0;
    WriteFile(f, text.data(), static_cast<DWORD>(text.size()), &n, nullptr);
    CloseHandle(f);
}

} // namespace tf::test
