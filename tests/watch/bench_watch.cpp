// Benchmark (not a test): a second thread creates N executables in one burst
// in a watched folder; the user-interface thread runs the change alarm's
// checks (exists, executable, not yet listed) on every reported name and
// prints how many files were flagged and the latency from each file's
// creation to its flagging. Runs each N with the 64 KiB notify buffer and,
// for comparison, with a 4 KiB one.
//
//   bench_watch [N ...]      (default: 100 1000 5000)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unordered_set>
#include <vector>

#include "WatchTestUtil.h"
#include "framework/threads/Threads.h"
#include "support/ExeTest.h"
#include "support/FileExists.h"
#include "support/PathUtils.h"
#include "tests/TestClock.h"
#include "watch/ShellChangeThread.h"

using namespace tf;
using namespace tf::test;

namespace {

double Now() { return tftest::NowMs(); }

std::string NameOf(int i)
{
    char buf[32];
    snprintf(buf, sizeof buf, "f%05d.exe", i);
    return buf;
}

class TCreator : public TThread {
public:
    TCreator(std::string dir, int n) : Created(static_cast<size_t>(n), 0.0), FDir(std::move(dir)) {}
    ~TCreator() override { TerminateAndWait(); }
    std::vector<double> Created;
    volatile bool Done = false;

protected:
    void Execute() override
    {
        for (size_t i = 0; i < Created.size(); ++i) {
            const std::string path = FDir + NameOf(static_cast<int>(i));
            Created[i] = Now();
            HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
            if (f != INVALID_HANDLE_VALUE) {
                DWORD n = 0;
                WriteFile(f, "MZ", 2, &n, nullptr);
                CloseHandle(f);
            }
        }
        Done = true;
    }

private:
    std::string FDir;
};

// The change alarm's checks, minus the window.
class TAlarm : public TObject {
public:
    TAlarm(const std::string& dir, const std::vector<double>& created) : FDir(dir), FCreated(created) {}
    std::unordered_set<std::string> Listed;
    std::vector<double> Latency;
    int Calls = 0;
    double LastDelivery = 0;

    void Change(TFileOperation, const std::string& a, const std::string& b)
    {
        ++Calls;
        LastDelivery = Now();
        Check(a);
        Check(b);
    }

private:
    void Check(const std::string& name)
    {
        if (name.empty() || !FileExistsAsFile(name) || !IsExecutableFile(name)) return;
        if (!Listed.insert(FoldPathCase(name)).second) return;
        const std::string file = ExtractFileName(name);
        const int i = atoi(file.c_str() + 1);
        if (i >= 0 && static_cast<size_t>(i) < FCreated.size()) Latency.push_back(Now() - FCreated[static_cast<size_t>(i)]);
    }
    std::string FDir;
    const std::vector<double>& FCreated;
};

double Percentile(std::vector<double> v, double p)
{
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const size_t i = std::min(v.size() - 1, static_cast<size_t>(p * static_cast<double>(v.size() - 1) + 0.5));
    return v[i];
}

void Run(int n, uint32_t bufferSize)
{
    TTempDir dir("bench");
    TCreator creator(dir.Folder(), n);
    TAlarm alarm(dir.Folder(), creator.Created);
    auto* worker = new TShellChangeThread(TFileDealMethod::Of<&TAlarm::Change>(&alarm), bufferSize);
    worker->ConfigureWorker(dir.Folder(), true, 0x5B, true);
    worker->Resume();
    PumpFor(200);

    const double start = Now();
    creator.Resume();
    // Until every file is flagged, or nothing has arrived for 3 s after the burst.
    PumpUntil(
        [&] {
            if (static_cast<int>(alarm.Listed.size()) >= n) return true;
            const double last = std::max(alarm.LastDelivery, start);
            return creator.Done && Now() - last > 3000;
        },
        600000);
    const double total = (alarm.LastDelivery > 0 ? alarm.LastDelivery : Now()) - start;
    worker->Stop();
    worker->Release();
    creator.WaitFor();

    printf("N=%5d buffer=%5u B: flagged %5zu (%5.1f%%)  latency ms: median %7.1f  p95 %7.1f  max %7.1f  "
           "reports %6d  last flag after %7.1f ms\n",
           n, bufferSize, alarm.Listed.size(), 100.0 * static_cast<double>(alarm.Listed.size()) / n,
           Percentile(alarm.Latency, 0.5), Percentile(alarm.Latency, 0.95), Percentile(alarm.Latency, 1.0),
           alarm.Calls, total);
    fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    InitThreads();
    std::vector<int> sizes;
    for (int i = 1; i < argc; ++i) sizes.push_back(atoi(argv[i]));
    if (sizes.empty()) sizes = {100, 1000, 5000};
    for (uint32_t buffer : {TShellChangeThread::NotifyBufferSize, 4096u})
        for (int n : sizes) Run(n, buffer);
    return 0;
}
