#include "Lzh.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

namespace tf {

const char* const SLzhNoMemory = "LZH : Cannot get memory for dictionary tables";
const char* const SLzhFreeError = "LZH : Error freeing memory for dictionary tables";

namespace {

constexpr int kWindow = 4096;
constexpr int kLongest = 60;
constexpr int kThreshold = 2;
constexpr int kSymbols = 256 - kThreshold + kLongest;   // 314
constexpr int kNodes = kSymbols * 2 - 1;                // 627
constexpr int kRoot = kNodes - 1;                       // 626
constexpr uint16_t kMaxWeight = 0x8000;
constexpr int kStart = kWindow - kLongest;              // 4036

// The fixed offset prefix code, indexed by the first 8 bits of an offset.
struct OffsetTables {
    uint8_t upper[256];
    uint8_t length[256];
    OffsetTables()
    {
        // (value count, entries per value) runs of the upper-bits table.
        static const int runs[][2] = {{1, 32}, {3, 16}, {8, 8}, {12, 4}, {24, 2}, {16, 1}};
        int pos = 0, value = 0;
        for (const auto& run : runs)
            for (int v = 0; v < run[0]; ++v, ++value)
                for (int k = 0; k < run[1]; ++k) upper[pos++] = static_cast<uint8_t>(value);
        static const int lengths[][2] = {{3, 32}, {4, 48}, {5, 64}, {6, 48}, {7, 48}, {8, 16}};
        pos = 0;
        for (const auto& run : lengths)
            for (int k = 0; k < run[1]; ++k) length[pos++] = static_cast<uint8_t>(run[0]);
    }
};
const OffsetTables kOffsets;

// Per-run state: the tree, the ring and the bit reader. Allocated per run.
struct Tables {
    uint16_t weight[kNodes + 1];
    int16_t parent[kNodes + kSymbols];
    int16_t child[kNodes];
    uint8_t ring[kWindow + kLongest - 1];
};

void InitTree(Tables& t)
{
    for (int i = 0; i < kSymbols; ++i) {
        t.weight[i] = 1;
        t.child[i] = static_cast<int16_t>(i + kNodes);
        t.parent[i + kNodes] = static_cast<int16_t>(i);
    }
    for (int i = 0, j = kSymbols; j <= kRoot; i += 2, ++j) {
        t.weight[j] = static_cast<uint16_t>(t.weight[i] + t.weight[i + 1]);
        t.child[j] = static_cast<int16_t>(i);
        t.parent[i] = t.parent[i + 1] = static_cast<int16_t>(j);
    }
    t.weight[kNodes] = 0xFFFF;
    t.parent[kRoot] = 0;
}

void RebuildTree(Tables& t)
{
    int k = 0;
    for (int i = 0; i < kNodes; ++i) {
        if (t.child[i] >= kNodes) {
            t.weight[k] = static_cast<uint16_t>((t.weight[i] + 1) / 2);
            t.child[k] = t.child[i];
            ++k;
        }
    }
    for (int i = 0, j = kSymbols; j < kNodes; i += 2, ++j) {
        const uint16_t f = static_cast<uint16_t>(t.weight[i] + t.weight[i + 1]);
        int pos = j - 1;
        while (f < t.weight[pos]) --pos;
        k = pos + 1;
        std::memmove(&t.weight[k + 1], &t.weight[k], sizeof(t.weight[0]) * static_cast<size_t>(j - k));
        std::memmove(&t.child[k + 1], &t.child[k], sizeof(t.child[0]) * static_cast<size_t>(j - k));
        t.weight[k] = f;
        t.child[k] = static_cast<int16_t>(i);
    }
    for (int i = 0; i < kNodes; ++i) {
        const int c = t.child[i];
        if (c >= kNodes) {
            t.parent[c] = static_cast<int16_t>(i);
        } else {
            t.parent[c] = t.parent[c + 1] = static_cast<int16_t>(i);
        }
    }
}

void UpdateTree(Tables& t, int symbol)
{
    if (t.weight[kRoot] == kMaxWeight) RebuildTree(t);
    int c = t.parent[symbol + kNodes];
    do {
        const uint16_t k = ++t.weight[c];
        int l = c + 1;
        if (k > t.weight[l]) {
            while (k > t.weight[l + 1]) ++l;   // the sentinel ends the scan
            t.weight[c] = t.weight[l];
            t.weight[l] = k;
            const int i = t.child[c];
            t.parent[i] = static_cast<int16_t>(l);
            if (i < kNodes) t.parent[i + 1] = static_cast<int16_t>(l);
            const int j = t.child[l];
            t.child[l] = static_cast<int16_t>(i);
            t.parent[j] = static_cast<int16_t>(c);
            if (j < kNodes) t.parent[j + 1] = static_cast<int16_t>(c);
            t.child[c] = static_cast<int16_t>(j);
            c = l;
        }
        c = t.parent[c];
    } while (c != 0);
}

// Bit reader over a byte source: Next() gives the next input byte, or -1
// when the source has nothing more.
template <class Source>
class BitReader {
public:
    explicit BitReader(Source& source) : FSource(source) {}

    // Bytes asked for after the source had nothing more.
    int64_t Missing() const { return FMissing; }

    int ReadBit()
    {
        Fill();
        const int bit = FBuffer >> 15;
        FBuffer = static_cast<uint16_t>(FBuffer << 1);
        --FCount;
        return bit;
    }

    int ReadByte()
    {
        Fill();
        const int byte = FBuffer >> 8;
        FBuffer = static_cast<uint16_t>(FBuffer << 8);
        FCount -= 8;
        return byte;
    }

private:
    void Fill()
    {
        while (FCount <= 8) {
            int b = FSource.Next();
            if (b < 0) {
                b = 0;
                ++FMissing;
            }
            FBuffer = static_cast<uint16_t>(FBuffer | (b << (8 - FCount)));
            FCount += 8;
        }
    }

    Source& FSource;
    int64_t FMissing = 0;
    uint16_t FBuffer = 0;
    int FCount = 0;
};

template <class Bits>
int DecodeSymbol(Tables& t, Bits& bits)
{
    int c = t.child[kRoot];
    while (c < kNodes) c = t.child[c + bits.ReadBit()];
    c -= kNodes;
    UpdateTree(t, c);
    return c;
}

template <class Bits>
int DecodeOffset(Bits& bits)
{
    int i = bits.ReadByte();
    const int upper = kOffsets.upper[i] << 6;
    const int n = kOffsets.length[i] - 2;
    for (int k = 0; k < n; ++k) i = static_cast<uint16_t>((i << 1) + bits.ReadBit());
    return upper | (i & 0x3F);
}

std::unique_ptr<Tables> AllocateTables()
{
    std::unique_ptr<Tables> t(new (std::nothrow) Tables);
    if (!t) throw ElzhException(SLzhNoMemory);
    return t;
}

// The decoding loop shared by both I/O styles: Sink::Put(byte) takes output.
// Answers how many input bytes it had to invent as zeros.
template <class Source, class Sink>
int64_t Run(int32_t size, Source& source, Sink& sink)
{
    const std::unique_ptr<Tables> tables = AllocateTables();
    Tables& t = *tables;
    InitTree(t);
    std::memset(t.ring, ' ', kStart);
    std::memset(t.ring + kStart, 0, sizeof(t.ring) - kStart);
    BitReader<Source> bits(source);
    int r = kStart;
    int64_t produced = 0;   // a final match may run up to 59 bytes past size
    while (produced < size) {
        const int c = DecodeSymbol(t, bits);
        if (c < 256) {
            sink.Put(static_cast<uint8_t>(c));
            t.ring[r] = static_cast<uint8_t>(c);
            r = (r + 1) & (kWindow - 1);
            ++produced;
        } else {
            const int start = (r - DecodeOffset(bits) - 1) & (kWindow - 1);
            const int length = c - 255 + kThreshold;
            for (int k = 0; k < length; ++k) {
                const uint8_t b = t.ring[(start + k) & (kWindow - 1)];
                sink.Put(b);
                t.ring[r] = b;
                r = (r + 1) & (kWindow - 1);
            }
            produced += length;
        }
    }
    sink.Flush();
    return bits.Missing();
}

// One routine call per byte, as the routines' contract describes.
struct RoutineSource {
    TLzhReadProc Read;
    void* Context;
    int Next()
    {
        uint8_t b = 0;
        return Read(Context, &b, 1) == 1 ? b : -1;
    }
};

struct RoutineSink {
    TLzhWriteProc Write;
    void* Context;
    void Put(uint8_t b) { Write(Context, &b, 1); }
    void Flush() {}
};

// Buffered stream input; Rewind() gives back what was fetched but not used,
// so the stream ends where the byte-at-a-time reader would have left it.
class StreamSource {
public:
    explicit StreamSource(TStream& stream) : FStream(stream) {}

    int Next()
    {
        if (FPos == FEnd) {
            FPos = 0;
            FEnd = FStream.Read(FBuffer, sizeof(FBuffer));
            if (FEnd <= 0) {
                FEnd = 0;
                return -1;
            }
        }
        return FBuffer[FPos++];
    }

    void Rewind()
    {
        if (FEnd > FPos) FStream.Seek(-static_cast<int64_t>(FEnd - FPos), TSeekOrigin::Current);
        FPos = FEnd = 0;
    }

private:
    TStream& FStream;
    uint8_t FBuffer[16384];
    int32_t FPos = 0;
    int32_t FEnd = 0;
};

class StreamSink {
public:
    explicit StreamSink(TStream& stream) : FStream(stream) {}

    void Put(uint8_t b)
    {
        FBuffer[FCount++] = b;
        if (FCount == sizeof(FBuffer)) Flush();
    }

    void Flush()
    {
        if (FCount > 0) FStream.WriteBuffer(FBuffer, FCount);
        FCount = 0;
    }

private:
    TStream& FStream;
    uint8_t FBuffer[32768];
    int32_t FCount = 0;
};

} // namespace

void TLZH::Decode(int32_t size, TLzhWriteProc write, TLzhReadProc read, void* context)
{
    FMissingInput = 0;
    if (size <= 0) return;
    RoutineSource source{read, context};
    RoutineSink sink{write, context};
    FMissingInput = Run(size, source, sink);
}

void TLZH::Decode(int32_t size)
{
    FMissingInput = 0;
    if (size <= 0) return;
    if (!InputStream || !OutputStream) throw EStreamError("LZH : no input or output stream");
    auto source = std::make_unique<StreamSource>(*InputStream);
    auto sink = std::make_unique<StreamSink>(*OutputStream);
    try {
        FMissingInput = Run(size, *source, *sink);
    } catch (...) {
        source->Rewind();
        throw;
    }
    source->Rewind();
}

uint16_t TLZH::ReadFromInput(void* context, uint8_t* buffer, uint16_t count)
{
    TStream& in = *static_cast<TLZH*>(context)->InputStream;
    const int64_t left = in.Size() - in.Position();
    const int32_t n = static_cast<int32_t>(std::clamp<int64_t>(left, 0, count));
    return n > 0 ? static_cast<uint16_t>(in.Read(buffer, n)) : 0;
}

uint16_t TLZH::WriteToOutput(void* context, const uint8_t* buffer, uint16_t count)
{
    static_cast<TLZH*>(context)->OutputStream->WriteBuffer(buffer, count);
    return count;
}

int64_t TLZH::MaxDecodedSize(int64_t inputBytes)
{
    // Every symbol takes at least one bit and a match's offset at least nine
    // more, so ten bits carry at most 60 bytes.
    if (inputBytes < 0) inputBytes = 0;
    return inputBytes * 8 / 10 * kLongest + kLongest * 2;
}

} // namespace tf
