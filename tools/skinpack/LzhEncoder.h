// The skin packer's LZH encoder: the inverse of the program's decoder. It
// keeps its own copy of the adaptive code and writes bits most significant
// first, so that the decoder, fed these bits, rebuilds the input exactly.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace skinpack {

// Token-level writer: literals and matches coded exactly as the decoder
// reads them. Useful on its own to build streams that exercise one feature.
class LzhTokenWriter {
public:
    LzhTokenWriter();
    ~LzhTokenWriter();
    LzhTokenWriter(const LzhTokenWriter&) = delete;
    LzhTokenWriter& operator=(const LzhTokenWriter&) = delete;

    void Literal(uint8_t byte);
    // distance 1..4096 back from the next byte to write; length 3..60.
    void Match(int distance, int length);
    // Symbols written so far (literals and matches).
    uint64_t SymbolCount() const { return FSymbols; }
    // The bit stream, the last byte padded with zero bits. Ends the writer.
    std::vector<uint8_t> Finish();

private:
    class Model;
    void PutBits(uint32_t bits, int count);
    void PutSymbol(int symbol);

    Model* FModel;
    std::vector<uint8_t> FOut;
    uint32_t FPending = 0;   // bits not yet written, right-aligned
    int FPendingCount = 0;
    uint64_t FSymbols = 0;
};

// Compresses size bytes into an LZH bit stream (no length header).
// maxChain bounds the match search per position (more: smaller, slower).
std::vector<uint8_t> LzhCompress(const uint8_t* data, size_t size, int maxChain = 256);

} // namespace skinpack
