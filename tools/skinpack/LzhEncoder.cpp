#include "LzhEncoder.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace skinpack {

namespace {

constexpr int kRing = 4096;
constexpr int kMinMatch = 3;
constexpr int kMaxMatch = 60;
constexpr int kLeaves = 256 + kMaxMatch - kMinMatch + 1;   // literals and lengths 3..60: 314
constexpr int kPositions = 2 * kLeaves - 1;                // 627
constexpr int kTop = kPositions - 1;
constexpr int kPrefill = kRing - kMaxMatch;                // the decoder's ring starts as this many spaces

// Prefix code of the upper six offset bits: groups of values sharing one
// code length, codes handed out in order from 000 upwards.
struct OffsetCode {
    uint8_t code[64];
    uint8_t length[64];
    OffsetCode()
    {
        static const int groups[][2] = {{1, 3}, {3, 4}, {8, 5}, {12, 6}, {24, 7}, {16, 8}};   // (values, bits)
        int value = 0;
        int next = 0;   // next free code as an 8-bit prefix index
        for (const auto& g : groups) {
            const int bits = g[1];
            for (int k = 0; k < g[0]; ++k, ++value) {
                code[value] = static_cast<uint8_t>(next >> (8 - bits));
                length[value] = static_cast<uint8_t>(bits);
                next += 1 << (8 - bits);
            }
        }
    }
};
const OffsetCode kOffsetCode;

} // namespace

// The adaptive code as the encoder sees it: node weights kept sorted by
// position, each inner position naming its first child, each node and leaf
// knowing its parent.
class LzhTokenWriter::Model {
public:
    Model()
    {
        for (int s = 0; s < kLeaves; ++s) {
            w[s] = 1;
            down[s] = static_cast<int16_t>(s + kPositions);
            up[s + kPositions] = static_cast<int16_t>(s);
        }
        for (int a = 0, slot = kLeaves; slot < kPositions; a += 2, ++slot) {
            w[slot] = static_cast<uint16_t>(w[a] + w[a + 1]);
            down[slot] = static_cast<int16_t>(a);
            up[a] = up[a + 1] = static_cast<int16_t>(slot);
        }
        w[kPositions] = 0xFFFF;   // stops the search for a swap partner
        up[kTop] = 0;
    }

    // Bits of symbol s from the top down; returns how many.
    int Path(int s, uint8_t* bits) const
    {
        uint8_t reversed[kPositions];
        int n = 0;
        for (int pos = up[s + kPositions]; pos != kTop;) {
            const int parent = up[pos];
            reversed[n++] = static_cast<uint8_t>(pos - down[parent]);
            pos = parent;
        }
        for (int i = 0; i < n; ++i) bits[i] = reversed[n - 1 - i];
        return n;
    }

    void Adapt(int s)
    {
        if (w[kTop] == 0x8000) Regroup();
        int pos = up[s + kPositions];
        do {
            const uint16_t now = ++w[pos];
            if (now > w[pos + 1]) {
                int above = pos + 1;
                while (w[above + 1] < now) ++above;
                w[pos] = w[above];
                w[above] = now;
                const int a = down[pos];
                const int b = down[above];
                down[pos] = static_cast<int16_t>(b);
                down[above] = static_cast<int16_t>(a);
                Link(a, above);
                Link(b, pos);
                pos = above;
            }
            pos = up[pos];
        } while (pos != 0);
    }

private:
    void Link(int child, int parent)
    {
        up[child] = static_cast<int16_t>(parent);
        if (child < kPositions) up[child + 1] = static_cast<int16_t>(parent);
    }

    // Halves the leaf weights and rebuilds the inner nodes in weight order.
    void Regroup()
    {
        int n = 0;
        for (int pos = 0; pos < kPositions; ++pos) {
            if (down[pos] >= kPositions) {
                w[n] = static_cast<uint16_t>((w[pos] + 1) >> 1);
                down[n] = down[pos];
                ++n;
            }
        }
        for (int a = 0, slot = kLeaves; slot < kPositions; a += 2, ++slot) {
            const uint16_t sum = static_cast<uint16_t>(w[a] + w[a + 1]);
            int at = slot;
            while (w[at - 1] > sum) --at;
            for (int m = slot; m > at; --m) {
                w[m] = w[m - 1];
                down[m] = down[m - 1];
            }
            w[at] = sum;
            down[at] = static_cast<int16_t>(a);
        }
        for (int pos = 0; pos < kPositions; ++pos) Link(down[pos], pos);
    }

    uint16_t w[kPositions + 1];
    int16_t up[kPositions + kLeaves];
    int16_t down[kPositions];
};

LzhTokenWriter::LzhTokenWriter() : FModel(new Model) {}

LzhTokenWriter::~LzhTokenWriter() { delete FModel; }

void LzhTokenWriter::PutBits(uint32_t bits, int count)
{
    for (int i = count - 1; i >= 0; --i) {
        FPending = (FPending << 1) | ((bits >> i) & 1u);
        if (++FPendingCount == 8) {
            FOut.push_back(static_cast<uint8_t>(FPending));
            FPending = 0;
            FPendingCount = 0;
        }
    }
}

void LzhTokenWriter::PutSymbol(int symbol)
{
    if (!FModel) throw std::logic_error("LzhTokenWriter used after Finish");
    uint8_t bits[kPositions];
    const int n = FModel->Path(symbol, bits);
    for (int i = 0; i < n; ++i) PutBits(bits[i], 1);
    FModel->Adapt(symbol);
    ++FSymbols;
}

void LzhTokenWriter::Literal(uint8_t byte) { PutSymbol(byte); }

void LzhTokenWriter::Match(int distance, int length)
{
    if (distance < 1 || distance > kRing || length < kMinMatch || length > kMaxMatch)
        throw std::invalid_argument("LZH match out of range");
    PutSymbol(256 + length - kMinMatch);
    const int offset = distance - 1;
    const int upper = offset >> 6;
    PutBits(kOffsetCode.code[upper], kOffsetCode.length[upper]);
    PutBits(static_cast<uint32_t>(offset & 0x3F), 6);
}

std::vector<uint8_t> LzhTokenWriter::Finish()
{
    if (FPendingCount > 0) PutBits(0, 8 - FPendingCount);
    delete FModel;
    FModel = nullptr;
    return std::move(FOut);
}

namespace {

// Greedy matching with one step of look-ahead over hash chains of 3-byte
// prefixes. The text is preceded by the decoder's initial ring of spaces so
// that leading blanks can be copied from it.
class Matcher {
public:
    Matcher(const uint8_t* data, size_t size, int maxChain)
        : FText(kPrefill + size, ' '), FPrev(kPrefill + size, -1), FHead(1 << 15, -1), FMaxChain(maxChain)
    {
        if (size > 0) std::memcpy(FText.data() + kPrefill, data, size);
    }

    size_t Start() const { return kPrefill; }
    size_t End() const { return FText.size(); }
    uint8_t At(size_t p) const { return FText[p]; }

    // Longest match for position p (0 when shorter than 3); distance in dist.
    int Longest(size_t p, int& dist)
    {
        CatchUp(p);
        dist = 0;
        const size_t limit = std::min<size_t>(kMaxMatch, End() - p);
        if (limit < kMinMatch) return 0;
        int best = 0;
        int chain = FMaxChain;
        for (int64_t q = FHead[Hash(p)]; q >= 0 && chain-- > 0; q = FPrev[static_cast<size_t>(q)]) {
            const size_t d = p - static_cast<size_t>(q);
            if (d > kRing) break;
            const uint8_t* a = &FText[static_cast<size_t>(q)];
            const uint8_t* b = &FText[p];
            if (a[best] != b[best]) continue;
            size_t len = 0;
            while (len < limit && a[len] == b[len]) ++len;
            if (static_cast<int>(len) > best) {
                best = static_cast<int>(len);
                dist = static_cast<int>(d);
                if (len == limit) break;
            }
        }
        return best >= kMinMatch ? best : 0;
    }

private:
    uint32_t Hash(size_t p) const
    {
        return ((static_cast<uint32_t>(FText[p]) << 10) ^ (static_cast<uint32_t>(FText[p + 1]) << 5) ^ FText[p + 2]) &
               0x7FFF;
    }

    // Enters every position before p into the chains.
    void CatchUp(size_t p)
    {
        for (; FNext < p; ++FNext) {
            if (FNext + 2 >= End()) continue;
            const uint32_t h = Hash(FNext);
            FPrev[FNext] = FHead[h];
            FHead[h] = static_cast<int64_t>(FNext);
        }
    }

    std::vector<uint8_t> FText;
    std::vector<int64_t> FPrev;
    std::vector<int64_t> FHead;
    size_t FNext = 0;
    int FMaxChain;
};

} // namespace

std::vector<uint8_t> LzhCompress(const uint8_t* data, size_t size, int maxChain)
{
    Matcher m(data, size, maxChain < 1 ? 1 : maxChain);
    LzhTokenWriter out;
    size_t p = m.Start();
    int dist = 0;
    int len = p < m.End() ? m.Longest(p, dist) : 0;
    while (p < m.End()) {
        if (len == 0) {
            out.Literal(m.At(p));
            ++p;
            if (p < m.End()) len = m.Longest(p, dist);
            continue;
        }
        int nextDist = 0;
        const int next = len < kMaxMatch && p + 1 < m.End() ? m.Longest(p + 1, nextDist) : 0;
        if (next > len) {
            out.Literal(m.At(p));
            ++p;
            len = next;
            dist = nextDist;
            continue;
        }
        out.Match(dist, len);
        p += static_cast<size_t>(len);
        len = p < m.End() ? m.Longest(p, dist) : 0;
    }
    return out.Finish();
}

} // namespace skinpack
