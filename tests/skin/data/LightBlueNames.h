// The 34 entry names of the program's light blue skin, in container order.
#pragma once

namespace tftest {

inline const char* const kLightBlueNames[] = {
    "frametop.bmp",      "framebottom.bmp",   "frameleft.bmp",      "frameright.bmp",     "menu.bmp",
    "dialog.bmp",        "button.bmp",        "checkbox.bmp",       "radio.bmp",          "progress.bmp",
    "groupboxedge.bmp",  "tabborder.bmp",     "tabs.bmp",           "status.bmp",         "combo.bmp",
    "sunkedge.bmp",      "combo-arrows.bmp",  "header.bmp",         "menutool.bmp",       "menuborder.bmp",
    "button-mdi.bmp",    "groupboxlabel.bmp", "toolbar2.bmp",       "button-toolbar.bmp", "lightblue.ini",
    "closebutton.bmp",   "maxbutton.bmp",     "minbutton.bmp",      "restrorebutton.bmp", "arrows.bmp",
    "hscroll_back.bmp",  "vscroll_back.bmp",  "hscroll_bar.bmp",    "vscroll_bar.bmp"};

} // namespace tftest
