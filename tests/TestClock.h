// A monotonic clock in milliseconds for tests and benchmarks. Windows only.
#pragma once
#include <windows.h>

namespace tftest {

inline double NowMs()
{
    static const LARGE_INTEGER freq = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) * 1000.0 / static_cast<double>(freq.QuadPart);
}

} // namespace tftest
