// The application object: the default error box, timers, closing and
// releasing forms, modal forms, and a program's start from stored form data
// to the end of Run. The last case ends the application's loop for good, so
// it stays last in this file.
#include <doctest.h>

#include "framework/core/Object.h"

#include <memory>

#include "ControlTestUtil.h"
#include "framework/controls/Forms.h"
#include "framework/controls/RegisterControls.h"
#include "framework/controls/Screen.h"
#include "framework/controls/StdCtrls.h"
#include "framework/controls/Timer.h"
#include "framework/core/SysUtils.h"
#include "framework/reader/FormReader.h"

using namespace tf;
using namespace testutil;

namespace {

struct Thrower : TObject {
    std::string Text;
    int Calls = 0;
    void Throw(TObject*)
    {
        ++Calls;
        throw Exception(Text);
    }
};

struct Counter : TObject {
    int Count = 0;
    int ThrowOn = -1;
    void Tick(TObject*)
    {
        ++Count;
        if (Count == ThrowOn) throw EInvalidOperation("timer failed");
    }
};

} // namespace

TEST_CASE("an exception escaping an event handler shows the error box and the loop goes on")
{
    TBoxAnswerer boxes;
    auto* form = new TForm(Application);
    form->SetBounds(10, 10, 200, 100);
    auto* button = new TButton(form);
    button->SetParent(form);
    Thrower thrower;
    thrower.Text = "按钮出错了: boom";
    button->OnClick = TNotifyEvent::Of<&Thrower::Throw>(&thrower);
    form->Show();

    PostMessageA(button->Handle(), BM_CLICK, 0, 0);
    REQUIRE(PumpUntil([&] { return !boxes.Boxes.empty(); }));
    CHECK(thrower.Calls == 1);
    CHECK(boxes.Boxes[0].text == "按钮出错了: boom");
    CHECK(boxes.Boxes[0].caption == Application->Title());
    CHECK(boxes.Boxes[0].owner == Application->Handle());
    CHECK(Application->Title() == "test_controls_application");

    // The loop goes on: the next click is handled (and fails) again.
    PostMessageA(button->Handle(), BM_CLICK, 0, 0);
    REQUIRE(PumpUntil([&] { return boxes.Boxes.size() == 2; }));
    CHECK(thrower.Calls == 2);
    form->Free();
}

TEST_CASE("a timer ticks through the loop, follows interval changes and survives a failing handler")
{
    TBoxAnswerer boxes;
    Counter counter;
    auto timer = std::make_unique<TTimer>(nullptr);   // no owner
    timer->SetInterval(30);
    timer->SetOnTimer(TNotifyEvent::Of<&Counter::Tick>(&counter));
    CHECK(PumpUntil([&] { return counter.Count >= 3; }, 2000));

    // A long interval while running: no tick for a while.
    timer->SetInterval(5000);
    int seen = counter.Count;
    Pump(300);
    CHECK(counter.Count == seen);
    timer->SetInterval(20);
    CHECK(PumpUntil([&] { return counter.Count > seen; }, 2000));

    // A handler that fails shows the box; the timer keeps ticking.
    counter.ThrowOn = counter.Count + 1;
    REQUIRE(PumpUntil([&] { return !boxes.Boxes.empty(); }, 2000));
    CHECK(boxes.Boxes[0].text == "timer failed");
    seen = counter.Count;
    CHECK(PumpUntil([&] { return counter.Count > seen; }, 2000));

    timer->SetEnabled(false);
    Pump(50);
    seen = counter.Count;
    Pump(200);
    CHECK(counter.Count == seen);
}

namespace {

struct CloseLog : TObject {
    std::vector<std::string> Log;
    TCloseAction Action = caHide;
    void OnClose(TObject*, TCloseAction& action)
    {
        Log.push_back("close");
        action = Action;
    }
    void OnDestroy(TObject*) { Log.push_back("destroy"); }
};

class TFreedForm : public TForm {
public:
    using TForm::TForm;
    bool* Freed = nullptr;
    ~TFreedForm() override { *Freed = true; }
};

} // namespace

TEST_CASE("closing a form asks OnClose; caFree releases it")
{
    CloseLog log;
    bool freed = false;
    auto* form = new TFreedForm(Application);
    form->Freed = &freed;
    form->OnClose = TCloseEvent::Of<&CloseLog::OnClose>(&log);
    form->OnDestroy = TNotifyEvent::Of<&CloseLog::OnDestroy>(&log);
    form->Show();
    REQUIRE(IsWindowVisible(form->Handle()));

    form->Close();   // caHide
    CHECK_FALSE(IsWindowVisible(form->Handle()));
    CHECK(log.Log == std::vector<std::string>{"close"});

    form->Show();
    log.Action = caNone;
    PostMessageA(form->Handle(), WM_CLOSE, 0, 0);
    Pump(100);
    CHECK(IsWindowVisible(form->Handle()));

    log.Action = caFree;
    const int forms = Screen->FormCount();
    form->Close();
    REQUIRE(PumpUntil([&] { return freed; }));
    CHECK(log.Log == std::vector<std::string>{"close", "close", "close", "destroy"});
    CHECK(Screen->FormCount() == forms - 1);
}

TEST_CASE("a modal form runs until its result is set")
{
    auto* form = new TForm(Application);
    form->SetBounds(50, 50, 200, 120);
    auto* ok = new TButton(form);
    ok->SetParent(form);
    ok->SetModalResult(mrOk);
    struct Clicker {
        static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD)
        {
            KillTimer(nullptr, id);
            for (int i = 0; i < Screen->FormCount(); ++i)
                if (Screen->Forms(i)->Modal())
                    for (int k = 0; k < Screen->Forms(i)->ControlCount(); ++k)
                        if (auto* b = dynamic_cast<TButton*>(Screen->Forms(i)->Controls(k)))
                            PostMessageA(b->Handle(), BM_CLICK, 0, 0);
        }
    };
    SetTimer(nullptr, 0, 100, &Clicker::Tick);
    CHECK(form->ShowModal() == mrOk);
    CHECK_FALSE(form->Modal());
    CHECK_FALSE(IsWindowVisible(form->Handle()));
    form->Free();
}

namespace {

class TForm_app : public TForm {
    TF_CLASS(TForm_app)
public:
    using TForm::TForm;
    TButton* Button1 = nullptr;
    std::vector<std::string> Log;

    void FormCreate(TObject*)
    {
        Log.push_back(Button1 ? "create " + Button1->Caption() : "create");
        throw Exception("创建失败");
    }
    void FormClose(TObject*, TCloseAction&) { Log.push_back("close"); }
    void Button1Click(TObject*) { Log.push_back("click"); }
};

const TClassInfo& TForm_app::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TForm_app>("TForm_app", TForm::StaticClass())
                                       .TF_METHOD(TForm_app, FormCreate)
                                       .TF_METHOD(TForm_app, FormClose)
                                       .TF_METHOD(TForm_app, Button1Click)
                                       .TF_FIELD(TForm_app, Button1)
                                       .Build();
    return info;
}

const char* const AppFormText = R"(
object Form_app: TForm_app
  Left = 40
  Top = 50
  Width = 320
  Height = 240
  Caption = 'App'
  FormStyle = fsStayOnTop
  OnCreate = FormCreate
  OnClose = FormClose
  object Button1: TButton
    Left = 10
    Top = 10
    Width = 90
    Height = 30
    Caption = 'Go'
    OnClick = Button1Click
  end
end
)";

bool LoadAppForm(TComponent* root)
{
    if (root->ClassName() != "TForm_app") return false;
    ReadForm(root, AppFormText);
    return true;
}

void CALLBACK CloseMainForm(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    PostMessageA(Application->MainForm()->Handle(), WM_CLOSE, 0, 0);
}

} // namespace

TEST_CASE("a program starts from stored data, survives a failing OnCreate and ends when its main form closes")
{
    RegisterControlClasses();
    TBoxAnswerer boxes;
    TApplication::FormLoader = &LoadAppForm;
    Application->Initialize();
    TForm_app* form = nullptr;
    Application->CreateForm(form);
    REQUIRE(form != nullptr);
    CHECK(Application->MainForm() == form);
    CHECK(form->Log == std::vector<std::string>{"create Go"});
    REQUIRE(boxes.Boxes.size() == 1);
    CHECK(boxes.Boxes[0].text == "创建失败");

    // The main form has its (hidden) window at once.
    HWND window = FindWindowA("TForm_app", "App");
    REQUIRE(window != nullptr);
    CHECK(window == form->WindowHandle());
    CHECK_FALSE(IsWindowVisible(window));
    CHECK((GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0);
    CHECK(Screen->Forms(Screen->FormCount() - 1) == form);

    Application->SetShowMainForm(false);
    SetTimer(nullptr, 0, 100, &CloseMainForm);
    Application->Run();
    CHECK(Application->Terminated());
    CHECK(form->Log == std::vector<std::string>{"create Go", "close"});
    CHECK_FALSE(IsWindowVisible(window));

    DoneApplication();
    CHECK_FALSE(IsWindow(window));
    CHECK(Screen->FormCount() == 0);
    CHECK(Application->MainForm() == nullptr);
}
