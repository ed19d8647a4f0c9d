#include <doctest.h>

#include <string>
#include <vector>

#include "ServiceTestKit.h"
#include "support/PlaySnd.h"

using namespace tf;

namespace {

std::string SoundLibrary() { return testkit::ExeDir() + "..\\..\\app\\ZorSnd.dll"; }

struct Request {
    std::string Sound;   // "<null>" for no sound
    void* Module;
    uint32_t Flags;
};
std::vector<Request> gRequests;

int __stdcall Recorder(const char* sound, void* module, uint32_t flags)
{
    gRequests.push_back({sound ? sound : "<null>", module, flags});
    return 1;
}

// Installs the recorder for one test.
struct Recording {
    Fplaysnd::TPlayFunction Previous;
    Recording() : Previous(Fplaysnd::SetPlayFunction(&Recorder)) { gRequests.clear(); }
    ~Recording() { Fplaysnd::SetPlayFunction(Previous); }
};

} // namespace

TEST_CASE("the sound library holds the alarm WAVE resource WAV1")
{
    Fplaysnd player(SoundLibrary());
    const HMODULE module = static_cast<HMODULE>(player.Module());
    REQUIRE(module != nullptr);
    const HRSRC res = FindResourceA(module, "WAV1", "WAVE");
    REQUIRE(res != nullptr);
    const DWORD size = SizeofResource(module, res);
    const char* data = static_cast<const char*>(LockResource(LoadResource(module, res)));
    REQUIRE(data != nullptr);
    REQUIRE(size > 44);
    CHECK(std::string(data, 4) == "RIFF");
    CHECK(std::string(data + 8, 4) == "WAVE");
    CHECK(size > 8000);   // a real sound, not an empty header
}

TEST_CASE("Play stops the running sound, then asks for WAV<number> from the library, asynchronously")
{
    Fplaysnd player(SoundLibrary());
    REQUIRE(player.Module() != nullptr);
    Recording rec;
    CHECK(player.Play(12));
    REQUIRE(gRequests.size() == 2);
    CHECK(gRequests[0].Sound == "<null>");
    CHECK(gRequests[0].Module == nullptr);
    CHECK(gRequests[0].Flags == 0u);
    CHECK(gRequests[1].Sound == "WAV12");
    CHECK(gRequests[1].Module == player.Module());
    CHECK(gRequests[1].Flags == 0x40005u);   // SND_RESOURCE | SND_ASYNC, no SND_NODEFAULT

    // A second alarm cuts the first off the same way.
    CHECK(player.Play(1));
    REQUIRE(gRequests.size() == 4);
    CHECK(gRequests[2].Sound == "<null>");
    CHECK(gRequests[3].Sound == "WAV1");
}

TEST_CASE("the sound is stopped before the library is unloaded")
{
    Recording rec;
    {
        Fplaysnd player(SoundLibrary());
        REQUIRE(player.Module() != nullptr);
        CHECK(player.Play(1));
        REQUIRE(gRequests.size() == 2);
    }
    REQUIRE(gRequests.size() == 3);
    CHECK(gRequests[2].Sound == "<null>");
    CHECK(gRequests[2].Flags == 0u);
}

TEST_CASE("without the library Play still returns true and nothing is shown")
{
    testkit::TTempDir dir{"snd"};
    const int before = testkit::VisibleWindowsOfProcess();
    {
        Fplaysnd missing(dir / "ZorSnd.dll");
        CHECK(missing.Module() == nullptr);
        CHECK(missing.Play(1));   // the system's default sound, for real
        Recording rec;
        CHECK(missing.Play(1));
        REQUIRE(gRequests.size() == 2);
        CHECK(gRequests[1].Sound == "WAV1");
        CHECK(gRequests[1].Module == nullptr);
    }
    {
        // A damaged library neither loads nor brings up a box.
        const std::string bogus = dir.File("ZorSnd.dll", "MZ this is not a library");
        Fplaysnd damaged(bogus);
        CHECK(damaged.Module() == nullptr);
        CHECK(damaged.Play(1));
    }
    CHECK(testkit::VisibleWindowsOfProcess() == before);
}
