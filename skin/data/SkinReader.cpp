#include "SkinReader.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "Lzh.h"
#include "skin/data/SkinLimits.h"
#include "framework/core/SysUtils.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace tf {

const char* const SOlderSkinFile = "This is Older Skin File\rPlease update to new version !";

namespace {

#ifdef _WIN32
// The plain message dialog: one OK button, captioned with the program's name.
void MessageBoxShow(const std::string& text)
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string title = path;
    const size_t slash = title.find_last_of("\\/:");
    if (slash != std::string::npos) title.erase(0, slash + 1);
    const size_t dot = title.rfind('.');
    if (dot != std::string::npos) title.erase(dot);
    MessageBoxA(GetActiveWindow(), text.c_str(), title.c_str(), MB_OK);
}
#else
void PrintShow(const std::string& text)
{
    std::string shown = text;
    for (char& c : shown)
        if (c == '\r') c = '\n';
    std::fprintf(stderr, "%s\n", shown.c_str());
}
#endif

int32_t ReadLE32(const uint8_t* p)
{
    return static_cast<int32_t>(static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                                static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24);
}

} // namespace

#ifdef _WIN32
TSkinMessageProc ShowSkinMessage = &MessageBoxShow;
#else
TSkinMessageProc ShowSkinMessage = &PrintShow;
#endif

int SkinVersionBlockSize(int32_t version)
{
    switch (version) {
    case 20000: return 0;
    case 30000: return 256;
    case 40000: return 80;
    case 50000: return 48;
    case 60000: return 117;
    case 70000: return 69;
    default: return -1;
    }
}

bool TSkinReader::Load(TStream& file)
{
    FLoadError.clear();
    FVersionRefused = false;
    auto fail = [this](std::string why) {
        FLoadError = std::move(why);
        return false;
    };

    file.SetPosition(0);
    const int64_t fileSize = file.Size();
    if (fileSize < 4) return fail("the file is shorter than its 4-byte length");
    const int32_t declared = file.ReadInt32();
    if (declared < 0) return fail(Format("negative decoded length %d", declared));
    // A length the compressed bits cannot reach would only decode padding:
    // refuse it instead of filling memory with it.
    const int64_t limit = TLZH::MaxDecodedSize(fileSize - 4);
    if (declared > limit)
        return fail(Format("decoded length %d is more than %lld compressed bytes can hold", declared,
                           static_cast<long long>(fileSize - 4)));

    if (declared > kMaxUnpackedSkin)
        return fail(Format("it would unpack to %d bytes, more than the %lld a skin may take", declared,
                           static_cast<long long>(kMaxUnpackedSkin)));

    TMemoryStream temp;
    {
        TLZH lzh;
        lzh.InputStream = &file;
        lzh.OutputStream = &temp;
        lzh.Decode(declared);
        // A file cut short decodes its zero padding into bytes that may still
        // look like a container.
        if (lzh.MissingInput() > TLZH::CompleteInputSlack)
            return fail(Format("the skin file is cut short (%lld bytes missing)",
                               static_cast<long long>(lzh.MissingInput())));
    }
    const uint8_t* bytes = temp.Memory();
    const int64_t size = temp.Size();

    if (size < 16) return fail(Format("the container (%lld bytes) is shorter than its header", static_cast<long long>(size)));
    const int32_t version = ReadLE32(bytes);
    const int block = SkinVersionBlockSize(version);
    if (block < 0) {
        ShowSkinMessage(SOlderSkinFile);
        FVersionRefused = true;
        return fail(Format("unknown container version %d", version));
    }
    const int64_t header = 16 + block;
    const int32_t nameListLength = ReadLE32(bytes + 4);
    if (nameListLength < 0 || header + nameListLength > size)
        return fail(Format("the name list (%d bytes at %lld) runs past the container's %lld bytes", nameListLength,
                           static_cast<long long>(header), static_cast<long long>(size)));

    const std::string nameText(reinterpret_cast<const char*>(bytes + header), static_cast<size_t>(nameListLength));
    const std::vector<std::string> names = SplitLines(LowerCaseAscii(nameText));
    const int64_t count = static_cast<int64_t>(names.size());
    if (count > kMaxSkinEntries) return fail(Format("%lld entries, more than %d", static_cast<long long>(count), kMaxSkinEntries));
    const int64_t dataOffset = header + nameListLength + 4 * count;
    if (dataOffset > size) return fail("the size table runs past the end of the container");

    int32_t sizes[kMaxSkinEntries] = {};
    int64_t total = 0;
    for (int64_t i = 0; i < count; ++i) {
        sizes[i] = ReadLE32(bytes + header + nameListLength + 4 * i);
        if (sizes[i] < 0) return fail(Format("entry %lld has a negative size", static_cast<long long>(i + 1)));
        total += sizes[i];
    }
    if (total > size - dataOffset)
        return fail(Format("the sizes claim %lld bytes but the entry data holds %lld", static_cast<long long>(total),
                           static_cast<long long>(size - dataOffset)));

    FNames.BeginUpdate();
    FNames.Clear();
    for (const std::string& name : names) FNames.Add(name);
    FNames.EndUpdate();
    FCount = static_cast<int32_t>(count);
    std::copy(sizes, sizes + kMaxSkinEntries, FSizes);
    FData.Clear();
    if (size > dataOffset) FData.WriteBuffer(bytes + dataOffset, static_cast<int32_t>(size - dataOffset));
    FData.SetPosition(0);
    FVersion = version;
    FNameListLength = nameListLength;
    FDataOffset = dataOffset;
    return true;
}

void TSkinReader::CopyEntry(int index, TMemoryStream& out) const
{
    int64_t offset = 0;
    for (int i = 0; i < index; ++i) offset += FSizes[i];
    if (FSizes[index] > 0) out.WriteBuffer(FData.Memory() + offset, FSizes[index]);
    out.SetPosition(0);
}

void TSkinReader::GetEntry(const std::string& name, TMemoryStream& out) const
{
    out.Clear();
    const std::string wanted = LowerCaseAscii(name);
    for (int i = 0; i < FCount; ++i) {
        if (FNames[i] == wanted) {
            CopyEntry(i, out);
            return;
        }
    }
}

bool TSkinReader::HasEntry(const std::string& text) const
{
    for (int i = 0; i < FCount; ++i)
        if (FSizes[i] > 0 && FNames[i].find(text) != std::string::npos) return true;
    return false;
}

void TSkinReader::FindEntry(const std::string& text, TMemoryStream& out, std::string& name) const
{
    out.Clear();
    for (int i = 0; i < FCount; ++i) {
        const std::string entry = FNames[i];
        if (entry.find(text) != std::string::npos) {
            CopyEntry(i, out);
            name = entry;
            return;
        }
    }
}

} // namespace tf
