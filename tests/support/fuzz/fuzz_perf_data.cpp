// Feeds arbitrary bytes to the performance data walk: it must never read
// outside the block, whatever its offsets and counts claim.
#include <cstddef>
#include <cstdint>

#include "support/PerfData.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    tf::TProcessList processes;
    tf::TThreadList threads;
    tf::WalkPerfData(data, size, &processes, &threads);
    tf::WalkPerfData(data, size, nullptr, &threads);
    return 0;
}
