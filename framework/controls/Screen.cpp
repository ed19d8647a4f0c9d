#include "Screen.h"

#include <algorithm>

#include "Forms.h"

namespace tf {

const TClassInfo& TScreen::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TScreen>("TScreen", TComponent::StaticClass()).Build();
    return info;
}

TScreen::TScreen(TComponent* owner) : TComponent(owner), FMenuFont(std::make_unique<TFont>()),
                                      FHintFont(std::make_unique<TFont>())
{
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof(metrics);
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
        FMenuFont->SetLogFont(metrics.lfMenuFont);
        FHintFont->SetLogFont(metrics.lfStatusFont);
    }
    FHintFont->SetColor(clInfoText);
}

TScreen::~TScreen() = default;

TWinControl* TScreen::ActiveControl() const { return FActiveForm ? FActiveForm->ActiveControl() : nullptr; }

void TScreen::SetCursor(TCursor value)
{
    if (FCursor == value) return;
    FCursor = value;
    if (value != crDefault) {
        ::SetCursor(Cursors(value));
    } else {
        POINT p;
        GetCursorPos(&p);
        SetCursorPos(p.x, p.y);   // lets the window under the mouse choose again
    }
}

HCURSOR TScreen::Cursors(TCursor cursor) const
{
    LPCSTR id = IDC_ARROW;
    switch (cursor) {
    case crNone: return nullptr;
    case crCross: id = IDC_CROSS; break;
    case crIBeam: id = IDC_IBEAM; break;
    case crSizeNESW: id = IDC_SIZENESW; break;
    case crSizeNS: id = IDC_SIZENS; break;
    case crSizeNWSE: id = IDC_SIZENWSE; break;
    case crSizeWE: id = IDC_SIZEWE; break;
    case crUpArrow: id = IDC_UPARROW; break;
    case crHourGlass: id = IDC_WAIT; break;
    case crNo: id = IDC_NO; break;
    case crAppStart: id = IDC_APPSTARTING; break;
    case crHelp: id = IDC_HELP; break;
    case crHandPoint: id = IDC_HAND; break;
    case crSizeAll: id = IDC_SIZEALL; break;
    default: break;
    }
    HCURSOR c = LoadCursorA(nullptr, id);
    return c ? c : LoadCursorA(nullptr, IDC_ARROW);
}

void TScreen::AddForm(TCustomForm* form)
{
    if (std::find(FForms.begin(), FForms.end(), form) == FForms.end()) FForms.push_back(form);
}

void TScreen::RemoveForm(TCustomForm* form)
{
    std::erase(FForms, form);
    if (FActiveForm == form) FActiveForm = nullptr;
}

} // namespace tf
