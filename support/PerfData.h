// Process and thread lists from the system's performance data (NT 3.x/4.0).
#pragma once
#include <cstddef>
#include <cstdint>

#include "support/ProcessList.h"

namespace tf {

// Performance data title indices used here.
constexpr uint32_t PerfProcessObject = 230;
constexpr uint32_t PerfThreadObject = 232;
constexpr uint32_t PerfProcessIdCounter = 784;
constexpr uint32_t PerfThreadIdCounter = 804;

// Queries the value "230 232" of HKEY_PERFORMANCE_DATA and walks it into the
// lists asked for (null: not asked); withWindows also lists each thread's
// windows. True when a list asked for is not empty.
bool ReadPerfData(TProcessList* processes, TThreadList* threads, bool withWindows);

// The walk alone, over a performance data block of size bytes. Processes are
// named by their instance plus ".exe" ("System" stays bare; ID 0 is
// "[System Process]"); the last instance of an object, the total, is left out.
// Nothing outside the block is read, whatever its offsets say.
bool WalkPerfData(const uint8_t* data, size_t size, TProcessList* processes, TThreadList* threads);

} // namespace tf
