#include <doctest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "ServiceTestKit.h"
#include "support/FindFiles.h"

using namespace tf;
using testkit::TTempDir;

namespace {

struct Call {
    std::string Path;
    int32_t Kind;
};

// root\setup.EXE, tool.ex, README, lib.dll, hidden.exe (hidden+system),
// sub1\x.exe, sub1\deep\y.dll, sub2\z.txt
struct Tree {
    TTempDir Dir{"find"};
    Tree()
    {
        Dir.File("setup.EXE");
        Dir.File("tool.ex");
        Dir.File("README");
        Dir.File("lib.dll");
        const std::string hidden = Dir.File("hidden.exe");
        SetFileAttributesA(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
        Dir.Dir("sub1");
        Dir.File("sub1\\x.exe");
        Dir.Dir("sub1\\deep");
        Dir.File("sub1\\deep\\y.dll");
        Dir.Dir("sub2");
        Dir.File("sub2\\z.txt");
    }
    std::string operator/(const std::string& r) const { return Dir / r; }
};

std::vector<Call> Record(const std::string& dir, const std::string& masks, int32_t* count = nullptr)
{
    std::vector<Call> calls;
    const int32_t n = FindFiles(dir, masks, [&](const std::string& p, int32_t k, bool&) { calls.push_back({p, k}); });
    if (count) *count = n;
    return calls;
}

std::set<std::string> PathsOfKind(const std::vector<Call>& calls, int32_t kind)
{
    std::set<std::string> out;
    for (const Call& c : calls)
        if (c.Kind == kind) out.insert(c.Path);
    return out;
}

std::string Parent(const std::string& p) { return p.substr(0, p.find_last_of('\\')); }

} // namespace

TEST_CASE("FindFiles reports matches by the extension rule, hidden and system files included")
{
    Tree t;
    int32_t count = -1;
    const auto calls = Record(t.Dir.Path(), "*.exe;*.dll", &count);
    const std::set<std::string> expected = {t / "setup.EXE",  t / "tool.ex",          t / "lib.dll",
                                            t / "hidden.exe", t / "sub1\\x.exe", t / "sub1\\deep\\y.dll"};
    CHECK(PathsOfKind(calls, fkMatch) == expected);
    CHECK(count == 6);
    // Every file is met (kind 2) once, README and z.txt too, and a match
    // comes right after its own kind-2 call.
    const auto met = PathsOfKind(calls, fkFile);
    CHECK(met.size() == 8);
    CHECK(met.count(t / "README") == 1);
    CHECK(met.count(t / "sub2\\z.txt") == 1);
    for (size_t i = 0; i < calls.size(); ++i)
        if (calls[i].Kind == fkMatch) {
            REQUIRE(i > 0);
            CHECK(calls[i - 1].Kind == fkFile);
            CHECK(calls[i - 1].Path == calls[i].Path);
        }
    // Directories are searched, never reported as files.
    CHECK(PathsOfKind(calls, fkDirectory) ==
          std::set<std::string>{t.Dir.Path(), t / "sub1", t / "sub1\\deep", t / "sub2"});
}

TEST_CASE("FindFiles with and without a trailing backslash reports the same paths")
{
    Tree t;
    const auto plain = Record(t.Dir.Path(), "*.exe;*.dll");
    const auto slashed = Record(t.Dir.Path() + "\\", "*.exe;*.dll");
    REQUIRE(plain.size() == slashed.size());
    for (size_t i = 0; i < plain.size(); ++i) {
        CHECK(plain[i].Path == slashed[i].Path);
        CHECK(plain[i].Kind == slashed[i].Kind);
    }
    for (const Call& c : plain) CHECK(c.Path.rfind(t.Dir.Path(), 0) == 0);
}

TEST_CASE("FindFiles on c: and c:\\ gives the same paths, each c:\\ plus the entry name")
{
    // Only the top level of the drive: every subdirectory answers stop at once.
    auto topLevel = [](const std::string& drive) {
        std::vector<std::string> paths;
        FindFiles(drive, "*.*", [&](const std::string& p, int32_t k, bool& stop) {
            if (k == fkDirectory && p != "c:") stop = true;
            paths.push_back(std::to_string(k) + p);
        });
        return paths;
    };
    const auto a = topLevel("c:");
    const auto b = topLevel("c:\\");
    CHECK(a == b);
    REQUIRE(a.size() > 3);
    CHECK(a.front() == "1c:");
    for (const std::string& p : a)
        if (p != "1c:") CHECK(p.substr(1, 3) == "c:\\");
}

TEST_CASE("the mask rule: only the extension, as a substring of the mask text")
{
    struct Case {
        const char* Name;
        const char* Masks;
        bool Match;
    } cases[] = {
        {"setup.EXE", "*.exe;*.dll", true}, {"tool.ex", "*.exe;*.dll", true},  {"a.e", "*.exe;*.dll", true},
        {"a.d", "*.exe;*.dll", true},       {"a.dl", "*.exe;*.dll", true},     {"README", "*.exe;*.dll", false},
        {"a.txt", "*.exe;*.dll", false},    {"a.exe.txt", "*.exe;*.dll", false}, {"a.txt.exe", "*.exe;*.dll", true},
        {"README", "*.*", true},            {"a.txt", "x*.*", true},          {"exe", "*.exe", false},
        {"foo.xe", "*.exe", false},          {"foo.exe", "*.com", false},
    };
    for (const Case& c : cases) {
        CAPTURE(std::string(c.Name));
        CAPTURE(std::string(c.Masks));
        CHECK(MatchesMasks(c.Name, c.Masks) == c.Match);
    }
    // FindFiles lower-cases the masks (ASCII letters) itself.
    Tree t;
    int32_t count = 0;
    Record(t.Dir.Path(), "*.EXE", &count);
    CHECK(count == 4);   // setup.EXE, tool.ex, hidden.exe, sub1\x.exe
}

TEST_CASE("a stop at the first call ends the search before any entry")
{
    Tree t;
    int calls = 0;
    const int32_t count = FindFiles(t.Dir.Path(), "*.*", [&](const std::string&, int32_t, bool& stop) {
        ++calls;
        stop = true;
    });
    CHECK(count == 0);
    CHECK(calls == 1);
}

TEST_CASE("a stop ends only the directory whose call made it")
{
    Tree t;
    int32_t count = 0;
    std::vector<Call> calls;
    count = FindFiles(t.Dir.Path(), "*.exe;*.dll", [&](const std::string& p, int32_t k, bool& stop) {
        calls.push_back({p, k});
        if (k == fkDirectory && p == t / "sub1") stop = true;
    });
    // sub1's entries are skipped; the root goes on after its own kind-1 call.
    CHECK(count == 4);
    const auto met = PathsOfKind(calls, fkFile);
    CHECK(met.count(t / "sub1\\x.exe") == 0);
    CHECK(met.count(t / "sub2\\z.txt") == 1);
    CHECK(PathsOfKind(calls, fkDirectory).count(t / "sub1\\deep") == 0);
}

TEST_CASE("the kind-1 call repeats after each subdirectory, pre-order")
{
    Tree t;
    const auto calls = Record(t.Dir.Path(), "*.exe;*.dll");
    // Each directory's block runs from its first kind-1 call to the last call
    // inside it; the parent's kind-1 call follows at once.
    int repeats = 0;
    for (size_t i = 0; i < calls.size(); ++i) {
        const Call& c = calls[i];
        if (c.Kind != fkDirectory || c.Path == t.Dir.Path()) continue;
        bool first = std::none_of(calls.begin(), calls.begin() + static_cast<long>(i),
                                  [&](const Call& d) { return d.Kind == fkDirectory && d.Path == c.Path; });
        if (!first) continue;
        size_t end = i;
        while (end + 1 < calls.size() &&
               (calls[end + 1].Path == c.Path || calls[end + 1].Path.rfind(c.Path + "\\", 0) == 0))
            ++end;
        REQUIRE(end + 1 < calls.size());
        CHECK(calls[end + 1].Kind == fkDirectory);
        CHECK(calls[end + 1].Path == Parent(c.Path));
        ++repeats;
    }
    CHECK(repeats == 3);   // sub1, sub1\deep, sub2
    const auto rootCalls = std::count_if(calls.begin(), calls.end(),
                                         [&](const Call& c) { return c.Kind == fkDirectory && c.Path == t.Dir.Path(); });
    CHECK(rootCalls == 3);   // its own call plus one after sub1 and one after sub2
}

TEST_CASE("a failure while handling one entry skips only that entry")
{
    Tree t;
    std::set<std::string> matched;
    const int32_t count = FindFiles(t.Dir.Path(), "*.exe;*.dll", [&](const std::string& p, int32_t k, bool&) {
        if (k == fkFile && p == t / "lib.dll") throw std::runtime_error("unreadable");
        if (k == fkMatch && p == t / "tool.ex") throw std::runtime_error("unreadable");
        if (k == fkMatch) matched.insert(p);
    });
    CHECK(count == 4);
    CHECK(matched.count(t / "lib.dll") == 0);
    CHECK(matched.count(t / "sub1\\deep\\y.dll") == 1);
}

TEST_CASE("a directory that cannot be listed counts 0")
{
    TTempDir d{"gone"};
    int32_t count = -1;
    const auto calls = Record(d / "missing", "*.*", &count);
    CHECK(count == 0);
    REQUIRE(calls.size() == 1);
    CHECK(calls[0].Kind == fkDirectory);
    CHECK(FindFiles(d / "missing", "*.*") == 0);
    // Without a callback the count is the same as with one.
    Tree t;
    CHECK(FindFiles(t.Dir.Path(), "*.exe;*.dll") == 6);
}

// Redirection is what a 32-bit program sees on 64-bit Windows; the 64-bit
// build (machines that run no 32-bit code) has none to undo.
TEST_CASE("under WOW64 a search of System32 lists the real System32" * doctest::skip(sizeof(void*) != 4))
{
    char windows[MAX_PATH];
    const UINT n = GetSystemWindowsDirectoryA(windows, MAX_PATH);
    REQUIRE(n > 0);
    const std::string dir(windows, n);
    const std::string tag = std::to_string(GetCurrentProcessId());
    // One file only in the real System32, one only in the 32-bit folder.
    const std::string native = dir + "\\Sysnative\\tf_native_" + tag + ".exe";
    const std::string wow = dir + "\\SysWOW64\\tf_wow_" + tag + ".exe";
    REQUIRE(testkit::PathExists(dir + "\\Sysnative"));
    testkit::WriteBytes(native, "MZ");
    testkit::WriteBytes(wow, "MZ");

    std::set<std::string> found;
    const std::string system32 = dir + "\\System32";
    FindFiles(system32, "*.exe", [&](const std::string& p, int32_t k, bool& stop) {
        if (k == fkDirectory && p != system32) stop = true;
        if (k == fkMatch) found.insert(p);
    });
    DeleteFileA(native.c_str());
    DeleteFileA(wow.c_str());
    CHECK(found.count(system32 + "\\tf_native_" + tag + ".exe") == 1);
    CHECK(found.count(system32 + "\\tf_wow_" + tag + ".exe") == 0);
}

TEST_CASE("folder links are not followed, so a link back up cannot make the walk endless")
{
    // programs\linktree\sub holds a.exe and two links to its parent (made by the build).
    const std::string tree = testkit::ProgramPath("linktree");
    REQUIRE(testkit::PathExists(tree + "\\sub\\up1"));
    long calls = 0;
    const int32_t count = FindFiles(tree, "*.exe", [&](const std::string&, int32_t, bool& stop) {
        if (++calls > 1000) stop = true;   // keeps a failing run short
    });
    CHECK(count == 1);
    CHECK(calls == 5);   // tree, sub, a.exe twice (met, matched), tree again
}
