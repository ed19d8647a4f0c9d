// Helpers for the control-skinning tests: the light blue skin without a
// manager, a host that stands in for a form skinner (its list of skinners,
// canvas and skin), the skin previewer's form read in-process, pictures of
// controls (painted through WM_PRINTCLIENT or taken from the screen) and the
// frame of a skin strip a picture shows.
#pragma once
#include <windows.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "../window/SkinWindowKit.h"
#include "framework/controls/Application.h"
#include "framework/reader/FormReader.h"
#include "skin/controls/ControlSkinning.h"
#include "skin/controls/SkinnerHost.h"
#include "skin/controls/WinSubClass.h"
#include "skin/data/WinSkinData.h"
#include "skin/draw/SkinDraw.h"
#include "skin/window/ControlSkinnerLink.h"
#include "skin/window/SkinManage.h"
#include "skin/window/WinSkinForm.h"
#include "skinview/Unit_skinview.h"

namespace ctltest {

// The light blue skin parsed into a component that no manager knows.
inline std::unique_ptr<tf::TSkinData> LightBlueData()
{
    auto data = std::make_unique<tf::TSkinData>(nullptr);
    data->SetLoading(true);
    tf::TMemoryStream block(skintest::LightBlueBlock());
    data->ReadBinaryProperty("SkinStream", block);
    data->SetLoading(false);
    return data;
}

// Stands in for a form skinner: the skinners it lists are freed with it.
class TestHost : public tf::TComponent, public tf::TSkinnerHost {
public:
    TestHost(tf::TSkinData* data, HWND window) : tf::TComponent(nullptr), FData(data), FWindow(window) {}
    ~TestHost() override { FList.FreeAll(); }
    tf::TControlSkinnerList& Skinners() override { return FList; }
    tf::TCanvas* Canvas() override { return nullptr; }
    tf::TSkinData* SkinData() override { return FData; }
    HWND Window() override { return FWindow; }
    int RunState() override { return 1; }
    tf::TComponent* Sender() override { return this; }

private:
    tf::TControlSkinnerList FList;
    tf::TSkinData* FData;
    HWND FWindow;
};

// The skin previewer's form read from its compiled stored data.
struct Skinview {
    TForm_skinview* form = nullptr;
    Skinview()
    {
        RegisterSkinviewClasses();
        std::ifstream in(SKINVIEW_FORM_DATA, std::ios::binary);
        const std::vector<uint8_t> data{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        form = new TForm_skinview(tf::Application);
        Form_skinview = form;
        tf::ReadFormBinary(form, data.data(), data.size());
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

// The skin manager and the control skinners installed as the programs do,
// and taken down again at the end.
struct SkinEngine {
    SkinEngine()
    {
        tf::InstallSkinManagerFactory();
        tf::InstallControlSkinners();
    }
    ~SkinEngine()
    {
        tf::FinalizeSkinManager();
        tf::SetSkinManagerFactory(nullptr);
    }
    SkinEngine(const SkinEngine&) = delete;
    SkinEngine& operator=(const SkinEngine&) = delete;
};

// The previewer shown and skinned by a real form skinner.
struct LiveSkinview : SkinEngine {
    Skinview view;
    HWND window = nullptr;
    LiveSkinview()
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
                return s && s->SkinState() == tf::FormSkinState::Running;
            },
            ms);
    }
    // Runs one of the manager's deferred actions for the previewer's skin at
    // once (1 skin, 2 unskin, 3 skin changed) instead of 250 ms later.
    void RunAction(int kind) const
    {
        tf::SkinManage()->SetPendingSkinData(view.form->SkinData1);
        tf::SkinManage()->RequestAction(kind, 1);
        skintest::PumpUntil([] { return tf::SkinManage()->PendingSkinData() == nullptr; }, 2000);
    }
    tf::TSkinControl* SkinnerOf(tf::TControl* control) const
    {
        tf::TWinSkinForm* s = FormSkinner();
        return s ? ctltest::SkinnerOf(s->ControlSkinners(), control) : nullptr;
    }
};


// The window's client area painted through WM_PRINTCLIENT.
inline std::unique_ptr<tf::TBitmap> PrintClient(HWND window)
{
    RECT r{};
    GetClientRect(window, &r);
    auto image = std::make_unique<tf::TBitmap>(r.right, r.bottom, tf::pf24bit);
    SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(image->Canvas()->Handle()), PRF_CLIENT | PRF_ERASEBKGND);
    return image;
}

// What the screen shows of a screen rectangle.
inline std::unique_ptr<tf::TBitmap> ScreenPixels(const RECT& r)
{
    auto image = std::make_unique<tf::TBitmap>(r.right - r.left, r.bottom - r.top, tf::pf24bit);
    HDC screen = GetDC(nullptr);
    BitBlt(image->Canvas()->Handle(), 0, 0, r.right - r.left, r.bottom - r.top, screen, r.left, r.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
    return image;
}

inline RECT ScreenRectOf(HWND window)
{
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

inline POINT CentreOf(HWND window)
{
    const RECT r = ScreenRectOf(window);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// Which frame of an element, composed at the picture's size, the picture
// shows along its edges (the outer `ring` rows and columns, clear of any
// caption or focus rectangle): the frame with the most equal pixels; ratio
// tells how many of the compared pixels were equal. Magenta (transparent)
// pixels of the element are skipped.
inline int ShownFrame(tf::TBitmap& picture, tf::TDataSkinObject& element, int frameCount, int ring, double* ratio = nullptr)
{
    const int w = picture.Width(), h = picture.Height();
    int best = 0, bestEqual = -1, bestCompared = 1;
    for (int frame = 1; frame <= frameCount; ++frame) {
        auto composed = tf::ComposeElement(RECT{0, 0, w, h}, *element.Bitmap, element.Margins, frame, frameCount,
                                           element.Tile != 0, false);
        int equal = 0, compared = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                if (x >= ring && x < w - ring && y >= ring && y < h - ring) continue;
                const tf::TColor want = skintest::PixelAt(*composed, x, y);
                if (want == tf::clSkinKey) continue;
                ++compared;
                equal += skintest::PixelAt(picture, x, y) == want;
            }
        if (equal > bestEqual) {
            best = frame;
            bestEqual = equal;
            bestCompared = compared;
        }
    }
    if (ratio) *ratio = bestCompared ? static_cast<double>(bestEqual) / bestCompared : 0;
    return best;
}

// The frame of a strip (frames side by side, drawn at their own size) that
// the picture shows at (x, y): the frame all of whose non-magenta pixels are
// there; 0 when none is.
inline int ShownStripFrame(tf::TBitmap& picture, int x, int y, tf::TBitmap& strip, int frameCount)
{
    const int fw = strip.Width() / frameCount, fh = strip.Height();
    for (int frame = 1; frame <= frameCount; ++frame) {
        bool same = true;
        for (int j = 0; j < fh && same; ++j)
            for (int i = 0; i < fw && same; ++i) {
                const tf::TColor want = skintest::PixelAt(strip, (frame - 1) * fw + i, j);
                if (want == tf::clSkinKey) continue;
                if (x + i >= picture.Width() || y + j >= picture.Height()) same = false;
                else same = skintest::PixelAt(picture, x + i, y + j) == want;
            }
        if (same) return frame;
    }
    return 0;
}

} // namespace ctltest
