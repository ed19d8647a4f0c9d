// A file's hash and signature, worked out off the user-interface thread.
#include <doctest.h>

#include <memory>
#include <string>

#include "ServiceTestKit.h"
#include "framework/threads/Threads.h"
#include "support/FileFacts.h"
#include "tests/kit/Pump.h"

using namespace tf;
using testkit::TTempDir;

namespace {

// This thread's messages carry the workers' hand-offs.
using tftest::PumpUntil;

} // namespace

TEST_CASE("the facts come back on this thread: hash and signature of a readable file, nothing of a missing one")
{
    InitThreads();
    TTempDir dir{"facts"};
    struct Case {
        std::string Path;
        bool Readable;
        const char* Sha256;
    } cases[] = {
        {dir.File("abc.exe", "abc"), true, "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {dir / "missing.exe", false, ""},
    };
    for (const Case& c : cases) {
        CAPTURE(c.Path);
        TFileFacts got;
        DWORD answeredOn = 0;
        bool answered = false;
        TFileFactsJob job(c.Path, [&](const TFileFacts& facts) {
            got = facts;
            answeredOn = GetCurrentThreadId();
            answered = true;
        });
        REQUIRE(PumpUntil([&] { return answered; }, 10000));
        CHECK(job.Done());
        CHECK(answeredOn == GetCurrentThreadId());
        CHECK(got.Readable == c.Readable);
        CHECK(got.Sha256 == c.Sha256);
        CHECK(got.Signature.State == TSignatureState::Unsigned);
    }
}

TEST_CASE("a job dropped before it answers never answers, and the next one does")
{
    InitThreads();
    TTempDir dir{"facts"};
    // Large enough that the hash is still under way when the job is dropped.
    const std::string big = dir / "big.exe";
    {
        const HANDLE h = CreateFileA(big.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        REQUIRE(h != INVALID_HANDLE_VALUE);
        SetFilePointer(h, 64 << 20, nullptr, FILE_BEGIN);
        SetEndOfFile(h);
        CloseHandle(h);
    }
    int stale = 0;
    auto first = std::make_unique<TFileFactsJob>(big, [&](const TFileFacts&) { ++stale; });
    first.reset();   // does not wait
    bool answered = false;
    TFileFacts got;
    TFileFactsJob second(dir.File("abc.exe", "abc"), [&](const TFileFacts& facts) {
        got = facts;
        answered = true;
    });
    REQUIRE(PumpUntil([&] { return answered; }, 10000));
    CHECK(got.Sha256 == "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    // The dropped one ends soon (its hash stops at the next chunk); it must
    // have handed nothing over by then, nor after.
    tftest::Pump(1000);
    CHECK(stale == 0);
}
