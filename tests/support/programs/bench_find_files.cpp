// First-start search benchmark: walks a tree with FindFiles("*.exe;*.dll"),
// then lists the same tree with "cmd /c dir /s /b /a" as the reference, and
// prints both rates, their ratio and this process's peak memory.
//   bench_find_files <tree>
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <string>

#include "support/FindFiles.h"
#include "tests/TestClock.h"

namespace {

double Now() { return tftest::NowMs() / 1000.0; }

// Lines of "dir /s /b /a" output: one per file or directory below the tree.
long RunDir(const std::string& tree, double& seconds)
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string out = std::string(temp) + "bench_dir_" + std::to_string(GetCurrentProcessId()) + ".txt";
    std::string cmd = "cmd /c dir /s /b /a \"" + tree + "\" > \"" + out + "\"";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    const double start = Now();
    if (!CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return -1;
    WaitForSingleObject(pi.hProcess, INFINITE);
    seconds = Now() - start;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);

    long lines = 0;
    if (FILE* f = std::fopen(out.c_str(), "rb")) {
        for (int c; (c = std::fgetc(f)) != EOF;)
            if (c == '\n') ++lines;
        std::fclose(f);
    }
    DeleteFileA(out.c_str());
    return lines;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_find_files <tree>\n");
        return 2;
    }
    const std::string tree = argv[1];

    long files = 0, directoryCalls = 0;
    const double start = Now();
    const int32_t matches = tf::FindFiles(tree, "*.exe;*.dll", [&](const std::string&, int32_t kind, bool&) {
        if (kind == tf::fkFile) ++files;
        else if (kind == tf::fkDirectory) ++directoryCalls;
    });
    const double findSeconds = Now() - start;

    PROCESS_MEMORY_COUNTERS mem{};
    mem.cb = sizeof mem;
    GetProcessMemoryInfo(GetCurrentProcess(), &mem, sizeof mem);

    double dirSeconds = 0;
    const long dirLines = RunDir(tree, dirSeconds);

    // Each subdirectory gives two kind-1 calls (its own and its parent's
    // after it), the tree itself one; dir lists files and directories alike.
    const long findEntries = files + (directoryCalls - 1) / 2;
    const double findRate = findEntries / findSeconds;
    const double dirRate = dirLines / dirSeconds;
    std::printf("tree %s\n", tree.c_str());
    std::printf("FindFiles: %ld files, %ld entries, %d matches, %.3f s, %.0f files/s, %.0f entries/s\n", files,
                findEntries, matches, findSeconds, files / findSeconds, findRate);
    std::printf("dir /s /b /a: %ld entries, %.3f s, %.0f entries/s\n", dirLines, dirSeconds, dirRate);
    std::printf("speed ratio FindFiles/dir (entries per second): %.2f\n", findRate / dirRate);
    std::printf("peak working set: %lu KiB, peak private bytes: %lu KiB\n",
                static_cast<unsigned long>(mem.PeakWorkingSetSize / 1024),
                static_cast<unsigned long>(mem.PeakPagefileUsage / 1024));
    return 0;
}
