#include "VersionInfo.h"

#include <windows.h>

#include <cstring>
#include <vector>

#include "framework/core/SysUtils.h"
#include "support/Wow64.h"

namespace tf {

const char* const VersionInfoKeys[VersionInfoCount] = {
    "\\CompanyName",    "\\FileDescription", "\\FileVersion",  "\\InternalName",   "\\LegalCopyright",
    "\\LegalTrademarks", "\\OriginalFilename", "\\ProductName", "\\ProductVersion", "\\Comments",
};

const char* const VersionInfoCaptions[VersionInfoCount] = {
    "公司名称", "文件说明", "文件版本", "内部名称", "合法版权",
    "合法商标", "原文件名", "产品名称", "产品版本", "备注",
};

std::string VersionLanguageKey(uint32_t translation)
{
    const uint32_t language = translation & 0xFFFF;
    const uint32_t codePage = translation >> 16;
    return Format("%.8X", static_cast<unsigned>(language << 16 | codePage));
}

namespace {

// The zero-terminated text VerQueryValueA found, never read past the end of
// the buffer, whatever the resource holds. (Its length is not used: for a
// converted entry it may count characters, not bytes.)
std::string TextAt(const std::vector<char>& buffer, const void* value)
{
    const char* p = static_cast<const char*>(value);
    const char* begin = buffer.data();
    const char* end = begin + buffer.size();
    if (!p || p < begin || p >= end) return {};
    return std::string(p, strnlen(p, static_cast<size_t>(end - p)));
}

} // namespace

bool ReadVersionInfo(const std::string& path, TVersionValues& values)
{
    const std::string file = NativeFilePath(path);
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(file.c_str(), &ignored);
    if (size == 0) return false;
    try {
        std::vector<char> buffer(size, '\0');
        GetFileVersionInfoA(file.c_str(), 0, size, buffer.data());

        void* table = nullptr;
        UINT tableLength = 0;
        if (!VerQueryValueA(buffer.data(), "\\VarFileInfo\\Translation", &table, &tableLength) || !table ||
            tableLength < sizeof(uint32_t))
            return true;
        uint32_t first;
        std::memcpy(&first, table, sizeof first);
        const std::string key = "\\StringFileInfo\\" + VersionLanguageKey(first);

        for (int i = 0; i < VersionInfoCount; ++i) {
            void* value = nullptr;
            UINT length = 0;
            const std::string query = key + VersionInfoKeys[i];
            if (VerQueryValueA(buffer.data(), query.c_str(), &value, &length))
                values[i] = TextAt(buffer, value);
            else
                values[i].clear();
        }
    } catch (...) {
        // True with the values read so far.
    }
    return true;
}

} // namespace tf
