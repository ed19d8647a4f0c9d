// TMenuBtn: one item of the skinned menu bar (WinSkinMenu.h): its caption,
// state, drop-down and command, read from the window's menu (and the form's
// main menu) when the bar builds its items.
#pragma once
#include <windows.h>

#include <string>

#include "framework/graphics/Color.h"
#include "skin/window/NCObject.h"

namespace tf {

class TMenuItem;
class TSkinData;
class TWinSkinMenu;

class TMenuBtn final : public TNCObject {
public:
    TMenuBtn(TSkinChrome& chrome, TWinSkinMenu& bar) : TNCObject(chrome), bar(bar) {}

    // Hot tracking: the item's part of the bar background, a one-pixel frame
    // in ButtonHilight when hot or pressed, and the caption, on the window.
    void Draw() override;

    TMenuItem* menuItem = nullptr;   // the form's main menu item (not dereferenced after building)
    TSkinData* skinData = nullptr;
    int itemIndex = 0;
    std::wstring caption;
    bool itemEnabled = true;
    HMENU subMenu = nullptr;         // the drop-down; null when the item has none
    UINT command = 0;

private:
    TWinSkinMenu& bar;
};

// Menu-bar captions: measured with the format plus DT_CALCRECT, DT_NOCLIP,
// DT_EXPANDTABS and DT_SINGLELINE, centred in rect (halvings truncated) and
// drawn transparently, in clBtnShadow when not enabled. alignment: 0 left,
// 1 centre, 2 right.
void DrawCentredText(HDC dc, const RECT& rect, const std::wstring& text, int alignment, bool enabled, TColor color);

} // namespace tf
