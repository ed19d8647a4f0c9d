#include "skin/window/WindowColours.h"

#include <unordered_set>

#include "framework/controls/Controls.h"
#include "framework/controls/Forms.h"
#include "skin/data/WinSkinData.h"

namespace tf {

namespace {

bool ShowsWindowBackground(TControl* c)
{
    for (const char* kind :
         {"TCustomEdit", "TCustomListBox", "TCustomComboBox", "TCustomGrid", "TCustomTreeView", "TCustomListView"})
        if (c->InheritsFrom(kind)) return true;
    return false;
}

} // namespace

void TWindowColours::Apply(TCustomForm& form, const TSkinData& data)
{
    Restore(form);
    if (!data.FColorSet[SkinColor::Window]) return;
    const TColor back = data.FColors[SkinColor::Window];
    const TColor text = data.FColors[SkinColor::WindowText];
    for (int i = 0; i < form.ComponentCount(); ++i) {
        auto* c = dynamic_cast<TControl*>(form.Components(i));
        if (!c || c->Tag() == data.DisableTag() || !ShowsWindowBackground(c)) continue;
        TChange change{c};
        if (c->Color() == clWindow) {
            change.Back = true;
            change.SavedColor = c->Color();
            change.SavedParentColor = c->ParentColor();
            change.SetColor = back;
        }
        // The text colour goes with the background: light text on a
        // background of the program's own could not be read.
        if (change.Back && c->Font()->Color() == clWindowText) {
            change.Text = true;
            change.SavedText = c->Font()->Color();
            change.SavedParentFont = c->ParentFont();
            change.SetText = text;
        }
        if (!change.Back && !change.Text) continue;
        FChanges.push_back(change);
        if (change.Back) c->SetColor(back);
        if (change.Text) c->Font()->SetColor(text);
    }
}

void TWindowColours::Restore(TCustomForm& form)
{
    if (FChanges.empty()) return;
    // Only controls the form still owns: one freed meanwhile is not touched.
    std::unordered_set<TControl*> owned;
    if (!(form.ComponentState() & csDestroying))
        for (int i = 0; i < form.ComponentCount(); ++i)
            if (auto* c = dynamic_cast<TControl*>(form.Components(i))) owned.insert(c);
    for (const TChange& change : FChanges) {
        TControl* c = change.Control;
        if (!owned.count(c) || (c->ComponentState() & csDestroying)) continue;
        if (change.Back && c->Color() == change.SetColor) {
            c->SetColor(change.SavedColor);
            if (change.SavedParentColor) c->SetParentColor(true);
        }
        if (change.Text && c->Font()->Color() == change.SetText) {
            c->Font()->SetColor(change.SavedText);
            if (change.SavedParentFont) c->SetParentFont(true);
        }
    }
    FChanges.clear();
}

} // namespace tf
