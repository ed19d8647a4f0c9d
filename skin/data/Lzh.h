// LZH decompressor for the stored skin: LZSS with a 4096-byte window whose
// literals and match lengths are coded by an adaptive Huffman tree and whose
// match offsets carry a fixed 6-bit prefix code. Decoding only.
#pragma once
#include <cstdint>

#include "framework/core/Streams.h"
#include "framework/core/SysUtils.h"

namespace tf {

class ElzhException : public Exception {
public:
    using Exception::Exception;
};

extern const char* const SLzhNoMemory;     // "LZH : Cannot get memory for dictionary tables"
extern const char* const SLzhFreeError;    // "LZH : Error freeing memory for dictionary tables"

// Read routine: reads up to count bytes into buffer and reports how many it
// read; 0 at the end of the input. Write routine: writes exactly count bytes.
using TLzhReadProc = uint16_t (*)(void* context, uint8_t* buffer, uint16_t count);
using TLzhWriteProc = uint16_t (*)(void* context, const uint8_t* buffer, uint16_t count);

// One decoding run: set the two streams, call Decode once.
class TLZH {
public:
    TStream* InputStream = nullptr;    // compressed bits, read from its position; not owned
    TStream* OutputStream = nullptr;   // receives the bytes at its position; not owned

    // Decodes from InputStream into OutputStream. Input and output are
    // buffered; the bytes produced and the final positions of both streams are
    // exactly those of the byte-at-a-time routine below.
    void Decode(int32_t size);

    // Decodes through the given routines, one byte per call in each direction.
    // Nothing happens for size <= 0. A match that crosses size is written whole
    // (up to 59 bytes more); missing input reads as zero bits. Raises
    // ElzhException when the tables cannot be allocated.
    void Decode(int32_t size, TLzhWriteProc write, TLzhReadProc read, void* context);

    // The stream routines: context is the TLZH. Reading takes the smaller of
    // count and the bytes left in InputStream; writing raises EWriteError when
    // the output stream takes fewer bytes.
    static uint16_t ReadFromInput(void* context, uint8_t* buffer, uint16_t count);
    static uint16_t WriteToOutput(void* context, const uint8_t* buffer, uint16_t count);

    // The most bytes that a complete stream of inputBytes bytes can carry,
    // a final match's overrun included. A declared size above this can only be
    // reached by decoding the zero bits that follow a truncated input.
    static int64_t MaxDecodedSize(int64_t inputBytes);

    // Bytes the last Decode asked for after the input had ended (read as
    // zero bits). The bit buffer reads ahead, so a complete stream needs at
    // most two; more means the input was cut short.
    int64_t MissingInput() const { return FMissingInput; }
    static constexpr int64_t CompleteInputSlack = 2;

private:
    int64_t FMissingInput = 0;
};

} // namespace tf
