// The skin previewer's window: every kind of control the skin engine draws,
// each enabled and disabled side by side, a check box that switches the
// skin off and on, and a line that tells which control was clicked last.
// Created from its stored form data (Unit_skinview.form.txt).
#pragma once
#include <string>

#include "framework/controls/Forms.h"
#include "framework/controls/MPlayer.h"

namespace tf {
class TCheckBox;
class TMenuItem;
class TLabel;
class TSkinData;
class TStringGrid;
} // namespace tf

class TForm_skinview : public tf::TForm {
    TF_CLASS(TForm_skinview)
public:
    explicit TForm_skinview(tf::TComponent* owner);

    // Components bound by name when the stored form data is read.
    tf::TSkinData* SkinData1 = nullptr;
    tf::TCheckBox* CheckSkin = nullptr;
    tf::TMenuItem* MenuSkinned = nullptr;
    tf::TLabel* LabelSkin = nullptr;
    tf::TLabel* LabelEvent = nullptr;
    tf::TStringGrid* GridE = nullptr;
    tf::TStringGrid* GridD = nullptr;

    // Handlers named by the stored form data.
    void FormCreate(tf::TObject* sender);
    void CheckSkinClick(tf::TObject* sender);
    void ControlClick(tf::TObject* sender);
    void PlayerClick(tf::TObject* sender, tf::TMPBtnType button, bool& doDefault);
    void MenuSkinnedClick(tf::TObject* sender);
    void MenuExitClick(tf::TObject* sender);

    // Shows the skin of a skin file instead of the program's own. On a
    // missing or unusable file the own skin stays and error says why (for a
    // skin of an unknown version, in the skin reader's words); nothing is
    // shown to the user here, so the caller's message is the only one.
    bool LoadSkinFile(const std::string& fileName, std::string& error);
    // Switches skinning (and the check box) on or off.
    void SetSkinned(bool on);
    // How many clicks the controls have reported.
    int Clicks() const { return clicks; }
    // The media player buttons clicked, in order ("btPlay,btStop").
    const std::string& PlayerClicks() const { return playerClicks; }
    // A close box asks whether a tab's page may close (SKM_CLOSETAB): the
    // page captioned "Kept" stays, any other goes. Closed pages' captions.
    const std::string& ClosedPages() const { return closedPages; }

    void WndProc(tf::TMessage& m) override;

private:
    int clicks = 0;
    std::string playerClicks;
    std::string closedPages;
};

extern TForm_skinview* Form_skinview;

// Registers every class the previewer's stored form data names.
void RegisterSkinviewClasses();
