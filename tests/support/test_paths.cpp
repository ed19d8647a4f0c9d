#include <doctest.h>

#include <string>

#include "support/PathUtils.h"

#if defined(_WIN32)
#include <windows.h>
#endif

using namespace tf;

// "\x81\x5C" is one GBK character whose trail byte is a backslash; "\x81\x41"
// and "\x81\x61" are two different characters whose trail bytes look like
// 'A' and 'a'.

TEST_CASE("the code page under test is GBK")
{
#if defined(_WIN32)
    REQUIRE(GetACP() == 936u);
#endif
    CHECK(IsAnsiLeadByte(0x81));
    CHECK(IsAnsiLeadByte(0xFE));
    CHECK_FALSE(IsAnsiLeadByte('\\'));
    CHECK_FALSE(IsAnsiLeadByte(0x80));
}

TEST_CASE("splitting a path into directory, name and extension")
{
    struct Case {
        std::string path, dir, name, ext;
    };
    const Case cases[] = {
        {"C:\\a\\b.exe", "C:\\a\\", "b.exe", ".exe"},
        {"C:\\dir.exe\\file", "C:\\dir.exe\\", "file", ""},
        {"C:", "C:", "", ""},
        {"C:b.txt", "C:", "b.txt", ".txt"},
        {"b.tar.gz", "", "b.tar.gz", ".gz"},
        {"C:\\a\\b.", "C:\\a\\", "b.", "."},
        {"", "", "", ""},
        // The trail byte 0x5C never splits.
        {"C:\\a\\\x81\x5C", "C:\\a\\", "\x81\x5C", ""},
        {"C:\\\x81\x5C.exe", "C:\\", "\x81\x5C.exe", ".exe"},
        {"C:\\\x81\x5C\\x.dll", "C:\\\x81\x5C\\", "x.dll", ".dll"},
        {"C:\\v.1\\\x81\x5Cx", "C:\\v.1\\", "\x81\x5Cx", ""},
        {"C:\\x.\x81\x5C", "C:\\", "x.\x81\x5C", ".\x81\x5C"},
        // A lead byte without its trail byte is a byte of its own.
        {"C:\\a\x81", "C:\\", "a\x81", ""},
    };
    for (const Case& c : cases) {
        CAPTURE(c.path);
        CHECK(ExtractFilePath(c.path) == c.dir);
        CHECK(ExtractFileName(c.path) == c.name);
        CHECK(ExtractFileExt(c.path) == c.ext);
    }
    CHECK(LastDelimiter(".\\:", "a.b\x81\x5C") == 1u);
    CHECK(LastDelimiter("\\", "\x81\x5C") == std::string::npos);
}

TEST_CASE("trailing backslash")
{
    struct Case {
        std::string path, with;
        bool has;
    };
    const Case cases[] = {
        {"C:\\", "C:\\", true},
        {"C:", "C:\\", false},
        {"C:\\tmp", "C:\\tmp\\", false},
        {"", "\\", false},
        {"C:\\\x81\x5C", "C:\\\x81\x5C\\", false},
        {"C:\\\x81\x5C\\", "C:\\\x81\x5C\\", true},
    };
    for (const Case& c : cases) {
        CAPTURE(c.path);
        CHECK(HasTrailingBackslash(c.path) == c.has);
        CHECK(IncludeTrailingBackslash(c.path) == c.with);
    }
}

TEST_CASE("paths compare with ASCII letters folded at single-byte positions only")
{
    struct Case {
        std::string a, b;
        bool same;
    };
    const Case cases[] = {
        {"C:\\Tools\\New.EXE", "c:\\tools\\new.exe", true},
        {"C:\\a", "C:\\a ", false},
        {"C:\\a", "C:\\b", false},
        {"", "", true},
        {"C:\\\x81\x5C\\A.exe", "c:\\\x81\x5C\\a.EXE", true},
        // Trail bytes are part of a character: different characters stay different.
        {"C:\\\x81\x41.exe", "C:\\\x81\x61.exe", false},
        {"C:\\\x81\x41.exe", "c:\\\x81\x41.EXE", true},
        // Only ASCII letters fold.
        {"C:\\\xC4", "C:\\\xE4", false},
    };
    for (const Case& c : cases) {
        CAPTURE(c.a);
        CHECK(SamePath(c.a, c.b) == c.same);
        CHECK(SamePath(c.b, c.a) == c.same);
    }
    CHECK(FoldPathCase("c:\\\x81\x61z") == "C:\\\x81\x61Z");
}

TEST_CASE("wildcards")
{
    CHECK(HasWildcards("C:\\a\\*.exe"));
    CHECK(HasWildcards("C:\\a?.exe"));
    CHECK_FALSE(HasWildcards("C:\\a\\b.exe"));
    CHECK_FALSE(HasWildcards("C:\\\x81\x5C.exe"));
}
