#include "skin/controls/tabbars/SkinTab31.h"

#include "framework/controls/WinControl.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/GdiHandle.h"
#include "skin/controls/buttons/ButtonDraw.h"
#include "skin/controls/containers/ContainerDraw.h"
#include "skin/controls/edits/SkinUpDown.h"
#include "skin/controls/tabbars/TabGeometry.h"
#include "skin/data/ImgUtil.h"
#include "skin/data/WinSkinData.h"
#include "skin/draw/SkinDraw.h"

#undef GetObject
#include "framework/core/Strings.h"

namespace tf {

namespace {
// The tab image is upside down: so are its margins.
RECT Flipped(const RECT& m)
{
    const TLayoutRect r = MarginsForSide({m.left, m.top, m.right, m.bottom}, TTabSide::Bottom, false);
    return {r.Left, r.Top, r.Right, r.Bottom};
}
} // namespace

const TClassInfo& TSkinTab31::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TSkinTab31>("TSkinTab31", TSkinControl::StaticClass()).Build();
    return info;
}

TSkinTab31::TSkinTab31(TComponent* owner) : TSkinControl(owner) {}

TSkinTab31::~TSkinTab31() { Destroying(); }

void TSkinTab31::Attach(TSkinnerHost* form, TSkinData* data, bool, TCanvas* canvas)
{
    if (FAttached) return;
    auto* control = dynamic_cast<TWinControl*>(Owner());
    if (!control) return;
    HWND window = control->Handle();
    AttachWindow(window, data, form, canvas);
    FControl = control;
    PrepareTabBitmap();
    // The tab set's first component is its scroller.
    if (control->ComponentCount() > 0)
        if (auto* scroller = dynamic_cast<TWinControl*>(control->Components(0));
            scroller && scroller->InheritsFrom("TScroller")) {
            FScroller = scroller;
            FUpDown = new TSkinUpDown(control);
            FUpDown->FreeNotification(this);
            FUpDown->SetHorizontal(1);
            FUpDown->AttachWindow(scroller->Handle(), data, form, canvas);
        }
}

void TSkinTab31::Notification(TComponent* c, TOperation op)
{
    TSkinControl::Notification(c, op);
    if (op == TOperation::opRemove && c == FUpDown) FUpDown = nullptr;
}

void TSkinTab31::PrepareTabBitmap()
{
    FTabBitmap.reset();
    if (!FSkinData || !FSkinData->SkinTabs || FSkinData->SkinTabs->Empty()) return;
    FTabBitmap = std::make_unique<TBitmap>();
    CopyBitmap(*FSkinData->SkinTabs->Bitmap, *FTabBitmap);
    FlipVertical(*FTabBitmap);
}

void TSkinTab31::SkinChanged()
{
    // The new image first, so that the one repaint shows it.
    PrepareTabBitmap();
    TSkinControl::SkinChanged();
}

bool TSkinTab31::BeforeMessage(TMessage& m)
{
    return TSkinControl::BeforeMessage(m);
}

void TSkinTab31::DrawControl(HDC dc, const RECT& rect)
{
    if (!FTabBitmap || !FControl || !FSkinData->SkinTabs) return;
    const TDataSkinBorder& element = *FSkinData->SkinTabs;
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    if (w <= 0 || h <= 0) return;
    // Drawn in place: the paint route gives an off-screen DC already.
    HDC wdc = dc;
    TSavedDC saved(dc);
    OffsetViewportOrgEx(dc, rect.left, rect.top, nullptr);
    IntersectClipRect(dc, 0, 0, w, h);
    FillFace(wdc, RECT{0, 0, w, h});
    auto* font = dynamic_cast<TFont*>(ReadObjectProperty(FControl, "Font"));
    TSelectObject selected(wdc, font ? font->Handle() : nullptr);

    std::vector<std::wstring> texts;
    std::vector<int> widths;
    if (auto* tabs = dynamic_cast<TStrings*>(ReadObjectProperty(FControl, "Tabs")))
        for (int i = 0; i < tabs->Count(); ++i) {
            texts.push_back(AnsiToWide(tabs->Get(i)));
            SIZE size{};
            GetTextExtentPoint32W(wdc, texts.back().c_str(), static_cast<int>(texts.back().size()), &size);
            widths.push_back(size.cx);
        }
    const bool scrollerShown = FScroller && FScroller->HandleAllocated() && IsWindowVisible(FScroller->WindowHandle());
    const auto index = static_cast<int>(ReadIntProperty(FControl, "TabIndex"));
    const auto slots = LayoutTabSet(widths, static_cast<int>(ReadIntProperty(FControl, "FirstIndex")),
                                    static_cast<int>(ReadIntProperty(FControl, "StartMargin")), w,
                                    static_cast<int>(ReadIntProperty(FControl, "EndMargin")), scrollerShown);
    for (const TTabSlot& slot : slots) {
        const RECT r{slot.Left, 0, slot.Right, h};
        const int state = slot.Index == index ? 2 : 1;
        DrawElement(wdc, r, *FTabBitmap, Flipped(element.Margins), state, UsableFrameCount(element.FrameCount),
                    element.Trans == 1, element.Tile != 0, false);
        SetTextColor(wdc, ColorToRGB(state == 2 ? element.MouseOverColour2 : element.NormalColour2));
        DrawCaptionText(wdc, r, DT_CENTER, true, texts[static_cast<size_t>(slot.Index)], FControl);
    }
}

} // namespace tf
