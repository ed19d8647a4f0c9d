// skinpack: builds and inspects skin files on the build machine.
//
//   skinpack pack <folder> <skin file>     entries in the order of <folder>/entries.lst
//   skinpack unpack <skin file> <folder>   entries and entries.lst
//   skinpack decode <skin file> <out>      the decoded bytes, exactly as the program decodes them
//   skinpack list <skin file>              version, entries and sizes
//   skinpack stream <skin file> <block>    the "SkinStream" block for form data
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "SkinPack.h"
#include "framework/core/Streams.h"
#include "framework/core/SysUtils.h"
#include "skin/data/Lzh.h"
#include "skin/data/SkinReader.h"

namespace {

const char* const kListFile = "entries.lst";

struct Failure : std::exception {
    explicit Failure(std::string text) : Text(std::move(text)) {}
    const char* what() const noexcept override { return Text.c_str(); }
    std::string Text;
};

std::vector<uint8_t> ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) throw Failure("cannot open " + path);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) throw Failure("cannot read " + path);
    return bytes;
}

void WriteFile(const std::string& path, const uint8_t* data, size_t size)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) throw Failure("cannot create " + path);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    out.close();
    if (!out) throw Failure("cannot write " + path);
}

void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes)
{
    WriteFile(path, bytes.data(), bytes.size());
}

std::string Join(const std::string& folder, const std::string& name)
{
    if (folder.empty() || folder.back() == '/') return folder + name;
    return folder + "/" + name;
}

// Entry names from the list file: one a line; blank lines and lines
// starting with "#" are skipped.
std::vector<std::string> ReadList(const std::string& folder)
{
    const std::vector<uint8_t> bytes = ReadFile(Join(folder, kListFile));
    std::vector<std::string> names;
    for (const std::string& line : tf::SplitLines(std::string(bytes.begin(), bytes.end()))) {
        const std::string name = tf::Trim(line);
        if (!name.empty() && name[0] != '#') names.push_back(name);
    }
    if (names.empty()) throw Failure(Join(folder, kListFile) + " names no entries");
    return names;
}

int Pack(const std::string& folder, const std::string& skinFile)
{
    std::vector<skinpack::SkinEntry> entries;
    for (const std::string& name : ReadList(folder)) entries.push_back({name, ReadFile(Join(folder, name))});
    const std::vector<uint8_t> container = skinpack::BuildContainer(entries);
    const std::vector<uint8_t> skin = skinpack::BuildSkinFile(container, 4096);

    // Check the result with the program's own reader before writing it.
    tf::TMemoryStream file(skin);
    tf::TSkinReader reader;
    if (!reader.Load(file)) throw Failure("packed skin does not read back: " + reader.LoadError());
    for (const skinpack::SkinEntry& e : entries) {
        tf::TMemoryStream got;
        reader.GetEntry(e.Name, got);
        if (got.Bytes() != e.Bytes) throw Failure("entry " + e.Name + " does not read back");
    }
    WriteFile(skinFile, skin);
    std::printf("%s: %zu entries, %zu bytes packed to %zu\n", skinFile.c_str(), entries.size(), container.size(),
                skin.size());
    return 0;
}

// The skin file's decoded length, checked the way the reader checks it.
int32_t DeclaredLength(const std::vector<uint8_t>& skin, const std::string& path)
{
    if (skin.size() < 4) throw Failure(path + ": shorter than the 4-byte length of a skin file");
    tf::TMemoryStream in(skin);
    const int32_t declared = in.ReadInt32();
    if (declared < 0) throw Failure(path + ": negative decoded length " + std::to_string(declared));
    if (declared > tf::TLZH::MaxDecodedSize(static_cast<int64_t>(skin.size()) - 4))
        throw Failure(path + ": decoded length " + std::to_string(declared) + " is more than " +
                      std::to_string(skin.size() - 4) + " compressed bytes can hold");
    return declared;
}

int Decode(const std::string& skinFile, const std::string& outFile)
{
    const std::vector<uint8_t> skin = ReadFile(skinFile);
    const int32_t declared = DeclaredLength(skin, skinFile);
    tf::TMemoryStream in(skin);
    in.SetPosition(4);
    tf::TMemoryStream out;
    tf::TLZH lzh;
    lzh.InputStream = &in;
    lzh.OutputStream = &out;
    lzh.Decode(declared);
    WriteFile(outFile, out.Bytes());
    std::printf("%s: %d bytes declared, %lld written\n", outFile.c_str(), declared, static_cast<long long>(out.Size()));
    return 0;
}

void LoadSkin(const std::string& skinFile, tf::TSkinReader& reader, std::vector<uint8_t>& skin)
{
    skin = ReadFile(skinFile);
    DeclaredLength(skin, skinFile);
    tf::ShowSkinMessage = [](const std::string&) {};   // the reason is reported below
    tf::TMemoryStream file(skin);
    if (!reader.Load(file)) throw Failure(skinFile + ": not a readable skin file: " + reader.LoadError());
}

int List(const std::string& skinFile)
{
    tf::TSkinReader reader;
    std::vector<uint8_t> skin;
    LoadSkin(skinFile, reader, skin);
    tf::TMemoryStream in(skin);
    std::printf("file     %s: %zu bytes, decoded length %d\n", skinFile.c_str(), skin.size(), in.ReadInt32());
    std::printf("version  %d\n", reader.Version());
    std::printf("entries  %d (name list %d bytes, entry data at %lld, %lld bytes)\n", reader.Count(),
                reader.NameListLength(), static_cast<long long>(reader.DataOffset()),
                static_cast<long long>(reader.Data().Bytes().size()));
    for (int i = 0; i < reader.Count(); ++i)
        std::printf("%4d  %9d  %s\n", i + 1, reader.Size(i), reader.Names()[i].c_str());
    return 0;
}

int Unpack(const std::string& skinFile, const std::string& folder)
{
    tf::TSkinReader reader;
    std::vector<uint8_t> skin;
    LoadSkin(skinFile, reader, skin);
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) throw Failure("cannot create " + folder + ": " + error.message());
    std::string list;
    for (int i = 0; i < reader.Count(); ++i) {
        const std::string name = reader.Names()[i];
        if (name.empty() || name.find_first_of("/\\:") != std::string::npos || name == "." || name == "..")
            throw Failure("entry name \"" + name + "\" is not a plain file name");
        tf::TMemoryStream entry;
        reader.GetEntry(name, entry);
        WriteFile(Join(folder, name), entry.Bytes());
        list += name + "\n";
    }
    WriteFile(Join(folder, kListFile), reinterpret_cast<const uint8_t*>(list.data()), list.size());
    std::printf("%s: %d entries\n", folder.c_str(), reader.Count());
    return 0;
}

int Stream(const std::string& skinFile, const std::string& blockFile)
{
    tf::TSkinReader reader;
    std::vector<uint8_t> skin;
    LoadSkin(skinFile, reader, skin);
    WriteFile(blockFile, skinpack::BuildSkinStream(skin));
    std::printf("%s: %zu bytes\n", blockFile.c_str(), skin.size() + 4);
    return 0;
}

int Usage()
{
    std::fprintf(stderr,
                 "usage: skinpack pack <folder> <skin file>\n"
                 "       skinpack unpack <skin file> <folder>\n"
                 "       skinpack decode <skin file> <out>\n"
                 "       skinpack list <skin file>\n"
                 "       skinpack stream <skin file> <block file>\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    try {
        if (args.size() == 3 && args[0] == "pack") return Pack(args[1], args[2]);
        if (args.size() == 3 && args[0] == "unpack") return Unpack(args[1], args[2]);
        if (args.size() == 3 && args[0] == "decode") return Decode(args[1], args[2]);
        if (args.size() == 2 && args[0] == "list") return List(args[1]);
        if (args.size() == 3 && args[0] == "stream") return Stream(args[1], args[2]);
        return Usage();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "skinpack: %s\n", e.what());
        return 1;
    }
}
