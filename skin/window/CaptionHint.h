// TCaptionHint: the hint of one skinned frame's caption buttons. It counts
// how long the pointer has rested on a button (the chrome's hover ticks) and
// shows the button's text in a hint window, made when it is first shown and
// kept until the hint goes with its chrome. Hints are shown only while the
// skin's options hold xoCaptionButtonHint, and once until hidden.
//
// Owned by the chrome of one form skinner; user-interface thread only.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "skin/data/SkinTypes.h"

namespace tf {

class TCaptionHintWindow;

class TCaptionHint {
public:
    TCaptionHint();
    ~TCaptionHint();
    TCaptionHint(const TCaptionHint&) = delete;
    TCaptionHint& operator=(const TCaptionHint&) = delete;

    // Shows text with its top-left at rect's top-left (screen coordinates),
    // at most 500 pixels wide; nothing without xoCaptionButtonHint in
    // options or while the hint is showing.
    void Show(const RECT& rect, const std::string& text, TSkinOptions options);
    // Hides the hint if it is showing.
    void Hide();
    bool Shown() const { return shown; }

    // Milliseconds the pointer has rested on a caption button.
    int32_t RestTime() const { return restTime; }
    // Adds one hover tick's time; returns the new total.
    int32_t AddRestTime(int32_t ms) { return restTime += ms; }
    // Hides the hint and starts the time again.
    void Reset();

private:
    std::unique_ptr<TCaptionHintWindow> window;
    bool shown = false;
    int32_t restTime = 0;
};

} // namespace tf
