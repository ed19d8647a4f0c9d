#include <doctest.h>

#include <string>

#include "ServiceTestKit.h"
#include "support/FileHash.h"

using namespace tf;

namespace {

std::string Pattern(size_t size)
{
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i % 251);
    return bytes;
}

} // namespace

TEST_CASE("known contents give their reference hashes, across chunk bounds too")
{
    testkit::TTempDir dir("hash");
    struct Case {
        const char* What;
        std::string Bytes;
        const char* Sha256;
    } cases[] = {
        {"empty", "", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", "abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {"a million a", std::string(1000000, 'a'), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
        {"exactly one chunk", Pattern(1 << 20), "631b84027d6b9e52b539c4e8373622d23032dfadc64d60af87339c9037e4f769"},
        {"two and a half chunks", Pattern(2500000), "bd597bc684f3effbd30ef55f519679760ca77831d212eddc15fb862e7ffb8c8f"},
    };
    for (const Case& c : cases) {
        CAPTURE(std::string(c.What));
        const std::string path = dir.File("f.bin", c.Bytes);
        std::string hex = "stale";
        CHECK(FileSha256(path, hex));
        CHECK(hex == c.Sha256);
        CHECK(Sha256Hex(c.Bytes.data(), c.Bytes.size()) == c.Sha256);
    }
}

TEST_CASE("a file another handle holds open still hashes, whatever that handle shares")
{
    testkit::TTempDir dir("hash");
    const std::string path = dir.File("held.exe", "abc");
    struct Case {
        const char* What;
        DWORD Access, Share;
    } cases[] = {
        {"read, sharing reading only (as the guard locks its baseline)", GENERIC_READ, FILE_SHARE_READ},
        {"read and write, sharing both (a file being written)", GENERIC_READ | GENERIC_WRITE,
         FILE_SHARE_READ | FILE_SHARE_WRITE},
        {"read and delete, sharing all", GENERIC_READ | DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE},
    };
    for (const Case& c : cases) {
        CAPTURE(std::string(c.What));
        const HANDLE held = CreateFileA(path.c_str(), c.Access, c.Share, nullptr, OPEN_EXISTING, 0, nullptr);
        REQUIRE(held != INVALID_HANDLE_VALUE);
        std::string hex;
        CHECK(FileSha256(path, hex));
        CHECK(hex == "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
        CloseHandle(held);
    }
}

TEST_CASE("a missing file, a folder, a file no one may read and a stopped hash give no hash")
{
    testkit::TTempDir dir("hash");
    std::string hex = "stale";
    CHECK_FALSE(FileSha256(dir / "missing.exe", hex));
    CHECK(hex.empty());
    CHECK_FALSE(FileSha256(dir.Dir("folder"), hex));

    const std::string locked = dir.File("locked.exe", "abc");
    const HANDLE held = CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    REQUIRE(held != INVALID_HANDLE_VALUE);
    CHECK_FALSE(FileSha256(locked, hex));
    CloseHandle(held);

    const std::string big = dir.File("big.bin", Pattern(2500000));
    int asked = 0;
    CHECK_FALSE(FileSha256(big, hex, [&] { return ++asked == 2; }));   // after the first chunk
    CHECK(asked == 2);
    CHECK(hex.empty());
    CHECK(FileSha256(big, hex, [] { return false; }));
    CHECK(hex == "bd597bc684f3effbd30ef55f519679760ca77831d212eddc15fb862e7ffb8c8f");
}
