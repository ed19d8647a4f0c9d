// Switching the skin off, on and to another skin on the previewer under the
// real form skinner: skinning off gives every control back its handler, its
// window procedure, its colours, its look and its message behaviour exactly;
// a new skin reaches every skinner before anything is drawn from it; and
// 100 cycles of skinning off and on leave the GDI and USER counts flat.
#include <doctest.h>

#include <map>

#include "../data/LightBlueNames.h"
#include "../data/SkinTestKit.h"
#include "ControlSkinKit.h"
#include "framework/controls/Grids.h"
#include "framework/controls/StdCtrls.h"
#include "skin/controls/buttons/ButtonFaces.h"
#include "skin/data/SkinReader.h"

using namespace tf;
using namespace ctltest;
using tftest::Called;

namespace {

// What a control is, as far as skinning may touch it.
struct ControlState {
    TWndMethod Handler;
    LONG_PTR Procedure = 0;
    TColor Color = 0;
    bool ParentColor = false;
};

std::map<TControl*, ControlState> StatesOf(TForm_skinview* form)
{
    std::map<TControl*, ControlState> states;
    for (int i = 0; i < form->ComponentCount(); ++i) {
        auto* c = dynamic_cast<TControl*>(form->Components(i));
        if (!c) continue;
        ControlState s{c->WindowProc, 0, c->Color(), c->ParentColor()};
        if (auto* w = dynamic_cast<TWinControl*>(c); w && w->HandleAllocated())
            s.Procedure = GetWindowLongPtrA(w->WindowHandle(), GWLP_WNDPROC);
        states[c] = s;
    }
    return states;
}

int ChildWindows(HWND parent)
{
    int n = 0;
    for (HWND w = GetWindow(parent, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) n += 1 + ChildWindows(w);
    return n;
}

// The messages below WM_USER that a control's own handler sees: installed
// under any skinner.
struct Recorder : tftest::THandlerRecorder {
    explicit Recorder(TControl* c) : THandlerRecorder(c, [](const TMessage& m) { return m.Msg < WM_USER; }) {}
};

void Scenario(HWND button)
{
    SendMessageA(button, WM_MOUSEMOVE, 0, MAKELPARAM(4, 4));
    SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    SendMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
    SendMessageA(button, WM_KEYDOWN, VK_SPACE, 0x00390001);
    SendMessageA(button, WM_KEYUP, VK_SPACE, 0xC0390001);
    skintest::Pump(50);
}

// A skin file of these entries in the temporary folder.
// A version other than 20000 is written over the container's first field.
std::string TempSkinFile(const char* name, const std::vector<skinpack::SkinEntry>& entries, int32_t version = 20000)
{
    char folder[MAX_PATH] = {};
    GetTempPathA(sizeof folder, folder);
    const std::string path = std::string(folder) + name;
    tftest::Bytes container = skinpack::BuildContainer(entries);
    for (int i = 0; i < 4; ++i) container[static_cast<size_t>(i)] = static_cast<uint8_t>(version >> (8 * i));
    const tftest::Bytes file = skinpack::BuildSkinFile(container);
    TFileStream out(path, fmCreate);
    out.WriteBuffer(file.data(), static_cast<int32_t>(file.size()));
    return path;
}

// The light blue skin with another face colour, as a skin file.
std::string OtherSkinFile()
{
    std::vector<skinpack::SkinEntry> entries;
    for (const char* name : tftest::kLightBlueNames) {
        std::vector<uint8_t> bytes = tftest::ReadFileBytes(std::string(LIGHTBLUE_FOLDER) + "\\" + name);
        if (std::string(name) == "lightblue.ini") {
            std::string text(bytes.begin(), bytes.end());
            const size_t at = text.find("ButtonFace=207 207 207");
            REQUIRE(at != std::string::npos);
            text.replace(at, 22, "ButtonFace=180 200 230");
            bytes.assign(text.begin(), text.end());
        }
        entries.push_back({name, bytes});
    }
    return TempSkinFile("tamfern_other.skn", entries);
}

} // namespace

TEST_CASE("Skinning off gives every control back exactly what it had: handler, procedure, colours, look, messages")
{
    TSkinEngine engine(ControlsOnly());
    Skinview view;
    view.form->SetSkinned(false);
    view.form->Show();
    HWND window = view.form->Handle();
    SetForegroundWindow(window);
    skintest::Pump(400);
    REQUIRE(SkinManage()->FindFormSkinner(window) == nullptr);

    auto* button = view.Find<TButton>("ButtonE");
    Recorder recorder(button);
    const std::map<TControl*, ControlState> before = StatesOf(view.form);
    const int windowsBefore = ChildWindows(window);
    std::map<std::string, std::unique_ptr<TBitmap>> looks;
    const char* const pictured[] = {"ButtonE", "DefaultButtonD", "CheckedE", "GrayedD", "RadioOneE", "MemoE", "ListBoxE", "GridE"};
    auto* grid = view.Find<TWinControl>("GridE");
    grid->SetFocus();
    for (const char* name : pictured) looks[name] = PrintClient(view.Find<TWinControl>(name)->Handle());
    recorder.Log.Clear();
    Scenario(button->Handle());
    const std::vector<tftest::LoggedMessage> plain = recorder.Log.Messages();
    recorder.Log.Clear();

    // On: the skinners stand between the controls and their handlers.
    view.form->SetSkinned(true);
    tf::SkinManage()->SetPendingSkinData(view.form->SkinData1);
    tf::SkinManage()->RequestAction(TSkinAction::Skin, 1);
    REQUIRE(skintest::PumpUntil(
        [&] {
            TWinSkinForm* s = SkinManage()->FindFormSkinner(window);
            return s && s->SkinState() == TFormSkinState::Running;
        },
        3000));
    skintest::Pump(100);
    const std::map<TControl*, ControlState> skinned = StatesOf(view.form);
    CHECK_FALSE(skinned.at(button).Handler == before.at(button).Handler);
    CHECK(ChildWindows(window) > windowsBefore);   // the scroll bar overlays
    CHECK(SendMessageA(button->Handle(), SKM_QUERYSKINNED, 0, 0) == 1);

    // Off again.
    view.form->SetSkinned(false);
    tf::SkinManage()->SetPendingSkinData(view.form->SkinData1);
    tf::SkinManage()->RequestAction(TSkinAction::Unskin, 1);
    REQUIRE(skintest::PumpUntil([&] { return SkinManage()->FindFormSkinner(window) == nullptr; }, 3000));
    skintest::Pump(100);
    const std::map<TControl*, ControlState> after = StatesOf(view.form);
    for (const auto& [control, was] : before) {
        CAPTURE(control->Name());
        const ControlState& now = after.at(control);
        CHECK(now.Handler == was.Handler);
        CHECK(now.Procedure == was.Procedure);
        CHECK(now.Color == was.Color);
        CHECK(now.ParentColor == was.ParentColor);
    }
    CHECK(ChildWindows(window) == windowsBefore);
    CHECK(SendMessageA(button->Handle(), SKM_QUERYSKINNED, 0, 0) == 0);
    grid->SetFocus();
    for (const std::string name : pictured) {
        CAPTURE(name);
        auto now = PrintClient(view.Find<TWinControl>(name)->Handle());
        CHECK(skintest::DifferingPixels(*now, 0, 0, *looks[name]) == 0);
    }
    grid->SetFocus();
    recorder.Log.Clear();
    Scenario(button->Handle());
    // The input and what the button does with it, in order, as before.
    const std::set<UINT> input{WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_KEYDOWN, WM_KEYUP, WM_CHAR,
                               BM_SETSTATE, BM_CLICK, WM_CAPTURECHANGED, WM_SETFOCUS, WM_KILLFOCUS};
    std::vector<tftest::Expect> expected;
    for (const auto& m : plain)
        if (input.count(m.Msg)) expected.push_back(Called(m.Msg).W(m.WParam).L(m.LParam));
    CHECK(expected.size() >= 5);
    CHECK_SEQUENCE(recorder.Log, expected, &input);
    CHECK(recorder.Log.Count(WM_LBUTTONDOWN) == 1);
}

TEST_CASE("Another skin reaches every skinner: new colours and faces, the old skin's elements never drawn again")
{
    LiveSkinview live;
    TForm_skinview* form = live.view.form;
    auto* grid = live.view.Find<TStringGrid>("GridE");
    auto* check = live.view.Find<TCheckBox>("CheckBoxE");
    auto* button = live.view.Find<TButton>("ButtonE");
    const TColor oldFace = form->SkinData1->FColors[SkinColor::ButtonFace];
    CHECK(grid->FixedColor() == oldFace);

    std::string error;
    REQUIRE(form->LoadSkinFile(OtherSkinFile(), error));
    const TColor newFace = form->SkinData1->FColors[SkinColor::ButtonFace];
    REQUIRE(newFace == RGBColor(180, 200, 230));
    // Repainted at once from the new skin, before the manager's deferred action.
    RedrawWindow(live.window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    skintest::Pump(50);
    live.RunAction(TSkinAction::SkinChanged);
    RedrawWindow(live.window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    skintest::Pump(50);
    CHECK(grid->FixedColor() == newFace);
    auto box = PrintClient(check->Handle());
    CHECK(skintest::PixelAt(*box, check->ClientWidth() - 2, 1) == newFace);
    auto face = PrintClient(button->Handle());
    double ratio = 0;
    CHECK(ShownFrame(*face, *form->SkinData1->SkinButtons, form->SkinData1->SkinButtons->FrameCount, 2, &ratio) != 0);
    CHECK(ratio > 0.97);
    // Skinning off now gives the colours from before any skin.
    live.RunAction(TSkinAction::Unskin);
    CHECK(grid->FixedColor() == clBtnFace);
}

TEST_CASE("A skin file refused for its version: no message of its own, the reader's words in the one error, the own skin kept")
{
    LiveSkinview live;
    TForm_skinview* form = live.view.form;
    const TColor ownFace = form->SkinData1->FColors[SkinColor::ButtonFace];
    std::vector<skinpack::SkinEntry> entries;
    for (const char* name : tftest::kLightBlueNames)
        entries.push_back({name, tftest::ReadFileBytes(std::string(LIGHTBLUE_FOLDER) + "\\" + name)});
    const std::string path = TempSkinFile("tamfern_version.skn", entries, 10000);

    static int shown;
    shown = 0;
    const TSkinMessageProc saved = ShowSkinMessage;
    ShowSkinMessage = [](const std::string&) { ++shown; };
    const TSkinMessageProc mine = ShowSkinMessage;
    std::string error;
    CHECK_FALSE(form->LoadSkinFile(path, error));
    CHECK((ShowSkinMessage == mine));   // given back as it was
    ShowSkinMessage = saved;
    CHECK(shown == 0);
    CHECK(error == path + ":\r\nThis is Older Skin File\rPlease update to new version !");
    CHECK_FALSE(form->SkinData1->FNoSkin);
    CHECK(form->SkinData1->FColors[SkinColor::ButtonFace] == ownFace);
    DeleteFileA(path.c_str());
}

namespace {

// One cycle through the check box and the skin data's Active, as a user
// does; the manager's deferred action is run at once rather than after its
// delay, and whatever it left invalid is painted before the next switch.
void SkinOffAndOn(LiveSkinview& live)
{
    live.view.form->SetSkinned(false);
    REQUIRE(SkinManage()->RunPendingAction());
    REQUIRE(live.FormSkinner() == nullptr);
    RedrawWindow(live.window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    live.view.form->SetSkinned(true);
    REQUIRE(SkinManage()->RunPendingAction());
    REQUIRE(live.WaitSkinned());
    RedrawWindow(live.window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}
// Runs cycles and checks the counts after each: a leak shows in the cycle
// that makes it, even when a later cycle would free it again.
void CheckFlatOver(LiveSkinview& live, int cycles)
{
    SkinOffAndOn(live);   // whatever is made once per process is made now
    const skintest::GuiCounts before = skintest::CountGuiObjects();
    const DWORD start = GetTickCount();
    for (int i = 1; i <= cycles; ++i) {
        SkinOffAndOn(live);
        const skintest::GuiCounts now = skintest::CountGuiObjects();
        if (now.Gdi != before.Gdi || now.User != before.User) {
            FAIL_CHECK("cycle " << i << ": GDI " << before.Gdi << " -> " << now.Gdi << ", USER " << before.User
                                << " -> " << now.User);
            break;
        }
    }
    MESSAGE(cycles << " cycles took " << GetTickCount() - start << " ms; GDI " << before.Gdi << ", USER "
                   << before.User);
}

} // namespace

TEST_CASE("100 cycles of skinning one control of each kind off and on leave the object counts flat after every cycle")
{
    LiveSkinview live(ControlsOnly(), true);
    // Each kind is there once enabled and once disabled.
    for (const char* name : {"TButton", "TBitBtn", "TCheckBox", "TRadioButton", "TScrollBar", "TMemo", "TListBox",
                             "TComboBox", "TEdit", "TPageControl", "TTabSet", "THeaderControl", "TTrackBar",
                             "TMediaPlayer", "TToolBar", "TStatusBar", "TDateTimePicker", "TUpDown"}) {
        int enabled = 0, disabled = 0;
        for (int i = 0; i < live.view.form->ComponentCount(); ++i)
            if (auto* c = dynamic_cast<TControl*>(live.view.form->Components(i)); c && c->ClassName() == name)
                ++(c->Enabled() ? enabled : disabled);
        CAPTURE(name);
        CHECK(enabled == 1);
        CHECK(disabled == 1);
    }
    CheckFlatOver(live, 100);
}

TEST_CASE("A few cycles of the whole previewer leave the object counts flat")
{
    LiveSkinview live;
    CheckFlatOver(live, 3);
}
