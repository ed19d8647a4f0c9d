// Whether a skin file's compressed bits are all there. The decoder feeds zero
// bits once its input runs out, and a skin file cut short decodes that
// padding into bytes that may still look like a container. A complete stream
// asks for at most two bytes past its end (the bit buffer reads ahead).
#pragma once
#include <cstdint>
#include <vector>

namespace tf {

// Decodes the skin file (4-byte length, then the LZH bits) without keeping
// the output and counts the bytes the decoder asked for past the input's end.
int64_t SkinFileMissingBytes(const std::vector<uint8_t>& skinFile);

// True when the skin file is not shorter than its bits need.
bool SkinFileComplete(const std::vector<uint8_t>& skinFile);

} // namespace tf
