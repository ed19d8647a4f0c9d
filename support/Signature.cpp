#include "Signature.h"

#include <windows.h>
#include <wincrypt.h>
#include <softpub.h>
#include <wintrust.h>

#include <cstddef>
#include <vector>

#include "framework/core/SysUtils.h"
#include "framework/threads/WinHandle.h"
#include "support/AnsiPath.h"
#include "support/Wow64.h"

namespace tf {

namespace {

const char* const SNotTrusted = "（不受信任）";
const char* const SInvalid = "签名无效";
const char* const SUnsigned = "未签名";

// What the signer's chain, as the check built it, adds to a success: Wine's
// check answers success for a chain whose root no one trusts, or whose
// certificate was changed; the chain it built still says so.
LONG ChainVerdict(HANDLE state)
{
    CRYPT_PROVIDER_DATA* provider = WTHelperProvDataFromStateData(state);
    CRYPT_PROVIDER_SGNR* signer = provider ? WTHelperGetProvSignerFromChain(provider, 0, FALSE, 0) : nullptr;
    if (!signer || !signer->pChainContext) return 0;   // nothing more to learn: the check's word stands
    const DWORD faults = signer->pChainContext->TrustStatus.dwErrorStatus;
    if (faults & CERT_TRUST_IS_NOT_SIGNATURE_VALID) return TRUST_E_CERT_SIGNATURE;
    const DWORD untrusted = CERT_TRUST_IS_UNTRUSTED_ROOT | CERT_TRUST_IS_PARTIAL_CHAIN |
                            CERT_TRUST_IS_EXPLICIT_DISTRUST | CERT_TRUST_IS_REVOKED;
    return (faults & untrusted) ? CERT_E_UNTRUSTEDROOT : 0;
}

// The display name of a certificate, ANSI ('?' where the code page lacks a
// letter).
std::string NameOf(PCCERT_CONTEXT cert)
{
    const DWORD length = CertGetNameStringW(cert, CERT_NAME_SIMPLE_DISPLAY_TYPE, 0, nullptr, nullptr, 0);
    if (length <= 1) return {};
    std::wstring name(length, L'\0');
    CertGetNameStringW(cert, CERT_NAME_SIMPLE_DISPLAY_TYPE, 0, nullptr, name.data(), length);
    name.resize(length - 1);
    std::string shown;
    WideToAnsiExact(name, shown);
    return OneLine(shown);   // a name is any text its maker chose
}

// The certificate that made the signature, as the check found it.
std::string SignerOf(HANDLE state)
{
    CRYPT_PROVIDER_DATA* provider = WTHelperProvDataFromStateData(state);
    CRYPT_PROVIDER_SGNR* signer = provider ? WTHelperGetProvSignerFromChain(provider, 0, FALSE, 0) : nullptr;
    CRYPT_PROVIDER_CERT* cert = signer ? WTHelperGetProvCertFromChain(signer, 0) : nullptr;
    return cert && cert->pCert ? NameOf(cert->pCert) : std::string();
}

// The check reads the file through the handle given, which lets others read,
// write and delete it meanwhile: a file being written is still checked, and
// the guard's own removal is not refused because of the check.
LONG VerifyFile(HANDLE handle, const std::wstring& path, std::string& signer)
{
    WINTRUST_FILE_INFO file{};
    file.cbStruct = sizeof file;
    file.pcwszFilePath = path.c_str();
    file.hFile = handle;
    WINTRUST_DATA data{};
    data.cbStruct = sizeof data;
    data.dwUIChoice = WTD_UI_NONE;
    data.fdwRevocationChecks = WTD_REVOKE_NONE;
    data.dwUnionChoice = WTD_CHOICE_FILE;
    data.pFile = &file;
    data.dwStateAction = WTD_STATEACTION_VERIFY;
    data.dwProvFlags = WTD_CACHE_ONLY_URL_RETRIEVAL;
    GUID action = WINTRUST_ACTION_GENERIC_VERIFY_V2;
    SetLastError(0);
    LONG result = WinVerifyTrust(static_cast<HWND>(INVALID_HANDLE_VALUE), &action, &data);
    const auto reason = static_cast<LONG>(GetLastError());
    // "No signature" with another reason than these: there is one, but it
    // could not be read (a damaged signature block).
    if (result == TRUST_E_NOSIGNATURE && reason != TRUST_E_NOSIGNATURE && reason != TRUST_E_SUBJECT_FORM_UNKNOWN &&
        reason != TRUST_E_PROVIDER_UNKNOWN && reason != 0)
        result = CRYPT_E_BAD_MSG;
    if (result == 0) result = ChainVerdict(data.hWVTStateData);
    if (data.hWVTStateData) signer = SignerOf(data.hWVTStateData);
    data.dwStateAction = WTD_STATEACTION_CLOSE;
    WinVerifyTrust(static_cast<HWND>(INVALID_HANDLE_VALUE), &action, &data);
    return result;
}

// Reads size bytes at offset; false when the file is shorter.
bool ReadAt(HANDLE file, DWORD offset, void* into, DWORD size)
{
    DWORD read = 0;
    return SetFilePointer(file, static_cast<LONG>(offset), nullptr, FILE_BEGIN) != INVALID_SET_FILE_POINTER &&
           ReadFile(file, into, size, &read, nullptr) && read == size;
}

// Whether the program's headers point to a signature block (the security
// entry of its data directory): the check's own answers differ between
// systems for a file without one, the headers do not.
bool HasSignatureBlock(HANDLE file)
{
    IMAGE_DOS_HEADER dos{};
    if (!ReadAt(file, 0, &dos, sizeof dos) || dos.e_magic != IMAGE_DOS_SIGNATURE || dos.e_lfanew <= 0) return false;
    const DWORD pe = static_cast<DWORD>(dos.e_lfanew);
    DWORD signature = 0;
    WORD magic = 0;
    const DWORD optional = pe + 4 + sizeof(IMAGE_FILE_HEADER);
    if (!ReadAt(file, pe, &signature, sizeof signature) || signature != IMAGE_NT_SIGNATURE ||
        !ReadAt(file, optional, &magic, sizeof magic))
        return false;
    // Where the count of directory entries and the directory stand in each kind of header.
    DWORD countAt = 0, directoryAt = 0;
    if (magic == IMAGE_NT_OPTIONAL_HDR32_MAGIC) {
        countAt = optional + offsetof(IMAGE_OPTIONAL_HEADER32, NumberOfRvaAndSizes);
        directoryAt = optional + offsetof(IMAGE_OPTIONAL_HEADER32, DataDirectory);
    } else if (magic == IMAGE_NT_OPTIONAL_HDR64_MAGIC) {
        countAt = optional + offsetof(IMAGE_OPTIONAL_HEADER64, NumberOfRvaAndSizes);
        directoryAt = optional + offsetof(IMAGE_OPTIONAL_HEADER64, DataDirectory);
    } else {
        return false;
    }
    DWORD count = 0;
    IMAGE_DATA_DIRECTORY security{};
    if (!ReadAt(file, countAt, &count, sizeof count) || count <= IMAGE_DIRECTORY_ENTRY_SECURITY) return false;
    if (!ReadAt(file, directoryAt + IMAGE_DIRECTORY_ENTRY_SECURITY * sizeof security, &security, sizeof security))
        return false;
    return security.VirtualAddress != 0 && security.Size != 0;
}

TSignatureState StateOf(LONG result)
{
    switch (result) {
    case 0:
        return TSignatureState::Trusted;
    case TRUST_E_NOSIGNATURE:
    case TRUST_E_SUBJECT_FORM_UNKNOWN:
    case TRUST_E_PROVIDER_UNKNOWN:
        return TSignatureState::Unsigned;
    case TRUST_E_BAD_DIGEST:
    case TRUST_E_CERT_SIGNATURE:
    case TRUST_E_NO_SIGNER_CERT:
    case NTE_BAD_SIGNATURE:
    case CRYPT_E_BAD_MSG:
    case CRYPT_E_HASH_VALUE:
    case CRYPT_E_ASN1_BADTAG:
        return TSignatureState::Invalid;
    default:
        // The signature block does not parse.
        if ((static_cast<DWORD>(result) & 0xFFFFF000) == 0x80093000) return TSignatureState::Invalid;
        // Untrusted or test root, broken chain, expiry, revocation, explicit
        // distrust, wrong usage: the signature itself holds, when there is
        // one to be read.
        return TSignatureState::Untrusted;
    }
}

} // namespace

TSignatureCheck CheckSignature(const std::string& path)
{
    const std::wstring wide = AnsiToWide(NativeFilePath(path));
    TSignatureCheck check;
    const TKernelHandle file(CreateFileW(wide.c_str(), GENERIC_READ,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                         OPEN_EXISTING, 0, nullptr));
    if (!file.Valid()) {
        check.Result = static_cast<long>(GetLastError());
        return check;
    }
    return CheckSignature(file.Get(), wide);
}

TSignatureCheck CheckSignature(void* file, const std::wstring& wide)
{
    TSignatureCheck check;
    const bool block = HasSignatureBlock(file);
    SetFilePointer(file, 0, nullptr, FILE_BEGIN);
    std::string signer;
    check.Result = VerifyFile(file, wide, signer);
    check.State = StateOf(check.Result);
    if (!block) {
        // Nothing to check, whatever the check answered about the file.
        check.State = TSignatureState::Unsigned;
    } else if (check.State == TSignatureState::Unsigned) {
        // A block the check could not take as a signature is a damaged one.
        check.State = TSignatureState::Invalid;
    } else if (check.State == TSignatureState::Trusted || check.State == TSignatureState::Untrusted) {
        check.Signer = signer;
    }
    return check;
}

std::string SignatureText(const TSignatureCheck& check)
{
    switch (check.State) {
    case TSignatureState::Trusted:
        return check.Signer;
    case TSignatureState::Untrusted:
        return check.Signer + SNotTrusted;
    case TSignatureState::Invalid:
        return SInvalid;
    case TSignatureState::Unsigned:
        break;
    }
    return SUnsigned;
}

} // namespace tf
