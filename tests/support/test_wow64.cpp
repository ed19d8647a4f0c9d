#include <doctest.h>
#include <windows.h>

#include <string>

#include "framework/threads/WinHandle.h"
#include "support/ExeTest.h"
#include "support/FileExists.h"
#include "support/Wow64.h"

using namespace tf;

TEST_CASE("paths inside System32 map to Sysnative")
{
    struct Case {
        std::string path, windows, mapped;
    };
    const Case cases[] = {
        {"C:\\Windows\\System32\\x.exe", "C:\\Windows", "C:\\Windows\\Sysnative\\x.exe"},
        {"c:\\WINDOWS\\system32\\drivers\\a.sys", "C:\\Windows", "C:\\Windows\\Sysnative\\drivers\\a.sys"},
        {"C:\\Windows\\System32\\x.exe", "C:\\Windows\\", "C:\\Windows\\Sysnative\\x.exe"},
        {"C:\\Windows\\System32", "C:\\Windows", "C:\\Windows\\Sysnative"},
        {"C:\\Windows\\System32\\", "C:\\Windows", "C:\\Windows\\Sysnative\\"},
        {"C:\\Windows\\System32x\\a", "C:\\Windows", "C:\\Windows\\System32x\\a"},
        {"C:\\Windows\\System3", "C:\\Windows", "C:\\Windows\\System3"},
        {"C:\\Windows\\SysWOW64\\a.dll", "C:\\Windows", "C:\\Windows\\SysWOW64\\a.dll"},
        {"D:\\Windows\\System32\\a.dll", "C:\\Windows", "D:\\Windows\\System32\\a.dll"},
        {"C:\\Windows\\Sysnative\\a.dll", "C:\\Windows", "C:\\Windows\\Sysnative\\a.dll"},   // idempotent
        {"C:\\WinNT\\System32\\a.dll", "C:\\Windows", "C:\\WinNT\\System32\\a.dll"},
        {"", "C:\\Windows", ""},
        {"C:\\Windows\\System32\\a.dll", "", "C:\\Windows\\System32\\a.dll"},
    };
    for (const Case& c : cases) {
        CAPTURE(c.path);
        CHECK(MapSystem32ToSysnative(c.path, c.windows) == c.mapped);
    }
}

// Redirection is what a 32-bit program sees on 64-bit Windows; the 64-bit
// build (machines that run no 32-bit code) has none to undo.
TEST_CASE("a file made in the real System32 is found through its System32 path" * doctest::skip(sizeof(void*) != 4))
{
    // The test prefix is 64-bit: this 32-bit process runs under WOW64 and
    // its plain System32 calls land in SysWOW64.
    REQUIRE(IsWow64());
    const std::string windows = SystemWindowsDirectory();
    REQUIRE_FALSE(windows.empty());
    const std::string reported = windows + "\\System32\\tf_wow64_probe.tmp";
    const std::string native = NativeFilePath(reported);
    CHECK(native == windows + "\\Sysnative\\tf_wow64_probe.tmp");
    DeleteFileA(native.c_str());
    {
        TKernelHandle f(CreateFileA(native.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                    nullptr));
        REQUIRE(f.Valid());
        DWORD n = 0;
        WriteFile(f.Get(), "MZ", 2, &n, nullptr);
    }
    // Unmapped, the search is redirected to SysWOW64 and misses the file.
    WIN32_FIND_DATAA data;
    TFindHandle plain(FindFirstFileA(reported.c_str(), &data));
    CHECK_FALSE(plain.Valid());
    // The guard's own operations see it under the reported path.
    CHECK(FileExistsAsFile(reported));
    CHECK(IsExecutableFile(reported));   // ".tmp": the content was read
    CHECK(DeleteFileA(native.c_str()));
    CHECK_FALSE(FileExistsAsFile(reported));
    // Other folders are not touched.
    CHECK(NativeFilePath(windows + "\\SysWOW64\\a.dll") == windows + "\\SysWOW64\\a.dll");
}

TEST_CASE("a 64-bit build is not redirected: paths are handed to the system as they are" *
          doctest::skip(sizeof(void*) != 8))
{
    CHECK_FALSE(IsWow64());
    const std::string path = SystemWindowsDirectory() + "\\System32\\x.exe";
    CHECK(NativeFilePath(path) == path);
}
