// fdc: compiles the text description of a form into the binary form data
// that the program embeds as a resource.
//
//   fdc <form.txt> <out.bin> [-I <folder>]...
//
// The text is UTF-8; its strings are stored in GBK (code page 936), the
// program's ANSI code page. "@file 'name'" values are looked up next to the
// text first, then in each -I folder.
#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "framework/core/SysUtils.h"
#include "framework/reader/FormData.h"

namespace {

bool ReadFile(const std::string& path, std::vector<uint8_t>& bytes)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

bool Utf8ToGbk(const std::string& in, std::string& out, std::string& error)
{
    iconv_t cd = iconv_open("CP936", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        error = "this system cannot convert UTF-8 to CP936";
        return false;
    }
    out.assign(in.size() * 2 + 16, '\0');
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    char* dst = out.data();
    size_t dstLeft = out.size();
    const size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    iconv_close(cd);
    if (r == static_cast<size_t>(-1)) {
        const size_t at = in.size() - srcLeft;
        const int line = 1 + static_cast<int>(std::count(in.begin(), in.begin() + static_cast<long>(at), '\n'));
        error = tf::Format("line %d: text that has no GBK form", line);
        return false;
    }
    out.resize(out.size() - dstLeft);
    return true;
}

struct Search {
    std::vector<std::string> folders;
};

bool LoadIncluded(const std::string& name, std::vector<uint8_t>& bytes, void* context)
{
    const auto* search = static_cast<const Search*>(context);
    if (!name.empty() && name[0] == '/') return ReadFile(name, bytes);
    for (const std::string& folder : search->folders)
        if (ReadFile(folder + "/" + name, bytes)) return true;
    return false;
}

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : path.substr(0, slash);
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    std::vector<std::string> files;
    Search search;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "-I" && i + 1 < args.size()) search.folders.push_back(args[++i]);
        else files.push_back(args[i]);
    }
    if (files.size() != 2) {
        std::fprintf(stderr, "usage: fdc <form.txt> <out.bin> [-I <folder>]...\n");
        return 2;
    }
    const std::string& input = files[0];
    search.folders.insert(search.folders.begin(), FolderOf(input));

    std::vector<uint8_t> raw;
    if (!ReadFile(input, raw)) {
        std::fprintf(stderr, "%s: cannot read the file\n", input.c_str());
        return 1;
    }
    std::string text, error;
    if (!Utf8ToGbk(std::string(raw.begin(), raw.end()), text, error)) {
        std::fprintf(stderr, "%s: %s\n", input.c_str(), error.c_str());
        return 1;
    }
    std::vector<uint8_t> out;
    try {
        out = tf::EncodeFormBinary(tf::ParseFormText(text, &LoadIncluded, &search));
    } catch (const tf::Exception& e) {
        std::fprintf(stderr, "%s: %s\n", input.c_str(), e.Message.c_str());
        return 1;
    }
    std::ofstream o(files[1], std::ios::binary);
    o.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    if (!o) {
        std::fprintf(stderr, "%s: cannot write the file\n", files[1].c_str());
        return 1;
    }
    return 0;
}
