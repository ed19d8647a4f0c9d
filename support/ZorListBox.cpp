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

void Tzorlistbox::Reindex()
{
    // A change made through Items() inside an update bracket fires no change
    // event; the count tells of it.
    if (!FFoldedStale && FTexts.size() == static_cast<size_t>(Items()->Count())) return;
    FTexts.clear();
    FFolded.clear();
    for (int i = 0, n = Items()->Count(); i < n; ++i) {
        FTexts.push_back(Items()->Get(i));
        FFolded.insert(FoldPathCase(FTexts.back()));
    }
    FFoldedStale = false;
}

bool Tzorlistbox::HasItem(const std::string& path)
{
    Reindex();
    return FFolded.count(FoldPathCase(path)) > 0;
}

const std::vector<std::string>& Tzorlistbox::ItemTexts()
{
    Reindex();
    return FTexts;
}

int Tzorlistbox::AddItem(const std::string& path)
{
    Reindex();
    int index;
    {
        TOwnChange own(FOwnChange);
        index = Items()->Add(path);
    }
    FTexts.push_back(path);
    FFolded.insert(FoldPathCase(path));
    return index;
}

void Tzorlistbox::DeleteItem(int index)
{
    Reindex();
    const std::string text = Items()->Get(index);
    {
        TOwnChange own(FOwnChange);
        Items()->Delete(index);
    }
    FTexts.erase(FTexts.begin() + index);
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
