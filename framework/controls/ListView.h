// TListView: the native list view ("SysListView32") under the class name
// "TListView". Columns are a collection (caption, width, alignment); Items
// holds one row per line, its cells separated by "|" (the first cell is the
// item, the rest its sub-items). The window is refilled whenever either
// changes. In the report style the list has a column header window.
#pragma once
#include <memory>

#include "ComCtrls.h"
#include "Forms.h"

// windows.h maps GetObject to GetObjectA; TStrings has a member of that name.
#undef GetObject
#include "framework/core/Strings.h"

namespace tf {

class TCustomListView;

enum TViewStyle : uint8_t { vsIcon, vsSmallIcon, vsList, vsReport };
extern const TEnumInfo ViewStyleInfo;

class TListColumn : public TCollectionItem {
    TF_CLASS(TListColumn)
public:
    explicit TListColumn(TCollection* collection);

    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& value);
    int Width() const { return FWidth; }
    void SetWidth(int value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);

private:
    std::string FCaption;
    int FWidth = 50;
    TAlignment FAlignment = taLeftJustify;
};

class TListColumns : public TCollection {
    TF_CLASS(TListColumns)
public:
    explicit TListColumns(TCustomListView* owner);
    TListColumn* Items(int index) const { return static_cast<TListColumn*>(TCollection::Items(index)); }
    TListColumn* Add() { return static_cast<TListColumn*>(TCollection::Add()); }

protected:
    void Update(TCollectionItem* item) override;

private:
    TCustomListView* FListView;
};

class TCustomListView : public TNativeControl {
    TF_CLASS(TCustomListView)
public:
    explicit TCustomListView(TComponent* owner);
    ~TCustomListView() override;

    TListColumns* Columns() const { return FColumns.get(); }
    void SetColumns(TListColumns* value);   // copies
    TStrings* Items() const { return FItems.get(); }
    void SetItems(TStrings* value);         // copies
    TViewStyle ViewStyle() const { return FViewStyle; }
    void SetViewStyle(TViewStyle value);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle value);
    bool GridLines() const { return FGridLines; }
    void SetGridLines(bool value);
    bool RowSelect() const { return FRowSelect; }
    void SetRowSelect(bool value);
    // The column header window of the report style (null otherwise).
    HWND HeaderHandle();

    // Puts the columns and rows into the window again.
    void Refill();
    void Loaded() override;
    void WndProc(TMessage& m) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;

private:
    void ItemsChanged(TObject*);
    void UpdateExtendedStyle();
    // Color and the font's colour into the window, once either has left the
    // window colours (until then the system's own stay).
    void UpdateColors();

    std::unique_ptr<TListColumns> FColumns;
    std::unique_ptr<TStringList> FItems;
    TViewStyle FViewStyle = vsIcon;
    TBorderStyle FBorderStyle = bsSingle;
    bool FGridLines = false;
    bool FRowSelect = false;
    bool FColorsSent = false;
};

class TListView : public TCustomListView {
    TF_CLASS(TListView)
public:
    explicit TListView(TComponent* owner);
};

} // namespace tf
