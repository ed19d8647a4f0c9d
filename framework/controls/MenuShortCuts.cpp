#include "Menus.h"

#include <algorithm>
#include <unordered_set>

#include "Application.h"
#include "ControlCanvas.h"
#include "Screen.h"
#undef GetObject
#include "framework/core/Strings.h"
#include "framework/core/SysUtils.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/ImageList.h"

namespace tf {

// ------------------------------------------------------------ short cuts

namespace {

struct KeyName {
    WORD key;
    const char* name;
};
const KeyName keyNames[] = {
    {VK_BACK, "BKSP"},  {VK_TAB, "TAB"},    {VK_ESCAPE, "ESC"},  {VK_RETURN, "ENTER"}, {VK_SPACE, "SPACE"},
    {VK_PRIOR, "PGUP"}, {VK_NEXT, "PGDN"},  {VK_END, "END"},     {VK_HOME, "HOME"},    {VK_LEFT, "LEFT"},
    {VK_UP, "UP"},      {VK_RIGHT, "RIGHT"}, {VK_DOWN, "DOWN"},  {VK_INSERT, "INS"},   {VK_DELETE, "DEL"},
};

std::string KeyToText(WORD key)
{
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return std::string(1, static_cast<char>(key));
    if (key >= VK_F1 && key <= VK_F24) {
        std::string name = "F";
        name += IntToStr(key - VK_F1 + 1);
        return name;
    }
    for (const KeyName& k : keyNames)
        if (k.key == key) return k.name;
    return {};
}

} // namespace

TShortCut ShortCut(WORD key, TShiftState shift)
{
    if (key & 0xF000) return scNone;
    TShortCut s = key;
    if (shift & ssShift) s |= scShift;
    if (shift & ssCtrl) s |= scCtrl;
    if (shift & ssAlt) s |= scAlt;
    return s;
}

std::string ShortCutToText(TShortCut shortCut)
{
    const std::string name = KeyToText(static_cast<WORD>(shortCut & 0x0FFF));
    if (name.empty()) return {};
    std::string text;
    if (shortCut & scShift) text += "SHIFT+";
    if (shortCut & scCtrl) text += "CTRL+";
    if (shortCut & scAlt) text += "ALT+";
    return text + name;
}

TShortCut TextToShortCut(const std::string& text)
{
    std::string rest = UpperCaseAscii(Trim(text));
    TShortCut mods = 0;
    for (bool found = true; found;) {
        found = false;
        for (auto [prefix, bit] : {std::pair<const char*, TShortCut>{"SHIFT+", scShift}, {"CTRL+", scCtrl},
                                   {"ALT+", scAlt}}) {
            const std::string p = prefix;
            if (rest.compare(0, p.size(), p) == 0) {
                mods |= bit;
                rest.erase(0, p.size());
                found = true;
            }
        }
    }
    for (WORD key = 1; key < 0x100; ++key)
        if (!rest.empty() && KeyToText(key) == rest) return static_cast<TShortCut>(mods | key);
    return scNone;
}

} // namespace tf
