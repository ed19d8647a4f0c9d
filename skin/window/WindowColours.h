// The skin's "Window" colour on a form's controls that show a window's
// background (edits, memos, lists, combo boxes, grids, tree and list views),
// for those whose colour is the system's window colour, and on those of them
// whose text is the system's window text the skin's window text colour. A skin
// without "Window" changes nothing. Each change is recorded and given back.
#pragma once
#include <vector>

#include "framework/graphics/Color.h"

namespace tf {

class TControl;
class TCustomForm;
class TSkinData;

class TWindowColours {
public:
    // Applies data's colours to the form's controls (after giving back what
    // an earlier skin set).
    void Apply(TCustomForm& form, const TSkinData& data);
    // Gives back what Apply changed, on controls still owned by the form that
    // still show what Apply set (a program's own later choice stays).
    void Restore(TCustomForm& form);

private:
    struct TChange {
        TControl* Control;
        bool Back = false;   // colour replaced
        TColor SavedColor = 0, SetColor = 0;
        bool SavedParentColor = false;
        bool Text = false;   // font colour replaced
        TColor SavedText = 0, SetText = 0;
        bool SavedParentFont = false;
    };
    std::vector<TChange> FChanges;
};

} // namespace tf
