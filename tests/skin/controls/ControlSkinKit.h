// Helpers for the control-skinning tests: the light blue skin without a
// manager, a host that stands in for a form skinner (its list of skinners,
// canvas and skin), and the skin previewer's form read in-process, alone or
// skinned by the real form skinner. Pictures: SkinPictures.h.
#pragma once
#include <windows.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "../window/SkinWindowKit.h"
#include "SkinPictures.h"
#include "tests/kit/HandlerRecorder.h"
#include "tests/kit/MessageLog.h"
#include "tests/kit/RunEnd.h"
#include "framework/controls/Application.h"
#include "framework/controls/Forms.h"
#include "framework/reader/FormData.h"
#include "framework/reader/FormReader.h"
#include "skin/SkinEngine.h"
#include "skin/controls/ControlSkinning.h"
#include "skin/data/SkinHost.h"
#include "skin/controls/SkinnerHost.h"
#include "skin/controls/SkinControl.h"
#include "skin/data/WinSkinData.h"
#include "skin/draw/SkinDraw.h"
#include "skin/window/ControlSkinnerLink.h"
#include "skin/window/SkinManage.h"
#include "skin/window/WinSkinForm.h"
#include "skinview/Unit_skinview.h"

namespace ctltest {

// Stands in for a form skinner: the skinners it lists are freed with it.
class TestHost : public tf::TComponent, public tf::TSkinnerHost {
public:
    TestHost(tf::TSkinData* data, HWND window) : tf::TComponent(nullptr), FData(data), FWindow(window) {}
    ~TestHost() override { FList.FreeAll(); }
    tf::TControlSkinnerList& Skinners() override { return FList; }
    tf::TCanvas* Canvas() override { return nullptr; }
    tf::TSkinData* SkinData() override { return FData; }
    HWND Window() override { return FWindow; }
    bool FormRunning() override { return true; }
    tf::TComponent* Sender() override { return this; }

private:
    tf::TControlSkinnerList FList;
    tf::TSkinData* FData;
    HWND FWindow;
};

// Of every class, the first enabled and the first disabled control, the parts
// they hold (pages, tool buttons, menu items) and the containers on the way
// to them; true when the node is kept.
inline bool KeepOneOfEach(tf::TFormNode& node, std::set<std::pair<std::string, bool>>& seen, bool part = false)
{
    bool enabled = true;
    for (const tf::TFormProp& p : node.props)
        if (p.path == "Enabled" && p.value.text == "False") enabled = false;
    const bool own = seen.insert({node.className, enabled}).second || part;
    std::vector<tf::TFormNode> kept;
    for (tf::TFormNode& child : node.children) {
        // The parts of a control kept for its own sake come with it.
        const bool isPart = own && (child.className == "TTabSheet" || child.className == "TToolButton" ||
                                    child.className == "TMenuItem");
        if (KeepOneOfEach(child, seen, isPart)) kept.push_back(std::move(child));
    }
    node.children = std::move(kept);
    return own || !node.children.empty();
}

// What the skin data components reported while it lived (instead of the
// application's error box).
class SkinReports {
public:
    SkinReports()
    {
        Texts().clear();
        tf::TSkinHost host = tf::SkinHost();
        host.ReportError = [](const std::string& text) { Texts().push_back(text); };
        tf::InstallSkinHost(host);
    }
    ~SkinReports()
    {
        tf::TSkinHost host = tf::SkinHost();
        host.ReportError = nullptr;
        tf::InstallSkinHost(host);
    }
    SkinReports(const SkinReports&) = delete;
    SkinReports& operator=(const SkinReports&) = delete;
    static std::vector<std::string>& Texts()
    {
        static std::vector<std::string> texts;
        return texts;
    }
};

// The skin previewer's form read from its compiled stored data; oneOfEach
// keeps one enabled and one disabled control of each kind. Without a skin
// engine its skin data component says so and the form stays unskinned (a
// stand-in host skins its controls).
struct Skinview {
    TForm_skinview* form = nullptr;
    explicit Skinview(bool oneOfEach = false)
    {
        RegisterSkinviewClasses();
        std::ifstream in(SKINVIEW_FORM_DATA, std::ios::binary);
        std::vector<uint8_t> data{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        if (oneOfEach) {
            tf::TFormNode root = tf::DecodeFormBinary(data.data(), data.size());
            std::set<std::pair<std::string, bool>> seen{{root.className, true}};
            std::vector<tf::TFormNode> kept;
            for (tf::TFormNode& child : root.children)
                if (KeepOneOfEach(child, seen)) kept.push_back(std::move(child));
            root.children = std::move(kept);
            data = tf::EncodeFormBinary(root);
        }
        form = new TForm_skinview(tf::Application);
        Form_skinview = form;
        const bool engine = tf::TSkinEngine::Current() != nullptr;
        SkinReports reports;
        tf::ReadFormBinary(form, data.data(), data.size());
        // With an engine nothing is reported; without one, the component
        // says so once, naming itself.
        const std::vector<std::string>& texts = SkinReports::Texts();
        const bool expected = engine ? texts.empty() : texts.size() == 1 && texts[0].rfind("SkinData1: ", 0) == 0;
        if (!expected) throw std::runtime_error("the previewer's skin data reported unexpectedly");
    }
    ~Skinview()
    {
        form->Free();
        Form_skinview = nullptr;
    }
    Skinview(const Skinview&) = delete;
    Skinview& operator=(const Skinview&) = delete;

    template <class T>
    T* Find(const std::string& name) const
    {
        return dynamic_cast<T*>(form->FindComponent(name));
    }
    // Every control of the form through the class table, as a form skinner does.
    void SkinAll(tf::TSkinnerHost& host) const
    {
        std::vector<tf::TComponent*> components;
        for (int i = 0; i < form->ComponentCount(); ++i) components.push_back(form->Components(i));
        for (tf::TComponent* c : components) tf::SkinControl(host, c, form);
    }
};

// The skinner of a control listed by a host (or a form skinner), or null.
inline tf::TSkinControl* SkinnerOf(tf::TControlSkinnerList& list, tf::TControl* control)
{
    for (int i = 0; i < list.Count(); ++i)
        if (auto* s = dynamic_cast<tf::TSkinControl*>(list.Item(i)); s && s->Control() == control) return s;
    return nullptr;
}

// A shown form with a host standing in for its form skinner and the light
// blue skin: controls are made on it and skinned through the class tables.
struct SkinnedForm {
    std::unique_ptr<tf::TSkinData> data = skintest::LightBlueSkin();
    tf::TForm* form;
    std::unique_ptr<TestHost> host;
    SkinnedForm(int width, int height)
    {
        if (!tf::TSkinEngine::Current()) engine = std::make_unique<tf::TSkinEngine>();
        form = new tf::TForm(tf::Application);
        form->SetBounds(80, 80, width, height);
        form->SetColor(data->FColors[tf::SkinColor::ButtonFace]);
        form->Show();
        host = std::make_unique<TestHost>(data.get(), form->Handle());
    }
    ~SkinnedForm()
    {
        host.reset();
        form->Free();
        engine.reset();
    }
    // Made when the test has no engine yet (the control skinners' tables).
    std::unique_ptr<tf::TSkinEngine> engine;
    SkinnedForm(const SkinnedForm&) = delete;
    SkinnedForm& operator=(const SkinnedForm&) = delete;
    template <class T>
    T* Make(int x, int y, int w, int h)
    {
        auto* c = new T(form);
        c->SetParent(form);
        c->SetBounds(x, y, w, h);
        return c;
    }
    // The skinner the class table gives a control, or null.
    tf::TSkinControl* Skin(tf::TControl* control)
    {
        tf::SkinControl(*host, control, form);
        skintest::Pump(30);
        return SkinnerOf(host->Skinners(), control);
    }
    // The skinner the window-class table gives a bare child window, or null.
    tf::TSkinControl* SkinWindow(HWND window)
    {
        tf::SkinChildWindow(*host, window);
        skintest::Pump(30);
        return dynamic_cast<tf::TSkinControl*>(host->Skinners().FindByWindow(window));
    }
};

// Records the messages that reach a control's handler (the kit's).
using HandlerRecorder = tftest::THandlerRecorder;

// The engine that the previewer's tests run under: the manager and the
// control skinners (the frame's caption buttons and menus have tests of
// their own).
inline tf::TSkinEngineParts ControlsOnly() { return tf::TSkinEngineParts{false, true}; }

// The previewer shown and skinned by a real form skinner.
struct LiveSkinview {
    tf::TSkinEngine engine;
    Skinview view;
    HWND window = nullptr;
    explicit LiveSkinview(tf::TSkinEngineParts parts = ControlsOnly(), bool oneOfEach = false)
        : engine(parts), view(oneOfEach)
    {
        view.form->Show();
        window = view.form->Handle();
        SetForegroundWindow(window);
        WaitSkinned();
    }
    tf::TWinSkinForm* FormSkinner() const { return tf::SkinManage() ? tf::SkinManage()->FindFormSkinner(window) : nullptr; }
    bool WaitSkinned(int ms = 3000) const
    {
        return skintest::PumpUntil(
            [&] {
                tf::TWinSkinForm* s = FormSkinner();
                return s && s->SkinState() == tf::TFormSkinState::Running;
            },
            ms);
    }
    // Runs one of the manager's deferred actions for the previewer's skin at
    // once instead of 250 ms later.
    void RunAction(tf::TSkinAction kind) const
    {
        tf::SkinManage()->SetPendingSkinData(view.form->SkinData1);
        tf::SkinManage()->RequestAction(kind, 1);
        if (!tf::SkinManage()->RunPendingAction())
            skintest::PumpUntil([] { return tf::SkinManage()->PendingSkinData() == nullptr; }, 2000);
    }
    tf::TSkinControl* SkinnerOf(tf::TControl* control) const
    {
        tf::TWinSkinForm* s = FormSkinner();
        return s ? ctltest::SkinnerOf(s->ControlSkinners(), control) : nullptr;
    }
};

// The previewer shown and skinned once for the whole test program, for the
// cases that leave it as they found it (each puts back what it changes);
// made at its first use, brought to the front for each case, freed when the
// run ends. A case that needs a fresh one, or another engine, frees it first
// (FreeSharedSkinview).
inline std::unique_ptr<LiveSkinview>& SharedSkinviewSlot()
{
    static std::unique_ptr<LiveSkinview> live;
    return live;
}

inline void FreeSharedSkinview() { SharedSkinviewSlot().reset(); }

inline LiveSkinview& SharedSkinview()
{
    std::unique_ptr<LiveSkinview>& live = SharedSkinviewSlot();
    if (!live) {
        live = std::make_unique<LiveSkinview>();
        tftest::AtRunEnd(FreeSharedSkinview);
    } else {
        SetForegroundWindow(live->window);
        skintest::PumpUntil([&] { return GetForegroundWindow() == live->window; }, 1000);
    }
    return *live;
}

} // namespace ctltest
