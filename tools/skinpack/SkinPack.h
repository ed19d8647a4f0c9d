// Building skin files: the container of named entries, the compressed skin
// file around it and the "SkinStream" block that stores a skin file in form
// data. The layouts are those the program's skin reader unpacks.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace skinpack {

struct SkinEntry {
    std::string Name;
    std::vector<uint8_t> Bytes;
};

// The container: header (version, name list length, 8 zero bytes), the
// version's block of zeros, names each ended by CR LF, sizes, entry bytes.
// Throws std::invalid_argument for an unknown version, more than 1001
// entries, an empty name or one holding CR, LF or NUL, or two names equal
// but for letter case.
std::vector<uint8_t> BuildContainer(const std::vector<SkinEntry>& entries, int32_t version = 20000);

// The skin file: the container's length (4 bytes) and its LZH bits.
std::vector<uint8_t> BuildSkinFile(const std::vector<uint8_t>& container, int maxChain = 256);

// The "SkinStream" block: the skin file's length (4 bytes) and the file.
std::vector<uint8_t> BuildSkinStream(const std::vector<uint8_t>& skinFile);

void AppendLE32(std::vector<uint8_t>& out, int32_t value);

} // namespace skinpack
