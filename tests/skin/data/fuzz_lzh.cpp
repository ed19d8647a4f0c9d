// Fuzzes the LZH decoder. Two modes, chosen by the first byte's high bit:
//  - decode: the rest is a compressed stream; it must decode without fault,
//    and the buffered decoder must match the byte-at-a-time one exactly;
//  - round trip: the rest is data; the packer's encoder and the decoder
//    must give it back unchanged.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "skin/data/Lzh.h"
#include "tools/skinpack/LzhEncoder.h"

namespace {

struct Routines {
    tf::TLZH lzh;
    static uint16_t Read(void* c, uint8_t* b, uint16_t n) { return tf::TLZH::ReadFromInput(&static_cast<Routines*>(c)->lzh, b, n); }
    static uint16_t Write(void* c, const uint8_t* b, uint16_t n) { return tf::TLZH::WriteToOutput(&static_cast<Routines*>(c)->lzh, b, n); }
};

std::vector<uint8_t> Decode(const std::vector<uint8_t>& input, int32_t size, int64_t& inputEnd)
{
    tf::TMemoryStream in(input), out;
    tf::TLZH lzh;
    lzh.InputStream = &in;
    lzh.OutputStream = &out;
    lzh.Decode(size);
    inputEnd = in.Position();
    return out.Bytes();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2) return 0;
    int64_t end1 = 0, end2 = 0;
    if (data[0] & 0x80) {
        const std::vector<uint8_t> plain(data + 1, data + size);
        const std::vector<uint8_t> bits = skinpack::LzhCompress(plain.data(), plain.size(), 64);
        if (Decode(bits, static_cast<int32_t>(plain.size()), end1) != plain) std::abort();
        return 0;
    }
    // The first two bytes choose how much to produce (up to 16 kB).
    const int32_t want = static_cast<int32_t>((data[0] | data[1] << 8) & 0xFFF) * 4 - 16;
    const std::vector<uint8_t> input(data + 2, data + size);
    const std::vector<uint8_t> out1 = Decode(input, want, end1);

    tf::TMemoryStream in2(input), out2;
    Routines r;
    r.lzh.InputStream = &in2;
    r.lzh.OutputStream = &out2;
    r.lzh.Decode(want, &Routines::Write, &Routines::Read, &r);
    end2 = in2.Position();

    if (out1 != out2.Bytes() || end1 != end2) std::abort();
    const int64_t got = static_cast<int64_t>(out1.size());
    if (want <= 0 ? got != 0 : (got < want || got >= int64_t(want) + 60)) std::abort();
    return 0;
}
