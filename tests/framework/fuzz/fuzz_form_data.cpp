// Stored form data from untrusted bytes: both the text parser and the binary
// decoder must either produce a tree or raise EReadError.
#include <cstddef>
#include <cstdint>
#include <string>

#include "framework/core/SysUtils.h"
#include "framework/reader/FormData.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    try {
        tf::ParseFormText(std::string(reinterpret_cast<const char*>(data), size));
    } catch (const tf::EReadError&) {
    }
    try {
        const tf::TFormNode node = tf::DecodeFormBinary(data, size);
        // What decodes must encode back to the same bytes.
        if (tf::EncodeFormBinary(node) != std::vector<uint8_t>(data, data + size)) __builtin_trap();
    } catch (const tf::EReadError&) {
    }
    return 0;
}
