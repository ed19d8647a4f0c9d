// Owners of the system's cryptography handles: a provider and a hash of the
// CryptoAPI, a certificate store, a cryptographic message and a certificate
// context. Each releases its handle exactly once. Windows only.
#pragma once
#include <windows.h>
#include <wincrypt.h>

#include <utility>

namespace tf {

// One owner per handle type: Traits::Close(h) releases a non-null h.
template <class Handle, class Traits>
class TCryptHandle {
public:
    TCryptHandle() = default;
    explicit TCryptHandle(Handle h) : FHandle(h) {}
    ~TCryptHandle() { Reset(); }
    TCryptHandle(TCryptHandle&& o) noexcept : FHandle(std::exchange(o.FHandle, Handle())) {}
    TCryptHandle& operator=(TCryptHandle&& o) noexcept
    {
        if (this != &o) Reset(std::exchange(o.FHandle, Handle()));
        return *this;
    }
    TCryptHandle(const TCryptHandle&) = delete;
    TCryptHandle& operator=(const TCryptHandle&) = delete;

    Handle Get() const { return FHandle; }
    // For the calls that fill in a handle: the previous one is released first.
    Handle* Receive()
    {
        Reset();
        return &FHandle;
    }
    explicit operator bool() const { return FHandle != Handle(); }
    void Reset(Handle h = Handle())
    {
        if (FHandle != Handle()) Traits::Close(FHandle);
        FHandle = h;
    }

private:
    Handle FHandle = Handle();
};

struct TCryptProvTraits {
    static void Close(HCRYPTPROV h) { CryptReleaseContext(h, 0); }
};
struct TCryptHashTraits {
    static void Close(HCRYPTHASH h) { CryptDestroyHash(h); }
};
struct TCertStoreTraits {
    static void Close(HCERTSTORE h) { CertCloseStore(h, 0); }
};
struct TCryptMsgTraits {
    static void Close(HCRYPTMSG h) { CryptMsgClose(h); }
};
struct TCertContextTraits {
    static void Close(PCCERT_CONTEXT h) { CertFreeCertificateContext(h); }
};

using TCryptProvider = TCryptHandle<HCRYPTPROV, TCryptProvTraits>;
using TCryptHash = TCryptHandle<HCRYPTHASH, TCryptHashTraits>;
using TCertStore = TCryptHandle<HCERTSTORE, TCertStoreTraits>;
using TCryptMsg = TCryptHandle<HCRYPTMSG, TCryptMsgTraits>;
using TCertContext = TCryptHandle<PCCERT_CONTEXT, TCertContextTraits>;

} // namespace tf
