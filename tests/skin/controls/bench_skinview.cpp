// Benchmark (not a test): a full repaint of the skin previewer's window,
// every control included, skinned by the real form skinner against the same
// window unskinned, median of several runs each, in one process.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "ControlSkinKit.h"

using namespace tf;
using namespace ctltest;

namespace {

double RepaintMs(HWND window)
{
    LARGE_INTEGER f, a, b;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&a);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    // Overlays and skinners that repaint by invalidating finish here.
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    GdiFlush();
    QueryPerformanceCounter(&b);
    return 1000.0 * static_cast<double>(b.QuadPart - a.QuadPart) / static_cast<double>(f.QuadPart);
}

double Median(HWND window, int runs)
{
    std::vector<double> times;
    RepaintMs(window);   // warm up
    for (int i = 0; i < runs; ++i) times.push_back(RepaintMs(window));
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main()
{
    Application->Initialize();
    LiveSkinview live;
    if (!live.FormSkinner()) {
        std::printf("the previewer was not skinned\n");
        return 1;
    }
    const int runs = 15;
    const double skinned = Median(live.window, runs);
    live.RunAction(TSkinAction::Unskin);
    const double plain = Median(live.window, runs);
    std::printf("previewer repaint (%d controls): skinned %.1f ms, unskinned %.1f ms, ratio %.2f (median of %d)\n",
                live.view.form->ComponentCount(), skinned, plain, plain > 0 ? skinned / plain : 0.0, runs);
    return 0;
}
