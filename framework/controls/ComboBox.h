// Combo boxes: a native COMBOBOX under the control's class name
// ("TComboBox") in one of three styles: an edit with a drop-down list
// (csDropDown), an edit over an always visible list (csSimple), or a
// drop-down list without an edit (csDropDownList). Items live in the window
// while it exists (kept aside while it does not). The combo's edit part is a
// native child window: its colours come from the combo's Color and Font.
#pragma once
#include <memory>

#include "WinControl.h"
// windows.h maps GetObject to GetObjectA; TStrings has a member of that name.
#undef GetObject
#include "framework/core/Strings.h"

namespace tf {

class TCustomComboBox;

enum TComboBoxStyle : uint8_t { csDropDown, csSimple, csDropDownList };
extern const TEnumInfo ComboBoxStyleInfo;

// The items of a combo box. A bad index raises EListError.
class TComboBoxStrings : public TStrings {
    TF_CLASS(TComboBoxStrings)
public:
    explicit TComboBoxStrings(TCustomComboBox* combo) : FCombo(combo) {}

    int Count() const override;
    std::string Get(int index) const override;
    void Insert(int index, const std::string& s) override;
    void Delete(int index) override;
    void Clear() override;

private:
    friend class TCustomComboBox;
    HWND Window() const;
    TCustomComboBox* FCombo;
    TStringList FSaved;   // the items while there is no window
};

class TCustomComboBox : public TWinControl {
    TF_CLASS(TCustomComboBox)
public:
    explicit TCustomComboBox(TComponent* owner);
    ~TCustomComboBox() override;

    TStrings* Items() const { return FItems.get(); }
    void SetItems(TStrings* value);   // copies
    int ItemIndex();
    void SetItemIndex(int value);
    TComboBoxStyle Style() const { return FStyle; }
    void SetStyle(TComboBoxStyle value);
    int DropDownCount() const { return FDropDownCount; }
    void SetDropDownCount(int value) { FDropDownCount = value; }
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int value);
    bool Sorted() const { return FSorted; }
    void SetSorted(bool value);
    TBiDiMode BiDiMode() const { return FBiDiMode; }
    void SetBiDiMode(TBiDiMode value);
    bool DroppedDown();
    void SetDroppedDown(bool value);

    TNotifyEvent OnChange;     // the text changed (typed or chosen)
    TNotifyEvent OnSelect;     // an item was chosen
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;

    void WndProc(TMessage& m) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;

private:
    std::unique_ptr<TComboBoxStrings> FItems;
    TComboBoxStyle FStyle = csDropDown;
    int FDropDownCount = 8;
    int FMaxLength = 0;
    bool FSorted = false;
    TBiDiMode FBiDiMode = bdLeftToRight;
    int FSavedItemIndex = -1;
};

class TComboBox : public TCustomComboBox {
    TF_CLASS(TComboBox)
public:
    explicit TComboBox(TComponent* owner);
};

} // namespace tf
