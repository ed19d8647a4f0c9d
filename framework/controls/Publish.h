// Helpers that add the usual groups of published properties to a class
// table, so each control class lists only what it carries:
//   TClassBuilder<TPanel> b("TPanel", TCustomPanel::StaticClass());
//   PublishColor(b); PublishFont(b); PublishTabs(b);
#pragma once
#include "WinControl.h"

namespace tf {

// An event property stored in a public member of C or of a base of C.
template <class E, class C, class B>
TClassBuilder<C>& PublishEvent(TClassBuilder<C>& b, const char* name, E B::*member)
{
    return b.template Event<E>(
        name, [member](C* c) { return c->*member; }, [member](C* c, E e) { c->*member = e; });
}

template <class C>
TClassBuilder<C>& PublishColor(TClassBuilder<C>& b)
{
    return b.Int("Color", &TControl::Color, &TControl::SetColor)
        .Bool("ParentColor", &TControl::ParentColor, &TControl::SetParentColor);
}

template <class C>
TClassBuilder<C>& PublishFont(TClassBuilder<C>& b)
{
    return b.template Object<TFont>("Font", &TControl::Font, &TControl::SetFont)
        .Bool("ParentFont", &TControl::ParentFont, &TControl::SetParentFont);
}

template <class C>
TClassBuilder<C>& PublishShowHint(TClassBuilder<C>& b)
{
    return b.Bool("ShowHint", &TControl::ShowHint, &TControl::SetShowHint)
        .Bool("ParentShowHint", &TControl::ParentShowHint, &TControl::SetParentShowHint);
}

template <class C>
TClassBuilder<C>& PublishTabs(TClassBuilder<C>& b)
{
    return b.Int("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder)
        .Bool("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop);
}

template <class C>
TClassBuilder<C>& PublishCaption(TClassBuilder<C>& b)
{
    return b.String("Caption", &TControl::Caption, &TControl::SetCaption);
}

template <class C>
TClassBuilder<C>& PublishMouseEvents(TClassBuilder<C>& b)
{
    PublishEvent<TNotifyEvent>(b, "OnClick", &TControl::OnClick);
    PublishEvent<TNotifyEvent>(b, "OnDblClick", &TControl::OnDblClick);
    PublishEvent<TMouseEvent>(b, "OnMouseDown", &TControl::OnMouseDown);
    PublishEvent<TMouseEvent>(b, "OnMouseUp", &TControl::OnMouseUp);
    PublishEvent<TMouseMoveEvent>(b, "OnMouseMove", &TControl::OnMouseMove);
    PublishEvent<TNotifyEvent>(b, "OnMouseEnter", &TControl::OnMouseEnter);
    return PublishEvent<TNotifyEvent>(b, "OnMouseLeave", &TControl::OnMouseLeave);
}

template <class C>
TClassBuilder<C>& PublishKeyEvents(TClassBuilder<C>& b)
{
    PublishEvent<TKeyEvent>(b, "OnKeyDown", &TWinControl::OnKeyDown);
    PublishEvent<TKeyEvent>(b, "OnKeyUp", &TWinControl::OnKeyUp);
    PublishEvent<TKeyPressEvent>(b, "OnKeyPress", &TWinControl::OnKeyPress);
    PublishEvent<TNotifyEvent>(b, "OnEnter", &TWinControl::OnEnter);
    return PublishEvent<TNotifyEvent>(b, "OnExit", &TWinControl::OnExit);
}

// The groups a focusable windowed control publishes after its own
// properties: colour, font, hints, tab order, mouse and key events.
template <class C>
TClassBuilder<C>& PublishWinControlDefaults(TClassBuilder<C>& b)
{
    PublishColor(b);
    PublishFont(b);
    PublishShowHint(b);
    PublishTabs(b);
    PublishMouseEvents(b);
    return PublishKeyEvents(b);
}

} // namespace tf
