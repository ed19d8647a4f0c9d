// SHA-256 of a file's contents through the system's own cryptography (the
// CryptoAPI's AES provider, present from Windows XP SP3). The file is opened
// with read, write and delete sharing, so a file another program holds open
// still hashes, and read in chunks of 1 MiB. Any thread; holds no state.
// Windows only.
#pragma once
#include <functional>
#include <string>

namespace tf {

// Asked between chunks; true abandons the hash.
using THashStop = std::function<bool()>;

// The file's SHA-256 as 64 lower-case hex digits. False (hex emptied) when the
// file cannot be opened or read, the provider is missing, or stop said so.
// The path goes through NativeFilePath() (Wow64.h).
bool FileSha256(const std::string& path, std::string& hex, const THashStop& stop = {});
// The same through an open handle with read access, from its current position to the end.
bool HandleSha256(void* file, std::string& hex, const THashStop& stop = {});

// The same over bytes in memory.
std::string Sha256Hex(const void* data, size_t size);

} // namespace tf
