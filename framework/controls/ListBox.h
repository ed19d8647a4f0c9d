// List boxes: a native LISTBOX under the class name of the control
// ("TListBox"). Items is a string list backed by the window while it exists
// (kept aside while it does not). Owner-drawn styles measure and draw rows
// through the virtual MeasureItem/DrawItem, reached by the reflected
// CN_MEASUREITEM/CN_DRAWITEM.
#pragma once
#include <memory>

#include "ControlCanvas.h"
#include "Forms.h"
#include "WinControl.h"
// windows.h maps GetObject to GetObjectA; TStrings has a member of that name.
#undef GetObject
#include "framework/core/Strings.h"

namespace tf {

class TCustomListBox;

enum TListBoxStyle : uint8_t { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable };
extern const TEnumInfo ListBoxStyleInfo;

// The system's owner-draw state flags of a row (ODS_SELECTED, ODS_FOCUS...).
using TOwnerDrawState = UINT;

using TDrawItemEvent = TEvent<TObject*, int, RECT, TOwnerDrawState>;   // control, index, rect, state
using TMeasureItemEvent = TEvent<TObject*, int, int&>;                 // control, index, height

// A list box's items. A bad index raises EListError "列表索引越界 (%d)".
class TListBoxStrings : public TStrings {
    TF_CLASS(TListBoxStrings)
public:
    explicit TListBoxStrings(TCustomListBox* listBox) : FListBox(listBox) {}

    int Count() const override;
    std::string Get(int index) const override;
    void Put(int index, const std::string& s) override;
    intptr_t GetObject(int index) const override;
    void PutObject(int index, intptr_t value) override;
    void Insert(int index, const std::string& s) override;
    void Delete(int index) override;
    void Clear() override;
    int IndexOf(const std::string& s) const override;

protected:
    void SetUpdateState(bool updating) override;

private:
    friend class TCustomListBox;
    void Check(int index) const;
    HWND Window() const;

    TCustomListBox* FListBox;
    TStringList FSaved;   // the items while there is no window
};

class TCustomListBox : public TWinControl {
    TF_CLASS(TCustomListBox)
public:
    explicit TCustomListBox(TComponent* owner);
    ~TCustomListBox() override;

    TStrings* Items() const { return FItems.get(); }
    void SetItems(TStrings* value);   // copies
    int Count() const { return FItems->Count(); }
    void Clear() { FItems->Clear(); }

    // The selected row; under multiple selection the row with the caret.
    int ItemIndex();
    void SetItemIndex(int value);
    bool Selected(int index);
    void SetSelected(int index, bool value);
    int SelCount();
    int TopIndex();
    void SetTopIndex(int value);
    // The row at a client point, or -1.
    int ItemAtPos(POINT p, bool existing);
    RECT ItemRect(int index);

    TListBoxStyle Style() const { return FStyle; }
    void SetStyle(TListBoxStyle value);
    bool MultiSelect() const { return FMultiSelect; }
    void SetMultiSelect(bool value);
    bool ExtendedSelect() const { return FExtendedSelect; }
    void SetExtendedSelect(bool value);
    bool Sorted() const { return FSorted; }
    void SetSorted(bool value);
    bool IntegralHeight() const { return FIntegralHeight; }
    void SetIntegralHeight(bool value);
    int ItemHeight();
    void SetItemHeight(int value);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle value);

    TCanvas* Canvas() const { return FCanvas.get(); }

    TDrawItemEvent OnDrawItem;
    TMeasureItemEvent OnMeasureItem;

    void WndProc(TMessage& m) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    // A row's height, asked for each row of an lbOwnerDrawVariable list
    // (height starts at ItemHeight). The default asks OnMeasureItem.
    virtual void MeasureItem(int index, int& height);
    // Paints a row; the canvas has the control's font and background brush
    // (highlight colours for a selected row). The default asks OnDrawItem,
    // else fills the row and writes its text.
    virtual void DrawItem(int index, const RECT& rect, TOwnerDrawState state);

private:
    void HandleDrawItem(TMessage& m);
    void HandleMeasureItem(TMessage& m);

    std::unique_ptr<TListBoxStrings> FItems;
    std::unique_ptr<TControlCanvas> FCanvas;
    TListBoxStyle FStyle = lbStandard;
    bool FMultiSelect = false;
    bool FExtendedSelect = true;
    bool FSorted = false;
    bool FIntegralHeight = false;
    int FItemHeight = 16;
    TBorderStyle FBorderStyle = bsSingle;
    int FSavedItemIndex = -1;
    int FSavedTopIndex = 0;
};

class TListBox : public TCustomListBox {
    TF_CLASS(TListBox)
public:
    explicit TListBox(TComponent* owner);
};

} // namespace tf
