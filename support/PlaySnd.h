// The alarm sound player: plays WAVE resources "WAV<n>" of the sound library
// "ZorSnd.dll", asynchronously, cutting off any sound still playing.
#pragma once
#include <cstdint>
#include <string>

#include "framework/core/Object.h"

namespace tf {

class Fplaysnd : public TObject {
public:
    // Loads the library once; a library that is missing or cannot be loaded
    // leaves the handle 0 and is not reported (no system error box either).
    explicit Fplaysnd(const std::string& libraryPath);
    ~Fplaysnd() override;   // stops this process's sound, then unloads the library
    Fplaysnd(const Fplaysnd&) = delete;
    Fplaysnd& operator=(const Fplaysnd&) = delete;

    // Stops this process's sound and starts "WAV" + number from the library.
    // Without the library (or the resource) the system's default sound plays.
    // False only when a failure was raised on the way.
    bool Play(int32_t number);

    void* Module() const { return FModule; }

    // The system call that plays, replaceable so tests can see the requests:
    // (sound name or null, module, flags) as PlaySoundA takes them.
    using TPlayFunction = int(__stdcall*)(const char* sound, void* module, uint32_t flags);
    static TPlayFunction SetPlayFunction(TPlayFunction fn);   // null restores the system's; returns the previous

private:
    void* FModule = nullptr;
};

} // namespace tf
