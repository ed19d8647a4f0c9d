#include "Color.h"

#include "framework/core/Idents.h"
#include "framework/core/SysUtils.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace tf {

namespace {
#define TF_COLOR(name) {name, #name}
const TIdentMapEntry ColorNames[] = {
    TF_COLOR(clBlack), TF_COLOR(clMaroon), TF_COLOR(clGreen), TF_COLOR(clOlive),
    TF_COLOR(clNavy), TF_COLOR(clPurple), TF_COLOR(clTeal), TF_COLOR(clGray),
    TF_COLOR(clSilver), TF_COLOR(clRed), TF_COLOR(clLime), TF_COLOR(clYellow),
    TF_COLOR(clBlue), TF_COLOR(clFuchsia), TF_COLOR(clAqua), TF_COLOR(clWhite),
    TF_COLOR(clMoneyGreen), TF_COLOR(clSkyBlue), TF_COLOR(clCream), TF_COLOR(clMedGray),
    TF_COLOR(clLtGray), TF_COLOR(clDkGray),
    TF_COLOR(clScrollBar), TF_COLOR(clBackground), TF_COLOR(clActiveCaption),
    TF_COLOR(clInactiveCaption), TF_COLOR(clMenu), TF_COLOR(clWindow), TF_COLOR(clWindowFrame),
    TF_COLOR(clMenuText), TF_COLOR(clWindowText), TF_COLOR(clCaptionText),
    TF_COLOR(clActiveBorder), TF_COLOR(clInactiveBorder), TF_COLOR(clAppWorkSpace),
    TF_COLOR(clHighlight), TF_COLOR(clHighlightText), TF_COLOR(clBtnFace),
    TF_COLOR(clBtnShadow), TF_COLOR(clGrayText), TF_COLOR(clBtnText),
    TF_COLOR(clInactiveCaptionText), TF_COLOR(clBtnHighlight), TF_COLOR(cl3DDkShadow),
    TF_COLOR(cl3DLight), TF_COLOR(clInfoText), TF_COLOR(clInfoBk), TF_COLOR(clHotLight),
    TF_COLOR(clGradientActiveCaption), TF_COLOR(clGradientInactiveCaption),
    TF_COLOR(clMenuHighlight), TF_COLOR(clMenuBar),
    TF_COLOR(clNone), TF_COLOR(clDefault),
};
#undef TF_COLOR
constexpr int ColorNameCount = static_cast<int>(sizeof(ColorNames) / sizeof(ColorNames[0]));

// Registered at start-up whenever this file is linked in.
[[maybe_unused]] const bool Registered = (RegisterColorIdents(), true);
} // namespace

void RegisterColorIdents() { RegisterIntegerIdents(ColorNames, ColorNameCount); }

bool IdentToColor(const std::string& ident, int32_t& color)
{
    for (const auto& e : ColorNames)
        if (SameTextAscii(e.Name, ident)) {
            color = e.Value;
            return true;
        }
    return false;
}

bool ColorToIdent(int32_t color, std::string& ident)
{
    for (const auto& e : ColorNames)
        if (e.Value == color) {
            ident = e.Name;
            return true;
        }
    return false;
}

#ifdef _WIN32
uint32_t ColorToRGB(TColor color)
{
    if (IsSystemColor(color)) return ::GetSysColor(color & 0xFF);
    return static_cast<uint32_t>(color);
}
#endif

} // namespace tf
