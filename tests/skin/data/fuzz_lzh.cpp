// Fuzzes the LZH decoder: any input must decode without fault, and the
// buffered decoder must match the byte-at-a-time one byte for byte.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "skin/data/Lzh.h"

namespace {

struct Routines {
    tf::TLZH lzh;
    static uint16_t Read(void* c, uint8_t* b, uint16_t n) { return tf::TLZH::ReadFromInput(&static_cast<Routines*>(c)->lzh, b, n); }
    static uint16_t Write(void* c, const uint8_t* b, uint16_t n) { return tf::TLZH::WriteToOutput(&static_cast<Routines*>(c)->lzh, b, n); }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2) return 0;
    // The first two bytes choose how much to produce (up to 256 kB).
    const int32_t want = static_cast<int32_t>(data[0] | data[1] << 8) * 4 - 16;
    const std::vector<uint8_t> input(data + 2, data + size);

    tf::TMemoryStream in1(input), out1;
    tf::TLZH lzh;
    lzh.InputStream = &in1;
    lzh.OutputStream = &out1;
    lzh.Decode(want);

    tf::TMemoryStream in2(input), out2;
    Routines r;
    r.lzh.InputStream = &in2;
    r.lzh.OutputStream = &out2;
    r.lzh.Decode(want, &Routines::Write, &Routines::Read, &r);

    if (out1.Bytes() != out2.Bytes() || in1.Position() != in2.Position()) std::abort();
    const int64_t got = out1.Size();
    if (want <= 0 ? got != 0 : (got < want || got >= int64_t(want) + 60)) std::abort();
    return 0;
}
