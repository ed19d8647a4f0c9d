// The controls added for the skin engine, in real windows: radio buttons and
// radio groups keep one choice, speed buttons stay down in their group,
// stand-alone scroll bars keep their position in range and move with the
// scroll requests, grids and scroll boxes scroll their content, list and
// tree views fill their windows from their lines, tool bars click their
// buttons, and stored data sets them all up by name.
#include <doctest.h>

#include "framework/core/Object.h"

#include <windows.h>

#include <commctrl.h>

#include <memory>

#include "ControlTestUtil.h"
#include "framework/controls/Forms.h"
#include "framework/controls/Grids.h"
#include "framework/controls/GroupBox.h"
#include "framework/controls/ListView.h"
#include "framework/controls/RadioButton.h"
#include "framework/controls/RegisterControls.h"
#include "framework/controls/ScrollBar.h"
#include "framework/controls/ScrollBox.h"
#include "framework/controls/SpeedButton.h"
#include "framework/controls/StdCtrls.h"
#include "framework/controls/ToolBar.h"
#include "framework/controls/TreeView.h"
#include "framework/reader/FormData.h"
#include "framework/reader/FormReader.h"

using namespace tf;
using namespace testutil;

namespace {

struct Fixture {
    std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
    Fixture()
    {
        form->SetBounds(100, 100, 500, 400);
        form->Show();
    }
    template <class T>
    T* Make(TWinControl* parent, int x, int y, int w, int h)
    {
        auto* c = new T(form.get());
        c->SetParent(parent ? parent : form.get());
        c->SetBounds(x, y, w, h);
        return c;
    }
};

struct ClickCounter : TObject {
    int n = 0;
    void Count(TObject*) { ++n; }
    TNotifyEvent Event() { return TNotifyEvent::Of<&ClickCounter::Count>(this); }
};

} // namespace

TEST_CASE("Radio buttons and radio groups keep one choice and tell when it changes")
{
    Fixture f;
    ClickCounter counter;
    auto* one = f.Make<TRadioButton>(nullptr, 10, 10, 100, 20);
    auto* two = f.Make<TRadioButton>(nullptr, 10, 40, 100, 20);
    two->OnClick = counter.Event();
    one->SetChecked(true);
    SendMessageA(two->Handle(), BM_CLICK, 0, 0);
    CHECK(two->Checked());
    CHECK_FALSE(one->Checked());
    CHECK(counter.n == 1);
    SendMessageA(two->Handle(), BM_CLICK, 0, 0);   // already chosen: no click
    CHECK(counter.n == 1);

    auto* group = f.Make<TRadioGroup>(nullptr, 150, 10, 200, 120);
    group->OnClick = counter.Event();
    for (const char* item : {"A", "B", "C"}) group->Items()->Add(item);
    REQUIRE(group->ButtonCount() == 3);
    CHECK(group->ItemIndex() == -1);
    group->SetItemIndex(1);
    CHECK(group->Buttons(1)->Checked());
    SendMessageA(group->Buttons(2)->Handle(), BM_CLICK, 0, 0);
    CHECK(group->ItemIndex() == 2);
    CHECK_FALSE(group->Buttons(1)->Checked());
    CHECK(counter.n == 2);
    // Buttons stand in the group's client area, one above the other.
    CHECK(group->Buttons(0)->Top() < group->Buttons(1)->Top());
    CHECK(group->Buttons(2)->Top() + group->Buttons(2)->Height() <= group->Height());
    group->SetEnabled(false);
    CHECK_FALSE(IsWindowEnabled(group->Buttons(0)->Handle()));
    group->Items()->Delete(2);
    CHECK(group->ButtonCount() == 2);
    CHECK(group->ItemIndex() == 1);
}

TEST_CASE("Speed buttons of a group stay down one at a time; AllowAllUp lets the last one up")
{
    Fixture f;
    auto* a = f.Make<TSpeedButton>(nullptr, 10, 10, 40, 24);
    auto* b = f.Make<TSpeedButton>(nullptr, 60, 10, 40, 24);
    a->SetDown(true);
    CHECK_FALSE(a->Down());   // no group: never down
    a->SetGroupIndex(1);
    b->SetGroupIndex(1);
    a->Click();
    CHECK(a->Down());
    b->Click();
    CHECK(b->Down());
    CHECK_FALSE(a->Down());
    b->Click();
    CHECK(b->Down());   // stays down without AllowAllUp
    b->SetAllowAllUp(true);
    b->Click();
    CHECK_FALSE(b->Down());
    // A press and release inside clicks; the parent paints it.
    ClickCounter counter;
    a->OnClick = counter.Event();
    SendMessageA(f.form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
    SendMessageA(f.form->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(20, 20));
    CHECK(counter.n == 1);
}

TEST_CASE("Scroll bars keep the position in range and follow the scroll requests")
{
    Fixture f;
    auto* bar = f.Make<TScrollBar>(nullptr, 10, 10, 200, 17);
    bar->SetParams(50, 0, 100);
    bar->SetPageSize(20);
    CHECK(bar->Position() == 50);
    bar->SetPosition(95);
    CHECK(bar->Position() == 81);   // a page of 20 ends at 100
    bar->SetPosition(-3);
    CHECK(bar->Position() == 0);
    SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(bar->Handle(), SB_CTL, &si);
    CHECK(si.nMax == 100);
    CHECK(si.nPage == 20);
    bar->SetSmallChange(2);
    bar->SetLargeChange(10);
    SendMessageA(f.form->Handle(), WM_HSCROLL, SB_LINEDOWN, reinterpret_cast<LPARAM>(bar->Handle()));
    CHECK(bar->Position() == 2);
    SendMessageA(f.form->Handle(), WM_HSCROLL, SB_PAGEDOWN, reinterpret_cast<LPARAM>(bar->Handle()));
    CHECK(bar->Position() == 12);
    SendMessageA(f.form->Handle(), WM_HSCROLL, SB_BOTTOM, reinterpret_cast<LPARAM>(bar->Handle()));
    CHECK(bar->Position() == 81);
    bar->SetKind(sbVertical);
    CHECK(bar->Width() == 17);
    CHECK((GetWindowLongA(bar->Handle(), GWL_STYLE) & SBS_VERT) != 0);
    CHECK(bar->Position() == 81);
}

TEST_CASE("Grids and scroll boxes scroll their content with their own bars")
{
    Fixture f;
    auto* grid = f.Make<TStringGrid>(nullptr, 10, 10, 200, 120);
    grid->SetRowCount(30);
    grid->SetCells(1, 5, "five");
    CHECK(grid->Cells(1, 5) == "five");
    CHECK(grid->TopRow() == 1);
    SendMessageA(grid->Handle(), WM_VSCROLL, SB_PAGEDOWN, 0);
    CHECK(grid->TopRow() == 1 + grid->VisibleRowCount());
    SendMessageA(grid->Handle(), WM_VSCROLL, SB_BOTTOM, 0);
    CHECK(grid->TopRow() == 30 - grid->VisibleRowCount());
    SCROLLINFO si{sizeof si, SIF_POS, 0, 0, 0, 0, 0};
    GetScrollInfo(grid->Handle(), SB_VERT, &si);
    CHECK(si.nPos == grid->TopRow());
    int col = 0, row = 0;
    REQUIRE(grid->CellAt(POINT{5, 5}, col, row));
    CHECK(col == 0);
    CHECK(row == 0);

    auto* box = f.Make<TScrollBox>(nullptr, 220, 10, 150, 100);
    auto* distant = f.Make<TButton>(box, 200, 150, 60, 24);
    box->UpdateScrollRange();
    CHECK((GetWindowLongA(box->Handle(), GWL_STYLE) & WS_VSCROLL) != 0);
    SendMessageA(box->Handle(), WM_VSCROLL, SB_BOTTOM, 0);
    CHECK(box->ScrollPos().y > 0);
    CHECK(distant->Top() == 150 - box->ScrollPos().y);
    RECT r;
    GetWindowRect(distant->Handle(), &r);
    POINT p{r.left, r.top};
    ScreenToClient(box->Handle(), &p);
    CHECK(p.y == distant->Top());
}

TEST_CASE("List and tree views fill their windows from their lines")
{
    Fixture f;
    auto* list = f.Make<TListView>(nullptr, 10, 10, 220, 120);
    list->SetViewStyle(vsReport);
    list->Columns()->Add()->SetCaption("Name");
    list->Columns()->Add()->SetCaption("Size");
    list->Items()->Add("a.exe|12 KB");
    list->Items()->Add("b.exe|3 KB");
    CHECK(SendMessageA(list->Handle(), LVM_GETITEMCOUNT, 0, 0) == 2);
    char text[32] = {};
    LVITEMA item{};
    item.iSubItem = 1;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(list->Handle(), LVM_GETITEMTEXTA, 1, reinterpret_cast<LPARAM>(&item));
    CHECK(std::string(text) == "3 KB");
    REQUIRE(list->HeaderHandle());
    CHECK(SendMessageA(list->HeaderHandle(), HDM_GETITEMCOUNT, 0, 0) == 2);

    auto* tree = f.Make<TTreeView>(nullptr, 240, 10, 200, 150);
    tree->Items()->SetText("Root\r\n Child\r\n  Grandchild\r\n Second\r\nOther\r\n");
    CHECK(SendMessageA(tree->Handle(), TVM_GETCOUNT, 0, 0) == 5);
    const auto root = reinterpret_cast<HTREEITEM>(SendMessageA(tree->Handle(), TVM_GETNEXTITEM, TVGN_ROOT, 0));
    const auto child = reinterpret_cast<HTREEITEM>(SendMessageA(tree->Handle(), TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(root)));
    const auto second = reinterpret_cast<HTREEITEM>(SendMessageA(tree->Handle(), TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(child)));
    CHECK(second != nullptr);
    const auto other = reinterpret_cast<HTREEITEM>(SendMessageA(tree->Handle(), TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(root)));
    CHECK(other != nullptr);
}

TEST_CASE("Tool bars show their buttons and click them; custom drawing may leave out the bar's own")
{
    Fixture f;
    auto* bar = f.Make<TToolBar>(nullptr, 0, 0, 300, 30);
    bar->SetShowCaptions(true);
    ClickCounter counter;
    auto* open = new TToolButton(f.form.get());
    open->SetCaption("Open");
    open->OnClick = counter.Event();
    open->SetParent(bar);
    auto* check = new TToolButton(f.form.get());
    check->SetCaption("Bold");
    check->SetStyle(tbsCheck);
    check->SetParent(bar);
    CHECK(SendMessageA(bar->Handle(), TB_BUTTONCOUNT, 0, 0) == 2);
    const RECT r = bar->ButtonRect(open);
    CHECK(r.right > r.left);
    CHECK(open->Left() == r.left);
    SendMessageA(f.form->Handle(), WM_COMMAND, MAKEWPARAM(open->Command(), BN_CLICKED), reinterpret_cast<LPARAM>(bar->Handle()));
    CHECK(counter.n == 1);
    check->SetDown(true);
    CHECK(SendMessageA(bar->Handle(), TB_ISBUTTONCHECKED, check->Command(), 0) != 0);
    CHECK(check->Down());
    delete open;
    CHECK(SendMessageA(bar->Handle(), TB_BUTTONCOUNT, 0, 0) == 1);
    CHECK(CustomDrawStateOf(CDIS_HOT | CDIS_SELECTED) == ((1u << cdsHot) | (1u << cdsSelected)));
}

TEST_CASE("Stored data sets up the new controls by name")
{
    RegisterControlClasses();
    const std::string text = R"(object Form_x: TForm
  object Radio1: TRadioButton
    Caption = 'One'
    Checked = True
  end
  object Group1: TRadioGroup
    Items = ('A' 'B')
    ItemIndex = 1
  end
  object Speed1: TSpeedButton
    GroupIndex = 2
    Down = True
    Flat = True
    Layout = blGlyphTop
  end
  object Bar1: TScrollBar
    Kind = sbVertical
    Max = 50
    Position = 20
    PageSize = 5
  end
  object Grid1: TStringGrid
    ColCount = 3
    RowCount = 4
    FixedColor = 255
  end
  object List1: TListView
    ViewStyle = vsReport
    Columns = <
      item
        Caption = 'C1'
        Width = 40
      end>
    Items = ('x|y')
  end
end
)";
    auto form = std::make_unique<TForm>(nullptr);
    const TFormNode node = ParseFormText(text);
    const std::vector<uint8_t> bytes = EncodeFormBinary(node);
    ReadFormBinary(form.get(), bytes.data(), bytes.size());
    auto* radio = dynamic_cast<TRadioButton*>(form->FindComponent("Radio1"));
    auto* group = dynamic_cast<TRadioGroup*>(form->FindComponent("Group1"));
    auto* speed = dynamic_cast<TSpeedButton*>(form->FindComponent("Speed1"));
    auto* bar = dynamic_cast<TScrollBar*>(form->FindComponent("Bar1"));
    auto* grid = dynamic_cast<TStringGrid*>(form->FindComponent("Grid1"));
    auto* list = dynamic_cast<TListView*>(form->FindComponent("List1"));
    REQUIRE((radio && group && speed && bar && grid && list));
    CHECK(radio->Checked());
    CHECK(group->ItemIndex() == 1);
    REQUIRE(group->ButtonCount() == 2);
    CHECK(group->Buttons(1)->Checked());
    CHECK(speed->Down());
    CHECK(speed->Flat());
    CHECK(speed->Layout() == blGlyphTop);
    CHECK(bar->Kind() == sbVertical);
    CHECK(bar->Position() == 20);
    CHECK(grid->FixedColor() == 255);
    CHECK(list->Columns()->Count() == 1);
    CHECK(list->Items()->Count() == 1);
}
