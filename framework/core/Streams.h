// Byte streams: the abstract TStream, an in-memory stream and a file stream.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "Object.h"

namespace tf {

enum class TSeekOrigin { Beginning, Current, End };

class TStream : public TObject {
public:
    // Reads or writes up to count bytes and returns how many were moved.
    virtual int32_t Read(void* buffer, int32_t count) = 0;
    virtual int32_t Write(const void* buffer, int32_t count) = 0;
    virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;

    int64_t Position() { return Seek(0, TSeekOrigin::Current); }
    void SetPosition(int64_t pos) { Seek(pos, TSeekOrigin::Beginning); }
    virtual int64_t Size();
    virtual void SetSize(int64_t size);

    // All-or-nothing variants: raise EReadError / EWriteError on a short transfer.
    void ReadBuffer(void* buffer, int32_t count);
    void WriteBuffer(const void* buffer, int32_t count);
    // Copies count bytes from source (count 0: all of source from its start).
    int64_t CopyFrom(TStream& source, int64_t count);

    int32_t ReadInt32();                 // little-endian, raises on short read
    void WriteInt32(int32_t v);
};

class TMemoryStream : public TStream {
public:
    TMemoryStream() = default;
    explicit TMemoryStream(std::vector<uint8_t> bytes) : FData(std::move(bytes)) {}

    int32_t Read(void* buffer, int32_t count) override;
    int32_t Write(const void* buffer, int32_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    int64_t Size() override { return static_cast<int64_t>(FData.size()); }
    void SetSize(int64_t size) override;

    void Clear();
    void LoadFromStream(TStream& source);   // whole source, from its start
    uint8_t* Memory() { return FData.data(); }
    const uint8_t* Memory() const { return FData.data(); }
    const std::vector<uint8_t>& Bytes() const { return FData; }

private:
    std::vector<uint8_t> FData;
    size_t FPos = 0;
};

enum TFileMode : uint32_t {
    fmOpenRead = 0x0000,
    fmOpenWrite = 0x0001,
    fmOpenReadWrite = 0x0002,
    fmCreate = 0xFFFF,
};

// A file opened for the life of the object. Opening failures raise
// EFOpenError ("不能打开文件 %s"); creating failures EFCreateError ("不能创建文件 %s").
class TFileStream : public TStream {
public:
    TFileStream(const std::string& fileName, uint32_t mode);
    ~TFileStream() override;
    TFileStream(const TFileStream&) = delete;
    TFileStream& operator=(const TFileStream&) = delete;

    int32_t Read(void* buffer, int32_t count) override;
    int32_t Write(const void* buffer, int32_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    void SetSize(int64_t size) override;

private:
    void* FHandle;
};

// The framework's texts for file stream failures (GBK at run time).
extern const char* const SFCreateError;   // "不能创建文件 %s"
extern const char* const SFOpenError;     // "不能打开文件 %s"

} // namespace tf
