// The pruning's file checks, made on a thread of their own.
#include <doctest.h>

#include <string>
#include <vector>

#include "ServiceTestKit.h"
#include "framework/controls/Application.h"
#include "framework/threads/Threads.h"
#include "support/MissingFiles.h"

using namespace tf;
using testkit::TTempDir;

TEST_CASE("the missing files are found off this thread and handed back to it, in list order")
{
    InitThreads();
    TTempDir dir{"missing"};
    const std::vector<std::string> paths = {dir.File("a.exe", "MZ"), dir / "gone.exe", dir.File("b.exe", "MZ"),
                                            dir / "also gone.exe", dir.Path()};   // a folder is no file
    std::vector<std::string> missing;
    DWORD answeredOn = 0;
    bool answered = false;
    auto check = std::make_unique<TMissingFilesCheck>(paths, [&](const std::vector<std::string>& m) {
        missing = m;
        answeredOn = GetCurrentThreadId();
        answered = true;
    });
    const DWORD start = GetTickCount();
    while (!answered && GetTickCount() - start < 5000) Application->ProcessMessages();
    REQUIRE(answered);
    CHECK(answeredOn == GetCurrentThreadId());
    CHECK(missing == std::vector<std::string>{dir / "gone.exe", dir / "also gone.exe", dir.Path()});

    SUBCASE("a check deleted before it answers never answers")
    {
        bool late = false;
        auto second = std::make_unique<TMissingFilesCheck>(paths, [&](const std::vector<std::string>&) { late = true; });
        second.reset();   // stops it and waits, serving what it hands over
        Application->ProcessMessages();
        CHECK_FALSE(late);
    }
}
