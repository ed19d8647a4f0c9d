// Deterministic sample inputs shared by the skin storage tests, fuzzers and
// the benchmark.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace sample {

// Bytes from a fixed-seed generator.
inline std::vector<uint8_t> Random(size_t n, uint32_t seed = 12345)
{
    std::vector<uint8_t> out(n);
    uint32_t x = seed ? seed : 1;
    for (auto& b : out) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        b = static_cast<uint8_t>(x >> 24);
    }
    return out;
}

// English-like text: words drawn from a small vocabulary, lines of varying length.
inline std::vector<uint8_t> Text(size_t n)
{
    static const char* const words[] = {"skin",  "frame",  "caption", "button", "window", "the",  "of",
                                        "light", "blue",   "margin",  "colour", "[Personality]", "=",
                                        "Tile",  "Trans",  "12",      "207",    "and",   "menu", "bar"};
    std::vector<uint8_t> out;
    uint32_t x = 7;
    while (out.size() < n) {
        x = x * 1103515245u + 12345u;
        const std::string w = words[(x >> 16) % 20];
        out.insert(out.end(), w.begin(), w.end());
        out.push_back(((x >> 8) % 9) == 0 ? '\n' : ' ');
    }
    out.resize(n);
    return out;
}

inline void PutLE(std::vector<uint8_t>& out, uint32_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

// A 24-bit Windows bitmap of w x h pixels: gradients, a grid and (unless
// noise is false) some noise, so it compresses like drawn art or like a photo.
inline std::vector<uint8_t> Bitmap(int w, int h, uint32_t seed = 1, bool noise = true)
{
    const uint32_t stride = static_cast<uint32_t>((w * 3 + 3) & ~3);
    std::vector<uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    PutLE(out, 54 + stride * static_cast<uint32_t>(h), 4);
    PutLE(out, 0, 4);
    PutLE(out, 54, 4);
    PutLE(out, 40, 4);
    PutLE(out, static_cast<uint32_t>(w), 4);
    PutLE(out, static_cast<uint32_t>(h), 4);
    PutLE(out, 1, 2);
    PutLE(out, 24, 2);
    PutLE(out, 0, 4);
    PutLE(out, stride * static_cast<uint32_t>(h), 4);
    PutLE(out, 2835, 4);
    PutLE(out, 2835, 4);
    PutLE(out, 0, 4);
    PutLE(out, 0, 4);
    const std::vector<uint8_t> dots = Random(static_cast<size_t>(w) * static_cast<size_t>(h), seed);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const bool grid = x % 16 == 0 || y % 16 == 0;
            const uint8_t n = noise ? static_cast<uint8_t>(dots[static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x)] % 3) : 0;
            out.push_back(grid ? 0x40 : static_cast<uint8_t>(200 + y * 40 / (h ? h : 1) + n));
            out.push_back(grid ? 0x40 : static_cast<uint8_t>(150 + x * 60 / (w ? w : 1)));
            out.push_back(grid ? 0x40 : static_cast<uint8_t>(120 + (x + y) % 32));
        }
        for (uint32_t pad = static_cast<uint32_t>(w) * 3; pad < stride; ++pad) out.push_back(0);
    }
    return out;
}

// Several megabytes mixing the above, as a large skin container would.
inline std::vector<uint8_t> Mixed(size_t n)
{
    std::vector<uint8_t> out;
    uint32_t seed = 1;
    while (out.size() < n) {
        const std::vector<uint8_t> bmp = Bitmap(300 + static_cast<int>(seed % 7) * 40, 200, seed);
        out.insert(out.end(), bmp.begin(), bmp.end());
        const std::vector<uint8_t> text = Text(20000);
        out.insert(out.end(), text.begin(), text.end());
        const std::vector<uint8_t> noise = Random(3000, seed);
        out.insert(out.end(), noise.begin(), noise.end());
        ++seed;
    }
    out.resize(n);
    return out;
}

} // namespace sample
