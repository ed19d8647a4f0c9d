#include "skin/controls/edits/SkinEdit.h"

#include <cctype>
#include <string>

#include "framework/graphics/GdiHandle.h"
#include "skin/controls/edits/EditDraw.h"
#include "skin/controls/edits/SkinUpDown.h"
#include "skin/data/WinSkinData.h"

namespace tf {

bool IsSpinButtonClass(const char* className)
{
    std::string name = className ? className : "";
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return name == "msctls_updown32" || name.find("spin") != std::string::npos ||
           name.find("updown") != std::string::npos;
}

const TClassInfo& TSkinEdit::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TSkinEdit>("TSkinEdit", TSkinControl::StaticClass()).Build();
    return info;
}

TSkinEdit::TSkinEdit(TComponent* owner) : TSkinControl(owner) {}

void TSkinEdit::Notification(TComponent* c, TOperation op)
{
    TSkinControl::Notification(c, op);
    if (op == TOperation::opRemove && c == FUpDown) FUpDown = nullptr;
}

bool TSkinEdit::BeforeMessage(TMessage& m)
{
    // The control's own printing may leave its clipping and colours in the
    // DC; the border is drawn on the DC as it was given.
    if (m.Msg == WM_PRINT && m.WParam) FPrintState = SaveDC(reinterpret_cast<HDC>(m.WParam));
    return TSkinControl::BeforeMessage(m);
}

void TSkinEdit::AfterMessage(TMessage& m)
{
    switch (m.Msg) {
    case WM_NCPAINT:
        // The system drew its own border again (the window was uncovered
        // there): the flat one goes back over it.
        PaintControl(nullptr);
        return;
    case WM_PRINT: {
        if (m.WParam) {
            if (FPrintState) RestoreDC(reinterpret_cast<HDC>(m.WParam), FPrintState);
            FPrintState = 0;
            PrintBorder(reinterpret_cast<HDC>(m.WParam));
        } else {
            TWindowDC dc(FHandle);
            if (dc.Get()) PrintBorder(dc.Get());
        }
        return;
    }
    case SKM_PAINTCLIENTTO:
        if (m.LParam != SkinMessageMark) break;
        if (m.WParam) {
            TMessage paint{WM_PAINT, m.WParam, 0, 0};
            CallDefault(paint);
        }
        m.Result = SkinMessageMark;
        return;
    default: break;
    }
    TSkinControl::AfterMessage(m);
}

void TSkinEdit::FindUpDown()
{
    for (HWND child = GetWindow(FHandle, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char name[100] = {};
        GetClassNameA(child, name, sizeof name);
        if (!IsSpinButtonClass(name)) continue;
        // Owned like this skinner: by the edit control, or by the form
        // skinner for a bare window.
        FUpDown = new TSkinUpDown(Owner());
        FUpDown->FreeNotification(this);
        FUpDown->AttachWindow(child, FSkinData, FForm, FCanvas);
        FUpDown->SetInEdit(true);
        return;
    }
}

void TSkinEdit::DrawControl(HDC dc, const RECT& rect)
{
    if (!FUpDown && FSkinData->SkinControls().Contains(xcSpin)) FindUpDown();
    DrawFlatBorder(FHandle, dc, rect, 2, FSkinData->FColors[SkinColor::ButtonShadow]);
}

void TSkinEdit::PrintBorder(HDC dc)
{
    RECT window{}, client{};
    if (!GetWindowRect(FHandle, &window) || !GetClientRect(FHandle, &client)) return;
    const int w = window.right - window.left, h = window.bottom - window.top;
    if (w - client.right <= 2 || h - client.bottom <= 2) return;
    const RECT rect{0, 0, w, h};
    RECT inner = rect;
    InflateRect(&inner, -1, -1);
    // The control's background is the DC's brush while it prints.
    FrameRect(dc, &inner, static_cast<HBRUSH>(GetCurrentObject(dc, OBJ_BRUSH)));
    TBrushHandle shadow(CreateSolidBrush(ColorToRGB(FSkinData->FColors[SkinColor::ButtonShadow])));
    FrameRect(dc, &rect, shadow.Get());
}

} // namespace tf
