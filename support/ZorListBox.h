// Tzorlistbox: the guard's owner-drawn list of flagged files. Rows alternate
// two background colours; the focused row is blue with white text, a
// selected row 0xFB644F; OnlyFilename shows just the name part of each path.
#pragma once
#include <string>
#include <unordered_set>
#include <vector>

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

    // Membership of the items, answered from their case-folded texts
    // (FoldPathCase, the comparison of SamePath) kept in a set beside them, so
    // the cost does not grow with the list; and a copy of the items' texts,
    // in order, read without asking the window once per item. AddItem and
    // DeleteItem keep both current; any other change made through Items()
    // has them rebuilt once, at the next question.
    bool HasItem(const std::string& path);
    const std::vector<std::string>& ItemTexts();
    int AddItem(const std::string& path);
    void DeleteItem(int index);
    // Brackets many additions: the list is not redrawn in between (under
    // Wine each addition to a visible list otherwise costs milliseconds), and
    // once at the end. Brackets nest.
    void BeginBatch();
    void EndBatch();

    static constexpr TColor FocusedBackColor = 0xFF0000;
    static constexpr TColor FocusedTextColor = 0xFFFFFF;
    static constexpr TColor SelectedBackColor = 0xFB644F;

protected:
    void MeasureItem(int index, int& height) override;
    void DrawItem(int index, const RECT& rect, TOwnerDrawState state) override;

private:
    void ItemsChanged(TObject* sender);
    void Reindex();   // brings the set and the copy up to date

    TColor FEvenColor = 15792870;
    TColor FOddColor = 16445690;
    bool FOnlyFilename = false;
    int FFocusedIndex = -1;
    std::vector<std::string> FTexts;
    std::unordered_multiset<std::string> FFolded;
    bool FFoldedStale = false;
    bool FOwnChange = false;
};

} // namespace tf
