// Status bars: a native "msctls_statusbar32" under the class name
// "TStatusBar", split into Panels (text or owner-drawn, each with a width,
// an alignment and a bevel), or showing one SimpleText across its width when
// SimplePanel is set. The control keeps its own bounds (it does not stick to
// its parent's bottom edge by itself). Owner-drawn panels are painted by
// OnDrawPanel on the bar's Canvas.
#pragma once
#include <memory>

#include "ComCtrls.h"
#include "ControlCanvas.h"

namespace tf {

class TCustomStatusBar;
class TStatusPanel;

enum TStatusPanelStyle : uint8_t { psText, psOwnerDraw };
extern const TEnumInfo StatusPanelStyleInfo;
enum TStatusPanelBevel : uint8_t { pbNone, pbLowered, pbRaised };
extern const TEnumInfo StatusPanelBevelInfo;

using TDrawPanelEvent = TEvent<TObject*, TStatusPanel*, RECT>;   // status bar, panel, its rectangle

class TStatusPanel : public TCollectionItem {
    TF_CLASS(TStatusPanel)
public:
    explicit TStatusPanel(TCollection* collection);

    const std::string& Text() const { return FText; }
    void SetText(const std::string& value);
    int Width() const { return FWidth; }
    void SetWidth(int value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);
    TStatusPanelBevel Bevel() const { return FBevel; }
    void SetBevel(TStatusPanelBevel value);
    TStatusPanelStyle Style() const { return FStyle; }
    void SetStyle(TStatusPanelStyle value);
    TBiDiMode BiDiMode() const { return FBiDiMode; }
    void SetBiDiMode(TBiDiMode value);

private:
    std::string FText;
    int FWidth = 50;
    TAlignment FAlignment = taLeftJustify;
    TStatusPanelBevel FBevel = pbLowered;
    TStatusPanelStyle FStyle = psText;
    TBiDiMode FBiDiMode = bdLeftToRight;
};

class TStatusPanels : public TCollection {
    TF_CLASS(TStatusPanels)
public:
    explicit TStatusPanels(TCustomStatusBar* statusBar);
    TStatusPanel* Items(int index) const { return static_cast<TStatusPanel*>(TCollection::Items(index)); }
    TStatusPanel* Add() { return static_cast<TStatusPanel*>(TCollection::Add()); }

protected:
    void Update(TCollectionItem* item) override;

private:
    TCustomStatusBar* FStatusBar;
};

class TCustomStatusBar : public TNativeControl {
    TF_CLASS(TCustomStatusBar)
public:
    explicit TCustomStatusBar(TComponent* owner);
    ~TCustomStatusBar() override;

    TStatusPanels* Panels() const { return FPanels.get(); }
    void SetPanels(TStatusPanels* value);   // copies
    bool SimplePanel() const { return FSimplePanel; }
    void SetSimplePanel(bool value);
    const std::string& SimpleText() const { return FSimpleText; }
    void SetSimpleText(const std::string& value);
    bool SizeGrip() const { return FSizeGrip; }
    void SetSizeGrip(bool value);
    TBiDiMode BiDiMode() const { return FBiDiMode; }
    void SetBiDiMode(TBiDiMode value);
    TCanvas* Canvas() const { return FCanvas.get(); }

    TDrawPanelEvent OnDrawPanel;
    // Paints an owner-drawn panel on Canvas (the default asks OnDrawPanel).
    virtual void DrawPanel(TStatusPanel* panel, const RECT& rect);
    // Gives the window the panels' parts, texts and bevels.
    void UpdatePanels();

    void WndProc(TMessage& m) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;

private:
    std::unique_ptr<TStatusPanels> FPanels;
    std::unique_ptr<TControlCanvas> FCanvas;
    bool FSimplePanel = false;
    std::string FSimpleText;
    bool FSizeGrip = true;
    TBiDiMode FBiDiMode = bdLeftToRight;
};

class TStatusBar : public TCustomStatusBar {
    TF_CLASS(TStatusBar)
public:
    explicit TStatusBar(TComponent* owner);
};

} // namespace tf
