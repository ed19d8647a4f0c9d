// The alarm log's writer: its lines, its file turned over at the bound, and
// what a writer ended mid-stream leaves behind.
#include <doctest.h>

#include <string>
#include <vector>

#include "ServiceTestKit.h"
#include "support/AlarmLog.h"
#include "support/AnsiPath.h"

using namespace tf;
using testkit::TTempDir;

namespace {

std::vector<std::string> Split(const std::string& text, const std::string& separator)
{
    std::vector<std::string> parts;
    size_t from = 0;
    for (size_t at; (at = text.find(separator, from)) != std::string::npos; from = at + separator.size())
        parts.push_back(text.substr(from, at - from));
    parts.push_back(text.substr(from));
    return parts;
}

// Whole lines of a log; the text after the last CR LF is left in tail.
std::vector<std::string> LogLines(const std::string& fileName, std::string* tail = nullptr)
{
    std::vector<std::string> lines = Split(testkit::ReadBytes(fileName), "\r\n");
    if (tail) *tail = lines.back();
    lines.pop_back();
    return lines;
}

bool IsTimeStamp(const std::string& s)
{
    if (s.size() != 19) return false;
    for (size_t i = 0; i < s.size(); ++i) {
        const char want = i == 4 || i == 7 ? '-' : i == 10 ? 'T' : i == 13 || i == 16 ? ':' : '0';
        if (want == '0' ? (s[i] < '0' || s[i] > '9') : s[i] != want) return false;
    }
    return true;
}

std::string Utf8(const std::wstring& wide)
{
    std::string out(wide.size() * 3 + 1, '\0');
    out.resize(static_cast<size_t>(WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                                       out.data(), static_cast<int>(out.size()), nullptr, nullptr)));
    return out;
}

std::string Ansi(const std::wstring& wide)
{
    std::string out;
    WideToAnsiExact(wide, out);
    return out;
}

} // namespace

TEST_CASE("a line holds the time, the event, the UTF-8 path, the size and the hash, tab-separated")
{
    struct Case {
        TAlarmEvent Event;
        int64_t Size;
        std::string Sha256;
        std::string Line;
    } cases[] = {
        {TAlarmEvent::Flagged, 13, std::string(64, 'f'), "T\tflagged\tC:\\a b.exe\t13\t" + std::string(64, 'f') + "\r\n"},
        {TAlarmEvent::Deleted, 0, "", "T\tdeleted\tC:\\a b.exe\t0\t-\r\n"},
        {TAlarmEvent::DeleteRefused, -1, "", "T\tdelete-refused\tC:\\a b.exe\t-\t-\r\n"},
        {TAlarmEvent::DeleteAtRestart, 5000000000, "", "T\tdelete-at-restart\tC:\\a b.exe\t5000000000\t-\r\n"},
        {TAlarmEvent::DeleteAtRestartFailed, 1, "", "T\tdelete-at-restart-failed\tC:\\a b.exe\t1\t-\r\n"},
        {TAlarmEvent::LeftListed, 1, "", "T\tleft-listed\tC:\\a b.exe\t1\t-\r\n"},
    };
    for (const Case& c : cases) CHECK(AlarmLogLine("T", c.Event, "C:\\a b.exe", c.Size, c.Sha256) == c.Line);
    CHECK(IsTimeStamp(LocalTimeStamp()));
}

TEST_CASE("paths are written in UTF-8, names the code page cannot hold with their own letters")
{
    TTempDir dir("log");
    const std::wstring folder(dir.Path().begin(), dir.Path().end());   // ASCII
    // GBK converts exactly; Thai and an emoji only have a short name in ANSI.
    for (const std::wstring& name : {std::wstring(L"\x5929\x7A79.exe"), std::wstring(L"\x0E44\x0E17\x0E22.exe"),
                                     std::wstring(L"\xD83D\xDE00 smile.exe")}) {
        const std::wstring wide = folder + L"\\" + name;
        const HANDLE h = CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        REQUIRE(h != INVALID_HANDLE_VALUE);
        CloseHandle(h);
        std::string ansi;
        REQUIRE(AnsiPathOf(wide, ansi));
        CAPTURE(ansi);
        CHECK(Utf8PathOf(ansi) == Utf8(wide));
    }
    // A file already gone keeps what the ANSI path says.
    CHECK(Utf8PathOf(Ansi(folder + L"\\\x5929\x7A79-gone.exe")) == Utf8(folder + L"\\\x5929\x7A79-gone.exe"));
}

TEST_CASE("events are appended, each with the file's size now")
{
    TTempDir dir("log");
    const std::string file = dir.File("x.exe", "MZ-13-bytes!!");
    TAlarmLog log(dir.Path() + "\\");
    CHECK(log.FileName() == dir.Path() + "\\alarm.log");
    CHECK(log.Write(TAlarmEvent::Flagged, file));
    CHECK(log.Write(TAlarmEvent::DeleteRefused, file, std::string(64, 'c')));
    DeleteFileA(file.c_str());
    CHECK(log.Write(TAlarmEvent::Deleted, file, std::string(64, 'c')));
    // A second writer (as after a restart) appends to the same file.
    CHECK(TAlarmLog(dir.Path() + "\\").Write(TAlarmEvent::Flagged, file));

    const std::vector<std::string> lines = LogLines(log.FileName());
    REQUIRE(lines.size() == 4);
    const struct {
        const char* Event;
        const char* Size;
        std::string Sha256;
    } want[] = {{"flagged", "13", "-"}, {"delete-refused", "13", std::string(64, 'c')},
                {"deleted", "-", std::string(64, 'c')}, {"flagged", "-", "-"}};
    for (size_t i = 0; i < lines.size(); ++i) {
        CAPTURE(lines[i]);
        const std::vector<std::string> fields = Split(lines[i], "\t");
        REQUIRE(fields.size() == 5);
        CHECK(IsTimeStamp(fields[0]));
        CHECK(fields[1] == want[i].Event);
        CHECK(fields[2] == file);
        CHECK(fields[3] == want[i].Size);
        CHECK(fields[4] == want[i].Sha256);
    }
}

TEST_CASE("a line that would pass the bound turns the file over, one old file kept")
{
    TTempDir dir("log");
    const std::string folder = dir.Path() + "\\";
    TAlarmLog log(folder, 100);
    const std::string line(28, 'x');   // with CR LF: 30 bytes
    auto numbered = [&](int n) { return line.substr(0, 26) + (n < 10 ? "0" : "") + std::to_string(n) + "\r\n"; };
    for (int n = 0; n < 3; ++n) REQUIRE(log.Append(numbered(n)));
    CHECK_FALSE(testkit::PathExists(folder + "alarm.1.log"));
    REQUIRE(log.Append(numbered(3)));   // 120 > 100
    CHECK(testkit::ReadBytes(folder + "alarm.1.log") == numbered(0) + numbered(1) + numbered(2));
    CHECK(testkit::ReadBytes(folder + "alarm.log") == numbered(3));
    for (int n = 4; n < 7; ++n) REQUIRE(log.Append(numbered(n)));   // the older old file goes
    CHECK(testkit::ReadBytes(folder + "alarm.1.log") == numbered(3) + numbered(4) + numbered(5));
    CHECK(testkit::ReadBytes(folder + "alarm.log") == numbered(6));
    // A line longer than the bound still goes into a file of its own.
    const std::string longLine = std::string(200, 'y') + "\r\n";
    REQUIRE(log.Append(longLine));
    CHECK(testkit::ReadBytes(folder + "alarm.log") == longLine);
}

TEST_CASE("a line that ends exactly at the bound stays; one byte more turns the file over")
{
    TTempDir dir("log");
    const std::string folder = dir.Path() + "\\";
    TAlarmLog log(folder, 60);
    const std::string line = std::string(28, 'x') + "\r\n";   // 30 bytes
    REQUIRE(log.Append(line));
    REQUIRE(log.Append(line));   // 60: at the bound, not past it
    CHECK_FALSE(testkit::PathExists(folder + "alarm.1.log"));
    REQUIRE(log.Append("z\r\n"));   // 63 > 60
    CHECK(testkit::ReadBytes(folder + "alarm.1.log") == line + line);
    CHECK(testkit::ReadBytes(folder + "alarm.log") == "z\r\n");
}

TEST_CASE("a log deleted or renamed between lines: the next line starts a new file under the log's name")
{
    TTempDir dir("log");
    const std::string folder = dir.Path() + "\\";
    TAlarmLog log(folder);
    REQUIRE(log.Append("one\r\n"));
    REQUIRE(DeleteFileA((folder + "alarm.log").c_str()));
    REQUIRE(log.Append("two\r\n"));
    CHECK(testkit::ReadBytes(folder + "alarm.log") == "two\r\n");
    REQUIRE(MoveFileA((folder + "alarm.log").c_str(), (folder + "kept.log").c_str()));
    REQUIRE(log.Append("three\r\n"));
    CHECK(testkit::ReadBytes(folder + "alarm.log") == "three\r\n");
    CHECK(testkit::ReadBytes(folder + "kept.log") == "two\r\n");
}

TEST_CASE("at the real bound of 1 MiB the file turns over")
{
    TTempDir dir("log");
    const std::string folder = dir.Path() + "\\";
    TAlarmLog log(folder);
    const std::string line =
        AlarmLogLine(LocalTimeStamp(), TAlarmEvent::Flagged, "C:\\" + std::string(100, 'p') + ".exe", 1, "");
    const size_t perFile = AlarmLogBound / line.size();
    for (size_t n = 0; n <= perFile; ++n) REQUIRE(log.Append(line));
    CHECK(testkit::ReadBytes(folder + "alarm.1.log").size() == perFile * line.size());
    CHECK(testkit::ReadBytes(folder + "alarm.log") == line);
}

TEST_CASE("a line cut short by an earlier writer is ended before the next line")
{
    TTempDir dir("log");
    const std::string folder = dir.Path() + "\\";
    testkit::WriteBytes(folder + "alarm.log", "whole\r\ncut sh");
    TAlarmLog log(folder);
    REQUIRE(log.Append("next\r\n"));
    REQUIRE(log.Append("last\r\n"));
    CHECK(testkit::ReadBytes(folder + "alarm.log") == "whole\r\ncut sh\r\nnext\r\nlast\r\n");
}

TEST_CASE("a log that cannot be written says so, and is tried again")
{
    TTempDir dir("log");
    const std::string folder = dir.Path() + "\\later\\";
    TAlarmLog log(folder);
    CHECK_FALSE(log.Write(TAlarmEvent::Flagged, "C:\\x.exe"));
    CreateDirectoryA(folder.c_str(), nullptr);
    CHECK(log.Write(TAlarmEvent::Flagged, "C:\\x.exe"));
    CHECK(LogLines(log.FileName()).size() == 1);
}

TEST_CASE("a writer ended mid-stream leaves every earlier line whole")
{
    TTempDir dir("log");
    const std::string folder = dir.Path() + "\\";
    for (int round = 0; round < 3; ++round) {
        CAPTURE(round);
        DeleteFileA((folder + "alarm.log").c_str());
        testkit::TChild writer(testkit::ProgramPath("alarm_log_writer.exe"), "\"" + dir.Path() + "\"");
        // Ended at a different moment each round, while it writes.
        const DWORD want = 100000 + 150000 * static_cast<DWORD>(round);
        const DWORD start = GetTickCount();
        WIN32_FILE_ATTRIBUTE_DATA data{};
        while (!(GetFileAttributesExA((folder + "alarm.log").c_str(), GetFileExInfoStandard, &data) &&
                 data.nFileSizeLow >= want) &&
               GetTickCount() - start < 20000)
            Sleep(1);
        REQUIRE(writer.Running());
        TerminateProcess(writer.Handle(), 1);
        writer.Wait(5000);

        std::string tail;
        const std::vector<std::string> lines = LogLines(folder + "alarm.log", &tail);
        REQUIRE(lines.size() > 100);
        MESSAGE(lines.size() << " whole lines; " << tail.size() << " bytes after the last");
        // At most the line being written is lost or cut (one WriteFile per
        // line: in practice it is written whole or not at all).
        CHECK(tail.size() < 340);
        for (size_t n = 0; n < lines.size(); ++n) {
            const std::vector<std::string> fields = Split(lines[n], "\t");
            const bool whole = fields.size() == 5 && IsTimeStamp(fields[0]) && fields[1] == "flagged" &&
                               fields[2] == "C:\\" + std::string(200, 'd') + "\\" + std::to_string(n) + ".exe" &&
                               fields[3] == std::to_string(n) && fields[4] == std::string(64, 'a');
            if (!whole) {
                CAPTURE(lines[n]);
                FAIL("line " << n << " is not whole");
            }
        }
    }
}
