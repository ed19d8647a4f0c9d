// Group boxes: a framed caption around other controls (TGroupBox), and the
// radio group, a group box that makes one radio button per item and keeps
// exactly one of them chosen (TRadioGroup).
#pragma once
#include <memory>
#include <vector>

#include "GraphicControl.h"
#include "RadioButton.h"

// windows.h maps GetObject to GetObjectA; TStrings has a member of that name.
#undef GetObject
#include "framework/core/Strings.h"

namespace tf {

// Paints its parent's colour, an etched frame and the caption over the
// frame's top line.
class TCustomGroupBox : public TCustomControl {
    TF_CLASS(TCustomGroupBox)
public:
    explicit TCustomGroupBox(TComponent* owner);

    // The area inside the frame and below the caption, for laying out children.
    RECT ContentRect();

protected:
    void Paint() override;
    void CreateParams(TCreateParams& params) override;
};

class TGroupBox : public TCustomGroupBox {
    TF_CLASS(TGroupBox)
public:
    explicit TGroupBox(TComponent* owner);
};

// One button of a radio group (its own class, so it is told apart from a
// radio button placed on the group by hand).
class TGroupButton : public TRadioButton {
    TF_CLASS(TGroupButton)
public:
    explicit TGroupButton(TComponent* owner);
};

// Items are the buttons' captions; ItemIndex is the checked one (-1: none).
// Changing the items rebuilds the buttons; they are laid out in Columns
// columns filling the client area top to bottom.
class TCustomRadioGroup : public TCustomGroupBox {
    TF_CLASS(TCustomRadioGroup)
public:
    explicit TCustomRadioGroup(TComponent* owner);
    ~TCustomRadioGroup() override;

    TStrings* Items() const { return FItems.get(); }
    void SetItems(TStrings* value);   // copies
    int ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int value);
    int Columns() const { return FColumns; }
    void SetColumns(int value);
    int ButtonCount() const { return static_cast<int>(FButtons.size()); }
    TGroupButton* Buttons(int index) const { return FButtons.at(static_cast<size_t>(index)); }

    void Loaded() override;
    void WndProc(TMessage& m) override;

protected:
    void Resize() override;

private:
    void ItemsChanged(TObject*);
    void ButtonClick(TObject* sender);
    void UpdateButtons();
    void ArrangeButtons();

    std::unique_ptr<TStringList> FItems;
    std::vector<TGroupButton*> FButtons;
    int FItemIndex = -1;
    int FColumns = 1;
    bool FUpdating = false;
};

class TRadioGroup : public TCustomRadioGroup {
    TF_CLASS(TRadioGroup)
public:
    explicit TRadioGroup(TComponent* owner);
};

} // namespace tf
