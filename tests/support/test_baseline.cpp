#include <doctest.h>

#include <string>
#include <vector>

#include "ServiceTestKit.h"
#include "framework/core/Streams.h"
#include "framework/core/SysUtils.h"
#include "support/Baseline.h"
#include "support/FindFiles.h"

using namespace tf;
using testkit::TTempDir;

namespace {

// 0 when another program may open path for writing, 1 when it is refused.
DWORD OtherProgramWrites(const std::string& path) { return testkit::RunChild("trywrite \"" + path + "\""); }

struct Scene {
    TTempDir Root{"base"};
    std::string ProgramDir, Drive;
    Scene()
    {
        ProgramDir = Root.Dir("prog");
        Drive = Root.Dir("drive");
        Root.File("drive\\setup.EXE", "MZ");
        Root.File("drive\\tool.ex", "MZ");
        Root.File("drive\\README", "text");
        Root.Dir("drive\\sys");
        Root.File("drive\\sys\\core.dll", "MZ");
        Root.File("drive\\sys\\notes.txt", "text");
    }
    std::string DataFile() const { return ProgramDir + "\\file.dat"; }
};

} // namespace

TEST_CASE("baseline files are read line by line: CR, LF, CR LF, a last line without end, NUL ends")
{
    TTempDir dir{"read"};
    struct Case {
        std::string Text;
        std::vector<std::string> Lines;
    } cases[] = {
        {"", {}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb", {"a", "b"}},
        {"a\rb\r\n\r\nc", {"a", "b", "", "c"}},
        {std::string("a\r\n\0b\r\n", 7), {"a"}},
        {"\r\n", {""}},
        {"c:\\中文\\程序.exe\r\n", {"c:\\中文\\程序.exe"}},
    };
    for (const Case& c : cases) {
        CAPTURE(c.Text);
        CHECK(ReadBaseline(dir.File("file.dat", c.Text)) == c.Lines);
    }
}

TEST_CASE("no file.dat: the drive is searched, one CR LF line per match is written, and each listed file is locked")
{
    Scene s;
    std::vector<std::string> expected;
    FindFiles(s.Drive, "*.exe;*.dll", [&](const std::string& p, int32_t k, bool&) {
        if (k == fkMatch) expected.push_back(p);
    });
    REQUIRE(expected.size() == 3);

    {
        TFileLocks locks = LoadBaselineAndLock(s.ProgramDir, s.Drive);
        std::string text;
        for (const std::string& p : expected) text += p + "\r\n";
        CHECK(testkit::ReadBytes(s.DataFile()) == text);
        CHECK(locks.Count() == 3);
        for (const std::string& p : expected) {
            CAPTURE(p);
            CHECK(OtherProgramWrites(p) == 1);
        }
        CHECK(OtherProgramWrites(s.Root / "drive\\README") == 0);
        CHECK(OtherProgramWrites(s.Root / "drive\\sys\\notes.txt") == 0);
        // Deleting or renaming a locked file is refused too.
        CHECK_FALSE(DeleteFileA(expected[0].c_str()));
    }
    // The holder gone, the files are free again.
    for (const std::string& p : expected) CHECK(OtherProgramWrites(p) == 0);
}

TEST_CASE("an existing file.dat is used as it is: last line without end, vanished and empty entries")
{
    Scene s;
    const std::string setup = s.Root / "drive\\setup.EXE";
    const std::string core = s.Root / "drive\\sys\\core.dll";
    const std::string readme = s.Root / "drive\\README";
    testkit::WriteBytes(s.DataFile(), setup + "\r\n" + s.Root / "drive\\vanished.exe" + "\n\r\n" + readme + "\r" + core);
    const int windowsBefore = testkit::VisibleWindowsOfProcess();
    TFileLocks locks = LoadBaselineAndLock(s.ProgramDir, s.Drive);
    CHECK(locks.Count() == 3);
    CHECK(OtherProgramWrites(setup) == 1);
    CHECK(OtherProgramWrites(readme) == 1);   // listed, so locked, whatever it is
    CHECK(OtherProgramWrites(core) == 1);     // the last line, without CR LF
    CHECK(OtherProgramWrites(s.Root / "drive\\tool.ex") == 0);   // not listed: no search was made
    CHECK(testkit::VisibleWindowsOfProcess() == windowsBefore);
}

TEST_CASE("an empty file.dat locks nothing and searches nothing")
{
    Scene s;
    testkit::WriteBytes(s.DataFile(), "");
    TFileLocks locks = LoadBaselineAndLock(s.ProgramDir, s.Drive);
    CHECK(locks.Count() == 0);
    CHECK(testkit::ReadBytes(s.DataFile()).empty());
    CHECK(OtherProgramWrites(s.Root / "drive\\setup.EXE") == 0);
}

TEST_CASE("a listed file another program holds open for writing is skipped alone")
{
    Scene s;
    const std::string setup = s.Root / "drive\\setup.EXE";
    const std::string core = s.Root / "drive\\sys\\core.dll";
    testkit::WriteBytes(s.DataFile(), setup + "\r\n" + core + "\r\n");
    const HANDLE writer = CreateFileA(setup.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, 0, nullptr);
    REQUIRE(writer != INVALID_HANDLE_VALUE);
    TFileLocks locks = LoadBaselineAndLock(s.ProgramDir, s.Drive);
    CHECK(locks.Count() == 1);
    CHECK(OtherProgramWrites(core) == 1);
    CloseHandle(writer);
}

TEST_CASE("a file.dat that cannot be created raises the create failure after the search, and nothing is locked")
{
    Scene s;
    // A directory where the file should go refuses it like a read-only folder.
    CreateDirectoryA(s.DataFile().c_str(), nullptr);
    try {
        LoadBaselineAndLock(s.ProgramDir, s.Drive);
        FAIL("no failure raised");
    } catch (const EFCreateError& e) {
        CHECK(std::string(e.what()) == "不能创建文件 " + s.DataFile());
    }
    CHECK(OtherProgramWrites(s.Root / "drive\\setup.EXE") == 0);

    const std::string missingDir = s.Root / "no_such_dir";
    try {
        LoadBaselineAndLock(missingDir, s.Drive);
        FAIL("no failure raised");
    } catch (const EFCreateError& e) {
        CHECK(std::string(e.what()) == "不能创建文件 " + missingDir + "\\file.dat");
    }
}

TEST_CASE("a baseline write that fails or is cut short leaves the previous file.dat whole")
{
    TTempDir dir{"atomic"};
    const std::string data = dir / "file.dat";
    const std::string previous = "c:\\old\\one.exe\r\nc:\\old\\two.dll\r\n";
    testkit::WriteBytes(data, previous);

    SUBCASE("the new text cannot be written: the failure names file.dat, which stays as it was")
    {
        CreateDirectoryA((data + ".tmp").c_str(), nullptr);   // where the new text would go
        try {
            WriteBaseline(data, {"c:\\new.exe"});
            FAIL("no failure raised");
        } catch (const EFCreateError& e) {
            CHECK(std::string(e.what()) == "不能创建文件 " + data);
        }
        CHECK(testkit::ReadBytes(data) == previous);
        RemoveDirectoryA((data + ".tmp").c_str());
    }
    SUBCASE("the writing program is ended in the middle: file.dat is the old one or the new one, whole")
    {
        const int entries = 200000;   // about 40 MB: writing it takes a while
        testkit::TChild writer(testkit::ProgramPath("baseline_writer.exe"), "\"" + data + "\" " + std::to_string(entries));
        // Ended as soon as anything of the write shows.
        const DWORD start = GetTickCount();
        while (writer.Running() && GetTickCount() - start < 20000 && !testkit::PathExists(data + ".tmp") &&
               testkit::ReadBytes(data) == previous)
            Sleep(1);
        REQUIRE(writer.Running());
        TerminateProcess(writer.Handle(), 1);
        writer.Wait(5000);
        const std::string now = testkit::ReadBytes(data);
        const size_t line = std::string("c:\\a folder with a long name\\").size() + 160 + 4 + 2;
        CHECK((now == previous || now.size() == line * entries));
        // A later write is not disturbed by what the ended one left behind.
        WriteBaseline(data, {"c:\\after.exe"});
        CHECK(testkit::ReadBytes(data) == "c:\\after.exe\r\n");
    }
}

TEST_CASE("a file.dat that cannot be opened raises the open failure")
{
    Scene s;
    testkit::WriteBytes(s.DataFile(), s.Root / "drive\\setup.EXE" + "\r\n");
    const HANDLE exclusive = CreateFileA(s.DataFile().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    REQUIRE(exclusive != INVALID_HANDLE_VALUE);
    try {
        LoadBaselineAndLock(s.ProgramDir + "\\", s.Drive);
        FAIL("no failure raised");
    } catch (const EFOpenError& e) {
        CHECK(std::string(e.what()) == "不能打开文件 " + s.DataFile());
    }
    CloseHandle(exclusive);
    CHECK(OtherProgramWrites(s.Root / "drive\\setup.EXE") == 0);
}

// Redirection is what a 32-bit program sees on 64-bit Windows; the 64-bit
// build (machines that run no 32-bit code) has none to undo.
TEST_CASE("under WOW64 a listed System32 file is locked in the real System32" * doctest::skip(sizeof(void*) != 4))
{
    char windows[MAX_PATH];
    const UINT n = GetSystemWindowsDirectoryA(windows, MAX_PATH);
    REQUIRE(n > 0);
    const std::string dir(windows, n);
    const std::string name = "tf_lock_" + std::to_string(GetCurrentProcessId()) + ".exe";
    const std::string native = dir + "\\Sysnative\\" + name;
    testkit::WriteBytes(native, "MZ");

    Scene s;
    testkit::WriteBytes(s.DataFile(), dir + "\\System32\\" + name + "\r\n");
    {
        TFileLocks locks = LoadBaselineAndLock(s.ProgramDir, s.Drive);
        CHECK(locks.Count() == 1);
        CHECK(OtherProgramWrites(native) == 1);
    }
    DeleteFileA(native.c_str());
}
