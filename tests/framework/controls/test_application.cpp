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
#include "framework/threads/Threads.h"

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

TEST_CASE("Show brings back a form hidden behind the framework's back; Hide hides it")
{
    auto* form = new TForm(Application);
    form->Show();
    HWND window = form->Handle();
    ShowWindow(window, SW_HIDE);
    CHECK(form->Visible());
    form->Show();
    CHECK(IsWindowVisible(window));
    form->Hide();
    CHECK_FALSE(IsWindowVisible(window));
    CHECK_FALSE(form->Visible());
    form->Free();
    CHECK(Application->ExeName().size() > 4);
    CHECK(LowerCaseAscii(Application->ExeName()).find("test_controls_application.exe") != std::string::npos);
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

struct UtilTarget : TObject {
    HWND Window = nullptr;
    std::vector<UINT> Seen;
    void Proc(TMessage& m)
    {
        Seen.push_back(m.Msg);
        if (m.Msg == WM_USER + 1) throw Exception("utility failed");
        m.Result = DefWindowProcA(Window, m.Msg, m.WParam, m.LParam);
    }
};

class TMinimizeHides : public TForm {
public:
    using TForm::TForm;
    int Commands = 0;

protected:
    void WMSysCommand(TMessage& m) override
    {
        ++Commands;
        if ((m.WParam & 0xFFF0) == SC_MINIMIZE) {
            Hide();
            return;
        }
        TForm::WMSysCommand(m);
    }
};

class TSyncWorker : public TThread {
public:
    std::vector<std::string>* Log = nullptr;
    DWORD RanOn = 0;

protected:
    void Execute() override
    {
        Synchronize([this] {
            RanOn = GetCurrentThreadId();
            Log->push_back("synchronized");
        });
    }
};

} // namespace

TEST_CASE("utility windows are hidden zero-sized tool windows whose messages reach a method")
{
    UtilTarget target;
    HWND window = AllocateHWnd(TWndMethod::Of<&UtilTarget::Proc>(&target));
    target.Window = window;
    REQUIRE(window != nullptr);
    CHECK_FALSE(IsWindowVisible(window));
    CHECK((GetWindowLongA(window, GWL_STYLE) & WS_POPUP) != 0);
    CHECK((GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0);
    RECT r;
    GetWindowRect(window, &r);
    CHECK((r.right - r.left) * (r.bottom - r.top) == 0);
    SendMessageA(window, WM_USER + 2, 0, 0);
    CHECK(target.Seen.back() == WM_USER + 2);
    {
        TBoxAnswerer boxes;
        SendMessageA(window, WM_USER + 1, 0, 0);
        REQUIRE(boxes.Boxes.size() == 1);
        CHECK(boxes.Boxes[0].text == "utility failed");
    }
    DeallocateHWnd(window);
    CHECK_FALSE(IsWindow(window));
}

TEST_CASE("a form's system-command handler can be overridden and falls back to the default")
{
    auto* form = new TMinimizeHides(Application);
    CloseLog log;
    form->OnClose = TCloseEvent::Of<&CloseLog::OnClose>(&log);
    form->Show();
    SendMessageA(form->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    CHECK_FALSE(IsWindowVisible(form->Handle()));
    CHECK_FALSE(IsIconic(form->Handle()));
    form->Show();
    SendMessageA(form->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);   // default: WM_CLOSE, then Close
    CHECK(form->Commands == 2);
    CHECK(log.Log == std::vector<std::string>{"close"});
    form->Free();
}

TEST_CASE("calls synchronized from a worker run inside the loops and inside the error box")
{
    std::vector<std::string> log;
    {
        TSyncWorker worker;
        worker.Log = &log;
        worker.Resume();
        CHECK(PumpUntil([&] { return !log.empty(); }, 3000));
        worker.WaitFor();
        CHECK(worker.RanOn == GetCurrentThreadId());
    }
    // While an error box is up (its own modal loop), the call still runs.
    log.clear();
    static TSyncWorker* worker = nullptr;
    worker = new TSyncWorker;
    worker->Log = &log;
    struct Late {
        static void CALLBACK Start(HWND, UINT, UINT_PTR id, DWORD)
        {
            KillTimer(nullptr, id);
            worker->Resume();
        }
    };
    struct Answer {
        static std::vector<std::string>*& Log()
        {
            static std::vector<std::string>* log = nullptr;
            return log;
        }
        static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam)
        {
            if (code == HCBT_ACTIVATE) SetTimer(nullptr, 0, 20, &Poll);
            return CallNextHookEx(nullptr, code, wParam, lParam);
        }
        static void CALLBACK Poll(HWND, UINT, UINT_PTR id, DWORD)
        {
            if (Log()->empty()) return;
            KillTimer(nullptr, id);
            HWND box = FindWindowA("#32770", nullptr);
            if (box) PostMessageA(box, WM_COMMAND, IDOK, 0);
        }
    };
    Answer::Log() = &log;
    HHOOK hook = SetWindowsHookExA(WH_CBT, &Answer::Hook, nullptr, GetCurrentThreadId());
    SetTimer(nullptr, 0, 50, &Late::Start);
    Application->ShowException("waiting for a worker");
    UnhookWindowsHookEx(hook);
    CHECK(log == std::vector<std::string>{"synchronized"});
    worker->WaitFor();
    delete worker;
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
