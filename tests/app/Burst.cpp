#include "Burst.h"

#include <algorithm>
#include <cstdio>

namespace guardtest {

std::vector<std::string> BurstNames(int n, int nameLength, int perFolder)
{
    std::vector<std::string> names;
    names.reserve(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        char number[16];
        std::snprintf(number, sizeof number, "%05d", i);
        const size_t fixed = 1 + 5 + 4;   // "b", the number, ".exe"
        const size_t pad = nameLength > static_cast<int>(fixed) ? static_cast<size_t>(nameLength) - fixed : 0;
        std::string sub;
        if (perFolder > 0 && i >= perFolder) {
            char name[16];
            std::snprintf(name, sizeof name, "d%02d\\", i / perFolder);
            sub = name;
        }
        names.push_back(sub + "b" + std::string(pad, 'x') + number + ".exe");
    }
    return names;
}

double CreateBurst(const std::string& folder, const std::vector<std::string>& names)
{
    bool made = false;
    for (const std::string& name : names) {
        const size_t slash = name.find('\\');
        if (slash != std::string::npos && CreateDirectoryA((folder + name.substr(0, slash)).c_str(), nullptr))
            made = true;
    }
    if (made) Sleep(500);   // the watch takes the new folders in
    const double start = tftest::NowMs();
    for (const std::string& name : names) {
        HANDLE f = CreateFileA((folder + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                               nullptr);
        if (f == INVALID_HANDLE_VALUE) continue;
        DWORD written = 0;
        WriteFile(f, "MZ", 2, &written, nullptr);
        CloseHandle(f);
    }
    return tftest::NowMs() - start;
}

int ListCount(const GuardProcess& guard, DWORD timeoutMs)
{
    HWND list = guard.Child("Tzorlistbox");
    DWORD_PTR count = 0;
    if (!list || !SendMessageTimeoutA(list, LB_GETCOUNT, 0, 0, SMTO_NORMAL, timeoutMs, &count)) return -1;
    return static_cast<int>(count);
}

BurstResult WaitForListed(const GuardProcess& guard, int want, double startMs, DWORD idleMs)
{
    BurstResult r;
    double lastGrowth = tftest::NowMs();
    for (;;) {
        const double asked = tftest::NowMs();
        const int n = ListCount(guard);
        const double now = tftest::NowMs();
        r.Answered = r.Answered || n >= 0;
        r.SlowestAnswerMs = std::max(r.SlowestAnswerMs, now - asked);
        if (n > r.Listed) {
            r.Listed = n;
            r.LastListedMs = now - startMs;
            lastGrowth = now;
        }
        if (r.Listed >= want || now - lastGrowth > idleMs) return r;
        Sleep(20);
    }
}

} // namespace guardtest
