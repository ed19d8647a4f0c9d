// Arbitrary bytes as a batch of change records: the decoder must stay inside
// the buffer and report at most one change per record header it could hold.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "watch/NotifyRecords.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // An exact-size copy, so any read past the end is caught.
    std::vector<uint8_t> copy(data, data + size);
    const auto changes = tf::DecodeNotifyRecords(copy.data(), copy.size(), "C:\\");
    if (changes.size() > size / 12) abort();
    for (const auto& c : changes)
        if (c.FileName1.size() > 3 + size || c.FileName2.size() > 3 + size) abort();
    return 0;
}
