#include "skin/window/CaptionHint.h"

#include "skin/data/SkinHost.h"

namespace tf {

TCaptionHint::TCaptionHint() = default;

TCaptionHint::~TCaptionHint() { Hide(); }

void TCaptionHint::Show(const RECT& rect, const std::string& text, TSkinOptions options)
{
    if (!options.Contains(xoCaptionButtonHint) || shown) return;
    if (!window) window = SkinHostCreateHintWindow();
    if (!window) return;
    RECT r = window->CalcHintRect(500, text);
    ::OffsetRect(&r, rect.left, rect.top);
    window->ActivateHint(r, text);
    shown = true;
}

void TCaptionHint::Hide()
{
    if (!shown) return;
    if (window) window->HideHint();
    shown = false;
}

void TCaptionHint::Reset()
{
    restTime = 0;
    Hide();
}

} // namespace tf
