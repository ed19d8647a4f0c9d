// Published properties by name across the control classes, class identity
// by name, and the guard's main window layout read from stored form data.
#include <doctest.h>

#include "framework/core/Object.h"

#include <cstdlib>
#include <memory>

#include "ControlTestUtil.h"
#include "framework/controls/Buttons.h"
#include "framework/controls/ComCtrls.h"
#include "framework/controls/ExtCtrls.h"
#include "framework/controls/Forms.h"
#include "framework/controls/ListBox.h"
#include "framework/controls/Memo.h"
#include "framework/controls/Menus.h"
#include "framework/controls/RegisterControls.h"
#include "framework/controls/StdCtrls.h"
#include "framework/controls/Timer.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Icon.h"
#include "framework/graphics/Picture.h"
#include "framework/reader/FormReader.h"

using namespace tf;
using namespace testutil;

TEST_CASE("Color reads and writes by name on the classes that carry it")
{
    TForm form(nullptr);
    auto* panel = new TPanel(&form);
    auto* memo = new TMemo(&form);
    auto* list = new TListBox(&form);
    auto* check = new TCheckBox(&form);
    auto* label = new TLabel(&form);
    auto* bar = new TCoolBar(&form);
    for (TControl* c : std::initializer_list<TControl*>{&form, panel, memo, list, check, label, bar}) {
        INFO(c->ClassName());
        Write(c, "color", "15792870");
        CHECK(ReadInt(c, "Color") == 15792870);
        CHECK(c->Color() == 15792870);
        CHECK(ReadEnum(c, "ParentColor") == "False");
    }
    // A system colour keeps its high bit.
    WriteInt(memo, "Color", clGradientInactiveCaption);
    CHECK(static_cast<TColor>(ReadInt(memo, "Color")) == clGradientInactiveCaption);
    // Buttons have no Color of their own: the missing property reads -1.
    TButton button(nullptr);
    CHECK(ReadInt(&button, "Color") == -1);
    auto* band = bar->Bands()->Add();
    Write(band, "Color", "255");
    CHECK(band->Color() == 255);
}

TEST_CASE("captions, fonts and button and check box state by name")
{
    TForm form(nullptr);
    auto* button = new TButton(&form);
    auto* bit = new TBitBtn(&form);
    auto* check = new TCheckBox(&form);
    for (TControl* c : std::initializer_list<TControl*>{button, bit, check}) {
        button->SetParent(&form);
        Write(c, "Caption", "停止监视");
        CHECK(ReadText(c, "caption") == AnsiToWide("停止监视"));
        CHECK(ReadString(c, "Caption") == "停止监视");
        CHECK(ReadObject(c, "Font") == c->Font());
        CHECK(ReadEnum(c, "Visible") == "True");
        CHECK(ReadEnum(c, "Enabled") == "True");
        CHECK(ReadInt(c, "TabOrder") >= -1);
    }
    CHECK(ReadEnum(bit, "Default") == "False");
    bit->SetDefault(true);
    CHECK(ReadEnum(bit, "Default") == "True");
    CHECK(ReadEnum(button, "Default") == "False");
    CHECK(ReadEnum(bit, "Layout") == "blGlyphLeft");
    CHECK(ReadInt(bit, "NumGlyphs") == 1);
    CHECK(ReadInt(bit, "Margin") == -1);
    CHECK(ReadInt(bit, "Spacing") == 4);
    CHECK(ReadObject(bit, "Glyph") == static_cast<TObject*>(bit->Glyph()));
    CHECK(ReadObject(button, "Glyph") == nullptr);

    CHECK(ReadEnum(check, "Checked") == "False");
    CHECK(ReadEnum(check, "State") == "cbUnchecked");
    Write(check, "Checked", "True");
    CHECK(ReadEnum(check, "State") == "cbChecked");
    Write(check, "State", "cbGrayed");
    CHECK(ReadEnum(check, "Checked") == "False");
    CHECK(ReadEnum(check, "Alignment") == "taRightJustify");
    CHECK(ReadEnum(button, "Checked").empty());

    // Fonts are sub-objects with their own properties.
    Write(ReadObject(button, "Font"), "Height", "-16");
    CHECK(button->Font()->Height() == -16);
    CHECK(button->ParentFont() == false);
}

TEST_CASE("class identity by name follows the framework's class tree")
{
    TForm form(nullptr);
    struct Case {
        TControl* control;
        std::vector<const char*> ancestors;
    };
    const Case cases[] = {
        {new TBitBtn(&form), {"TBitBtn", "TButton", "TButtonControl", "TWinControl", "TControl", "TComponent"}},
        {new TMemo(&form), {"TMemo", "TCustomMemo", "TCustomEdit", "TWinControl"}},
        {new TPanel(&form), {"TPanel", "TCustomPanel", "TCustomControl", "TWinControl"}},
        {new TCheckBox(&form), {"TCheckBox", "TCustomCheckBox", "TButtonControl"}},
        {new TListBox(&form), {"TListBox", "TCustomListBox", "TWinControl"}},
        {new TLabel(&form), {"TLabel", "TCustomLabel", "TGraphicControl", "TControl"}},
        {new TImage(&form), {"TImage", "TGraphicControl"}},
        {new TCoolBar(&form), {"TCoolBar", "TCustomControl"}},
        {&form, {"TForm", "TCustomForm", "TWinControl"}},
    };
    for (const Case& c : cases) {
        INFO(c.control->ClassName());
        for (const char* name : c.ancestors) CHECK(c.control->InheritsFrom(name));
        CHECK_FALSE(c.control->InheritsFrom("TCustomGroupBox"));
    }
    CHECK_FALSE(TButton::StaticClass().InheritsFrom("TBitBtn"));
    CHECK_FALSE(TLabel::StaticClass().InheritsFrom("TWinControl"));
}

TEST_CASE("enumerations and other published properties by name")
{
    TForm form(nullptr);
    auto* panel = new TPanel(&form);
    auto* memo = new TMemo(&form);
    auto* list = new TListBox(&form);
    Write(panel, "BevelOuter", "bvNone");
    CHECK(panel->BevelOuter() == bvNone);
    Write(memo, "ScrollBars", "ssVertical");
    CHECK(ReadEnum(memo, "ScrollBars") == "ssVertical");
    CHECK(ReadEnum(memo, "BorderStyle") == "bsSingle");
    CHECK(ReadEnum(list, "BorderStyle") == "bsSingle");
    Write(list, "Style", "lbOwnerDrawVariable");
    CHECK(list->Style() == lbOwnerDrawVariable);
    Write(list, "MultiSelect", "True");
    CHECK(list->MultiSelect());
    Write(&form, "AutoScroll", "False");
    CHECK_FALSE(form.AutoScroll());
    Write(&form, "FormStyle", "fsStayOnTop");
    CHECK(form.FormStyle() == fsStayOnTop);
    CHECK(ReadEnum(&form, "BorderStyle") == "bsSizeable");
    CHECK(ReadText(&form, "BorderIcons") == L"[biSystemMenu,biMinimize,biMaximize]");
    CHECK(ReadInt(&form, "ClientWidth") > 0);
    // Unknown names give the defaults; writes to them are ignored.
    CHECK(ReadInt(panel, "NoSuchThing") == -1);
    CHECK(ReadText(panel, "NoSuchThing").empty());
    Write(panel, "NoSuchThing", "1");
}

namespace {

class TForm_layout : public TForm {
    TF_CLASS(TForm_layout)
public:
    using TForm::TForm;
    TImage* Image1 = nullptr;
    TCoolBar* CoolBar1 = nullptr;
    TPanel* Panel1 = nullptr;
    TLabel* Label1 = nullptr;
    TBitBtn* BitBtn1 = nullptr;
    TBitBtn* BitBtn2 = nullptr;
    TBitBtn* BitBtn3 = nullptr;
    TCheckBox* CheckBox1 = nullptr;
    TListBox* zorlistbox1 = nullptr;
    TMemo* Memo1 = nullptr;
    TPopupMenu* PopupMenu1 = nullptr;
    TTimer* Timer1 = nullptr;
    std::vector<std::string> Log;
    void FormCreate(TObject*) { Log.push_back("FormCreate"); }
    void Label1Click(TObject*) { Log.push_back("Label1Click"); }
    void BitBtn1Click(TObject*) { Log.push_back("BitBtn1Click"); }
    void N1Click(TObject*) { Log.push_back("N1Click"); }
    void Timer1Timer(TObject*) { Log.push_back("Timer1Timer"); }
};

const TClassInfo& TForm_layout::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TForm_layout>("TForm_layout", TForm::StaticClass())
                                       .TF_FIELD(TForm_layout, Image1)
                                       .TF_FIELD(TForm_layout, CoolBar1)
                                       .TF_FIELD(TForm_layout, Panel1)
                                       .TF_FIELD(TForm_layout, Label1)
                                       .TF_FIELD(TForm_layout, BitBtn1)
                                       .TF_FIELD(TForm_layout, BitBtn2)
                                       .TF_FIELD(TForm_layout, BitBtn3)
                                       .TF_FIELD(TForm_layout, CheckBox1)
                                       .TF_FIELD(TForm_layout, zorlistbox1)
                                       .TF_FIELD(TForm_layout, Memo1)
                                       .TF_FIELD(TForm_layout, PopupMenu1)
                                       .TF_FIELD(TForm_layout, Timer1)
                                       .TF_METHOD(TForm_layout, FormCreate)
                                       .TF_METHOD(TForm_layout, Label1Click)
                                       .TF_METHOD(TForm_layout, BitBtn1Click)
                                       .TF_METHOD(TForm_layout, N1Click)
                                       .TF_METHOD(TForm_layout, Timer1Timer)
                                       .Build();
    return info;
}

// The guard's main window, with a plain list box for its own list class.
const char* const LayoutText = R"(
object Form_layout: TForm_layout
  Left = 357
  Top = 172
  Width = 407
  Height = 507
  Caption = 'Tamfern'
  Color = clBtnFace
  Font.Charset = 134
  Font.Color = clWindowText
  Font.Height = -16
  Font.Name = '宋体'
  Font.Style = []
  FormStyle = fsStayOnTop
  ShowHint = True
  OnCreate = FormCreate
  object Image1: TImage
    Left = 8
    Top = 136
    Width = 65
    Height = 57
  end
  object CoolBar1: TCoolBar
    Left = 0
    Top = 0
    Width = 399
    Height = 113
    Bands = <
      item
        Control = Panel1
        ImageIndex = -1
        MinHeight = 97
        Width = 395
      end>
    object Panel1: TPanel
      Left = 9
      Top = 0
      Width = 382
      Height = 97
      BevelOuter = bvNone
      object Label1: TLabel
        Left = 208
        Top = 16
        Width = 128
        Height = 16
        Cursor = crHandPoint
        Caption = '下载更多免费软件'
        Font.Charset = 134
        Font.Color = clRed
        Font.Height = -16
        Font.Name = '宋体'
        Font.Style = [fsUnderline]
        OnClick = Label1Click
      end
      object BitBtn1: TBitBtn
        Left = 20
        Top = 51
        Width = 87
        Height = 40
        Caption = '停止监视'
        TabOrder = 0
        OnClick = BitBtn1Click
      end
      object BitBtn2: TBitBtn
        Left = 120
        Top = 51
        Width = 87
        Height = 40
        Caption = '删除文件'
        TabOrder = 2
      end
      object BitBtn3: TBitBtn
        Left = 220
        Top = 51
        Width = 87
        Height = 40
        Caption = '隐藏'
        TabOrder = 1
      end
      object CheckBox1: TCheckBox
        Left = 43
        Top = 15
        Width = 136
        Height = 25
        Caption = '声音报警'
        Checked = True
        State = cbChecked
        TabOrder = 3
      end
    end
  end
  object zorlistbox1: TListBox
    Left = 80
    Top = 120
    Width = 305
    Height = 129
    Style = lbOwnerDrawVariable
    Color = 15792870
    ItemHeight = 16
    MultiSelect = True
    TabOrder = 1
  end
  object Memo1: TMemo
    Left = 8
    Top = 272
    Width = 377
    Height = 193
    Color = clGradientInactiveCaption
    Font.Charset = 134
    Font.Color = clWindowText
    Font.Height = -14
    Font.Name = '宋体'
    Font.Style = []
    ScrollBars = ssVertical
    TabOrder = 2
  end
  object PopupMenu1: TPopupMenu
    object N1: TMenuItem
      Caption = '打开'
      OnClick = N1Click
    end
    object N3: TMenuItem
      Caption = '开机启动'
    end
    object N2: TMenuItem
      Caption = '关闭'
    end
  end
  object Timer1: TTimer
    Interval = 1000
    OnTimer = Timer1Timer
  end
end
)";

} // namespace

TEST_CASE("the guard's main window layout reads from stored data")
{
    RegisterControlClasses();
    auto form = std::make_unique<TForm_layout>(nullptr);
    ReadForm(form.get(), LayoutText);
    TForm_layout& f = *form;
    CHECK(f.Log == std::vector<std::string>{"FormCreate"});
    CHECK(f.Name() == "Form_layout");
    CHECK_FALSE(f.Visible());
    CHECK(f.Width() == 407);
    CHECK(f.FormStyle() == fsStayOnTop);
    CHECK(f.Font()->Name() == "宋体");

    // Parents as nested, bounds as stored, the band holding the panel.
    CHECK(f.Panel1->Parent() == f.CoolBar1);
    CHECK(f.Label1->Parent() == f.Panel1);
    CHECK(f.CoolBar1->Bands()->Count() == 1);
    CHECK(f.CoolBar1->Bands()->Items(0)->Control() == f.Panel1);
    const RECT panel = f.Panel1->BoundsRect();
    CHECK(panel.left == 9);
    CHECK(panel.top == 0);
    CHECK(panel.right - panel.left == 382);
    CHECK(panel.bottom - panel.top == 97);

    // Tab order as stored: 0, 2, 1, 3.
    std::vector<TWinControl*> order;
    f.Panel1->GetTabOrderList(order);
    CHECK(order == std::vector<TWinControl*>{f.BitBtn1, f.BitBtn3, f.BitBtn2, f.CheckBox1});
    CHECK(f.zorlistbox1->TabOrder() == 1);
    CHECK(f.Memo1->TabOrder() == 2);

    // Fonts: the label's own, the buttons' from their parents.
    CHECK(f.Label1->Font()->Color() == clRed);
    CHECK(f.Label1->Font()->Style().Contains(fsUnderline));
    CHECK(f.Label1->Cursor() == crHandPoint);
    CHECK(f.BitBtn1->ParentFont());
    CHECK(f.BitBtn1->Font()->Height() == -16);
    CHECK(f.Memo1->Font()->Height() == -14);
    CHECK(f.Memo1->Color() == clGradientInactiveCaption);
    CHECK(f.CheckBox1->Checked());
    CHECK(f.PopupMenu1->Items()->Count() == 3);
    CHECK(f.PopupMenu1->Items()->Items(1)->Caption() == "开机启动");
    CHECK(f.Timer1->Enabled());

    // The windows carry what was stored.
    HWND window = f.Handle();
    CHECK(ClassNameOf(window) == "TForm_layout");
    CHECK((GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0);
    const LONG listStyle = GetWindowLongA(f.zorlistbox1->Handle(), GWL_STYLE);
    CHECK((listStyle & LBS_OWNERDRAWVARIABLE) != 0);
    CHECK((listStyle & LBS_EXTENDEDSEL) != 0);
    CHECK((GetWindowLongA(f.Memo1->Handle(), GWL_STYLE) & WS_VSCROLL) != 0);
    CHECK(SendMessageA(f.CheckBox1->Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED);
    CHECK(SendMessageA(f.BitBtn1->Handle(), WM_GETFONT, 0, 0) == reinterpret_cast<LRESULT>(f.BitBtn1->Font()->Handle()));
    CHECK(TextOf(f.BitBtn2->Handle()) == "删除文件");

    // The picture control shows an icon; a new icon replaces (and frees) the old.
    HICON first = CopyIcon(LoadIconA(nullptr, IDI_APPLICATION));
    f.Image1->Picture()->Icon()->SetHandle(first);
    HICON second = CopyIcon(LoadIconA(nullptr, IDI_WARNING));
    f.Image1->Picture()->Icon()->SetHandle(second);
    ICONINFO ii;
    CHECK_FALSE(GetIconInfo(first, &ii));

    f.zorlistbox1->Items()->Add("C:\\tools\\new.exe");
    f.Memo1->Lines()->Add("监视到变动的文件：C:\\tools\\new.exe");
    f.Memo1->Lines()->Add("second line");
    CHECK(f.Memo1->Lines()->Count() == 2);
    CHECK(f.Memo1->Lines()->Get(0) == "监视到变动的文件：C:\\tools\\new.exe");
    CHECK(f.Memo1->Text() == "监视到变动的文件：C:\\tools\\new.exe\r\nsecond line\r\n");
    f.Memo1->Lines()->Delete(0);
    CHECK(f.Memo1->Text() == "second line\r\n");
    f.Memo1->Lines()->Clear();
    f.Memo1->Lines()->Add("监视到变动的文件：C:\\tools\\new.exe");

    f.Show();
    Pump(200);
    CHECK(IsWindowVisible(window));
    // A label click arrives from the parent's window.
    const POINT p{f.Label1->Left() + 5, f.Label1->Top() + 5};
    SendMessageA(f.Panel1->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    SendMessageA(f.Panel1->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
    CHECK(f.Log.back() == "Label1Click");
    SendMessageA(f.BitBtn1->Handle(), BM_CLICK, 0, 0);
    CHECK(f.Log.back() == "BitBtn1Click");

    // Set TF_CONTROLS_PAUSE (ms) to look at the window (a screenshot).
    if (const char* pause = std::getenv("TF_CONTROLS_PAUSE")) Pump(std::atoi(pause));
}
