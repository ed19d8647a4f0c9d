// TTreeView: the native tree view ("SysTreeView32") under the class name
// "TTreeView". Items holds one node per line; each leading space or tab puts
// a node one level below the nearest line before it with less indent. The
// window is refilled whenever the lines change.
#pragma once
#include <memory>

#include "ComCtrls.h"
#include "Forms.h"

// windows.h maps GetObject to GetObjectA; TStrings has a member of that name.
#undef GetObject
#include "framework/core/Strings.h"

namespace tf {

class TCustomTreeView : public TNativeControl {
    TF_CLASS(TCustomTreeView)
public:
    explicit TCustomTreeView(TComponent* owner);
    ~TCustomTreeView() override;

    TStrings* Items() const { return FItems.get(); }
    void SetItems(TStrings* value);   // copies
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle value);
    bool ShowLines() const { return FShowLines; }
    void SetShowLines(bool value);
    bool ShowButtons() const { return FShowButtons; }
    void SetShowButtons(bool value);
    // Expands every node after filling.
    bool AutoExpand() const { return FAutoExpand; }
    void SetAutoExpand(bool value);

    void Refill();
    void Loaded() override;
    void WndProc(TMessage& m) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;

private:
    void ItemsChanged(TObject*);
    // Color and the font's colour into the window; the system's own while
    // they are the window colours.
    void UpdateColors();

    std::unique_ptr<TStringList> FItems;
    TBorderStyle FBorderStyle = bsSingle;
    bool FShowLines = true;
    bool FShowButtons = true;
    bool FAutoExpand = false;
};

class TTreeView : public TCustomTreeView {
    TF_CLASS(TTreeView)
public:
    explicit TTreeView(TComponent* owner);
};

} // namespace tf
