// Fuzzes the skin file reader, both on raw skin files and on containers
// packed with the skin packer (so the container parser sees the bytes as
// they are). Whatever loads must hand out entries within their bounds.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "skin/data/SkinReader.h"
#include "tools/skinpack/SkinPack.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1) return 0;
    tf::ShowSkinMessage = [](const std::string&) {};
    const std::vector<uint8_t> rest(data + 1, data + size);
    const std::vector<uint8_t> skin = (data[0] & 1) ? skinpack::BuildSkinFile(rest, 8) : rest;

    tf::TSkinReader reader;
    tf::TMemoryStream file(skin);
    if (!reader.Load(file)) {
        if (reader.LoadError().empty()) std::abort();
        return 0;
    }
    int64_t total = 0;
    for (int i = 0; i < reader.Count(); ++i) {
        tf::TMemoryStream out;
        reader.GetEntry(reader.Names()[i], out);
        if (out.Size() > reader.Size(i)) std::abort();
        total += reader.Size(i);
    }
    if (total > static_cast<int64_t>(reader.Data().Bytes().size())) std::abort();
    tf::TMemoryStream out;
    std::string name;
    reader.FindEntry(".ini", out, name);
    return 0;
}
