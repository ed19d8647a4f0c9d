// Common controls: TNativeControl, the generic wrapper of a native window
// class (a common control or any other), and the cool bar.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "GraphicControl.h"
#include "framework/core/Collections.h"

namespace tf {

// A windowed control over a native class. A new control class is a small
// subclass that names its class, styles and published properties:
//   class TProgressBar : public TNativeControl {
//       TF_CLASS(TProgressBar)
//   public:
//       explicit TProgressBar(TComponent* o) : TNativeControl(o, PROGRESS_CLASSA, 0, 0, ICC_PROGRESS_CLASS) {}
//   };
// Notifications reach it reflected: CN_COMMAND as Command(code), CN_NOTIFY
// as Notify(header, result), CN_HSCROLL/CN_VSCROLL as Scroll(message).
class TNativeControl : public TWinControl {
    TF_CLASS(TNativeControl)
public:
    // nativeClass: the class to superclass; style and exStyle are added to
    // the child styles; commonControls: ICC_* classes to initialise first.
    TNativeControl(TComponent* owner, const char* nativeClass, DWORD style = 0, DWORD exStyle = 0,
                   DWORD commonControls = 0);

    const std::string& NativeClass() const { return FNativeClass; }

    TEvent<TObject*, WORD> OnCommand;               // sender, notification code
    TEvent<TObject*, NMHDR*, LRESULT&> OnNotify;    // sender, header, result

    void WndProc(TMessage& m) override;

protected:
    void CreateParams(TCreateParams& params) override;
    virtual void Command(WORD code) { OnCommand(this, code); }
    virtual void Notify(NMHDR* header, LRESULT& result) { OnNotify(this, header, result); }
    virtual void Scroll(TMessage& m) { DefaultHandler(m); }

    DWORD FStyle;
    DWORD FExStyle;

private:
    std::string FNativeClass;
    DWORD FCommonControls;
};

class TCoolBar;

// One band of a cool bar: a row segment holding one control.
class TCoolBand : public TCollectionItem {
    TF_CLASS(TCoolBand)
public:
    explicit TCoolBand(TCollection* collection);
    ~TCoolBand() override;

    TWinControl* Control() const { return FControl; }
    void SetControl(TWinControl* value);
    int MinHeight() const { return FMinHeight; }
    void SetMinHeight(int value);
    int MinWidth() const { return FMinWidth; }
    void SetMinWidth(int value);
    int Width() const { return FWidth; }
    void SetWidth(int value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int value);
    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool value);
    const std::string& Text() const { return FText; }
    void SetText(const std::string& value);
    bool Break() const { return FBreak; }
    void SetBreak(bool value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool value);

    TCoolBar* CoolBar() const;
    // The band's area in the cool bar's client coordinates (after layout).
    RECT BandRect() const { return FRect; }

private:
    friend class TCoolBar;
    TWinControl* FControl = nullptr;
    int FMinHeight = 25;
    int FMinWidth = 0;
    int FWidth = 100;
    int FImageIndex = -1;
    TColor FColor = clBtnFace;
    bool FParentColor = true;
    std::string FText;
    bool FBreak = true;
    bool FVisible = true;
    RECT FRect{0, 0, 0, 0};
};

class TCoolBands : public TCollection {
    TF_CLASS(TCoolBands)
public:
    explicit TCoolBands(TCoolBar* coolBar);
    TCoolBand* Items(int index) const { return static_cast<TCoolBand*>(TCollection::Items(index)); }
    TCoolBand* Add() { return static_cast<TCoolBand*>(TCollection::Add()); }
    TCoolBar* CoolBar() const { return FCoolBar; }

protected:
    void Update(TCollectionItem* item) override;

private:
    TCoolBar* FCoolBar;
};

// A container of bands laid out in rows; each band places its control after
// a gripper. It paints its own colour and the bands' colours.
class TCoolBar : public TCustomControl {
    TF_CLASS(TCoolBar)
public:
    explicit TCoolBar(TComponent* owner);
    ~TCoolBar() override;

    TCoolBands* Bands() const { return FBands.get(); }
    void SetBands(TCoolBands* value);   // copies
    // Places the bands and their controls.
    void LayoutBands();

    // Gripper width before a band's control, and the space after it.
    static constexpr int GripperWidth = 9;
    static constexpr int BandEndSpace = 4;

    void Loaded() override;
    void Notification(TComponent* c, TOperation op) override;
    void WndProc(TMessage& m) override;

protected:
    void Paint() override;
    void Resize() override;

private:
    friend class TCoolBand;
    std::unique_ptr<TCoolBands> FBands;
    bool FLayingOut = false;
};

} // namespace tf
