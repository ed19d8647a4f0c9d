// Reading and writing published properties by name, natively: each kind
// read as the skinners read it, the defaults for missing or other kinds,
// and writes by text.
#include <doctest.h>

#include "framework/core/Component.h"
#include "skin/controls/ControlProperties.h"

using namespace tf;

namespace {

const TEnumInfo StyleInfo{"TTabStyle", {"tsTabs", "tsButtons", "tsFlatButtons"}};

class TSample : public TComponent {
    TF_CLASS(TSample)
public:
    explicit TSample(TComponent* owner) : TComponent(owner) {}
    int Count = 7;
    uint8_t Style = 1;
    std::string Caption = "Ab";
    std::wstring Title = L"宽";
    TSample* Other = nullptr;
    bool Down = true;
    uint32_t Flags = 0;
};

const TEnumInfo FlagInfo{"TFlags", {"fA", "fB"}};

const TClassInfo& TSample::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TSample>("TSample", TComponent::StaticClass())
            .Int("Count", [](TSample* s) { return s->Count; }, [](TSample* s, int v) { s->Count = v; })
            .Enum("Style", StyleInfo, [](TSample* s) { return s->Style; }, [](TSample* s, uint8_t v) { s->Style = v; })
            .String("Caption", [](TSample* s) { return s->Caption; }, [](TSample* s, const std::string& v) { s->Caption = v; })
            .WString("Title", [](TSample* s) { return s->Title; }, [](TSample* s, const std::wstring& v) { s->Title = v; })
            .Object<TSample>("Other", [](TSample* s) { return s->Other; }, [](TSample* s, TSample* v) { s->Other = v; })
            .Bool("Down", [](TSample* s) { return s->Down; }, [](TSample* s, bool v) { s->Down = v; })
            .Set("Flags", FlagInfo, [](TSample* s) { return s->Flags; }, [](TSample* s, uint32_t v) { s->Flags = v; })
            .Build();
    return info;
}

} // namespace

TEST_CASE("Reading by name: each kind, letter case ignored, defaults for the rest")
{
    TSample s(nullptr), other(nullptr);
    s.Other = &other;
    CHECK(ReadIntProperty(&s, "count") == 7);
    CHECK(ReadIntProperty(&s, "Style") == -1);   // an enumeration is no integer
    CHECK(ReadIntProperty(&s, "Missing") == -1);
    CHECK(ReadIntProperty(nullptr, "Count") == -1);
    CHECK(ReadEnumProperty(&s, "STYLE") == "tsButtons");
    CHECK(ReadEnumLower(&s, "Style") == "tsbuttons");
    CHECK(ReadEnumLower(&s, "Down") == "true");
    CHECK(ReadEnumProperty(&s, "Count").empty());
    CHECK(ReadTextProperty(&s, "Caption") == L"Ab");
    CHECK(ReadTextProperty(&s, "Title") == L"宽");
    CHECK(ReadTextProperty(&s, "Flags").empty());   // sets are not text
    CHECK(ReadObjectProperty(&s, "other") == &other);
    CHECK(ReadObjectProperty(&s, "Caption") == nullptr);
    CHECK(ReadObjectProperty(nullptr, "Other") == nullptr);
}

TEST_CASE("Writing by name: integers from text, identifiers, strings; other kinds untouched")
{
    TSample s(nullptr);
    WriteProperty(&s, "Count", "13619151");
    CHECK(s.Count == 13619151);
    WriteProperty(&s, "Count", "-5");
    CHECK(s.Count == -5);
    WriteProperty(&s, "Count", "twelve");   // not a number: unchanged
    CHECK(s.Count == -5);
    WriteProperty(&s, "Style", "tsFlatButtons");
    CHECK(s.Style == 2);
    WriteProperty(&s, "Style", "nonsense");
    CHECK(s.Style == 2);
    WriteProperty(&s, "Down", "False");
    CHECK_FALSE(s.Down);
    WriteProperty(&s, "Caption", "New");
    CHECK(s.Caption == "New");
    WriteProperty(&s, "Title", "Wide");
    CHECK(s.Title == L"Wide");
    WriteProperty(&s, "Flags", "[fA]");   // sets are not written
    CHECK(s.Flags == 0);
    WriteProperty(&s, "Missing", "1");
    WriteProperty(nullptr, "Count", "1");
}
