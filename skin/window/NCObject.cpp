#include "skin/window/NCObject.h"

#include "skin/window/SkinChrome.h"

namespace tf {

TNCObject::~TNCObject() { chrome.ForgetObject(this); }

void TNCObject::MouseDown()
{
    TNCObject* hot = chrome.HotObject();
    if (hot && hot != this) hot->MouseLeave();
    if (!visible) return;
    chrome.SetHotObject(this);
    drawState = NCState::Pressed;
    Draw();
}

void TNCObject::MouseUp()
{
    if (!visible) return;
    drawState = NCState::Hot;
    Draw();
}

void TNCObject::MouseEnter()
{
    TNCObject* hot = chrome.HotObject();
    if (hot == this) return;
    if (hot) hot->MouseLeave();
    if (!visible) return;
    chrome.SetHotObject(this);
    drawState = NCState::Hot;
    Draw();
}

void TNCObject::MouseLeave()
{
    if (!visible) return;
    chrome.SetHotObject(nullptr);
    drawState = NCState::Normal;
    Draw();
    chrome.HideCaptionHint();
}

} // namespace tf
