// The details' hash and signature are worked out while the window goes on
// answering, and a click on another file drops the older result.
#include <doctest.h>

#include <windows.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "GuardProcess.h"
#include "support/FileHash.h"
#include "tests/TestClock.h"

using namespace guardtest;

namespace {

const std::string kMZ("MZ\x90\0\x03\0\0\0 test", 13);
const char* const Computing = "SHA-256:计算中…";

// An executable of the given size, made at once (the rest of it reads as zeros).
void MakeLargeExecutable(const std::string& path, LONG size)
{
    const HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    REQUIRE(h != INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(h, kMZ.data(), static_cast<DWORD>(kMZ.size()), &written, nullptr);
    SetFilePointer(h, size, nullptr, FILE_BEGIN);
    SetEndOfFile(h);
    CloseHandle(h);
}

std::string Sha256Of(const std::string& path)
{
    std::string hex;
    tf::FileSha256(path, hex);
    return hex;
}

struct Watch {
    bool SawComputing = false;   // the hash line said it was under way
    double SlowestAnswerMs = 0;  // the longest the window took to answer
    double DoneAfterMs = -1;     // when the hash line was filled in
};

// Polls the window every 10 ms, timing each answer, until the details of
// header show a hash, or timeoutMs passes.
Watch WatchDetails(const GuardProcess& guard, const std::string& header, double timeoutMs)
{
    Watch w;
    const double start = tftest::NowMs();
    while (tftest::NowMs() - start < timeoutMs) {
        const double asked = tftest::NowMs();
        DWORD_PTR result = 0;
        SendMessageTimeoutA(guard.Form(), WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result);
        w.SlowestAnswerMs = std::max(w.SlowestAnswerMs, tftest::NowMs() - asked);
        const auto lines = Lines(guard.MemoText());
        if (lines.size() == 13 && lines[0] == header) {
            if (lines[11] == Computing) w.SawComputing = true;
            else {
                w.DoneAfterMs = tftest::NowMs() - start;
                break;
            }
        }
        Sleep(10);
    }
    return w;
}

} // namespace

TEST_CASE("a 200 MB file is hashed while the window answers; a click on another file drops its result")
{
    TempFolder home("tamfern-facts-");
    GuardProcess guard(home.Path());
    REQUIRE(guard.Form() != nullptr);
    WatchedFolder dir("tamfern-facts-");
    const std::string big = dir.Path() + "big.exe", small = dir.Path() + "small.exe";
    MakeLargeExecutable(big, 200 << 20);
    REQUIRE(WaitFor([&] { return guard.ListItems().size() == 1; }, 5000));
    WriteFileBytes(small, kMZ);
    REQUIRE(WaitFor([&] { return guard.ListItems().size() == 2; }, 5000));
    REQUIRE(guard.ListItems() == std::vector<std::string>{big, small});
    HWND list = guard.Child("Tzorlistbox");
    const std::string bigHeader = "监视到可执行文件：" + big, smallHeader = "监视到可执行文件：" + small;

    ClickRow(list, 0);
    const Watch w = WatchDetails(guard, bigHeader, 60000);
    MESSAGE("200 MB hashed and checked after " << w.DoneAfterMs << " ms; slowest answer " << w.SlowestAnswerMs
                                                << " ms");
    REQUIRE(w.DoneAfterMs >= 0);
    CHECK(w.SawComputing);
    CHECK(w.SlowestAnswerMs < 100);
    auto lines = Lines(guard.MemoText());
    CHECK(lines[11] == "SHA-256:" + Sha256Of(big));
    CHECK(lines[12] == "数字签名:未签名");

    // The small file, the big one again, and the small one while the big
    // one is still under way: the big one's result, whenever it would have
    // come, never replaces the small one's. (Each click moves the selection.)
    ClickRow(list, 1);
    REQUIRE(WaitFor([&] {
        const auto shown = Lines(guard.MemoText());
        return !shown.empty() && shown[0] == smallHeader;
    }, 5000));
    ClickRow(list, 0);
    REQUIRE(WaitFor([&] {
        const auto shown = Lines(guard.MemoText());
        return shown.size() == 13 && shown[0] == bigHeader && shown[11] == Computing;
    }, 5000));
    ClickRow(list, 1);
    const Watch second = WatchDetails(guard, smallHeader, 10000);
    REQUIRE(second.DoneAfterMs >= 0);
    const std::string smallHash = "SHA-256:" + Sha256Of(small);
    const double start = tftest::NowMs();
    while (tftest::NowMs() - start < w.DoneAfterMs * 2) {
        lines = Lines(guard.MemoText());
        REQUIRE(lines.size() == 13);
        REQUIRE(lines[0] == smallHeader);
        REQUIRE(lines[11] == smallHash);
        Sleep(20);
    }
    CHECK(guard.Close());
}
