// The file list box painted in a real window: row colours, focus and
// selection, the file-name-only mode and what repaints at once.
#include <doctest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "framework/controls/Application.h"
#include "framework/controls/Forms.h"
#include "framework/graphics/Font.h"
#include "support/ZorListBox.h"
#include "tests/kit/AppPump.h"

using namespace tf;

namespace {

using tftest::app::Pump;

struct ListFixture {
    TForm* form;
    Tzorlistbox* list;

    ListFixture()
    {
        form = new TForm(Application);
        form->SetBounds(100, 100, 420, 260);
        list = new Tzorlistbox(form);
        list->SetParent(form);
        list->SetBounds(10, 10, 380, 200);
        list->Font()->SetName("宋体");
        list->Font()->SetHeight(-16);
        list->SetMultiSelect(true);
        for (const char* item : {"C:\\a\\b\\setup.exe", "C:\\x\\two.exe", "C:\\y\\three.exe"}) list->Items()->Add(item);
        form->Show();
        Pump(200);
    }
    ~ListFixture() { form->Free(); }

    HWND Window() const { return list->Handle(); }
    // Row r's colour at a point of its background (right of any text).
    COLORREF RowBack(int row) const { return Pixel(370, row * 24 + 1); }
    COLORREF Pixel(int x, int y) const
    {
        HDC dc = GetDC(list->Handle());
        const COLORREF c = GetPixel(dc, x, y);
        ReleaseDC(list->Handle(), dc);
        return c;
    }
    // How many pixels of row r, from x on, are not its background.
    int InkFrom(int row, int x) const
    {
        HDC dc = GetDC(list->Handle());
        const COLORREF back = GetPixel(dc, 370, row * 24 + 1);
        int n = 0;
        for (int y = row * 24; y < row * 24 + 24; ++y)
            for (int px = x; px < 370; ++px)
                if (GetPixel(dc, px, y) != back) ++n;
        ReleaseDC(list->Handle(), dc);
        return n;
    }
};

} // namespace

TEST_CASE("rows alternate two colours and are as high as twice the point size")
{
    ListFixture f;
    CHECK(f.list->Style() == lbOwnerDrawVariable);
    CHECK(SendMessageA(f.Window(), LB_GETITEMHEIGHT, 0, 0) == 24);
    // Nothing selected; the caret sits on row 0 but the list has no focus.
    SetFocus(nullptr);
    f.list->Invalidate();
    Pump(100);
    CHECK(f.RowBack(0) == 15792870u);
    CHECK(f.RowBack(1) == 16445690u);
    CHECK(f.RowBack(2) == 15792870u);

    SUBCASE("changing a row colour repaints at once")
    {
        f.list->Setosbackcolor(0x00FFFF);
        Pump(100);
        CHECK(f.RowBack(1) == 0x00FFFFu);
    }
}

TEST_CASE("the focused row is blue with white text; a selected row without focus is 0xFB644F")
{
    ListFixture f;
    f.list->SetSelected(1, true);
    f.list->SetItemIndex(2);   // the caret, with the focus rectangle
    f.list->SetFocus();
    Pump(150);
    CHECK(f.RowBack(2) == 0xFF0000u);
    CHECK(f.RowBack(1) == 0xFB644Fu);
    CHECK(f.RowBack(0) == 15792870u);
    // White text on the focused row.
    bool white = false;
    for (int x = 2; x < 120 && !white; ++x)
        for (int y = 48 + 2; y < 48 + 20; ++y)
            if (f.Pixel(x, y) == 0xFFFFFFu) white = true;
    CHECK(white);
    CHECK(f.list->FocusedIndex() == 2);
}

TEST_CASE("OnlyFilename draws the name part, and takes effect at the next paint")
{
    ListFixture f;
    SetFocus(nullptr);
    f.list->Invalidate();
    Pump(100);
    TCanvas* canvas = f.list->Canvas();
    canvas->Font()->Assign(f.list->Font());
    const int nameWidth = canvas->TextWidth("setup.exe");
    const int pathWidth = canvas->TextWidth("C:\\a\\b\\setup.exe");
    REQUIRE(pathWidth > nameWidth + 10);
    // The whole path reaches beyond where the bare name would end.
    CHECK(f.InkFrom(0, 2 + nameWidth + 2) > 0);

    f.list->SetOnlyFilename(true);
    Pump(100);
    CHECK(f.InkFrom(0, 2 + nameWidth + 2) > 0);   // not repainted yet
    f.list->Invalidate();
    Pump(100);
    CHECK(f.InkFrom(0, 2 + nameWidth + 2) == 0);
    CHECK(f.InkFrom(0, 2) > 0);
}

TEST_CASE("by name, the list box keeps its stored properties")
{
    Tzorlistbox list(nullptr);
    CHECK(ReadInt(&list, "jsbackcolor") == 15792870);
    CHECK(ReadInt(&list, "osbackcolor") == 16445690);
    CHECK(ReadEnum(&list, "OnlyFilename") == "False");
    CHECK(ReadInt(&list, "Color") == 15792870);
    CHECK(list.InheritsFrom("TListBox"));
    CHECK(list.InheritsFrom("TCustomListBox"));
    Write(&list, "OnlyFilename", "True");
    CHECK(list.OnlyFilename());
}

TEST_CASE("membership is answered from a case-folded set kept beside the items")
{
    ListFixture f;   // three items, added through Items()
    Tzorlistbox* list = f.list;
    struct Case {
        const char* Path;
        bool Listed;
    } cases[] = {
        {"C:\\a\\b\\setup.exe", true},
        {"c:\\A\\B\\SETUP.EXE", true},   // ASCII letters fold
        {"C:\\x\\two.ex", false},
        {"C:\\x\\two.exe ", false},
    };
    for (const Case& c : cases) {
        CAPTURE(c.Path);
        CHECK(list->HasItem(c.Path) == c.Listed);
    }

    // Its own changes keep the set current; every other change through Items() is noticed.
    list->AddItem("C:\\\x81\x41.exe");   // 丄
    CHECK(list->HasItem("C:\\\x81\x41.exe"));
    CHECK_FALSE(list->HasItem("C:\\\x81\x61.exe"));   // 乤: a trail byte is no letter
    list->DeleteItem(0);
    CHECK_FALSE(list->HasItem("C:\\a\\b\\setup.exe"));
    CHECK(list->Items()->Count() == 3);
    list->Items()->Delete(0);
    CHECK_FALSE(list->HasItem("C:\\x\\two.exe"));
    CHECK(list->ItemTexts() == std::vector<std::string>{"C:\\y\\three.exe", "C:\\\x81\x41.exe"});
    list->Items()->Clear();
    list->Items()->Add("C:\\new.exe");
    CHECK(list->HasItem("C:\\NEW.EXE"));
    CHECK(list->ItemTexts() == std::vector<std::string>{"C:\\new.exe"});
    CHECK_FALSE(list->HasItem("C:\\y\\three.exe"));
    // Inside an update bracket no change event comes; the count tells.
    list->Items()->BeginUpdate();
    list->Items()->Add("C:\\quiet.exe");
    CHECK(list->HasItem("C:\\quiet.exe"));
    list->Items()->EndUpdate();

    SUBCASE("a batch of additions draws once, at its end, and answers the same")
    {
        Pump(100);
        list->BeginBatch();
        for (int i = 0; i < 200; ++i) list->AddItem("C:\\batch\\f" + std::to_string(i) + ".exe");
        CHECK(list->HasItem("C:\\BATCH\\F199.EXE"));
        RECT r;
        CHECK_FALSE(GetUpdateRect(f.Window(), &r, FALSE));   // nothing drawn meanwhile
        list->EndBatch();
        CHECK(GetUpdateRect(f.Window(), &r, FALSE));          // drawn once now
        Pump(100);
        CHECK(list->Items()->Count() == 202);
        CHECK(list->HasItem("C:\\quiet.exe"));
    }
}
