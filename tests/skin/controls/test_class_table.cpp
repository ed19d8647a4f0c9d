// The class tables carried out on real controls and on stand-ins for other
// vendors' classes (a control whose class name and ancestry are set at run
// time): which skinner a control gets under which settings, the DisableTag
// rule for radio groups, Skin3rd's "nil", a selection run twice, the
// program's own choice through OnSkinControl, tool bars and cool bars, and
// the bare child-window table.
#include <doctest.h>

#include <windows.h>

#include <commctrl.h>

#include <windows.h>

#include <sstream>

#include "ControlSkinKit.h"
#include "framework/controls/Buttons.h"
#include "framework/controls/ComCtrls.h"
#include "framework/controls/ExtCtrls.h"
#include "framework/controls/Forms.h"
#include "framework/controls/GroupBox.h"
#include "framework/controls/Grids.h"
#include "framework/controls/RegisterControls.h"
#include "framework/controls/ToolBar.h"
#include "skin/controls/buttons/SkinCheckBox.h"
#include "skin/controls/SkinnerRegistry.h"

using namespace tf;
using namespace ctltest;

namespace {

// Class identities made at run time: "TRzCheckGroup>TCustomGroup" names the
// class and its ancestors (the last one's parent is the real base).
class ClassChain {
public:
    ClassChain(const std::string& chain, const TClassInfo& base)
    {
        std::vector<std::string> names;
        std::stringstream in(chain);
        for (std::string n; std::getline(in, n, '>');) names.push_back(n);
        FInfos.resize(names.size());
        for (size_t i = names.size(); i-- > 0;) {
            FInfos[i].Name = names[i];
            FInfos[i].Parent = i + 1 < names.size() ? &FInfos[i + 1] : &base;
        }
    }
    const TClassInfo& Info() const { return FInfos.front(); }
    TClassInfo& Info() { return FInfos.front(); }

private:
    std::vector<TClassInfo> FInfos;   // never resized after construction
};

// A windowed stand-in; "NumButtons" and "Kind" read as the class table asks.
class StandIn : public TCustomControl {
public:
    StandIn(TComponent* owner, const std::string& chain) : TCustomControl(owner), FChain(chain, TCustomControl::StaticClass())
    {
        SetControlStyle(ControlStyle() | csAcceptsControls);
    }
    const TClassInfo& ClassType() const override { return FChain.Info(); }
    void AddIntProperty(const std::string& name, int value)
    {
        TPropInfo p;
        p.Name = name;
        p.Kind = TPropKind::Integer;
        p.GetOrd = [value](TPersistent*) { return value; };
        FChain.Info().Props.push_back(p);
    }

private:
    ClassChain FChain;
};

class GraphicStandIn : public TGraphicControl {
public:
    GraphicStandIn(TComponent* owner, const std::string& chain)
        : TGraphicControl(owner), FChain(chain, TGraphicControl::StaticClass())
    {
    }
    const TClassInfo& ClassType() const override { return FChain.Info(); }

private:
    ClassChain FChain;
};

struct Fixture {
    TSkinEngine engine{ControlsOnly()};
    std::unique_ptr<TSkinData> data = skintest::LightBlueSkin();
    TForm* form;
    std::unique_ptr<TestHost> host;
    Fixture()
    {
        RegisterControlClasses();
        form = new TForm(Application);
        form->SetBounds(60, 60, 500, 400);
        form->Show();
        host = std::make_unique<TestHost>(data.get(), form->Handle());
    }
    ~Fixture()
    {
        host.reset();
        form->Free();
    }
    // A registered class by name, or a stand-in for "A>B>..." chains
    // ("~" first: a graphic stand-in).
    TControl* Make(const std::string& what, TWinControl* parent = nullptr)
    {
        TControl* c = nullptr;
        if (what[0] == '~') c = new GraphicStandIn(form, what.substr(1));
        else if (what.find('>') != std::string::npos || !FindClass(what)) c = new StandIn(form, what);
        else c = dynamic_cast<TControl*>(FindClass(what)->Create(form));
        REQUIRE(c);
        c->SetParent(parent ? parent : form);
        c->SetBounds(10, 10, 160, 80);
        return c;
    }
    std::string SkinnerName(TControl* c)
    {
        TSkinControl* s = SkinnerOf(host->Skinners(), c);
        return s ? s->ClassName() : "none";
    }
};

} // namespace

TEST_CASE("Class table on real controls and stand-ins: class, SkinControls, Skin3rd, Tag -> skinner")
{
    struct Case {
        const char* what;            // a class, or a stand-in chain
        int without;                 // a SkinControls member taken out, or -1
        const char* skin3rd;         // a line put first in Skin3rd, or ""
        int tag;
        const char* expected;
    };
    const Case cases[] = {
        {"TButton", -1, "", 0, "TSkinButton"},
        {"TButton", xcButton, "", 0, "none"},
        {"TButton", -1, "", 99, "none"},                                  // DisableTag
        {"TBitBtn", -1, "", 0, "TSkinBitButton"},
        {"TBitBtn", xcBitBtn, "", 0, "none"},                             // xcButton does not do
        {"TCheckBox", -1, "", 0, "TSkinCheckBox"},
        {"TRadioButton", -1, "", 0, "TSkinRadioButton"},
        {"TSpeedButton", -1, "", 0, "TSkinSpeedButton"},
        {"TSpeedButton", -1, "", 99, "none"},
        {"TMemo", -1, "", 0, "TSkinScrollbar"},
        {"TMemo", xcScrollbar, "", 0, "TSkinEdit"},                       // a memo is an edit too
        {"TListBox", -1, "", 0, "TSkinScrollbar"},
        {"TListView", -1, "", 0, "TSkinListView"},
        {"TTreeView", -1, "", 0, "TSkinScrollbar"},
        {"TStringGrid", -1, "", 0, "TSkinScrollbar"},
        {"TScrollBox", -1, "", 0, "TSkinScrollbar"},
        {"TScrollBar", -1, "", 0, "TSkinScControl"},
        {"TLabel", -1, "", 0, "none"},
        // Stand-ins: Skin3rd decides first, on whole class names only.
        {"TFancyButton>TButton", -1, "", 0, "TSkinButton"},
        {"TFancyButton>TButton", -1, "TFancyButton=nil", 0, "none"},
        {"TFancierButton>TFancyButton>TButton", -1, "TFancyButton=nil", 0, "TSkinButton"},
        {"TRzButton>TCustomControl", -1, "", 0, "TSkinButton"},           // built-in "TRzButton=button"
        {"TRzButton>TCustomControl", xcButton, "", 0, "none"},
        {"TcxButton>TCustomControl", -1, "", 0, "TSkinBitButton"},        // "TcxButton=bitbtn"
        {"TRzMenuButton>TCustomControl", -1, "", 0, "TSkinMenuButton"},
        {"TLMDRadiobutton>TCustomControl", -1, "", 0, "TSkinRadioButton"},
        {"TDBCheckboxEh>TCustomControl", -1, "", 0, "TSkinCheckBox"},
        {"TAdvMemo>TCustomControl", -1, "", 0, "TSkinScrollbar"},         // "TAdvMemo=scrollbar"
        {"TPlainScroller>TWinControl", -1, "TPlainScroller=singlescrollbar", 0, "TSkinScrollbar"},
        {"~TRxSpeedButton>TGraphicControl", -1, "", 0, "TSkinSpeedButton"},
        {"TDBComboBoxEh>TButton", -1, "", 0, "none"},                     // refused by name
    };
    for (const Case& c : cases) {
        Fixture f;
        CAPTURE(c.what);
        CAPTURE(c.without);
        CAPTURE(c.skin3rd);
        if (c.without >= 0) {
            TSkinControlTypes kinds = f.data->SkinControls();
            kinds.Exclude(static_cast<TSkinControlType>(c.without));
            f.data->SetSkinControls(kinds);
        }
        if (*c.skin3rd) f.data->Skin3rd()->Insert(0, c.skin3rd);
        TControl* control = f.Make(c.what);
        control->SetTag(c.tag);
        SkinControl(*f.host, control, f.form);
        CHECK(f.SkinnerName(control) == c.expected);
        if (std::string(c.expected) != "none") CHECK(SkinnerOf(f.host->Skinners(), control)->Attached());
    }
}

TEST_CASE("A radio or check group tagged DisableTag passes the tag to its buttons, which stay unskinned")
{
    for (const char* group : {"TRadioGroup", "TRzRadioGroup>TCustomControl", "TLMDCheckGroup>TCustomControl"}) {
        CAPTURE(group);
        Fixture f;
        auto* g = dynamic_cast<TWinControl*>(f.Make(group));
        REQUIRE(g);
        if (auto* rg = dynamic_cast<TRadioGroup*>(g)) {
            rg->Items()->Add("One");
            rg->Items()->Add("Two");
        } else {
            f.Make("TRadioButton", g);
            f.Make("TCheckBox", g);
        }
        g->SetTag(99);
        SkinControl(*f.host, g, f.form);
        REQUIRE(g->ControlCount() == 2);
        for (int i = 0; i < g->ControlCount(); ++i) {
            CHECK(g->Controls(i)->Tag() == 99);
            SkinControl(*f.host, g->Controls(i), g);
        }
        CHECK(f.host->Skinners().Count() == 0);
    }
    // A plain panel keeps its children's tags.
    Fixture f;
    auto* panel = dynamic_cast<TWinControl*>(f.Make("TPanel"));
    TControl* child = f.Make("TButton", panel);
    panel->SetTag(99);
    SkinControl(*f.host, panel, f.form);
    CHECK(child->Tag() == 0);
}

TEST_CASE("Groups and containers: buttons before the frame, children of panels and Skin3rd groups")
{
    Fixture f;
    auto* group = dynamic_cast<TRadioGroup*>(f.Make("TRadioGroup"));
    group->Items()->Add("One");
    group->Items()->Add("Two");
    auto* panel = dynamic_cast<TWinControl*>(f.Make("TPanel"));
    TControl* inPanel = f.Make("TButton", panel);
    auto* checkGroup = dynamic_cast<TWinControl*>(f.Make("TRzCheckGroup>TCustomControl"));
    TControl* rzCheck = f.Make("TRzCheckBox>TCustomControl", checkGroup);
    TControl* check = f.Make("TCheckBox", checkGroup);
    auto* embedded = dynamic_cast<TWinControl*>(f.Make("TCatPanel>TCustomControl"));
    f.data->Skin3rd()->Insert(0, "TCatPanel=embedscrollbar");
    TControl* bar = f.Make("TScrollBar", embedded);
    TControl* memo = f.Make("TMemo", embedded);
    TControl* button = f.Make("TButton", embedded);

    for (TControl* c : {static_cast<TControl*>(group), static_cast<TControl*>(panel), static_cast<TControl*>(checkGroup),
                        static_cast<TControl*>(embedded)})
        SkinControl(*f.host, c, f.form);
    CHECK(f.SkinnerName(group->Controls(0)) == "TSkinRadioButton");
    CHECK(f.SkinnerName(group->Controls(1)) == "TSkinRadioButton");
    CHECK(f.SkinnerName(group) == "TSkinGroupBox");
    // The buttons were skinned before the group's frame.
    const TControlSkinnerList& list = f.host->Skinners();
    int frameAt = -1, lastButtonAt = -1;
    for (int i = 0; i < list.Count(); ++i) {
        auto* s = dynamic_cast<TSkinControl*>(list.Item(i));
        if (s->Control() == group) frameAt = i;
        if (s->Control() == group->Controls(0) || s->Control() == group->Controls(1)) lastButtonAt = i;
    }
    CHECK(lastButtonAt >= 0);
    CHECK(frameAt > lastButtonAt);
    CHECK(f.SkinnerName(inPanel) == "TSkinButton");
    CHECK(f.SkinnerName(check) == "TSkinCheckBox");
    CHECK(f.SkinnerName(rzCheck) == "TSkinObjImage");
    CHECK(f.SkinnerName(bar) == "TSkinScControl");
    CHECK(f.SkinnerName(memo) == "TSkinScrollbar");
    CHECK(f.SkinnerName(button) == "none");
    CHECK(f.SkinnerName(embedded) == "none");
}

TEST_CASE("A control selected twice keeps one skinner; the program may skin a control itself")
{
    Fixture f;
    TControl* button = f.Make("TButton");
    const TWndMethod own = button->WindowProc;
    SkinControl(*f.host, button, f.form);
    const TWndMethod skinned = button->WindowProc;
    SkinControl(*f.host, button, f.form);
    CHECK(f.host->Skinners().Count() == 1);
    CHECK(button->WindowProc == skinned);   // not hooked twice
    delete SkinnerOf(f.host->Skinners(), button);
    CHECK(button->WindowProc == own);

    // OnSkinControl: a skinner of the program's own choosing, attached once.
    struct Chooser : TObject {
        std::string seen;
        void Choose(TComponent*, TSkinData*, TControl* form, TControl* control, const std::string& name, TComponent*& result)
        {
            seen += name + (form ? "@" + form->ClassName() : "") + " ";
            if (name == "TCHECKBOX") result = new TSkinCheckBox(control);
        }
    } chooser;
    f.data->OnSkinControl = TOnSkinControl::Of<&Chooser::Choose>(&chooser);
    TControl* check = f.Make("TCheckBox");
    TControl* other = f.Make("TButton");
    SkinControl(*f.host, check, f.form);
    SkinControl(*f.host, other, f.form);
    CHECK(chooser.seen == "TCHECKBOX@TForm TBUTTON@TForm ");
    CHECK(f.SkinnerName(check) == "TSkinCheckBox");
    CHECK(SkinnerOf(f.host->Skinners(), check)->Attached());
    CHECK(f.SkinnerName(other) == "TSkinButton");
    f.data->OnSkinControl.Clear();
}

TEST_CASE("Cool bars take the face colour; tool bars go flat with the skin's custom drawing, given back after")
{
    Fixture f;
    auto* cool = dynamic_cast<TCoolBar*>(f.Make("TCoolBar"));
    cool->Bands()->Add()->SetColor(clRed);
    SkinControl(*f.host, cool, f.form);
    CHECK(cool->Bands()->Items(0)->Color() == f.data->FColors[SkinColor::ButtonFace]);

    auto* bar = dynamic_cast<TToolBar*>(f.Make("TToolBar"));
    auto* tool = new TToolButton(f.form);
    tool->SetCaption("Tool");
    tool->SetParent(bar);
    struct Own : TObject {
        void Background(TToolBar*, const RECT&, bool&) {}
    } own;
    bar->OnCustomDraw = TToolBarCustomDrawEvent::Of<&Own::Background>(&own);
    CHECK_FALSE(bar->Flat());
    REQUIRE(bar->Color() == clBtnFace);
    SkinControl(*f.host, bar, f.form);
    CHECK(bar->Flat());
    CHECK(bar->Color() == f.data->FColors[SkinColor::ButtonFace]);   // not the system's face
    CHECK(bar->OnCustomDraw.Data() == &own);   // an assigned event stays the program's
    CHECK(bar->OnCustomDrawButton);
    // Hot: the skin's hot face behind the button.
    bool defaultDraw = true;
    bar->HandleNeeded();
    TBitmap canvasTarget(200, 40, pf24bit);
    TCanvasPaintScope scope(*bar->Canvas(), canvasTarget.Canvas()->Handle());
    // A plain button's caption takes the skin's button text colour.
    const TColor savedText = f.data->FColors[SkinColor::ButtonText];
    f.data->FColors[SkinColor::ButtonText] = 0x123456;
    bar->OnCustomDrawButton(bar, tool, 0, defaultDraw);
    CHECK(bar->Canvas()->Font()->Color() == 0x123456);
    f.data->FColors[SkinColor::ButtonText] = savedText;
    bar->OnCustomDrawButton(bar, tool, 1u << cdsHot, defaultDraw);
    CHECK(defaultDraw);
    const RECT r = bar->ButtonRect(tool);
    TDataSkinButton& face = *f.data->SkinButtons;
    auto hot = ComposeElement(RECT{0, 0, r.right - r.left - 2, r.bottom - r.top - 2}, *face.Bitmap, face.Margins, 4, 5,
                              false, false);
    const int x = (r.right - r.left) / 2;
    CHECK(skintest::PixelAt(canvasTarget, r.left + 1 + x, r.top + 1) == skintest::PixelAt(*hot, x, 0));
    CHECK(skintest::PixelAt(canvasTarget, r.left + 1 + x, r.bottom - 2) == skintest::PixelAt(*hot, x, hot->Height() - 1));

    // As the bar paints itself: the hot button shows the skin's hot face
    // along its edges, with no edge or background of the system's over it.
    {
        SendMessageA(bar->Handle(), TB_SETHOTITEM, 0, 0);
        REQUIRE(SendMessageA(bar->Handle(), TB_GETHOTITEM, 0, 0) == 0);
        TBitmap painted(bar->Width(), bar->Height(), pf24bit);
        SendMessageA(bar->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(painted.Canvas()->Handle()),
                     PRF_CLIENT | PRF_ERASEBKGND);
        int compared = 0, differ = 0;
        const auto same = [&](int px, int py, int hx, int hy) {
            const TColor want = skintest::PixelAt(*hot, hx, hy);
            if (want == clSkinKey) return;
            ++compared;
            differ += skintest::PixelAt(painted, r.left + 1 + px, r.top + 1 + py) != want;
        };
        const int hw = hot->Width(), hh = hot->Height();
        for (int i = 0; i < hw; ++i) {
            same(i, 0, i, 0);
            same(i, hh - 1, i, hh - 1);
        }
        for (int j = 0; j < hh; ++j) {
            same(0, j, 0, j);
            same(hw - 1, j, hw - 1, j);
        }
        CHECK(compared > 20);
        CHECK(differ == 0);
        SendMessageA(bar->Handle(), TB_SETHOTITEM, static_cast<WPARAM>(-1), 0);

        // On a bar of the skin's face (not the system's) a disabled caption
        // is grey only: no etched effect, and the light copy, where that flag
        // is not honoured, in the bar's own colour.
        REQUIRE(bar->Color() != clBtnFace);
        NMTBCUSTOMDRAW cd{};
        cd.nmcd.hdr.hwndFrom = bar->Handle();
        cd.nmcd.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(bar->Handle()));
        cd.nmcd.hdr.code = NM_CUSTOMDRAW;
        cd.nmcd.dwDrawStage = CDDS_ITEMPREPAINT;
        cd.nmcd.dwItemSpec = static_cast<DWORD_PTR>(tool->Command());
        cd.nmcd.uItemState = CDIS_DISABLED;
        cd.nmcd.hdc = painted.Canvas()->Handle();
        cd.clrBtnHighlight = RGB(255, 255, 255);
        const LRESULT flags = SendMessageA(f.form->Handle(), WM_NOTIFY, cd.nmcd.hdr.idFrom, reinterpret_cast<LPARAM>(&cd));
        CHECK((flags & TBCDRF_NOETCHEDEFFECT) != 0);
        CHECK(cd.clrBtnHighlight == ColorToRGB(bar->Color()));
    }

    // The background gradient is drawn unless Options hold xoToolbarBK.
    auto* plain = dynamic_cast<TToolBar*>(f.Make("TToolBar"));
    SkinControl(*f.host, plain, f.form);
    REQUIRE(plain->OnCustomDraw);
    TBitmap back(150, 29, pf24bit);
    {
        TCanvasPaintScope painting(*plain->Canvas(), back.Canvas()->Handle());
        back.Canvas()->Brush()->SetColor(clLime);
        back.Canvas()->FillRect(RECT{0, 0, 150, 29});
        plain->OnCustomDraw(plain, RECT{0, 0, 150, 29}, defaultDraw);
        CHECK(skintest::PixelAt(back, 75, 14) == clLime);   // xoToolbarBK: the bar's own background
        f.data->SetOptions(TSkinOptions{xoPreview});
        plain->OnCustomDraw(plain, RECT{0, 0, 150, 29}, defaultDraw);
    }
    TBitmap& gradient = *f.data->SkinToolbar->Bitmap;
    CHECK(skintest::PixelAt(back, 75, 0) == skintest::PixelAt(gradient, 5, 0));
    CHECK(skintest::PixelAt(back, 75, 28) == skintest::PixelAt(gradient, 5, gradient.Height() - 1));

    f.host->Skinners().FreeAll();
    CHECK_FALSE(bar->Flat());
    CHECK(bar->Color() == clBtnFace);
    CHECK_FALSE(bar->OnCustomDrawButton);
    CHECK(bar->OnCustomDraw.Data() == &own);
}

TEST_CASE("Bare child windows: the window-class table picks by class and style")
{
    Fixture f;
    struct Case {
        const char* cls;
        DWORD style;
        const char* expected;
    };
    const Case cases[] = {
        {"BUTTON", BS_PUSHBUTTON, "TSkinButton"},  {"BUTTON", BS_AUTOCHECKBOX, "TSkinCheckBox"},
        {"BUTTON", BS_AUTORADIOBUTTON, "TSkinRadioButton"}, {"BUTTON", BS_GROUPBOX, "none"},
        {"BUTTON", BS_OWNERDRAW, "none"},          {"STATIC", 0, "none"},
    };
    for (const Case& c : cases) {
        CAPTURE(c.cls);
        CAPTURE(c.style);
        HWND w = CreateWindowExA(0, c.cls, "x", WS_CHILD | WS_VISIBLE | c.style, 10, 10, 80, 24, f.form->Handle(), nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
        SkinChildWindow(*f.host, w);
        auto* s = dynamic_cast<TSkinControl*>(f.host->Skinners().FindByWindow(w));
        CHECK(std::string(s ? s->ClassName() : "none") == c.expected);
        // Once listed, a window is not taken again.
        const int count = f.host->Skinners().Count();
        SkinChildWindow(*f.host, w);
        CHECK(f.host->Skinners().Count() == count);
        DestroyWindow(w);
        f.host->Skinners().DropDestroyed();
    }
}
