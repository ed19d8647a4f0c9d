// Owners of kernel handles: each closes its handle exactly once.
// Windows only.
#pragma once
#include <windows.h>

#include <utility>

namespace tf {

// A handle released with CloseHandle. Both null and INVALID_HANDLE_VALUE mean
// "none", since the API uses either depending on the call.
class TKernelHandle {
public:
    TKernelHandle() = default;
    explicit TKernelHandle(HANDLE h) : FHandle(h) {}
    ~TKernelHandle() { Reset(); }
    TKernelHandle(TKernelHandle&& o) noexcept : FHandle(std::exchange(o.FHandle, nullptr)) {}
    TKernelHandle& operator=(TKernelHandle&& o) noexcept
    {
        if (this != &o) Reset(std::exchange(o.FHandle, nullptr));
        return *this;
    }
    TKernelHandle(const TKernelHandle&) = delete;
    TKernelHandle& operator=(const TKernelHandle&) = delete;

    HANDLE Get() const { return FHandle; }
    bool Valid() const { return FHandle != nullptr && FHandle != INVALID_HANDLE_VALUE; }
    explicit operator bool() const { return Valid(); }
    void Reset(HANDLE h = nullptr)
    {
        if (Valid()) CloseHandle(FHandle);
        FHandle = h;
    }
    HANDLE Release() { return std::exchange(FHandle, nullptr); }

private:
    HANDLE FHandle = nullptr;
};

// A directory search handle released with FindClose.
class TFindHandle {
public:
    explicit TFindHandle(HANDLE h) : FHandle(h) {}
    ~TFindHandle()
    {
        if (Valid()) FindClose(FHandle);
    }
    TFindHandle(const TFindHandle&) = delete;
    TFindHandle& operator=(const TFindHandle&) = delete;
    bool Valid() const { return FHandle != INVALID_HANDLE_VALUE && FHandle != nullptr; }
    HANDLE Get() const { return FHandle; }

private:
    HANDLE FHandle;
};

} // namespace tf
