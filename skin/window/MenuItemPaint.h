// Menu items drawn from the skin: each item over its part of the menu
// window's skinned background (WinSkinPopMenu.h), with the skin's menu item
// element (five frames: normal, separator, disabled, selected, spare), its
// glyph from the menu's image list, the system check mark, caption and
// shortcut in the skin's menu colours; and the measuring that makes room for
// them. Without a menu item element items are drawn flat in the skin colours.
#pragma once
#include <windows.h>

#include <string>

namespace tf {

class TCanvas;
class TMenuItem;
class TSkinData;

// A framework item of a menu of the skinned windows. Binds the item's menu
// to the menu window being drawn (the first item drawn names its menu).
void DrawMenuItem(TSkinData& data, TMenuItem& item, TCanvas& canvas, const RECT& r, bool selected);
// An entry of any menu, through a framework item made from it: the
// background comes from the window showing menu, and separators are etched
// lines.
void DrawMenuHandleItem(TSkinData& data, HMENU menu, TMenuItem& item, bool selected, const RECT& r, TCanvas& canvas);
// Flat: Hilight when selected, else Menu, then the content.
void DrawPlainMenuItem(TSkinData& data, TMenuItem& item, TCanvas& canvas, const RECT& r, bool selected);
// Glyph or check mark, caption and shortcut (no sub-menu arrow).
void DrawMenuItemContent(TSkinData& data, TMenuItem& item, TCanvas& canvas, bool selected, const RECT& r);
// Frame 2 of the menu item element across r, magenta transparent.
void DrawMenuSeparator(TSkinData& data, TCanvas& canvas, const RECT& r);

// The framework's own measuring of the item (its measure event set aside),
// plus room for the skin: the element's margin + 10, + 25 without images.
void MeasureMainMenuItem(TSkinData& data, TMenuItem& item, TCanvas& canvas, int& width, int& height);
// The same for popup menus: margin + 12, + 23 without images.
void MeasurePopupItem(TSkinData& data, TMenuItem& item, TCanvas& canvas, int& width, int& height);
// An entry known only by its text, in the menu font.
void MeasureMenuText(TSkinData& data, const std::string& text, int& width, int& height);

// The menu that lists the item (its parent's handle), or null.
HMENU ParentMenuHandle(TMenuItem& item);

} // namespace tf
