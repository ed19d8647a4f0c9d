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
    drawState = DrawState::Pressed;
    Draw();
}

void TNCObject::MouseUp()
{
    if (!visible) return;
    drawState = DrawState::Hot;
    Draw();
}

void TNCObject::MouseEnter()
{
    TNCObject* hot = chrome.HotObject();
    if (hot == this) return;
    if (hot) hot->MouseLeave();
    if (!visible) return;
    chrome.SetHotObject(this);
    drawState = DrawState::Hot;
    Draw();
}

void TNCObject::MouseLeave()
{
    if (!visible) return;
    chrome.SetHotObject(nullptr);
    drawState = DrawState::Normal;
    Draw();
    chrome.HideCaptionHint();
}

} // namespace tf
