#include <doctest.h>

#include "framework/core/Collections.h"
#include "framework/core/Component.h"
#include "framework/core/Idents.h"
#include "framework/core/Streams.h"
#include "framework/core/Strings.h"
#include "framework/core/SysUtils.h"
#include "framework/reader/FormReader.h"

using namespace tf;

namespace {

std::vector<std::string> gLog;

const TEnumInfo ModeInfo{"TMode", {"mdOff", "mdSlow", "mdFast"}};
const TIdentMapEntry ColourIdents[] = {{0x0000FF, "clRed"}, {static_cast<int32_t>(0x8000000F), "clBtnFace"}};

class TPen2 : public TPersistent {
    TF_CLASS(TPen2)
public:
    std::string Owner;
    int Color() const { return FColor; }
    void SetColor(int c)
    {
        FColor = c;
        gLog.push_back(Owner + ".Pen.Color=" + std::to_string(c));
    }

private:
    int FColor = 0;
};

const TClassInfo& TPen2::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TPen2>("TPen2", TPersistent::StaticClass()).Int("Color", &TPen2::Color, &TPen2::SetColor).Build();
    return info;
}

class TBand : public TCollectionItem {
    TF_CLASS(TBand)
public:
    using TCollectionItem::TCollectionItem;
    TComponent* Control = nullptr;
    int Width = 0;
};

class TItem;
using TPingEvent = TEvent<TObject*, int>;

class TItem : public TComponent {
    TF_CLASS(TItem)
public:
    explicit TItem(TComponent* owner) : TComponent(owner), Bands(this, &MakeCollectionItem<TBand>) { Pen.Owner = "?"; }

    void SetName(const std::string& n) override
    {
        TComponent::SetName(n);
        Pen.Owner = n;
    }
    void Rec(const std::string& what) { gLog.push_back(Name() + "." + what); }

    int Size() const { return FSize; }
    void SetSize(int v)
    {
        FSize = v;
        Rec("Size=" + std::to_string(v) + (HasState(csLoading) ? " (loading)" : ""));
    }
    int Color() const { return FColor; }
    void SetColor(int v)
    {
        FColor = v;
        Rec("Color=" + std::to_string(v));
    }
    int Mode() const { return FMode; }
    void SetMode(int v)
    {
        FMode = v;
        Rec("Mode=" + std::to_string(v));
    }
    uint32_t Opts() const { return FOpts; }
    void SetOpts(uint32_t v)
    {
        FOpts = v;
        Rec("Opts=" + std::to_string(v));
    }
    std::string Caption() const { return FCaption; }
    void SetCaption(const std::string& v)
    {
        FCaption = v;
        Rec("Caption=" + v);
    }
    bool Active() const { return FActive; }
    void SetActive(bool v)
    {
        FActive = v;
        Rec(std::string("Active=") + (v ? "1" : "0"));
    }
    TItem* Buddy() const { return FBuddy; }
    void SetBuddy(TItem* b)
    {
        FBuddy = b;
        Rec("Buddy=" + (b ? b->Name() : std::string("nil")));
    }
    TPingEvent OnPing;

    bool ReadBinaryProperty(const std::string& name, TStream& data) override
    {
        if (name != "Blob") return false;
        Blob.resize(static_cast<size_t>(data.Size()));
        data.ReadBuffer(Blob.data(), static_cast<int32_t>(Blob.size()));
        Rec("Blob=" + std::to_string(Blob.size()));
        return true;
    }
    void SetParentComponent(TComponent* parent) override { Rec("Parent=" + parent->Name()); }
    void Loaded() override
    {
        TComponent::Loaded();
        Rec("Loaded");
    }

    TPen2 Pen;
    TStringList Lines;
    TCollection Bands;
    std::vector<uint8_t> Blob;

private:
    int FSize = 0, FColor = 0, FMode = 0;
    uint32_t FOpts = 0;
    std::string FCaption;
    bool FActive = false;
    TItem* FBuddy = nullptr;
};

const TClassInfo& TBand::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TBand>("TBand", TCollectionItem::StaticClass())
            .Object<TComponent>("Control", [](TBand* b) { return b->Control; },
                                [](TBand* b, TComponent* c) { b->Control = c; })
            .Int("Width", [](TBand* b) { return b->Width; }, [](TBand* b, int w) { b->Width = w; })
            .Build();
    return info;
}

const TClassInfo& TItem::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TItem>("TItem", TComponent::StaticClass())
            .Int("Size", &TItem::Size, &TItem::SetSize)
            .Int("Color", &TItem::Color, &TItem::SetColor)
            .Enum("Mode", ModeInfo, [](TItem* i) { return i->Mode(); }, [](TItem* i, int m) { i->SetMode(m); })
            .Set("Opts", ModeInfo, &TItem::Opts, &TItem::SetOpts)
            .String("Caption", &TItem::Caption, &TItem::SetCaption)
            .Bool("Active", &TItem::Active, &TItem::SetActive)
            .Object<TItem>("Buddy", &TItem::Buddy, &TItem::SetBuddy)
            .Object<TPen2>("Pen", [](TItem* i) { return &i->Pen; }, nullptr)
            .Object<TStrings>("Lines", [](TItem* i) { return &i->Lines; }, nullptr)
            .Object<TCollection>("Bands", [](TItem* i) { return &i->Bands; }, nullptr)
            .Event<TPingEvent>("OnPing", [](TItem* i) { return i->OnPing; },
                               [](TItem* i, TPingEvent e) { i->OnPing = e; })
            .Build();
    return info;
}

class TRoot : public TItem {
    TF_CLASS(TRoot)
public:
    using TItem::TItem;
    TItem* First = nullptr;
    TItem* Second = nullptr;
    int Pinged = 0;
    void Pinged1(TObject*, int n) { Pinged += n; }
    void WrongShape(TObject*) {}
    void ReadingFinished() override { gLog.push_back("ReadingFinished"); }
};

const TClassInfo& TRoot::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TRoot>("TRoot", TItem::StaticClass())
                                       .TF_FIELD(TRoot, First)
                                       .TF_FIELD(TRoot, Second)
                                       .TF_METHOD(TRoot, Pinged1)
                                       .TF_METHOD(TRoot, WrongShape)
                                       .Build();
    return info;
}

struct Registered {
    Registered()
    {
        RegisterClass(TItem::StaticClass());
        RegisterIntegerIdents(ColourIdents, 2);
    }
} registered;

const char* const kForm = R"(// a comment line
object Root1: TRoot
  Size = 1
  object First: TItem
    Buddy = Second
    Size = -16
    Color = clRed
    Pen.Color = clBtnFace
    Mode = mdFast
    Opts = [mdOff, mdFast]
    Caption = 'it''s'#13#10'ok'
    Active = True
    Lines = ('a' 'b b')
    Blob = {00FF10}
    Bands = <
      item
        Control = Second
        Width = 395
      end>
    OnPing = Pinged1
    object Inner: TItem
      Size = $1F
    end
  end
  object Second: TItem
    Size = 0x20
  end
end
)";

const std::vector<std::string> kExpectedLog = {
    "Root1.Size=1 (loading)",
    "First.Parent=Root1",
    "First.Size=-16 (loading)",
    "First.Color=255",
    "First.Pen.Color=-2147483633",
    "First.Mode=2",
    "First.Opts=5",
    "First.Caption=it's\r\nok",
    "First.Active=1",
    "First.Blob=3",
    "Inner.Parent=First",
    "Inner.Size=31 (loading)",
    "Second.Parent=Root1",
    "Second.Size=32 (loading)",
    "First.Buddy=Second",   // references are resolved after all components exist
    "First.Loaded",
    "Inner.Loaded",
    "Second.Loaded",
    "Root1.Loaded",
    "ReadingFinished",
};

void CheckReadForm(TRoot& root)
{
    CHECK(gLog == kExpectedLog);
    REQUIRE(root.First != nullptr);
    REQUIRE(root.Second != nullptr);
    CHECK(root.First->Name() == "First");
    CHECK(root.First->Buddy() == root.Second);
    CHECK(root.First->Lines.Count() == 2);
    CHECK(root.First->Lines[1] == "b b");
    CHECK(root.First->Blob == std::vector<uint8_t>{0x00, 0xFF, 0x10});
    REQUIRE(root.First->Bands.Count() == 1);
    auto* band = static_cast<TBand*>(root.First->Bands.Items(0));
    CHECK(band->Control == root.Second);
    CHECK(band->Width == 395);
    CHECK_FALSE(root.First->HasState(csLoading));
    CHECK_FALSE(root.HasState(csLoading));
    // Components are created depth-first in stored order, owned by the root.
    REQUIRE(root.ComponentCount() == 3);
    CHECK(root.Components(0)->Name() == "First");
    CHECK(root.Components(1)->Name() == "Inner");
    CHECK(root.Components(2)->Name() == "Second");
    root.First->OnPing(root.First, 5);
    CHECK(root.Pinged == 5);
}

} // namespace

TEST_CASE("stored form text: creation order, setters in order, references, handlers, Loaded")
{
    gLog.clear();
    TRoot root(nullptr);
    ReadForm(&root, kForm);
    CheckReadForm(root);
}

TEST_CASE("the binary form reads back the same form")
{
    const std::vector<uint8_t> bin = EncodeFormBinary(ParseFormText(kForm));
    gLog.clear();
    TRoot root(nullptr);
    ReadFormBinary(&root, bin.data(), bin.size());
    CheckReadForm(root);

    SUBCASE("every truncation of the binary form is refused")
    {
        for (size_t n = 0; n < bin.size(); ++n) {
            CAPTURE(n);
            CHECK_THROWS_AS(DecodeFormBinary(bin.data(), n), EReadError);
        }
    }
    SUBCASE("a count larger than the data is refused before anything is allocated")
    {
        std::vector<uint8_t> bad = bin;
        // The root's property count follows magic, two strings and the line.
        const size_t at = 4 + 4 + 5 + 4 + 5 + 4;
        bad[at] = bad[at + 1] = bad[at + 2] = 0xFF;
        CHECK_THROWS_AS(DecodeFormBinary(bad.data(), bad.size()), EReadError);
    }
}

TEST_CASE("malformed descriptions name their line")
{
    struct Case {
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {"object R: TRoot\n  Sise = 1\nend", "line 2: TRoot has no property Sise"},
        {"object R: TRoot\n\n  object X: TNoSuch\n  end\nend", "line 3: unknown class TNoSuch"},
        {"object R: TRoot\n  Caption = 'open\nend", "line 2: unterminated string"},
        {"object R: TRoot\n  Size = 1\n", "line 3: missing 'end' of object R"},
        {"object R: TRoot\n  OnPing = Nope\nend", "line 2: TRoot has no handler Nope"},
        {"object R: TRoot\n  OnPing = WrongShape\nend", "line 2: handler WrongShape does not fit event OnPing"},
        {"object R: TRoot\n  Buddy = Ghost\nend", "line 2: unknown component Ghost"},
        {"object R: TRoot\n  Mode = mdWarp\nend", "line 2: property Mode needs one of the identifiers of TMode"},
        {"object R: TRoot\n  Opts = [mdOff, mdWarp]\nend", "line 2: mdWarp is not a member of TMode"},
        {"object R: TRoot\n  Size = 'x'\nend", "line 2: property Size needs an integer"},
        {"object R: TRoot\n  Size = clNothing\nend", "line 2: property Size needs an integer"},
        {"object R: TRoot\n  Pen.Width = 1\nend", "line 2: TPen2 has no property Width"},
        {"object R: TRoot\n  Size.X = 1\nend", "line 2: TRoot has no object property Size"},
        {"object R: TRoot\n  Blob = {0F0}\nend", "line 2: odd number of hex digits in binary block"},
        {"object R: TRoot\n  Size = 99999999999\nend", "line 2: bad number '99999999999'"},
        {"object R: TRoot\n  Caption = @file 'x'\nend", "line 2: @file is only allowed when compiling form data"},
        {"object R: TBand\nend", "line 1: the root is a TRoot, not a TBand"},
        {"object R: TRoot\nend\nobject", "line 3: text after the final 'end'"},
        {"", "line 1: expected 'object'"},
    };
    for (const Case& c : cases) {
        const std::string text = c.text;
        CAPTURE(text);
        gLog.clear();
        TRoot root(nullptr);
        CHECK_THROWS_WITH_AS(ReadForm(&root, c.text), c.message, EReadError);
    }
}
