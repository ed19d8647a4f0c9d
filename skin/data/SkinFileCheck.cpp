#include "skin/data/SkinFileCheck.h"

#include <algorithm>
#include <cstring>

#include "skin/data/Lzh.h"

namespace tf {

namespace {

struct TCountingInput {
    const std::vector<uint8_t>& Bytes;
    size_t Position = 4;
    int64_t Missing = 0;
};

uint16_t ReadCounting(void* context, uint8_t* buffer, uint16_t count)
{
    auto& in = *static_cast<TCountingInput*>(context);
    const size_t left = in.Bytes.size() - in.Position;
    const size_t n = std::min<size_t>(left, count);
    if (n < count) in.Missing += static_cast<int64_t>(count - n);
    std::memcpy(buffer, in.Bytes.data() + in.Position, n);
    in.Position += n;
    return static_cast<uint16_t>(n);
}

uint16_t Discard(void*, const uint8_t*, uint16_t count) { return count; }

} // namespace

int64_t SkinFileMissingBytes(const std::vector<uint8_t>& skinFile)
{
    if (skinFile.size() < 4) return 0;
    int32_t declared = 0;
    std::memcpy(&declared, skinFile.data(), 4);   // little-endian on every target
    if (declared <= 0 || declared > TLZH::MaxDecodedSize(static_cast<int64_t>(skinFile.size()) - 4)) return 0;
    TCountingInput input{skinFile};
    TLZH lzh;
    lzh.Decode(declared, &Discard, &ReadCounting, &input);
    return input.Missing;
}

bool SkinFileComplete(const std::vector<uint8_t>& skinFile) { return SkinFileMissingBytes(skinFile) <= 2; }

} // namespace tf
