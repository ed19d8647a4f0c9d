// SHA-256 throughput of FileSha256 over one file: the hash, then the median
// of several runs in milliseconds and MB/s. scripts/bench.sh sets it against
// sha256sum on the same file.
//   bench_file_hash <file> [runs]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <windows.h>

#include "support/FileHash.h"
#include "tests/TestClock.h"

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_file_hash <file> [runs]\n");
        return 2;
    }
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(argv[1], GetFileExInfoStandard, &data)) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    const double megabytes = (static_cast<double>(data.nFileSizeHigh) * 4294967296.0 + data.nFileSizeLow) / 1e6;
    std::vector<double> times;
    std::string hex;
    for (int i = 0; i < runs; ++i) {
        const double start = tftest::NowMs();
        if (!tf::FileSha256(argv[1], hex)) {
            std::fprintf(stderr, "cannot hash %s\n", argv[1]);
            return 1;
        }
        times.push_back(tftest::NowMs() - start);
    }
    std::sort(times.begin(), times.end());
    const double median = times[times.size() / 2];
    std::printf("%s %.1f %.1f\n", hex.c_str(), median, megabytes / (median / 1000.0));
    return 0;
}
