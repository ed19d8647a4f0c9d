#include "ZorListBox.h"

#include "framework/graphics/Font.h"
#include "support/PathUtils.h"

namespace tf {

const TClassInfo& Tzorlistbox::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<Tzorlistbox>("Tzorlistbox", TListBox::StaticClass())
            .Int("jsbackcolor", &Tzorlistbox::jsbackcolor, &Tzorlistbox::Setjsbackcolor)
            .Int("osbackcolor", &Tzorlistbox::osbackcolor, &Tzorlistbox::Setosbackcolor)
            .Bool("OnlyFilename", &Tzorlistbox::OnlyFilename, &Tzorlistbox::SetOnlyFilename)
            .Build();
    return info;
}

Tzorlistbox::Tzorlistbox(TComponent* owner) : TListBox(owner)
{
    SetStyle(lbOwnerDrawVariable);
    SetColor(FEvenColor);
}

void Tzorlistbox::Setjsbackcolor(TColor value)
{
    FEvenColor = value;
    Invalidate();
}

void Tzorlistbox::Setosbackcolor(TColor value)
{
    FOddColor = value;
    Invalidate();
}

void Tzorlistbox::MeasureItem(int, int& height) { height = Font()->Size() * 2; }

void Tzorlistbox::DrawItem(int index, const RECT& rect, TOwnerDrawState state)
{
    if (index >= Items()->Count()) return;
    std::string text = Items()->Get(index);
    if (FOnlyFilename) text = ExtractFileName(text);

    TCanvas* canvas = Canvas();
    canvas->Font()->Assign(Font());
    TColor back;
    if (state & ODS_FOCUS) {
        FFocusedIndex = index;
        canvas->Font()->SetColor(FocusedTextColor);
        back = FocusedBackColor;
    } else if (state & ODS_SELECTED) {
        back = SelectedBackColor;
    } else {
        back = index % 2 == 0 ? FEvenColor : FOddColor;
    }
    canvas->Brush()->SetColor(back);
    canvas->FillRect(rect);
    canvas->SetBkMode(OPAQUE);
    canvas->TextOut(rect.left + 2, rect.top + 2, text);
}

} // namespace tf
