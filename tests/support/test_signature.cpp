// Signatures of the guard's own program: as built (unsigned), signed during
// the build with a certificate made for the test, and that signed copy with
// one byte changed afterwards.
#include <doctest.h>

#include <windows.h>

#include <cstdio>
#include <string>

#include "ServiceTestKit.h"
#include "support/Signature.h"

using namespace tf;

namespace {

const std::string SignedProgram = std::string(TAMFERN_SIGNED_FOLDER) + "signed.exe";
const char* const SignerName = "天穹测试签名者";

// The signed copy with one byte of its code changed (a byte the signature's
// digest covers: the middle of the image, well before the signature at the end).
std::string Tampered(const testkit::TTempDir& dir)
{
    std::string bytes = testkit::ReadBytes(SignedProgram);
    REQUIRE(bytes.size() > 4096);
    bytes[bytes.size() / 2] ^= 0x5A;
    return dir.File("tampered.exe", bytes);
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

TEST_CASE("the signed program with one byte changed afterwards: the signature is invalid")
{
    testkit::TTempDir dir("sig");
    const TSignatureCheck check = CheckSignature(Tampered(dir));
    MESSAGE("the check answered " << Hex(check.Result));
    CHECK(check.State == TSignatureState::Invalid);
    CHECK(SignatureText(check) == "签名无效");
}
