// Tzorlistbox: the guard's owner-drawn list of flagged files. Rows alternate
// two background colours; the focused row is blue with white text, a
// selected row 0xFB644F; OnlyFilename shows just the name part of each path.
#pragma once
#include "framework/controls/ListBox.h"

namespace tf {

class Tzorlistbox : public TListBox {
    TF_CLASS(Tzorlistbox)
public:
    explicit Tzorlistbox(TComponent* owner);

    // Background of the rows with an even index (first, third, ...).
    TColor jsbackcolor() const { return FEvenColor; }
    void Setjsbackcolor(TColor value);   // repaints at once
    // Background of the rows with an odd index.
    TColor osbackcolor() const { return FOddColor; }
    void Setosbackcolor(TColor value);   // repaints at once
    bool OnlyFilename() const { return FOnlyFilename; }
    void SetOnlyFilename(bool value) { FOnlyFilename = value; }   // shows at the next paint

    // The row last drawn with the focus; nothing reads it.
    int FocusedIndex() const { return FFocusedIndex; }

    static constexpr TColor FocusedBackColor = 0xFF0000;
    static constexpr TColor FocusedTextColor = 0xFFFFFF;
    static constexpr TColor SelectedBackColor = 0xFB644F;

protected:
    void MeasureItem(int index, int& height) override;
    void DrawItem(int index, const RECT& rect, TOwnerDrawState state) override;

private:
    TColor FEvenColor = 15792870;
    TColor FOddColor = 16445690;
    bool FOnlyFilename = false;
    int FFocusedIndex = -1;
};

} // namespace tf
