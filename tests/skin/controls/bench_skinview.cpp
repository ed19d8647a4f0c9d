// Benchmark (not a test): a full repaint of the skin previewer's window,
// every control included, skinned by the real form skinner against the same
// window unskinned, in interleaved rounds (skinned, unskinned, skinned, ...)
// in one process. Each round is the CPU time of 40 synchronous whole-window
// repaints: this process's (GetProcessTimes) and, when TAMFERN_XSERVER_PID
// names the X server, the server's (read from its /proc entry). Then the
// number of bitmaps the program creates during one skinned full repaint
// after the first, counted by wrapping the bitmap constructors this program
// imports from gdi32.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "ControlSkinKit.h"

using namespace tf;
using namespace ctltest;

namespace {

// ---------------------------------------------------------------- bitmap counter

long GBitmapsCreated = 0;

using CreateCompatibleBitmapFn = HBITMAP(WINAPI*)(HDC, int, int);
using CreateBitmapFn = HBITMAP(WINAPI*)(int, int, UINT, UINT, const void*);
using CreateBitmapIndirectFn = HBITMAP(WINAPI*)(const BITMAP*);
using CreateDIBSectionFn = HBITMAP(WINAPI*)(HDC, const BITMAPINFO*, UINT, void**, HANDLE, DWORD);
using CreateDIBitmapFn = HBITMAP(WINAPI*)(HDC, const BITMAPINFOHEADER*, DWORD, const void*, const BITMAPINFO*, UINT);
CreateCompatibleBitmapFn GCreateCompatibleBitmap;
CreateBitmapFn GCreateBitmap;
CreateBitmapIndirectFn GCreateBitmapIndirect;
CreateDIBSectionFn GCreateDIBSection;
CreateDIBitmapFn GCreateDIBitmap;

HBITMAP WINAPI CountCompatible(HDC dc, int w, int h)
{
    ++GBitmapsCreated;
    return GCreateCompatibleBitmap(dc, w, h);
}
HBITMAP WINAPI CountBitmap(int w, int h, UINT planes, UINT bits, const void* data)
{
    ++GBitmapsCreated;
    return GCreateBitmap(w, h, planes, bits, data);
}
HBITMAP WINAPI CountIndirect(const BITMAP* b)
{
    ++GBitmapsCreated;
    return GCreateBitmapIndirect(b);
}
HBITMAP WINAPI CountDibSection(HDC dc, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section, DWORD offset)
{
    ++GBitmapsCreated;
    return GCreateDIBSection(dc, info, usage, bits, section, offset);
}
HBITMAP WINAPI CountDiBitmap(HDC dc, const BITMAPINFOHEADER* h, DWORD init, const void* bits, const BITMAPINFO* info,
                             UINT usage)
{
    ++GBitmapsCreated;
    return GCreateDIBitmap(dc, h, init, bits, info, usage);
}

// Points this program's imports of gdi32's bitmap constructors at the
// counters above; the number of imports replaced.
int CountBitmapConstructors()
{
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!dir.VirtualAddress) return 0;
    HMODULE gdi = GetModuleHandleA("gdi32.dll");
    struct Entry {
        const char* name;
        void* counter;
        void** original;
    } entries[] = {
        {"CreateCompatibleBitmap", reinterpret_cast<void*>(&CountCompatible), reinterpret_cast<void**>(&GCreateCompatibleBitmap)},
        {"CreateBitmap", reinterpret_cast<void*>(&CountBitmap), reinterpret_cast<void**>(&GCreateBitmap)},
        {"CreateBitmapIndirect", reinterpret_cast<void*>(&CountIndirect), reinterpret_cast<void**>(&GCreateBitmapIndirect)},
        {"CreateDIBSection", reinterpret_cast<void*>(&CountDibSection), reinterpret_cast<void**>(&GCreateDIBSection)},
        {"CreateDIBitmap", reinterpret_cast<void*>(&CountDiBitmap), reinterpret_cast<void**>(&GCreateDIBitmap)},
    };
    for (Entry& e : entries) *e.original = reinterpret_cast<void*>(GetProcAddress(gdi, e.name));
    int replaced = 0;
    for (auto* imp = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress); imp->Name; ++imp) {
        if (_stricmp(reinterpret_cast<const char*>(base + imp->Name), "gdi32.dll") != 0) continue;
        auto* slot = reinterpret_cast<IMAGE_THUNK_DATA*>(base + imp->FirstThunk);
        for (; slot->u1.Function; ++slot)
            for (Entry& e : entries) {
                if (!*e.original || reinterpret_cast<void*>(slot->u1.Function) != *e.original) continue;
                DWORD old = 0;
                VirtualProtect(&slot->u1.Function, sizeof slot->u1.Function, PAGE_READWRITE, &old);
                slot->u1.Function = reinterpret_cast<ULONG_PTR>(e.counter);
                VirtualProtect(&slot->u1.Function, sizeof slot->u1.Function, old, &old);
                ++replaced;
            }
    }
    return replaced;
}

// ---------------------------------------------------------------- CPU time

double ProcessCpuMs()
{
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return 0;
    const auto ms = [](const FILETIME& t) {
        return static_cast<double>((static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 10000.0;
    };
    return ms(kernel) + ms(user);
}

// The X server's CPU time from /proc/<pid>/stat (ticks of 10 ms); -1 when unknown.
double ServerCpuMs()
{
    const char* pid = std::getenv("TAMFERN_XSERVER_PID");
    if (!pid || !*pid) return -1;
    std::ifstream in(std::string("Z:\\proc\\") + pid + "\\stat");
    std::string line;
    if (!std::getline(in, line)) return -1;
    // Fields after the command name in parentheses: state is the third field.
    const size_t close = line.rfind(')');
    if (close == std::string::npos) return -1;
    std::istringstream fields(line.substr(close + 2));
    std::string f;
    unsigned long long utime = 0, stime = 0;
    for (int i = 3; i <= 15 && fields >> f; ++i) {
        if (i == 14) utime = std::strtoull(f.c_str(), nullptr, 10);
        if (i == 15) stime = std::strtoull(f.c_str(), nullptr, 10);
    }
    return static_cast<double>(utime + stime) * 10.0;
}

void Repaint(HWND window)
{
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    // Skinners that repaint by invalidating finish here.
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    GdiFlush();
}

struct Round {
    double Process = 0;
    double Server = -1;
};

int Repaints = 40;

Round MeasureRound(HWND window)
{
    Repaint(window);   // the first repaint after a switch pays for it
    const double p0 = ProcessCpuMs(), s0 = ServerCpuMs();
    for (int i = 0; i < Repaints; ++i) Repaint(window);
    const double p1 = ProcessCpuMs(), s1 = ServerCpuMs();
    return Round{p1 - p0, s0 >= 0 && s1 >= 0 ? s1 - s0 : -1};
}

double Median(std::vector<double> v)
{
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

// Arguments: rounds (7) and repaints per round (40).
int main(int argc, char** argv)
{
    const int imports = CountBitmapConstructors();
    if (argc > 2) Repaints = std::max(1, std::atoi(argv[2]));
    Application->Initialize();
    LiveSkinview live;
    std::fprintf(stderr, "previewer shown\n");
    std::fflush(stderr);
    if (!live.FormSkinner()) {
        std::printf("the previewer was not skinned\n");
        return 1;
    }
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    std::vector<double> skinned, plain, skinnedServer, plainServer, ratios;
    for (int r = 0; r < rounds; ++r) {
        const Round s = MeasureRound(live.window);
        live.RunAction(TSkinAction::Unskin);
        const Round u = MeasureRound(live.window);
        live.RunAction(TSkinAction::Skin);
        live.WaitSkinned();
        skinned.push_back(s.Process);
        plain.push_back(u.Process);
        if (s.Server >= 0 && u.Server >= 0) {
            skinnedServer.push_back(s.Server);
            plainServer.push_back(u.Server);
        }
        if (u.Process > 0) ratios.push_back(s.Process / u.Process);
        std::fprintf(stderr, "round %d: skinned %.0f ms, unskinned %.0f ms\n", r + 1, s.Process, u.Process);
        std::fflush(stderr);
    }
    std::printf("previewer: %d components, %d rounds of %d full repaints, skinned and unskinned interleaved\n",
                live.view.form->ComponentCount(), rounds, Repaints);
    std::printf("  process CPU per round (median): skinned %.0f ms, unskinned %.0f ms, ratio %.2f "
                "(median of the rounds' ratios %.2f)\n",
                Median(skinned), Median(plain), Median(plain) > 0 ? Median(skinned) / Median(plain) : 0.0,
                Median(ratios));
    if (!skinnedServer.empty()) {
        const double s = Median(skinnedServer), u = Median(plainServer);
        const double ps = Median(skinned) + s, pu = Median(plain) + u;
        std::printf("  X server CPU per round (median): skinned %.0f ms, unskinned %.0f ms; process and server "
                    "together: ratio %.2f\n",
                    s, u, pu > 0 ? ps / pu : 0.0);
    } else {
        std::printf("  X server CPU: not measured (TAMFERN_XSERVER_PID not set)\n");
    }

    // Bitmaps made by one skinned full repaint after the first.
    Repaint(live.window);
    const long before = GBitmapsCreated;
    Repaint(live.window);
    const long created = GBitmapsCreated - before;
    if (imports > 0)
        std::printf("  bitmaps created by the program during one skinned full repaint after the first: %ld\n", created);
    else
        std::printf("  bitmaps created during a repaint: not counted (no gdi32 imports found to wrap)\n");
    return 0;
}
