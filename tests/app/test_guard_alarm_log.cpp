// The guard's alarm log: a line for every file flagged, also in a burst, and
// for every step of a removal; a log that cannot be written is told once.
#include <doctest.h>

#include <windows.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "Burst.h"
#include "GuardProcess.h"

using namespace guardtest;

namespace {

const std::string kMZ("MZ\x90\0\x03\0\0\0 test", 13);

struct LogLine {
    std::string Time, Event, Path, Size, Sha256;
};

// The whole lines of the guard's log (its fields split at tabs).
std::vector<LogLine> ReadLog(const std::string& fileName)
{
    std::vector<LogLine> lines;
    const HANDLE h = CreateFileA(fileName.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                 nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return lines;
    std::string text(GetFileSize(h, nullptr), '\0');
    DWORD read = 0;
    ReadFile(h, text.data(), static_cast<DWORD>(text.size()), &read, nullptr);
    CloseHandle(h);
    text.resize(read);
    for (size_t from = 0, end; (end = text.find("\r\n", from)) != std::string::npos; from = end + 2) {
        std::vector<std::string> f;
        std::stringstream in(text.substr(from, end - from));
        for (std::string field; std::getline(in, field, '\t');) f.push_back(field);
        f.resize(5);
        lines.push_back({f[0], f[1], f[2], f[3], f[4]});
    }
    return lines;
}

std::vector<LogLine> LinesOf(const std::vector<LogLine>& log, const std::string& path)
{
    std::vector<LogLine> of;
    for (const LogLine& l : log)
        if (l.Path == path) of.push_back(l);
    return of;
}

struct FindQuestion {
    DWORD Pid;
    HWND Box;
};

BOOL CALLBACK FindQuestionProc(HWND w, LPARAM p)
{
    auto* f = reinterpret_cast<FindQuestion*>(p);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    char cls[32] = {};
    GetClassNameA(w, cls, sizeof cls);
    if (pid != f->Pid || std::string(cls) != "#32770" || !IsWindowVisible(w)) return TRUE;
    f->Box = w;
    return FALSE;
}

// The guard's question box, once it shows.
HWND WaitForQuestion(const GuardProcess& guard)
{
    FindQuestion find{guard.ProcessId(), nullptr};
    WaitFor(
        [&] {
            EnumWindows(FindQuestionProc, reinterpret_cast<LPARAM>(&find));
            return find.Box != nullptr;
        },
        8000);
    return find.Box;
}

} // namespace

TEST_CASE("a burst of 1,000 new executables gives 1,000 flagged lines, one per file")
{
    TempFolder home("tamfern-log-burst-");
    GuardProcess guard(home.Path());
    REQUIRE(guard.Form() != nullptr);
    WatchedFolder folder("tamfern-log-burst-");
    Sleep(300);   // the folder's own change is handled first
    const std::vector<std::string> names = BurstNames(1000, 10);
    const double start = tftest::NowMs();
    CreateBurst(folder.Path(), names);
    REQUIRE(WaitForListed(guard, 1000, start, 15000).Listed == 1000);

    const std::vector<LogLine> log = ReadLog(home.Path() + "alarm.log");
    CHECK(log.size() == 1000);
    std::vector<std::string> logged, want;
    for (const LogLine& l : log) {
        // The burst's files hold "MZ" only; one may be flagged between its
        // making and its writing, and the log holds the size it had then.
        if (l.Event != "flagged" || (l.Size != "2" && l.Size != "0") || l.Time.size() != 19 || l.Sha256 != "-") {
            CAPTURE(l.Time + "|" + l.Event + "|" + l.Path + "|" + l.Size + "|" + l.Sha256);
            FAIL_CHECK("not a flagged line of a burst file");
        }
        logged.push_back(l.Path);
    }
    for (const std::string& name : names) want.push_back(folder.Path() + name);
    std::sort(logged.begin(), logged.end());
    std::sort(want.begin(), want.end());
    CHECK(logged == want);
    CHECK(guard.Close());
}

TEST_CASE("a removal logs each file deleted, refused, kept after No and scheduled after Yes, with hashes known")
{
    TempFolder home("tamfern-log-remove-");
    GuardProcess guard(home.Path());
    REQUIRE(guard.Form() != nullptr);
    WatchedFolder folder("tamfern-log-remove-");
    const std::string a = folder.Path() + "a.exe", b = folder.Path() + "b.exe";
    // Written under a name that is no program and renamed: the guard may
    // flag a new program the moment it exists, before its bytes are in. A
    // ".exe" is a program by its name, so the bytes need no "MZ".
    auto place = [](const std::string& path) {
        WriteFileBytes(path + ".part", std::string(kMZ.size(), 'x'));
        REQUIRE(MoveFileA((path + ".part").c_str(), path.c_str()));
    };
    place(a);
    REQUIRE(WaitFor([&] { return guard.ListItems().size() == 1; }, 5000));
    place(b);
    REQUIRE(WaitFor([&] { return guard.ListItems().size() == 2; }, 5000));

    // a's details are looked at first, so its hash is known for the log.
    HWND list = guard.Child("Tzorlistbox");
    ClickRow(list, 0);
    REQUIRE(WaitFor([&] { return guard.MemoText().find("SHA-256:计算中") == std::string::npos &&
                                 guard.MemoText().find("SHA-256:") != std::string::npos; },
                    5000));
    const std::string memo = guard.MemoText();
    const size_t at = memo.find("SHA-256:") + 8;
    const std::string aHash = memo.substr(at, 64);
    REQUIRE(aHash.find_first_not_of("0123456789abcdef") == std::string::npos);

    // b is held without delete sharing, so it cannot be deleted.
    const HANDLE held = CreateFileA(b.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
    REQUIRE(held != INVALID_HANDLE_VALUE);
    HWND remove = guard.Child("TBitBtn", "删除文件");
    SendMessageA(list, LB_SETSEL, TRUE, 0);
    SendMessageA(list, LB_SETSEL, TRUE, 1);
    PostMessageA(remove, BM_CLICK, 0, 0);
    HWND box = WaitForQuestion(guard);
    REQUIRE(box != nullptr);
    PostMessageA(box, WM_COMMAND, IDNO, 0);
    REQUIRE(WaitFor([&] { return guard.ListItems() == std::vector<std::string>{b}; }, 5000));

    SendMessageA(list, LB_SETSEL, TRUE, 0);
    PostMessageA(remove, BM_CLICK, 0, 0);
    box = WaitForQuestion(guard);
    REQUIRE(box != nullptr);
    PostMessageA(box, WM_COMMAND, IDYES, 0);
    REQUIRE(WaitFor([&] { return guard.ListItems().empty(); }, 5000));
    CloseHandle(held);

    const std::vector<LogLine> log = ReadLog(home.Path() + "alarm.log");
    const std::vector<LogLine> ofA = LinesOf(log, a), ofB = LinesOf(log, b);
    REQUIRE(ofA.size() == 2);
    CHECK(ofA[0].Event == "flagged");
    CHECK(ofA[0].Size == "13");
    CHECK(ofA[1].Event == "deleted");
    CHECK(ofA[1].Size == "13");   // as it was before it went
    CHECK(ofA[1].Sha256 == aHash);
    REQUIRE(ofB.size() == 5);
    CHECK(ofB[0].Event == "flagged");
    CHECK(ofB[1].Event == "delete-refused");
    CHECK(ofB[2].Event == "left-listed");
    CHECK(ofB[3].Event == "delete-refused");
    MESSAGE("scheduling for restart: " << ofB[4].Event);
    CHECK((ofB[4].Event == "delete-at-restart" || ofB[4].Event == "delete-at-restart-failed"));
    for (const LogLine& l : ofB) {
        CHECK(l.Size == "13");
        CHECK(l.Sha256 == "-");   // b's details were never looked at
    }
    CHECK(guard.Close());
}

TEST_CASE("a log that cannot be written is told once in the notice box, and the guard goes on")
{
    TempFolder home("tamfern-log-fail-");
    CreateDirectoryA((home.Path() + "alarm.log").c_str(), nullptr);   // no file can be made under that name
    GuardProcess guard(home.Path());
    REQUIRE(guard.Form() != nullptr);
    WatchedFolder folder("tamfern-log-fail-");
    const std::string first = folder.Path() + "first.exe", second = folder.Path() + "second.exe";
    WriteFileBytes(first, kMZ);
    REQUIRE(WaitFor([&] { return guard.ListItems().size() == 1; }, 5000));
    // The notice, and the log's failure on a line of its own.
    const std::string told = "监视到变动的文件：" + first + "\r\n无法写入报警记录：" + home.Path() + "alarm.log\r\n";
    CHECK(WaitFor([&] { return guard.MemoText() == told; }, 3000));
    CHECK(guard.MemoText() == told);
    WriteFileBytes(second, kMZ);
    REQUIRE(WaitFor([&] { return guard.ListItems().size() == 2; }, 5000));
    CHECK(WaitFor([&] { return guard.MemoText() == "监视到变动的文件：" + second; }, 3000));
    CHECK(guard.Close());
}
