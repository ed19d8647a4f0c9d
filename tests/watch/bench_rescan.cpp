// Benchmark (not a test): the cost of the watcher's rescan after lost
// changes, on a generated tree. Walks the tree as the rescan does, once with
// every file recent (all are handed on, executables picked by the guard's
// filter) and once with none recent (the walk alone), against FindFiles over
// the same tree as the reference. Medians of several runs.
//
//   bench_rescan <tree> [runs]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "support/ExeTest.h"
#include "tests/TestClock.h"
#include "support/FindFiles.h"
#include "watch/Rescan.h"

using namespace tf;

namespace {

double Now() { return tftest::NowMs() / 1000.0; }

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

struct Walk {
    double Seconds;
    uint64_t Looked;
    size_t Found;
};

Walk Rescan(const std::string& tree, uint64_t since, TRescanFilter filter)
{
    size_t found = 0;
    const double start = Now();
    const uint64_t looked = WalkRecentFiles(
        tree, true, since, filter, 64,
        [&](TFoundFiles&& files) {
            found += files.Size();
            return true;
        },
        [] { return false; });
    return {Now() - start, looked, found};
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_rescan <tree> [runs]\n");
        return 2;
    }
    std::string tree = argv[1];
    if (tree.back() != '\\') tree += '\\';
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;

    std::vector<double> all, none, reference;
    Walk last{};
    size_t foundNone = 0;
    for (int i = 0; i < runs; ++i) {
        const double start = Now();
        FindFiles(tree, "*.*");
        reference.push_back(Now() - start);
        last = Rescan(tree, 0, &IsFoundFileExecutable);
        all.push_back(last.Seconds);
        const Walk quiet = Rescan(tree, SystemTimeNow() + RescanMargin, &IsFoundFileExecutable);
        none.push_back(quiet.Seconds);
        foundNone = quiet.Found;
    }
    const double ref = Median(reference);
    std::printf("tree %s: %llu entries, %d run(s)\n", tree.c_str(), static_cast<unsigned long long>(last.Looked), runs);
    std::printf("rescan, every file recent: %.3f s (%zu executables handed on), ratio to FindFiles %.2f\n",
                Median(all), last.Found, Median(all) / ref);
    std::printf("rescan, no file recent:    %.3f s (%zu handed on), ratio to FindFiles %.2f\n", Median(none),
                foundNone, Median(none) / ref);
    std::printf("reference FindFiles walk:  %.3f s\n", ref);
    return 0;
}
