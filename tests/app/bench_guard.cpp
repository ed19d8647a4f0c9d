// Benchmark (not a test): the real guard, started from the built tamfern.exe
// and driven from this process.
//
//   bench_guard burst [runs] [N ...]   N executables created in one burst in a
//       new folder under C:\, names of 10 and 150 characters: how many the
//       running guard lists, and the time from the start of the burst until
//       the last one was listed (median of runs; default 3 runs of 1000 5000
//       20000, a single run for 20000). The time the burst itself took to
//       create is printed alongside as the reference. Up to 5,000 files go
//       into one folder; past that into folders of 1,000, made after the
//       watch was armed (under Wine each file created costs a look through
//       its whole folder: 20,000 in one would take many minutes to make).
//   bench_guard latency [count]        single new executables, one at a time:
//       the time from creating each until it is listed (median and 95th
//       percentile of count files, default 25), against the time to create
//       the file as the reference.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "Burst.h"
#include "GuardProcess.h"

using namespace guardtest;

namespace {

double Percentile(std::vector<double> v, double p)
{
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, static_cast<size_t>(p * static_cast<double>(v.size() - 1) + 0.5))];
}

double Median(const std::vector<double>& v) { return Percentile(v, 0.5); }

struct Run {
    int Listed;
    double LastMs;
    double CreateMs;
    double SlowestAnswerMs;
};

constexpr int OneFolderAtMost = 5000;

Run OneRun(int n, int nameLength)
{
    TempFolder home("tamfern-bench-");
    GuardProcess guard(home.Path());
    if (!guard.Form()) return {-1, 0, 0, 0};
    WatchedFolder folder("tamfern-burst-");
    Sleep(300);   // the new folder's own change is handled
    const std::vector<std::string> names = BurstNames(n, nameLength, n > OneFolderAtMost ? 1000 : 0);
    const double start = tftest::NowMs();
    const double createMs = CreateBurst(folder.Path(), names);
    const BurstResult r = WaitForListed(guard, n, start, 15000);
    if (!r.Answered) std::printf("   (the guard's list was not found, or never answered)\n");
    return {r.Listed, r.LastListedMs, createMs, r.SlowestAnswerMs};
}

int Latency(int count)
{
    TempFolder home("tamfern-bench-");
    GuardProcess guard(home.Path());
    if (!guard.Form()) {
        std::printf("latency: the guard did not start\n");
        return 1;
    }
    WatchedFolder folder("tamfern-latency-");
    Sleep(300);
    std::vector<double> latency, create;
    for (int i = 0; i < count; ++i) {
        const std::vector<std::string> name = {"single" + std::to_string(i) + ".exe"};
        const double start = tftest::NowMs();
        create.push_back(CreateBurst(folder.Path(), name));
        while (ListCount(guard) < i + 1 && tftest::NowMs() - start < 5000) Sleep(1);
        latency.push_back(tftest::NowMs() - start);
        Sleep(100);   // one file at a time
    }
    std::printf("alarm latency, %d single files: median %.1f ms, p95 %.1f ms (creating a file: median %.2f ms)\n",
                count, Percentile(latency, 0.5), Percentile(latency, 0.95), Percentile(create, 0.5));
    return 0;
}

int Burst(int argc, char** argv)
{
    int runs = argc > 2 ? std::atoi(argv[2]) : 3;
    if (runs < 1) runs = 1;
    std::vector<int> sizes;
    for (int i = 3; i < argc; ++i) sizes.push_back(std::atoi(argv[i]));
    if (sizes.empty()) sizes = {1000, 5000, 20000};

    for (int n : sizes)
        for (int length : {10, 150}) {
            const int times = n >= 20000 ? 1 : runs;
            std::vector<double> last, create, listed, answer;
            for (int i = 0; i < times; ++i) {
                const Run r = OneRun(n, length);
                if (r.Listed < 0) {
                    std::printf("N=%5d names of %3d: the guard did not start\n", n, length);
                    return 1;
                }
                last.push_back(r.LastMs);
                create.push_back(r.CreateMs);
                listed.push_back(r.Listed);
                answer.push_back(r.SlowestAnswerMs);
            }
            const double lastMs = Median(last), createMs = Median(create);
            std::printf("N=%5d names of %3d chars, %s, %d run(s): listed %6.0f (%5.1f%%)  last listed after "
                        "%8.0f ms  (burst created in %7.0f ms, ratio %5.2f)  slowest answer %5.0f ms\n",
                        n, length, n > OneFolderAtMost ? "folders of 1,000" : "one folder", times, Median(listed),
                        100.0 * Median(listed) / n, lastMs, createMs,
                        createMs > 0 ? lastMs / createMs : 0.0, Median(answer));
            std::fflush(stdout);
        }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "burst") return Burst(argc, argv);
    if (mode == "latency") return Latency(argc > 2 ? std::max(1, std::atoi(argv[2])) : 25);
    std::fprintf(stderr, "usage: bench_guard burst [runs] [N ...] | latency [count]\n");
    return 2;
}
