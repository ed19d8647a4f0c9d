// Whether a file carries an embedded signature, whether it still holds, and
// who signed it, through the system's own checks (WinVerifyTrust with the
// generic Authenticode action, revocation not asked for, so nothing is
// fetched from the network) and the signer's certificate from the signature
// itself. Any thread; may take as long as reading the whole file. Windows only.
#pragma once
#include <string>

namespace tf {

enum class TSignatureState {
    Unsigned,    // no embedded signature
    Trusted,     // intact, and its chain ends at a trusted root
    Untrusted,   // intact, but the chain is not trusted (unknown or test root, expired, revoked, distrusted)
    Invalid,     // the file was changed after signing, or the signature is damaged
};

struct TSignatureCheck {
    TSignatureState State = TSignatureState::Unsigned;
    std::string Signer;   // the signing certificate's display name, ANSI ('?' where the code page lacks a letter)
    long Result = 0;      // what WinVerifyTrust answered, for the curious
};

// The path goes through NativeFilePath() (Wow64.h). A file that cannot be
// opened, or that the check cannot take as a program and holds no signature
// to be read, reads as unsigned.
TSignatureCheck CheckSignature(const std::string& path);
// The same through a handle already open for reading the file at nativePath
// (the path as the system names it, already through NativeFilePath()).
TSignatureCheck CheckSignature(void* file, const std::wstring& nativePath);

// The user's text: the signer's name; the name and "（不受信任）"; "签名无效";
// "未签名".
std::string SignatureText(const TSignatureCheck& check);

} // namespace tf
