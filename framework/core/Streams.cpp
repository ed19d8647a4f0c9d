#include "Streams.h"

#include <algorithm>
#include <cstring>

#include "SysUtils.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <cstdio>
#include <unistd.h>
#endif

namespace tf {

const char* const SFCreateError = "不能创建文件 %s";
const char* const SFOpenError = "不能打开文件 %s";

int64_t TStream::Size()
{
    const int64_t pos = Seek(0, TSeekOrigin::Current);
    const int64_t end = Seek(0, TSeekOrigin::End);
    Seek(pos, TSeekOrigin::Beginning);
    return end;
}

void TStream::SetSize(int64_t) { throw EStreamError("stream size cannot be changed"); }

void TStream::ReadBuffer(void* buffer, int32_t count)
{
    if (count != 0 && Read(buffer, count) != count)
        throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* buffer, int32_t count)
{
    if (count != 0 && Write(buffer, count) != count)
        throw EWriteError("Stream write error");
}

int64_t TStream::CopyFrom(TStream& source, int64_t count)
{
    if (count == 0) {
        source.SetPosition(0);
        count = source.Size();
    }
    const int64_t total = count;
    std::vector<uint8_t> buf(static_cast<size_t>(std::min<int64_t>(count, 64 * 1024)) + 1);
    while (count > 0) {
        const int32_t n = static_cast<int32_t>(std::min<int64_t>(count, static_cast<int64_t>(buf.size())));
        source.ReadBuffer(buf.data(), n);
        WriteBuffer(buf.data(), n);
        count -= n;
    }
    return total;
}

int32_t TStream::ReadInt32()
{
    uint8_t b[4];
    ReadBuffer(b, 4);
    return static_cast<int32_t>(static_cast<uint32_t>(b[0]) | static_cast<uint32_t>(b[1]) << 8 |
                                static_cast<uint32_t>(b[2]) << 16 | static_cast<uint32_t>(b[3]) << 24);
}

void TStream::WriteInt32(int32_t v)
{
    const uint32_t u = static_cast<uint32_t>(v);
    const uint8_t b[4] = {static_cast<uint8_t>(u), static_cast<uint8_t>(u >> 8), static_cast<uint8_t>(u >> 16),
                          static_cast<uint8_t>(u >> 24)};
    WriteBuffer(b, 4);
}

// --- TMemoryStream ---

int32_t TMemoryStream::Read(void* buffer, int32_t count)
{
    if (count <= 0 || FPos >= FData.size()) return 0;
    const size_t n = std::min(static_cast<size_t>(count), FData.size() - FPos);
    std::memcpy(buffer, FData.data() + FPos, n);
    FPos += n;
    return static_cast<int32_t>(n);
}

int32_t TMemoryStream::Write(const void* buffer, int32_t count)
{
    if (count <= 0) return 0;
    const size_t end = FPos + static_cast<size_t>(count);
    if (end > FData.size()) FData.resize(end);
    std::memcpy(FData.data() + FPos, buffer, static_cast<size_t>(count));
    FPos = end;
    return count;
}

int64_t TMemoryStream::Seek(int64_t offset, TSeekOrigin origin)
{
    int64_t base = 0;
    if (origin == TSeekOrigin::Current) base = static_cast<int64_t>(FPos);
    else if (origin == TSeekOrigin::End) base = static_cast<int64_t>(FData.size());
    const int64_t pos = base + offset;
    FPos = pos < 0 ? 0 : static_cast<size_t>(pos);
    return static_cast<int64_t>(FPos);
}

void TMemoryStream::SetSize(int64_t size)
{
    FData.resize(size < 0 ? 0 : static_cast<size_t>(size));
    if (FPos > FData.size()) FPos = FData.size();
}

void TMemoryStream::Clear()
{
    FData.clear();
    FPos = 0;
}

void TMemoryStream::LoadFromStream(TStream& source)
{
    source.SetPosition(0);
    const int64_t n = source.Size();
    FData.resize(static_cast<size_t>(n));
    FPos = 0;
    if (n > 0) source.ReadBuffer(FData.data(), static_cast<int32_t>(n));
}

// --- TFileStream ---

#ifdef _WIN32
TFileStream::TFileStream(const std::string& fileName, uint32_t mode)
{
    HANDLE h;
    if (mode == fmCreate) {
        h = CreateFileA(fileName.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                        FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE) throw EFCreateError(Format(SFCreateError, fileName.c_str()));
    } else {
        const DWORD access[] = {GENERIC_READ, GENERIC_WRITE, GENERIC_READ | GENERIC_WRITE};
        h = CreateFileA(fileName.c_str(), access[(mode & 3) < 3 ? (mode & 3) : 0], FILE_SHARE_READ | FILE_SHARE_WRITE,
                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE) throw EFOpenError(Format(SFOpenError, fileName.c_str()));
    }
    FHandle = h;
}

TFileStream::~TFileStream() { CloseHandle(FHandle); }

int32_t TFileStream::Read(void* buffer, int32_t count)
{
    DWORD n = 0;
    if (count <= 0 || !ReadFile(FHandle, buffer, static_cast<DWORD>(count), &n, nullptr)) return 0;
    return static_cast<int32_t>(n);
}

int32_t TFileStream::Write(const void* buffer, int32_t count)
{
    DWORD n = 0;
    if (count <= 0 || !WriteFile(FHandle, buffer, static_cast<DWORD>(count), &n, nullptr)) return 0;
    return static_cast<int32_t>(n);
}

int64_t TFileStream::Seek(int64_t offset, TSeekOrigin origin)
{
    LARGE_INTEGER dist, result;
    dist.QuadPart = offset;
    const DWORD how = origin == TSeekOrigin::Beginning ? FILE_BEGIN
                      : origin == TSeekOrigin::Current ? FILE_CURRENT : FILE_END;
    if (!SetFilePointerEx(FHandle, dist, &result, how)) return -1;
    return result.QuadPart;
}

void TFileStream::SetSize(int64_t size)
{
    Seek(size, TSeekOrigin::Beginning);
    if (!SetEndOfFile(FHandle)) throw EStreamError("Stream write error");
}
#else
TFileStream::TFileStream(const std::string& fileName, uint32_t mode)
{
    const char* how = mode == fmCreate ? "w+b" : (mode & 3) == fmOpenRead ? "rb" : "r+b";
    FILE* f = std::fopen(fileName.c_str(), how);
    if (!f) {
        if (mode == fmCreate) throw EFCreateError(Format(SFCreateError, fileName.c_str()));
        throw EFOpenError(Format(SFOpenError, fileName.c_str()));
    }
    FHandle = f;
}

TFileStream::~TFileStream() { std::fclose(static_cast<FILE*>(FHandle)); }

int32_t TFileStream::Read(void* buffer, int32_t count)
{
    if (count <= 0) return 0;
    return static_cast<int32_t>(std::fread(buffer, 1, static_cast<size_t>(count), static_cast<FILE*>(FHandle)));
}

int32_t TFileStream::Write(const void* buffer, int32_t count)
{
    if (count <= 0) return 0;
    return static_cast<int32_t>(std::fwrite(buffer, 1, static_cast<size_t>(count), static_cast<FILE*>(FHandle)));
}

int64_t TFileStream::Seek(int64_t offset, TSeekOrigin origin)
{
    FILE* f = static_cast<FILE*>(FHandle);
    const int how = origin == TSeekOrigin::Beginning ? SEEK_SET : origin == TSeekOrigin::Current ? SEEK_CUR : SEEK_END;
    if (std::fseek(f, static_cast<long>(offset), how) != 0) return -1;
    return std::ftell(f);
}

void TFileStream::SetSize(int64_t size)
{
    FILE* f = static_cast<FILE*>(FHandle);
    std::fflush(f);
    if (ftruncate(fileno(f), static_cast<off_t>(size)) != 0) throw EStreamError("Stream write error");
}
#endif

} // namespace tf
