#include <doctest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "TrayTestKit.h"
#include "framework/core/Streams.h"
#include "framework/core/SysUtils.h"
#include "framework/graphics/Icon.h"
#include "support/IconList.h"

using namespace tf;
using namespace traykit;

namespace {

std::vector<uint8_t> Written(const TIconList& list)
{
    TMemoryStream out;
    list.WriteData(out);
    return out.Bytes();
}

struct ChangeCounter : TObject {
    int count = 0;
    void Changed(TObject*) { ++count; }
};

} // namespace

TEST_CASE("the program icon holds 16 and 32 pixel images in 16 and 256 colours")
{
    auto icon = ProgramIcon();
    std::vector<std::pair<int, int>> found;   // (size, bits)
    for (const TIconImage& img : icon->Images()) {
        CHECK(img.Width == img.Height);
        found.emplace_back(img.Width, img.BitCount);
    }
    std::sort(found.begin(), found.end());
    CHECK(found == std::vector<std::pair<int, int>>{{16, 4}, {16, 8}, {32, 4}, {32, 8}});
}

TEST_CASE("the stored form round-trips; missing and empty icons come back missing")
{
    const std::vector<uint8_t> file = ProgramIconFile();
    auto program = ProgramIcon();
    auto red = SolidIcon(RGB(255, 0, 0));
    TIcon empty;

    TIconList list;
    list.Add(program.get());
    list.Add(nullptr);
    list.Add(&empty);
    list.Add(red.get());
    REQUIRE(list.Count() == 4);

    const std::vector<uint8_t> bytes = Written(list);
    // Count, then size + icon file per entry: the program icon keeps its file.
    TMemoryStream in(bytes);
    CHECK(in.ReadInt32() == 4);
    CHECK(in.ReadInt32() == static_cast<int32_t>(file.size()));
    std::vector<uint8_t> first(file.size());
    in.ReadBuffer(first.data(), static_cast<int32_t>(first.size()));
    CHECK(first == file);
    CHECK(in.ReadInt32() == 0);
    CHECK(in.ReadInt32() == 0);
    const int32_t redSize = in.ReadInt32();
    CHECK(redSize > 0);
    CHECK(in.Position() + redSize == in.Size());

    TIconList back;
    TMemoryStream again(bytes);
    back.ReadData(again);
    REQUIRE(back.Count() == 4);
    REQUIRE(back[0] != nullptr);
    CHECK(back[0]->ImageCount() == 4);
    CHECK(back[1] == nullptr);
    CHECK(back[2] == nullptr);
    REQUIRE(back[3] != nullptr);
    CHECK(back[3]->Width() == 16);
    CHECK_FALSE(back[3]->Empty());
    // Writing what was read gives the same bytes.
    CHECK(Written(back) == bytes);
}

TEST_CASE("malformed stored lists raise EReadError and leave the list as it was")
{
    const std::vector<uint8_t> file = ProgramIconFile();
    auto make = [](std::initializer_list<int32_t> ints, const std::vector<uint8_t>& tail = {}) {
        std::vector<uint8_t> out;
        for (int32_t v : ints) Put32(out, v);
        out.insert(out.end(), tail.begin(), tail.end());
        return out;
    };
    std::vector<uint8_t> truncatedIcon(file.begin(), file.begin() + 100);
    const struct {
        const char* what;
        std::vector<uint8_t> data;
    } cases[] = {
        {"empty", {}},
        {"short count", {1, 0}},
        {"negative count", make({-1})},
        {"count beyond the data", make({1000})},
        {"size beyond the data", make({1, 50}, {1, 2, 3})},
        {"missing size", make({2, 0})},
        {"bytes that are no icon", make({1, 8}, {1, 2, 3, 4, 5, 6, 7, 8})},
        {"cut icon file", make({1, 100}, truncatedIcon)},
    };
    for (const auto& c : cases) {
        CAPTURE(c.what);
        TIconList list;
        auto red = SolidIcon(RGB(255, 0, 0));
        list.Add(red.get());
        TMemoryStream in(c.data);
        CHECK_THROWS_AS(list.ReadData(in), EReadError);
        CHECK(list.Count() == 1);
        CHECK(list[0] != nullptr);
    }
    // A size of zero or less is a missing entry, not an error.
    TIconList list;
    TMemoryStream in(make({2, 0, -5}));
    list.ReadData(in);
    CHECK(list.Count() == 2);
    CHECK(list[0] == nullptr);
    CHECK(list[1] == nullptr);
}

TEST_CASE("changes notify once each, and once for a whole update")
{
    TIconList list;
    ChangeCounter counter;
    list.OnChange = TNotifyEvent::Of<&ChangeCounter::Changed>(&counter);
    auto red = SolidIcon(RGB(255, 0, 0));
    auto blue = SolidIcon(RGB(0, 0, 255));

    list.Add(red.get());
    list.Add(blue.get());
    list.Put(0, blue.get());
    CHECK(counter.count == 3);
    // The list keeps copies.
    CHECK(list[0] != blue.get());
    CHECK(list[0]->Handle() != blue->Handle());

    // A change of an owned icon is a change of the list.
    list[1]->Assign(red.get());
    CHECK(counter.count == 4);

    counter.count = 0;
    list.BeginUpdate();
    list.BeginUpdate();
    list.Add(red.get());
    list.Delete(0);
    list.EndUpdate();
    CHECK(counter.count == 0);
    list.EndUpdate();
    CHECK(counter.count == 1);
    list.BeginUpdate();
    list.EndUpdate();
    CHECK(counter.count == 1);   // nothing changed

    TIconList copy;
    copy.Assign(&list);
    CHECK(copy.Count() == 2);
    CHECK(copy[0] != list[0]);

    list.Clear();
    CHECK(counter.count == 2);
    CHECK(list.Count() == 0);
    CHECK_THROWS_AS(list.Icons(0), EListError);
}

TEST_CASE("icons are added from the module's resources")
{
    TIconList list;
    CHECK(list.AddResource(GetModuleHandleA(nullptr), "TRAYICON") == 0);
    REQUIRE(list[0] != nullptr);
    CHECK_FALSE(list[0]->Empty());
    CHECK_THROWS(list.AddResource(GetModuleHandleA(nullptr), "NO_SUCH_ICON"));
    CHECK(list.Count() == 1);
}
