#include <doctest.h>
#include <windows.h>

#include <string>

#include "framework/core/SysUtils.h"
#include "framework/threads/WinHandle.h"
#include "support/ExeTest.h"
#include "support/FileExists.h"
#include "tests/kit/TempDir.h"

using namespace tf;
using namespace std::string_literals;

namespace {

using tftest::TTempDir;

TKernelHandle LockExclusively(const std::string& path)
{
    return TKernelHandle(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

} // namespace

TEST_CASE("the executable test over a table of files")
{
    TTempDir t{"exetest"};
    t.Dir("dir.exe");
    t.Dir("x.exe");   // a directory
    struct Case {
        std::string name;
        bool create;
        std::string content;
        bool expected;
    };
    const Case cases[] = {
        {"b.EXE", true, "plain text", true},        // the extension decides
        {"c.dll", true, "", true},
        {"d.OcX", true, "xx", true},
        {"tool.ex", true, "not MZ", true},          // substring of ".exe.dll.ocx"
        {"e.d", true, "x", true},
        {"f.oc", true, "x", true},
        {"font.FON", true, "MZ\x90\x00"s, false},   // fonts are never executables
        {"font.fon", true, "MZ", false},
        {"setup.tmp", true, "MZ\x90\x00rest"s, true},
        {"other.tmp", true, "PK\x03\x04", false},
        {"zm.tmp", true, "ZM", false},
        {"short.tmp", true, "M", false},            // one byte only
        {"empty.bin", true, "", false},
        {"readme", true, "MZ", true},               // no extension: the content decides
        {"notes", true, "hello", false},
        {"a.exe.txt", true, "hello", false},        // ".txt" is no substring of the list
        {"dir.exe\\file", true, "MZ", true},        // the dot belongs to the folder
        {"dir.exe\\file2", true, "ab", false},
        {"\xB2\xE2\xCA\xD4.exe", true, "", true},   // a GBK name
        {"\xB2\xE2\xCA\xD4.tmp", true, "MZ", true},
        {"missing.exe", false, "", false},
        {"missing.tmp", false, "", false},
        {"x.exe", false, "", false},                // the directory
    };
    for (const Case& c : cases) {
        const std::string path = c.create ? t.File(c.name, c.content) : t.Folder() + c.name;
        CAPTURE(path);
        CHECK(IsExecutableFile(path) == c.expected);
        // The UTF-16 tests agree; the one for a file a search has found skips
        // the search, so it is asked about existing files only.
        CHECK(IsExecutableFileW(AnsiToWide(path)) == c.expected);
        if (c.create) CHECK(IsFoundFileExecutable(AnsiToWide(path)) == c.expected);
    }
}

TEST_CASE("files with a listed extension are never opened; others are opened without sharing")
{
    TTempDir t{"exetest"};
    const std::string exe = t.File("locked.exe", "plain text");
    const std::string tmp = t.File("locked.tmp", "MZ");
    {
        // Held open without sharing by someone else.
        TKernelHandle a = LockExclusively(exe);
        TKernelHandle b = LockExclusively(tmp);
        REQUIRE(a.Valid());
        REQUIRE(b.Valid());
        CHECK(IsExecutableFile(exe));        // decided by the extension alone
        CHECK_FALSE(IsExecutableFile(tmp));  // the open fails: not executable
    }
    CHECK(IsExecutableFile(tmp));
    // The test leaves no handle behind: the file can be locked again at once.
    CHECK(LockExclusively(tmp).Valid());
}

TEST_CASE("a file exists only when a search for exactly its path finds a file")
{
    TTempDir t{"exetest"};
    const std::string f = t.File("a.txt", "x");
    t.Dir("sub");
    CHECK(FileExistsAsFile(f));
    CHECK(FileExistsAsFile(t.Folder() + "A.TXT"));
    CHECK_FALSE(FileExistsAsFile(t.Folder() + "sub"));
    CHECK_FALSE(FileExistsAsFile(t.Folder() + "b.txt"));
    CHECK_FALSE(FileExistsAsFile(t.Folder() + "?.txt"));   // a pattern, not a file
    CHECK_FALSE(FileExistsAsFile(t.Folder() + "*"));
    CHECK_FALSE(FileExistsAsFile(f + "\\"));
    CHECK_FALSE(FileExistsAsFile(""));
}
