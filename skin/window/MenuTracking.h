// While a menu opened from a skinned frame is tracked (a drop-down of the
// menu bar, or the skin's system menu), a message filter hook on the
// user-interface thread watches the menu's modal loop: it moves between the
// bar's items with the arrow keys and the mouse, closes the menu on a click
// on the bar or the caption buttons, and mirrors the arrow keys of a
// right-to-left bar. One menu is tracked at a time per thread; the state is
// the unit's, held by a TMenuTracking for the duration of the tracking.
#pragma once
#include <windows.h>

namespace tf {

class TDropDownConversion;
class TSkinChrome;

enum class TTrackedMenu { MenuBar, SystemMenu };

class TMenuTracking {
public:
    // Installs the hook and takes the unit's state for chrome.
    TMenuTracking(TSkinChrome& chrome, TTrackedMenu kind, int openIndex, HMENU dropDown,
                  const TDropDownConversion* conversion);
    // Removes the hook; the state is free again.
    ~TMenuTracking();
    TMenuTracking(const TMenuTracking&) = delete;
    TMenuTracking& operator=(const TMenuTracking&) = delete;

    // The bar item to open next (the menu was closed to switch), or -1.
    int PendingSwitch() const;
    // The caption button pressed while the system menu was open, or -1.
    int ClickedButton() const;
    // The chrome went while its menu was open (its window was freed from
    // inside the menu's loop): nothing of it may be touched any more.
    bool ChromeGone() const { return chromeGone; }
    // Told by a chrome that goes; ends the tracking it runs.
    static void ForgetChrome(const TSkinChrome* chrome);

    // The tracking now running on this thread, or null.
    static TMenuTracking* Current();
    // A converted drop-down's item (see TDropDownConversion), while tracked.
    static bool ConvertedBySkin(UINT command);
    // The drop-down being tracked (null for the system menu or none).
    static HMENU DropDown();

private:
    bool chromeGone = false;
};

} // namespace tf
