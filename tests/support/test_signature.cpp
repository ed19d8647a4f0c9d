// Signatures of the guard's own program: as built (unsigned), signed during
// the build with a certificate made for the test, and that signed copy with
// one byte changed afterwards.
#include <doctest.h>

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>

#include "ServiceTestKit.h"
#include "support/Signature.h"

using namespace tf;

namespace {

const std::string SignedProgram = std::string(TAMFERN_SIGNED_FOLDER) + "signed.exe";
const char* const SignerName = "天穹测试签名者";

// The signed copy with one byte changed at offset.
std::string Tampered(const testkit::TTempDir& dir, size_t offset, const char* name)
{
    std::string bytes = testkit::ReadBytes(SignedProgram);
    REQUIRE(offset < bytes.size());
    bytes[offset] ^= 0x5A;
    return dir.File(name, bytes);
}

uint32_t Read32(const std::string& bytes, size_t at)
{
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(bytes[at + static_cast<size_t>(i)]);
    return v;
}

// Where the signature block (the certificate table) lies in the signed copy.
std::pair<size_t, size_t> SignatureBlock()
{
    const std::string bytes = testkit::ReadBytes(SignedProgram);
    const size_t pe = Read32(bytes, 0x3C);
    const bool pe32plus = static_cast<unsigned char>(bytes[pe + 24]) == 0x0B && bytes[pe + 25] == 0x02;
    const size_t directory = pe + 24 + (pe32plus ? 112 : 96) + 4 * 8;   // entry 4, the security directory
    return {Read32(bytes, directory), Read32(bytes, directory + 4)};
}

std::string Hex(long value)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(value));
    return text;
}

} // namespace

TEST_CASE("each state reads as its text")
{
    struct Case {
        TSignatureState State;
        const char* Signer;
        std::string Text;
    } cases[] = {
        {TSignatureState::Trusted, "天穹", "天穹"},
        {TSignatureState::Untrusted, "天穹", "天穹（不受信任）"},
        {TSignatureState::Invalid, "天穹", "签名无效"},
        {TSignatureState::Unsigned, "", "未签名"},
    };
    for (const Case& c : cases) {
        TSignatureCheck check;
        check.State = c.State;
        check.Signer = c.Signer;
        CHECK(SignatureText(check) == c.Text);
    }
}

TEST_CASE("the guard's own program is unsigned; so are files that are no programs, and a missing file")
{
    testkit::TTempDir dir("sig");
    for (const std::string& path :
         {std::string(TAMFERN_UNSIGNED_PROGRAM), dir.File("notes.txt", "hello"), dir.File("short.exe", "abc"),
          dir.File("mz.exe", std::string("MZ\x90\0\x03\0\0\0 test", 13)), dir.File("zeros.exe", std::string(65536, '\0')),
          dir / "missing.exe"}) {
        CAPTURE(path);
        const TSignatureCheck check = CheckSignature(path);
        CHECK(check.State == TSignatureState::Unsigned);
        CHECK(check.Signer.empty());
        CHECK(SignatureText(check) == "未签名");
    }
}

// Windows' WinVerifyTrust answers 0x800B0109 (untrusted root). Wine's answers
// success; the chain it built says the root is not trusted, and the check
// goes by that, so both read the same.
TEST_CASE("signed with a certificate no root vouches for: the signer's name, not trusted")
{
    const TSignatureCheck check = CheckSignature(SignedProgram);
    MESSAGE("the check answered " << Hex(check.Result));
    CHECK(check.State == TSignatureState::Untrusted);
    CHECK(check.Signer == SignerName);
    CHECK(SignatureText(check) == std::string(SignerName) + "（不受信任）");
}

TEST_CASE("a file another program is writing is still checked")
{
    testkit::TTempDir dir("sig");
    const std::string copy = dir.File("busy.exe", testkit::ReadBytes(SignedProgram));
    // A download still being written. The check reads through a handle that
    // shares writing and deleting, so the guard's own removal of a file whose
    // details are being worked out is not refused either.
    const HANDLE writer = CreateFileA(copy.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, 0, nullptr);
    REQUIRE(writer != INVALID_HANDLE_VALUE);
    const TSignatureCheck check = CheckSignature(copy);
    CHECK(check.State == TSignatureState::Untrusted);
    CHECK(check.Signer == SignerName);
    CloseHandle(writer);
}

TEST_CASE("the signed program with one byte changed afterwards: the signature is invalid")
{
    testkit::TTempDir dir("sig");
    const auto [blockAt, blockSize] = SignatureBlock();
    REQUIRE(blockSize > 1000);
    REQUIRE(blockAt > 4096);
    struct Case {
        const char* What;
        size_t Offset;
    } cases[] = {
        // A byte the digest covers: the middle of the image, well before the
        // signature block at the end.
        {"in the code", blockAt / 2},
        // The middle of the block: in the signer's certificate.
        {"in the signature block", blockAt + blockSize / 2},
    };
    for (const Case& c : cases) {
        CAPTURE(std::string(c.What));
        const TSignatureCheck check = CheckSignature(Tampered(dir, c.Offset, "tampered.exe"));
        MESSAGE(std::string(c.What) << ": the check answered " << Hex(check.Result));
        CHECK(check.State == TSignatureState::Invalid);
        CHECK(SignatureText(check) == "签名无效");
    }
}
