// Benchmarks of the window skinning (figures, not tests): loading the
// program's skin (decode, parse, derived images) and a full repaint of the
// skinned main window's frame and caption, medians of several runs, each with
// a reference run alongside.
//
//   bench_skin_window
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

#include "framework/controls/Forms.h"
#include "framework/core/Streams.h"
#include "skin/data/SkinReader.h"
#include "skin/SkinEngine.h"
#include "skin/data/WinSkinData.h"
#include "skin/window/SkinManage.h"
#include "skin/window/WinSkinForm.h"
#include "tests/kit/Pump.h"
#include "tests/kit/SkinFixture.h"

using namespace tf;

namespace {

double Now()
{
    LARGE_INTEGER f, t;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / static_cast<double>(f.QuadPart);
}

double MedianMs(int runs, const std::function<void()>& body)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const double start = Now();
        body();
        times.push_back((Now() - start) * 1e3);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

using tftest::Pump;

void SkinLoad(const std::vector<uint8_t>& block)
{
    const int runs = 21;
    std::printf("== skin load: the program's skin (%zu bytes stored), median of %d\n", block.size(), runs);
    const double reference = MedianMs(runs, [&] {
        TMemoryStream stream(block);
        stream.SetPosition(4);
        TMemoryStream file;
        file.CopyFrom(stream, stream.Size() - 4);
        file.SetPosition(0);
        TSkinReader reader;
        reader.Load(file);
    });
    const double load = MedianMs(runs, [&] {
        TSkinData d(nullptr);
        TMemoryStream stream(block);
        d.ReadBinaryProperty("SkinStream", stream);
    });
    std::printf("  decode only (reference)        %8.2f ms\n", reference);
    std::printf("  decode + parse + derived images %7.2f ms  (%.1fx the reference; goal under 30 ms)\n", load,
                load / reference);
}

void FrameRepaint(const std::vector<uint8_t>& block)
{
    auto engine = std::make_unique<TSkinEngine>(TSkinEngineParts{false, false});
    auto* data = new TSkinData(nullptr);
    data->SetLoading(true);
    data->SetActive(true);
    TMemoryStream stream(block);
    data->ReadBinaryProperty("SkinStream", stream);
    data->Loaded();
    // A form of the main window's size, caption and style.
    auto form = std::make_unique<TForm>(nullptr);
    form->SetBounds(357, 172, 407, 507);
    form->SetCaption("Tamfern");
    form->SetFormStyle(fsStayOnTop);
    form->Show();
    SetForegroundWindow(form->Handle());
    Pump(400);
    TWinSkinForm* skinner = SkinManage() ? SkinManage()->FindFormSkinner(form->Handle()) : nullptr;
    if (!skinner || skinner->SkinState() != TFormSkinState::Running) {
        std::printf("== frame repaint: the window was not skinned, nothing measured\n");
    } else {
        const int runs = 101;
        RECT r;
        GetWindowRect(form->Handle(), &r);
        const int w = r.right - r.left, h = r.bottom - r.top;
        std::printf("== frame repaint: the skinned main window, %d x %d, median of %d\n", w, h, runs);
        TBitmap whole(w, h, pf24bit);
        HDC windowDC = GetWindowDC(form->Handle());
        const double reference = MedianMs(runs, [&] {
            BitBlt(windowDC, 0, 0, w, h, whole.Canvas()->Handle(), 0, 0, SRCCOPY);
            GdiFlush();
        });
        ReleaseDC(form->Handle(), windowDC);
        const double onScreen = MedianMs(runs, [&] {
            skinner->PaintFrame(nullptr);
            GdiFlush();
        });
        TBitmap target(w, h, pf24bit);
        const double offScreen = MedianMs(runs, [&] { skinner->PaintFrame(target.Canvas()->Handle()); });
        std::printf("  one window-sized copy to the window (reference) %7.2f ms\n", reference);
        std::printf("  frame and caption into the window                %7.2f ms  (%.1fx; goal under 16 ms)\n",
                    onScreen, onScreen / reference);
        std::printf("  frame and caption into a memory bitmap           %7.2f ms\n", offScreen);
    }
    form.reset();
    data->Free();
    engine.reset();
}

} // namespace

int main()
{
    const std::vector<uint8_t> block = tftest::LightBlueBlock();
    SkinLoad(block);
    FrameRepaint(block);
    return 0;
}
