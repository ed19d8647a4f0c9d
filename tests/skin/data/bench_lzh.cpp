// Decode throughput of the skin decoder: the program's own skin and a
// several-megabyte container, medians of several runs, in MB/s of output.
//
//   bench_lzh [skin file]
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "SampleData.h"
#include "skin/data/Lzh.h"
#include "skin/data/SkinReader.h"
#include "tools/skinpack/SkinPack.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <time.h>
#endif

using Bytes = std::vector<uint8_t>;

namespace {

// Seconds on a monotonic clock (<chrono> is avoided: the Windows build's
// execution character set cannot encode its unit suffixes).
double Now()
{
#ifdef _WIN32
    LARGE_INTEGER f, t;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / static_cast<double>(f.QuadPart);
#else
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
#endif
}

double MedianSeconds(int runs, const std::function<void()>& body)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const double start = Now();
        body();
        times.push_back(Now() - start);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

struct Routines {
    tf::TLZH lzh;
    static uint16_t Read(void* c, uint8_t* b, uint16_t n) { return tf::TLZH::ReadFromInput(&static_cast<Routines*>(c)->lzh, b, n); }
    static uint16_t Write(void* c, const uint8_t* b, uint16_t n) { return tf::TLZH::WriteToOutput(&static_cast<Routines*>(c)->lzh, b, n); }
};

void Report(const char* what, int64_t bytes, double seconds, int runs)
{
    std::printf("  %-28s %8.1f MB/s  (%.2f ms, median of %d)\n", what, bytes / seconds / 1e6, seconds * 1e3, runs);
}

void Measure(const std::string& title, const Bytes& skin, int runs)
{
    tf::TMemoryStream probe(skin);
    const int32_t declared = probe.ReadInt32();
    std::printf("%s: %zu bytes -> %d bytes\n", title.c_str(), skin.size(), declared);

    const double buffered = MedianSeconds(runs, [&] {
        tf::TMemoryStream in(skin), out;
        in.SetPosition(4);
        tf::TLZH lzh;
        lzh.InputStream = &in;
        lzh.OutputStream = &out;
        lzh.Decode(declared);
    });
    Report("buffered decode", declared, buffered, runs);

    const double bytewise = MedianSeconds(runs, [&] {
        tf::TMemoryStream in(skin), out;
        in.SetPosition(4);
        Routines r;
        r.lzh.InputStream = &in;
        r.lzh.OutputStream = &out;
        r.lzh.Decode(declared, &Routines::Write, &Routines::Read, &r);
    });
    Report("byte-at-a-time decode", declared, bytewise, runs);

    const double load = MedianSeconds(runs, [&] {
        tf::TMemoryStream file(skin);
        tf::TSkinReader reader;
        if (!reader.Load(file)) std::printf("  (load failed: %s)\n", reader.LoadError().c_str());
    });
    Report("skin reader Load", declared, load, runs);
}

} // namespace

int main(int argc, char** argv)
{
    const std::string path = argc > 1 ? argv[1] : LIGHTBLUE_SKN;
    std::ifstream f(path, std::ios::binary);
    if (f) {
        const Bytes skin((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
        Measure("program skin " + path, skin, 21);
    } else {
        std::printf("program skin %s: not found\n", path.c_str());
    }

    // Drawn art compresses about as well as a skin; the mixed data (photo-like
    // noise, text, random bytes) is the decoder's slow case: mostly literals.
    std::vector<skinpack::SkinEntry> drawn;
    size_t total = 0;
    for (uint32_t i = 0; total < (8u << 20); ++i) {
        drawn.push_back({"drawn" + std::to_string(i) + ".bmp", sample::Bitmap(400 + static_cast<int>(i % 5) * 16, 300, i, false)});
        total += drawn.back().Bytes.size();
    }
    Measure("8 MB container of drawn bitmaps", skinpack::BuildSkinFile(skinpack::BuildContainer(drawn)), 7);

    const Bytes mixed = sample::Mixed(8u << 20);
    std::vector<skinpack::SkinEntry> entries;
    const size_t part = mixed.size() / 32;
    for (size_t i = 0; i < 32; ++i)
        entries.push_back({"entry" + std::to_string(i) + ".bmp",
                           Bytes(mixed.begin() + static_cast<long>(i * part), mixed.begin() + static_cast<long>((i + 1) * part))});
    Measure("8 MB container of mixed data", skinpack::BuildSkinFile(skinpack::BuildContainer(entries)), 7);
    return 0;
}
