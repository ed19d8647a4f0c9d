#include "FileHash.h"

#include <windows.h>

#include <vector>

#include "framework/crypto/CryptHandle.h"
#include "framework/threads/WinHandle.h"
#include "support/Wow64.h"

namespace tf {

namespace {

const DWORD ChunkSize = 1 << 20;
// There from XP SP3 on; the headers show it only to later targets than ours.
const ALG_ID HashSha256 = ALG_CLASS_HASH | ALG_TYPE_ANY | 12;

// A hash object of a fresh verify-only context (no key container is touched).
bool NewHash(TCryptProvider& provider, TCryptHash& hash)
{
    if (!CryptAcquireContextW(provider.Receive(), nullptr, nullptr, PROV_RSA_AES, CRYPT_VERIFYCONTEXT)) return false;
    return CryptCreateHash(provider.Get(), HashSha256, 0, 0, hash.Receive()) != FALSE;
}

std::string HexOf(const TCryptHash& hash)
{
    BYTE digest[32];
    DWORD size = sizeof digest;
    if (!CryptGetHashParam(hash.Get(), HP_HASHVAL, digest, &size, 0) || size != sizeof digest) return {};
    static const char digits[] = "0123456789abcdef";
    std::string hex;
    for (BYTE b : digest) {
        hex += digits[b >> 4];
        hex += digits[b & 15];
    }
    return hex;
}

} // namespace

bool FileSha256(const std::string& path, std::string& hex, const THashStop& stop)
{
    hex.clear();
    TKernelHandle file(CreateFileA(NativeFilePath(path).c_str(), GENERIC_READ,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                   FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) return false;
    return HandleSha256(file.Get(), hex, stop);
}

bool HandleSha256(void* file, std::string& hex, const THashStop& stop)
{
    hex.clear();
    TCryptProvider provider;
    TCryptHash hash;
    if (!NewHash(provider, hash)) return false;
    std::vector<BYTE> buffer(ChunkSize);
    for (;;) {
        if (stop && stop()) return false;
        DWORD read = 0;
        if (!ReadFile(file, buffer.data(), ChunkSize, &read, nullptr)) return false;
        if (read == 0) break;
        if (!CryptHashData(hash.Get(), buffer.data(), read, 0)) return false;
    }
    hex = HexOf(hash);
    return !hex.empty();
}

std::string Sha256Hex(const void* data, size_t size)
{
    TCryptProvider provider;
    TCryptHash hash;
    if (!NewHash(provider, hash)) return {};
    // In chunks: a size beyond what one call takes is hashed whole, not cut.
    const auto* bytes = static_cast<const BYTE*>(data);
    while (size > 0) {
        const DWORD part = size > ChunkSize ? ChunkSize : static_cast<DWORD>(size);
        if (!CryptHashData(hash.Get(), bytes, part, 0)) return {};
        bytes += part;
        size -= part;
    }
    return HexOf(hash);
}

} // namespace tf
