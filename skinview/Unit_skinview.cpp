#include "skinview/Unit_skinview.h"

#include <windows.h>

#include <vector>

#include "framework/controls/ControlAtom.h"
#include "framework/controls/Grids.h"
#include "framework/controls/Menus.h"
#include "framework/controls/PageControl.h"
#include "framework/controls/RegisterControls.h"
#include "framework/controls/StdCtrls.h"
#include "framework/core/Idents.h"
#include "framework/core/Streams.h"
#include "framework/core/SysUtils.h"
#include "framework/graphics/Color.h"
#include "skin/data/SkinReader.h"
#include "skin/data/WinSkinData.h"
#include "skin/window/SkinMessages.h"

using namespace tf;

TForm_skinview* Form_skinview = nullptr;

namespace {
bool IsFile(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// What the skin reader tells the user while a file is loaded here (a skin of
// a version it does not know) becomes part of the one message the caller
// shows over the window, instead of a box of its own before the window is up.
std::string& ReaderSaid()
{
    static std::string text;
    return text;
}
struct TReaderMessages {
    TSkinMessageProc Previous = ShowSkinMessage;
    TReaderMessages()
    {
        ReaderSaid().clear();
        ShowSkinMessage = [](const std::string& text) { ReaderSaid() = text; };
    }
    ~TReaderMessages() { ShowSkinMessage = Previous; }
    TReaderMessages(const TReaderMessages&) = delete;
    TReaderMessages& operator=(const TReaderMessages&) = delete;
};
} // namespace

const TClassInfo& TForm_skinview::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TForm_skinview>("TForm_skinview", TForm::StaticClass())
                                       .TF_FIELD(TForm_skinview, SkinData1)
                                       .TF_FIELD(TForm_skinview, CheckSkin)
                                       .TF_FIELD(TForm_skinview, MenuSkinned)
                                       .TF_FIELD(TForm_skinview, LabelSkin)
                                       .TF_FIELD(TForm_skinview, LabelEvent)
                                       .TF_FIELD(TForm_skinview, GridE)
                                       .TF_FIELD(TForm_skinview, GridD)
                                       .TF_METHOD(TForm_skinview, FormCreate)
                                       .TF_METHOD(TForm_skinview, CheckSkinClick)
                                       .TF_METHOD(TForm_skinview, ControlClick)
                                       .TF_METHOD(TForm_skinview, PlayerClick)
                                       .TF_METHOD(TForm_skinview, MenuSkinnedClick)
                                       .TF_METHOD(TForm_skinview, MenuExitClick)
                                       .Build();
    return info;
}

TForm_skinview::TForm_skinview(TComponent* owner) : TForm(owner) {}

void TForm_skinview::FormCreate(TObject*)
{
    for (TStringGrid* grid : {GridE, GridD}) {
        if (!grid) continue;
        static const char* const heads[] = {"", "Frame", "Width", "Height", "Trans", "Tile"};
        for (int c = 0; c < grid->ColCount() && c < 6; ++c) grid->SetCells(c, 0, heads[c]);
        for (int r = 1; r < grid->RowCount(); ++r) {
            grid->SetCells(0, r, IntToStr(r));
            for (int c = 1; c < grid->ColCount(); ++c) grid->SetCells(c, r, IntToStr(r * c));
        }
    }
}

void TForm_skinview::CheckSkinClick(TObject*)
{
    if (!CheckSkin) return;
    if (SkinData1) SkinData1->SetActive(CheckSkin->Checked());
    if (MenuSkinned) MenuSkinned->SetChecked(CheckSkin->Checked());
}

void TForm_skinview::MenuSkinnedClick(TObject*) { SetSkinned(!(MenuSkinned && MenuSkinned->Checked())); }

void TForm_skinview::MenuExitClick(TObject*) { Close(); }

void TForm_skinview::SetSkinned(bool on)
{
    if (CheckSkin) CheckSkin->SetChecked(on);   // its click switches the skin
    if (SkinData1) SkinData1->SetActive(on);
    if (MenuSkinned) MenuSkinned->SetChecked(on);
}

void TForm_skinview::ControlClick(TObject* sender)
{
    ++clicks;
    auto* component = dynamic_cast<TComponent*>(sender);
    const std::string name = component ? component->Name() : std::string("?");
    if (LabelEvent) LabelEvent->SetCaption("Clicked: " + name + " (" + IntToStr(clicks) + ")");
}

void TForm_skinview::PlayerClick(TObject* sender, TMPBtnType button, bool&)
{
    const std::string name = MPBtnTypeInfo.Names[button];
    playerClicks += (playerClicks.empty() ? "" : ",") + name;
    ControlClick(sender);
    if (LabelEvent) LabelEvent->SetCaption(LabelEvent->Caption() + ": " + name);
}

void TForm_skinview::WndProc(TMessage& m)
{
    if (m.Msg != SKM_CLOSETAB) {
        TForm::WndProc(m);
        return;
    }
    // wParam: the page control's window; lParam: the tab (its page's index).
    auto* pages = dynamic_cast<TPageControl*>(FindControl(reinterpret_cast<HWND>(m.WParam)));
    const int tab = static_cast<int>(m.LParam);
    if (!pages || tab < 0 || tab >= pages->PageCount()) {
        m.Result = 1;   // nothing this form knows: keep it
        return;
    }
    const std::string caption = pages->Pages(tab)->Caption();
    const bool keep = caption == "Kept";
    if (!keep) closedPages += (closedPages.empty() ? "" : ",") + caption;
    if (LabelEvent) LabelEvent->SetCaption((keep ? "Kept the page " : "Closed the page ") + caption);
    m.Result = keep ? 1 : 0;
}

bool TForm_skinview::LoadSkinFile(const std::string& fileName, std::string& error)
{
    if (!IsFile(fileName)) {
        error = "There is no skin file " + fileName;
        return false;
    }
    const std::vector<uint8_t> own = SkinData1->SkinStreamBytes().Bytes();
    bool loaded = false;
    try {
        TReaderMessages reader;
        SkinData1->SetSkinFile(fileName);
        loaded = !SkinData1->FNoSkin;
        if (!loaded)
            error = ReaderSaid().empty() ? fileName + " is not a skin this program can read"
                                         : fileName + ":\r\n" + ReaderSaid();
    } catch (const std::exception& e) {
        error = fileName + ": " + e.what();
    }
    if (loaded) {
        LabelSkin->SetCaption("Skin: " + fileName);
        return true;
    }
    // Back to the program's own skin.
    TMemoryStream block;
    const int32_t size = static_cast<int32_t>(own.size());
    block.WriteBuffer(&size, sizeof size);
    if (size > 0) block.WriteBuffer(own.data(), own.size());
    block.SetPosition(0);
    SkinData1->ReadSkinStream(block);
    SkinData1->ApplyNewSkin();
    return false;
}

void RegisterSkinviewClasses()
{
    static bool done = false;
    if (done) return;
    done = true;
    RegisterColorIdents();
    RegisterControlClasses();
    RegisterSkinDataClasses();
    RegisterClass(TForm_skinview::StaticClass());
}
