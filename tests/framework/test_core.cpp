#include <doctest.h>

#include "framework/core/Component.h"
#include "framework/core/Streams.h"
#include "framework/core/Strings.h"
#include "framework/core/SysUtils.h"

using namespace tf;

namespace {

enum class TShape { stRect, stCircle, stStar };
const TEnumInfo ShapeInfo{"TShape", {"stRect", "stCircle", "stStar"}};

class TWidget : public TComponent {
    TF_CLASS(TWidget)
public:
    using TComponent::TComponent;
    int Size() const { return FSize; }
    void SetSize(int v) { FSize = v; }
    TShape Shape() const { return FShape; }
    void SetShape(TShape s) { FShape = s; }
    uint32_t Flags() const { return FFlags; }
    void SetFlags(uint32_t f) { FFlags = f; }
    std::string Caption() const { return FCaption; }
    void SetCaption(const std::string& s) { FCaption = s; }
    bool Active() const { return FActive; }
    void SetActive(bool b) { FActive = b; }
    TWidget* Buddy() const { return FBuddy; }
    void SetBuddy(TWidget* w) { FBuddy = w; }
    TNotifyEvent OnPoke;

    std::vector<std::string>* Log = nullptr;
    void Notification(TComponent* c, TOperation op) override
    {
        TComponent::Notification(c, op);
        if (op == TOperation::opRemove && Log) Log->push_back(Name() + " heard " + c->Name());
        if (op == TOperation::opRemove && c == FBuddy) FBuddy = nullptr;
    }
    ~TWidget() override
    {
        if (Log) Log->push_back("free " + Name());
    }

private:
    int FSize = 0;
    TShape FShape = TShape::stRect;
    uint32_t FFlags = 0;
    std::string FCaption;
    bool FActive = false;
    TWidget* FBuddy = nullptr;
};

const TClassInfo& TWidget::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TWidget>("TWidget", TComponent::StaticClass())
                                       .Int("Size", &TWidget::Size, &TWidget::SetSize)
                                       .Enum("Shape", ShapeInfo, &TWidget::Shape, &TWidget::SetShape)
                                       .Set("Flags", ShapeInfo, &TWidget::Flags, &TWidget::SetFlags)
                                       .String("Caption", &TWidget::Caption, &TWidget::SetCaption)
                                       .Bool("Active", &TWidget::Active, &TWidget::SetActive)
                                       .Object<TWidget>("Buddy", &TWidget::Buddy, &TWidget::SetBuddy)
                                       .Event<TNotifyEvent>("OnPoke", [](TWidget* w) { return w->OnPoke; },
                                                            [](TWidget* w, TNotifyEvent e) { w->OnPoke = e; })
                                       .Build();
    return info;
}

class TSpecialWidget : public TWidget {
    TF_CLASS(TSpecialWidget)
public:
    using TWidget::TWidget;
    int Pokes = 0;
    void Poked(TObject*) { ++Pokes; }
};

const TClassInfo& TSpecialWidget::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TSpecialWidget>("TSpecialWidget", TWidget::StaticClass())
                                       .TF_METHOD(TSpecialWidget, Poked)
                                       .Build();
    return info;
}

} // namespace

TEST_CASE("class identity and inheritance by name")
{
    TSpecialWidget w(nullptr);
    CHECK(w.ClassName() == "TSpecialWidget");
    CHECK(w.InheritsFrom("twidget"));
    CHECK(w.InheritsFrom("TComponent"));
    CHECK(w.InheritsFrom("TObject"));
    CHECK_FALSE(w.InheritsFrom("TStrings"));
    CHECK(w.InheritsFrom(TWidget::StaticClass()));
    CHECK_FALSE(TWidget::StaticClass().InheritsFrom(TSpecialWidget::StaticClass()));
}

TEST_CASE("published properties read and write by name")
{
    TWidget w(nullptr);
    Write(&w, "size", "42");
    Write(&w, "SHAPE", "stStar");
    Write(&w, "Caption", "hello");
    Write(&w, "Active", "True");
    Write(&w, "Flags", "[stRect, stStar]");
    CHECK(ReadInt(&w, "Size") == 42);
    CHECK(ReadEnum(&w, "Shape") == "stStar");
    CHECK(ReadInt(&w, "Shape") == 2);
    CHECK(ReadText(&w, "caption") == L"hello");
    CHECK(ReadEnum(&w, "Active") == "True");
    CHECK(w.Flags() == 5u);
    CHECK(ReadText(&w, "Flags") == L"[stRect,stStar]");
    // Inherited from TComponent.
    Write(&w, "Tag", "-7");
    CHECK(ReadInt(&w, "tag") == -7);

    SUBCASE("missing properties and wrong kinds give the defaults")
    {
        CHECK(ReadInt(&w, "Nope") == -1);
        CHECK(ReadEnum(&w, "Nope").empty());
        CHECK(ReadText(&w, "Nope").empty());
        CHECK(ReadObject(&w, "Nope") == nullptr);
        CHECK(ReadInt(&w, "Caption") == -1);
        CHECK(ReadObject(&w, "Size") == nullptr);
        CHECK(ReadInt(nullptr, "Size") == -1);
        Write(&w, "Nope", "1");   // ignored
        Write(nullptr, "Size", "1");
    }
    SUBCASE("unparsable text is ignored")
    {
        Write(&w, "Size", "12abc");
        Write(&w, "Shape", "stHexagon");
        Write(&w, "Flags", "[stWhat]");
        CHECK(w.Size() == 42);
        CHECK(w.Shape() == TShape::stStar);
        CHECK(w.Flags() == 5u);
    }
    SUBCASE("object and event properties")
    {
        TWidget other(nullptr);
        w.SetBuddy(&other);
        CHECK(ReadObject(&w, "buddy") == &other);
        TSpecialWidget target(nullptr);
        const TMethodEntry* m = target.ClassType().FindMethod("poked");
        REQUIRE(m != nullptr);
        const TPropInfo* p = FindProperty(&w, "OnPoke");
        REQUIRE(p != nullptr);
        CHECK(p->Sig == m->Sig);
        p->SetMethod(&w, TMethod{&target, m->Code});
        w.OnPoke(&w);
        w.OnPoke(&w);
        CHECK(target.Pokes == 2);
    }
}

TEST_CASE("owned components are freed in creation order and removal is announced")
{
    std::vector<std::string> log;
    auto* root = new TWidget(nullptr);
    root->SetName("root");
    auto* a = new TWidget(root);
    a->SetName("a");
    auto* b = new TWidget(root);
    b->SetName("b");
    auto* c = new TWidget(root);
    c->SetName("c");
    for (TWidget* w : {root, a, b, c}) w->Log = &log;
    c->SetBuddy(a);
    CHECK(root->ComponentCount() == 3);
    CHECK(root->FindComponent("B") == b);
    CHECK(b->ComponentIndex() == 1);

    b->Free();   // owner and siblings hear of it
    CHECK(root->ComponentCount() == 2);
    CHECK(log == std::vector<std::string>{"free b", "a heard b", "c heard b", "root heard b"});
    log.clear();

    root->Free();
    // c is told that a goes away before a is freed, and drops its reference.
    CHECK(log == std::vector<std::string>{"free root", "c heard a", "free a", "free c"});
}

TEST_CASE("duplicate component names are refused")
{
    TWidget root(nullptr);
    auto* a = new TWidget(&root);
    a->SetName("Same");
    auto* b = new TWidget(&root);
    CHECK_THROWS_AS(b->SetName("same"), EInvalidOperation);
}

TEST_CASE("OneLine turns control characters into spaces and leaves letters alone")
{
    const struct {
        std::string in, out;
    } cases[] = {
        {"plain", "plain"},
        {"a\r\nSHA-256:x", "a  SHA-256:x"},
        {std::string("t\tu\x7Fv\0w", 7), "t u v w"},
        {"\xCA\xFD\xD7\xD6\n", "\xCA\xFD\xD7\xD6 "},   // GBK bytes stay
        {"", ""},
    };
    for (const auto& c : cases) CHECK(OneLine(c.in) == c.out);
}

TEST_CASE("integer conversion")
{
    struct Case {
        const char* text;
        bool ok;
        int32_t value;
    };
    const Case cases[] = {
        {"0", true, 0},         {"-6", true, -6},      {"  12", true, 12},     {"+5", true, 5},
        {"$1F", true, 31},      {"0x1F", true, 31},    {"$FFFFFFFF", true, -1}, {"2147483647", true, 2147483647},
        {"-2147483648", true, INT32_MIN}, {"2147483648", false, 0}, {"", false, 0}, {"0x", false, 0},
        {"$", false, 0},        {"12 ", false, 0},     {"207 207 207", false, 0}, {"1e3", false, 0},
    };
    for (const Case& c : cases) {
        CAPTURE(c.text);
        int32_t v = 0;
        CHECK(TryStrToInt(c.text, v) == c.ok);
        if (c.ok) CHECK(v == c.value);
    }
    CHECK(StrToIntDef("x", 9) == 9);
    CHECK_THROWS_AS(StrToInt("x"), EConvertError);
}

TEST_CASE("text helpers fold only ASCII letters")
{
    CHECK(Trim(" \t a b \r\n") == "a b");
    CHECK(UpperCaseAscii("abc\xc4\xe3z") == "ABC\xc4\xe3Z");
    CHECK(LowerCaseAscii("ABC\xC4\xE3") == "abc\xC4\xE3");
    CHECK(SameTextAscii("C:\\Windows", "c:\\WINDOWS"));
    CHECK_FALSE(SameTextAscii("\xC4\xE3", "\xE4\xE3"));
    CHECK(Format("%s-%d", "a", 7) == "a-7");
}

TEST_CASE("string lists split lines and ignore case in look-ups")
{
    struct Case {
        std::string text;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\rb\nc", {"a", "b", "c"}},
        {"a\n\nb", {"a", "", "b"}},
        {"a\r\n\r\n", {"a", ""}},
        {std::string("a\r\nb\0c\r\n", 8), {"a", "b"}},
        {"\r\n", {""}},
    };
    for (const Case& c : cases) {
        CAPTURE(c.text);
        CHECK(SplitLines(c.text) == c.lines);
    }
    TStringList list;
    int changes = 0;
    struct Counter : TObject {
        int* n;
        void Hit(TObject*) { ++*n; }
    } counter;
    counter.n = &changes;
    list.OnChange = TNotifyEvent::Of<&Counter::Hit>(&counter);
    list.SetText("One\r\ntwo");
    CHECK(changes == 1);   // one change for the whole update
    CHECK(list.IndexOf("ONE") == 0);
    CHECK(list.IndexOf("three") == -1);
    CHECK(list.Text() == "One\r\ntwo\r\n");
    list.AddObject("x", 17);
    CHECK(list.GetObject(2) == 17);
    CHECK_THROWS_WITH_AS(list.Get(5), Format(SListIndexError, 5).c_str(), EListError);
}

TEST_CASE("memory streams")
{
    TMemoryStream m;
    m.WriteInt32(-2);
    m.WriteBuffer("abc", 3);
    CHECK(m.Size() == 7);
    m.SetPosition(0);
    CHECK(m.ReadInt32() == -2);
    char buf[8] = {};
    CHECK(m.Read(buf, 8) == 3);
    CHECK(std::string(buf) == "abc");
    CHECK_THROWS_AS(m.ReadBuffer(buf, 1), EReadError);
    TMemoryStream copy;
    copy.CopyFrom(m, 0);
    CHECK(copy.Bytes() == m.Bytes());
    m.SetSize(2);
    CHECK(m.Position() == 2);
}
