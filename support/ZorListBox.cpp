#include "ZorListBox.h"

#include "framework/graphics/Font.h"
#include "support/PathUtils.h"

namespace tf {

namespace {
// Marks a change of the items made by the list box itself.
struct TOwnChange {
    bool& Flag;
    explicit TOwnChange(bool& flag) : Flag(flag) { Flag = true; }
    ~TOwnChange() { Flag = false; }
};
} // namespace

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
    Items()->OnChange = TNotifyEvent::Of<&Tzorlistbox::ItemsChanged>(this);
}

void Tzorlistbox::ItemsChanged(TObject*)
{
    if (!FOwnChange) FFoldedStale = true;
}

bool Tzorlistbox::HasItem(const std::string& path)
{
    // A change made through Items() inside an update bracket fires no change
    // event; the count tells of it.
    if (FFoldedStale || FFolded.size() != static_cast<size_t>(Items()->Count())) {
        FFolded.clear();
        for (int i = 0, n = Items()->Count(); i < n; ++i) FFolded.insert(FoldPathCase(Items()->Get(i)));
        FFoldedStale = false;
    }
    return FFolded.count(FoldPathCase(path)) > 0;
}

int Tzorlistbox::AddItem(const std::string& path)
{
    HasItem(path);   // brings the set up to date first
    int index;
    {
        TOwnChange own(FOwnChange);
        index = Items()->Add(path);
    }
    FFolded.insert(FoldPathCase(path));
    return index;
}

void Tzorlistbox::DeleteItem(int index)
{
    const std::string text = Items()->Get(index);
    HasItem(text);
    {
        TOwnChange own(FOwnChange);
        Items()->Delete(index);
    }
    const auto it = FFolded.find(FoldPathCase(text));
    if (it != FFolded.end()) FFolded.erase(it);
}

void Tzorlistbox::BeginBatch() { Items()->BeginUpdate(); }

void Tzorlistbox::EndBatch()
{
    TOwnChange own(FOwnChange);   // the closing change event is ours
    Items()->EndUpdate();
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
