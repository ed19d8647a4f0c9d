#include "PerfData.h"

#include <windows.h>

#include <vector>

namespace tf {

bool ReadPerfData(TProcessList* processes, TThreadList* threads, bool withWindows)
{
    if (!processes && !threads) return false;
    if (processes) processes->clear();
    if (threads) threads->clear();

    // The data fits long before this; a system that keeps asking for more is broken.
    constexpr DWORD MaxBytes = 64u << 20;
    std::vector<uint8_t> buffer(65536);
    DWORD size = static_cast<DWORD>(buffer.size());
    LONG answer;
    while ((answer = RegQueryValueExA(HKEY_PERFORMANCE_DATA, "230 232", nullptr, nullptr, buffer.data(), &size)) ==
               ERROR_MORE_DATA &&
           buffer.size() < MaxBytes) {
        buffer.resize(buffer.size() * 2);
        size = static_cast<DWORD>(buffer.size());
    }
    RegCloseKey(HKEY_PERFORMANCE_DATA);
    if (answer != ERROR_SUCCESS) return false;

    const bool result = WalkPerfData(buffer.data(), size < buffer.size() ? size : buffer.size(), processes, threads);
    if (threads && withWindows)
        for (TThreadEntry& t : *threads) GetWindowList(t.OwnerProcessID, t.ThreadID, false, t.Windows);
    return result;
}

} // namespace tf
