// Names the ANSI code page (936) cannot hold: exact conversion or nothing,
// short (8.3) forms in their place, never a best-fit look-alike.
#include <doctest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "ServiceTestKit.h"
#include "tests/FileIdentity.h"
#include "framework/core/SysUtils.h"
#include "support/AnsiPath.h"
#include "support/ExeTest.h"
#include "support/FindFiles.h"

using namespace tf;
using testkit::TTempDir;

namespace {

void CreateW(const std::wstring& path, const char* bytes = "MZ")
{
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    REQUIRE(h != INVALID_HANDLE_VALUE);
    DWORD n = 0;
    WriteFile(h, bytes, static_cast<DWORD>(strlen(bytes)), &n, nullptr);
    CloseHandle(h);
}

struct TNoShortNames {
    bool Previous = SetNoShortNames(true);
    ~TNoShortNames() { SetNoShortNames(Previous); }
};

} // namespace

TEST_CASE("a name converts exactly or not at all: no best-fit look-alike")
{
    struct Case {
        const wchar_t* Wide;
        const char* Ansi;
        bool Exact;
    } cases[] = {
        {L"setup.exe", "setup.exe", true},
        {L"\x4E2D\x6587.exe", "\xD6\xD0\xCE\xC4.exe", true},   // 中文, held by GBK
        {L"\x0E44\x0E17\x0E22.exe", "???.exe", false},          // Thai
        {L"\xD83D\xDE00.exe", "??.exe", false},                  // an emoji: two UTF-16 units
        {L"\x00F8ne.exe", "?ne.exe", false},                     // ø, whose best fit would be o
        {L"\xD55C.exe", "?.exe", false},                         // Korean
        {L"", "", true},
    };
    for (const Case& c : cases) {
        std::string out;
        CAPTURE(c.Ansi);
        CHECK(WideToAnsiExact(c.Wide, out) == c.Exact);
        CHECK(out == c.Ansi);
    }
}

TEST_CASE("a path whose names the code page cannot hold is made of their short forms, which open the same file")
{
    TTempDir dir{"ansi"};
    const std::wstring root = AnsiToWide(dir.Path());
    CreateDirectoryW((root + L"\\\x0E44\x0E17").c_str(), nullptr);   // a Thai folder
    const std::wstring files[] = {
        root + L"\\\x0E44\x0E17\x0E22.exe",
        root + L"\\\xD83D\xDE00 smile.exe",
        root + L"\\\x0E44\x0E17\\inner.exe",   // a plain name inside a Thai folder
        root + L"\\\x4E2D\x6587.exe",           // held exactly: stays as it is
    };
    for (const std::wstring& f : files) CreateW(f);

    for (const std::wstring& f : files) {
        std::string ansi;
        REQUIRE(AnsiPathOf(f, ansi));
        CAPTURE(ansi);
        CHECK(ansi.find('?') == std::string::npos);
        CHECK(ansi.rfind(dir.Path(), 0) == 0);          // the usable folders stay as they are
        CHECK(tftest::FileIdentityA(ansi) == tftest::FileIdentityW(f));        // and it is that very file
        CHECK(IsExecutableFile(ansi));
    }
    std::string exact;
    REQUIRE(AnsiPathOf(files[3], exact));
    CHECK(exact == dir.Path() + "\\\xD6\xD0\xCE\xC4.exe");

    // A search finds them under the same paths; the baseline and the rescan
    // name them so too.
    std::vector<std::string> found;
    FindFiles(dir.Path(), "*.exe", [&](const std::string& p, int32_t kind, bool&) {
        if (kind == fkMatch) found.push_back(p);
    });
    CHECK(found.size() == 4);
    for (const std::wstring& f : files) {
        std::string ansi;
        AnsiPathOf(f, ansi);
        CHECK(std::find(found.begin(), found.end(), ansi) != found.end());
    }

    SUBCASE("without short names such a path is not representable and nothing is found in its place")
    {
        TNoShortNames none;
        std::string ansi;
        CHECK_FALSE(AnsiPathOf(files[0], ansi));
        CHECK(ansi == dir.Path() + "\\???.exe");   // for display only: '?' names no file
        CHECK_FALSE(IsExecutableFile(ansi));
        CHECK(IsExecutableFileW(files[0]));
        CHECK(AnsiPathOf(files[3], ansi));          // exact names need none
        found.clear();
        FindFiles(dir.Path(), "*.exe", [&](const std::string& p, int32_t kind, bool&) {
            if (kind == fkMatch) found.push_back(p);
        });
        CHECK(found == std::vector<std::string>{exact});
    }
    SUBCASE("a name with wildcards is never looked up as a pattern")
    {
        std::string ansi;
        CHECK_FALSE(AnsiPathOf(root + L"\\\x0E44*", ansi));
    }
}
