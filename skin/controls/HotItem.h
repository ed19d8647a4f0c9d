// The hover piece of skinners whose window holds several items (header
// sections): which item the mouse is over, -1 for none. Each change is
// reported once, so the owner repaints once per change; a move asks the
// system for WM_MOUSELEAVE, and the leave clears the item.
#pragma once
#include <windows.h>

#include "skin/draw/User32Entries.h"

namespace tf {

class THotItem {
public:
    int Index() const { return FIndex; }
    // The mouse moved over item `index` (-1: over none of them); true when
    // that changed the hot item.
    bool Move(HWND window, int index)
    {
        TrackMouseLeave(window);
        return Set(index);
    }
    // WM_MOUSELEAVE: true when an item was hot.
    bool Leave() { return Set(-1); }
    bool Set(int index)
    {
        if (index == FIndex) return false;
        FIndex = index;
        return true;
    }

private:
    int FIndex = -1;
};

} // namespace tf
