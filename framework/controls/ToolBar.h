// Tool bars: the native tool bar ("ToolbarWindow32") under the class name
// "TToolBar", and its buttons. A TToolButton is a child control of the bar
// with no window of its own: the bar's window draws and clicks it, and the
// button's bounds follow the place the bar gives it. A bar with a Menu shows
// one button per top-level item of the menu, each dropping that item's
// sub-menu. Custom drawing: OnCustomDraw before the bar paints (on Canvas,
// pointed at the paint DC), OnCustomDrawButton before each button; clearing
// DefaultDraw leaves out the bar's own drawing of that part.
#pragma once
#include <memory>
#include <vector>

#include "ComCtrls.h"
#include "ControlCanvas.h"

namespace tf {

class TImageList;
class TMainMenu;
class TMenuItem;
class TToolBar;

enum TToolButtonStyle : uint8_t { tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider };
extern const TEnumInfo ToolButtonStyleInfo;

// The state of a custom-drawn part (bit i = member i).
enum TCustomDrawStateMember : uint8_t { cdsSelected, cdsGrayed, cdsDisabled, cdsChecked, cdsFocused, cdsDefault, cdsHot, cdsMarked, cdsIndeterminate };
using TCustomDrawState = uint32_t;
// The state of the system's custom-draw item flags (CDIS_*).
TCustomDrawState CustomDrawStateOf(UINT itemState);

using TToolBarCustomDrawEvent = TEvent<TToolBar*, const RECT&, bool&>;
class TToolButton;
using TToolBarCustomDrawButtonEvent = TEvent<TToolBar*, TToolButton*, TCustomDrawState, bool&>;

class TToolButton : public TGraphicControl {
    TF_CLASS(TToolButton)
public:
    explicit TToolButton(TComponent* owner);
    ~TToolButton() override;

    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int value);
    TToolButtonStyle Style() const { return FStyle; }
    void SetStyle(TToolButtonStyle value);
    // A check button that stays down.
    bool Down();
    void SetDown(bool value);
    // Check buttons next to each other of which one at most is down.
    bool Grouped() const { return FGrouped; }
    void SetGrouped(bool value);
    // The menu item whose sub-menu the button drops (a bar with a Menu sets it).
    TMenuItem* MenuItem() const { return FMenuItem; }
    void SetMenuItem(TMenuItem* value);

    TToolBar* ToolBar() const;
    // The identifier of the button in the bar's window.
    int Command() const { return FCommand; }

    void SetParent(TWinControl* parent) override;
    void Notification(TComponent* c, TOperation op) override;
    void WndProc(TMessage& m) override;

private:
    friend class TToolBar;
    void Changed();

    int FImageIndex = -1;
    TToolButtonStyle FStyle = tbsButton;
    bool FDown = false;
    bool FGrouped = false;
    TMenuItem* FMenuItem = nullptr;
    int FCommand = 0;
};

class TToolBar : public TNativeControl {
    TF_CLASS(TToolBar)
public:
    explicit TToolBar(TComponent* owner);
    ~TToolBar() override;

    bool Flat() const { return FFlat; }
    void SetFlat(bool value);
    bool ShowCaptions() const { return FShowCaptions; }
    void SetShowCaptions(bool value);
    // Captions right of the images instead of below them.
    bool List() const { return FList; }
    void SetList(bool value);
    int ButtonWidth() const { return FButtonWidth; }
    void SetButtonWidth(int value);
    int ButtonHeight() const { return FButtonHeight; }
    void SetButtonHeight(int value);
    TImageList* Images() const { return FImages; }
    void SetImages(TImageList* value);
    TMainMenu* Menu() const { return FMenu; }
    void SetMenu(TMainMenu* value);

    int ButtonCount() const { return static_cast<int>(FButtons.size()); }
    TToolButton* Buttons(int index) const { return FButtons.at(static_cast<size_t>(index)); }
    TToolButton* ButtonByCommand(int command) const;
    // Where the bar placed a button, in client coordinates.
    RECT ButtonRect(TToolButton* button);

    TCanvas* Canvas() const { return FCanvas.get(); }
    TToolBarCustomDrawEvent OnCustomDraw;
    TToolBarCustomDrawButtonEvent OnCustomDrawButton;
    // Called from OnCustomDrawButton by a handler that has drawn the button's
    // face: the system then draws only that button's image and text, with no
    // edge or background of its own over the face (a hot or pressed button
    // would get them).
    void ButtonFaceDrawn() { FFaceDrawn = true; }

    // Puts the buttons into the window again.
    void RebuildButtons();

    void Loaded() override;
    void Notification(TComponent* c, TOperation op) override;
    void WndProc(TMessage& m) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void Notify(NMHDR* header, LRESULT& result) override;

private:
    friend class TToolButton;
    void AddButton(TToolButton* button);
    void RemoveButton(TToolButton* button);
    void ButtonClicked(int command);
    void PlaceButtons();
    void MenuButtons();

    std::vector<TToolButton*> FButtons;
    std::vector<TToolButton*> FMenuButtons;   // made for Menu, owned by the bar
    std::unique_ptr<TControlCanvas> FCanvas;
    bool FFlat = false;
    bool FFaceDrawn = false;   // by OnCustomDrawButton, for the button being drawn
    bool FShowCaptions = false;
    bool FList = false;
    int FButtonWidth = 23;
    int FButtonHeight = 22;
    TImageList* FImages = nullptr;
    TMainMenu* FMenu = nullptr;
    int FNextCommand = 1;
    bool FRebuilding = false;
};

} // namespace tf
