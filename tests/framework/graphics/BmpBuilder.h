// Builds BMP files byte by byte for the tests, independently of the reader.
#pragma once
#include <cstdint>
#include <vector>

namespace tftest {

struct BmpFields {
    int32_t Width = 1;
    int32_t Height = 1;   // negative: rows top-down
    int BitCount = 24;
    uint32_t Compression = 0;
    uint32_t HeaderSize = 40;            // 12 for the core header
    std::vector<uint32_t> Palette;       // 0x00BBGGRR colours, written as B, G, R, 0
    std::vector<uint32_t> Masks;         // bit fields after a 40-byte header, or inside a longer one
    uint32_t ColorsUsed = 0;
    std::vector<uint8_t> Pixels;         // rows in file order, padded
};

inline void Put16(std::vector<uint8_t>& o, uint32_t v)
{
    o.push_back(static_cast<uint8_t>(v));
    o.push_back(static_cast<uint8_t>(v >> 8));
}
inline void Put32(std::vector<uint8_t>& o, uint32_t v)
{
    Put16(o, v & 0xFFFF);
    Put16(o, v >> 16);
}

inline std::vector<uint8_t> BuildBmp(const BmpFields& s)
{
    std::vector<uint8_t> info;
    if (s.HeaderSize == 12) {
        Put32(info, 12);
        Put16(info, static_cast<uint32_t>(s.Width));
        Put16(info, static_cast<uint32_t>(s.Height));
        Put16(info, 1);
        Put16(info, static_cast<uint32_t>(s.BitCount));
    } else {
        Put32(info, s.HeaderSize);
        Put32(info, static_cast<uint32_t>(s.Width));
        Put32(info, static_cast<uint32_t>(s.Height));
        Put16(info, 1);
        Put16(info, static_cast<uint32_t>(s.BitCount));
        Put32(info, s.Compression);
        Put32(info, static_cast<uint32_t>(s.Pixels.size()));
        Put32(info, 3780);
        Put32(info, 3780);
        Put32(info, s.ColorsUsed);
        Put32(info, 0);
        if (s.HeaderSize > 40) {
            for (uint32_t m : s.Masks) Put32(info, m);
            info.resize(s.HeaderSize, 0);
        }
    }
    if (s.HeaderSize == 40)
        for (uint32_t m : s.Masks) Put32(info, m);
    for (uint32_t c : s.Palette) {
        info.push_back(static_cast<uint8_t>(c >> 16));   // blue
        info.push_back(static_cast<uint8_t>(c >> 8));
        info.push_back(static_cast<uint8_t>(c));
        if (s.HeaderSize != 12) info.push_back(0);
    }
    std::vector<uint8_t> file{'B', 'M'};
    Put32(file, static_cast<uint32_t>(14 + info.size() + s.Pixels.size()));
    Put32(file, 0);
    Put32(file, static_cast<uint32_t>(14 + info.size()));
    file.insert(file.end(), info.begin(), info.end());
    file.insert(file.end(), s.Pixels.begin(), s.Pixels.end());
    return file;
}

} // namespace tftest
