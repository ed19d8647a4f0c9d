#include "FormReader.h"

#include "framework/core/Collections.h"
#include "framework/core/Component.h"
#include "framework/core/Idents.h"
#include "framework/core/Streams.h"
#include "framework/core/Strings.h"
#include "framework/core/SysUtils.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace tf {

namespace {

class FormReader {
public:
    explicit FormReader(TComponent* root) : FRoot(root) {}

    void Read(const TFormNode& node)
    {
        if (!FRoot->InheritsFrom(node.className))
            Fail(node.line, "the root is a " + FRoot->ClassName() + ", not a " + node.className);
        FRoot->SetLoading(true);
        if (!node.name.empty()) FRoot->SetName(node.name);
        ApplyProps(FRoot, node.props);
        for (const TFormNode& child : node.children) Create(child, FRoot);
        ResolveFixups();
        for (TComponent* c : FCreated) c->Loaded();
        FRoot->Loaded();
        FRoot->ReadingFinished();
    }

private:
    struct Fixup {
        TPersistent* obj;
        const TPropInfo* prop;
        std::string target;
        int line;
    };

    [[noreturn]] static void Fail(int line, const std::string& what)
    {
        throw EReadError(Format("line %d: %s", line, what.c_str()));
    }

    void Create(const TFormNode& node, TComponent* parent)
    {
        const TClassInfo* cls = FindClass(node.className);
        if (!cls) Fail(node.line, "unknown class " + node.className);
        if (!cls->Create) Fail(node.line, "class " + node.className + " cannot be created from stored data");
        TComponent* c = cls->Create(FRoot);
        c->SetLoading(true);
        FCreated.push_back(c);
        if (!node.name.empty()) {
            c->SetName(node.name);
            if (const TFieldEntry* f = FRoot->ClassType().FindField(node.name))
                if (!f->Bind(FRoot, c)) Fail(node.line, "field " + node.name + " does not hold a " + node.className);
        }
        c->SetParentComponent(parent);
        ApplyProps(c, node.props);
        for (const TFormNode& child : node.children) Create(child, c);
    }

    void ApplyProps(TPersistent* obj, const std::vector<TFormProp>& props)
    {
        for (const TFormProp& p : props) Apply(obj, p);
    }

    void Apply(TPersistent* obj, const TFormProp& p)
    {
        // Walk the dotted path down to the object that holds the last name.
        std::string name = p.path;
        for (size_t dot; (dot = name.find('.')) != std::string::npos;) {
            const std::string head = name.substr(0, dot);
            auto* sub = dynamic_cast<TPersistent*>(ReadObject(obj, head));
            if (!sub) Fail(p.line, obj->ClassName() + " has no object property " + head);
            obj = sub;
            name = name.substr(dot + 1);
        }
        const TFormValue& v = p.value;
        const TPropInfo* prop = FindProperty(obj, name);

        if (v.kind == TFormValue::Binary) {
            TMemoryStream data(v.bytes);
            if (obj->ReadBinaryProperty(name, data)) return;
            // An object-valued property may read its own data ("Icon = {...}").
            if (prop && prop->Kind == TPropKind::Class && prop->GetObj)
                if (auto* sub = dynamic_cast<TPersistent*>(prop->GetObj(obj)))
                    if (sub->ReadBinaryProperty("Data", data)) return;
            Fail(p.line, obj->ClassName() + " has no binary property " + name);
        }
        if (!prop) Fail(p.line, obj->ClassName() + " has no property " + name);

        switch (prop->Kind) {
        case TPropKind::Integer: {
            int32_t value = 0;
            if (v.kind == TFormValue::Int) value = static_cast<int32_t>(v.intValue);
            else if (v.kind != TFormValue::Ident || !IdentToInt(v.text, value))
                Fail(p.line, "property " + name + " needs an integer");
            SetOrd(p, prop, obj, value);
            break;
        }
        case TPropKind::Enumeration: {
            const int index = v.kind == TFormValue::Ident ? prop->Enum->IndexOf(v.text) : -1;
            if (index < 0) Fail(p.line, "property " + name + " needs one of the identifiers of " + prop->Enum->TypeName);
            SetOrd(p, prop, obj, index);
            break;
        }
        case TPropKind::Set: {
            if (v.kind != TFormValue::Set) Fail(p.line, "property " + name + " needs a set");
            uint32_t bits = 0;
            for (const std::string& member : v.items) {
                const int index = prop->Enum->IndexOf(member);
                if (index < 0 || index >= 32) Fail(p.line, member + " is not a member of " + prop->Enum->TypeName);
                bits |= 1u << index;
            }
            SetOrd(p, prop, obj, bits);
            break;
        }
        case TPropKind::String:
        case TPropKind::WString:
            if (v.kind != TFormValue::String) Fail(p.line, "property " + name + " needs a string");
            if (prop->SetStr) prop->SetStr(obj, v.text);
            else if (prop->SetWStr) prop->SetWStr(obj, AnsiToWide(v.text));
            else Fail(p.line, "property " + name + " is read-only");
            break;
        case TPropKind::Class: ApplyObject(obj, prop, p); break;
        case TPropKind::Method: {
            if (v.kind != TFormValue::Ident) Fail(p.line, "event " + name + " needs a handler name");
            const TMethodEntry* m = FRoot->ClassType().FindMethod(v.text);
            if (!m) Fail(p.line, FRoot->ClassName() + " has no handler " + v.text);
            if (m->Sig != prop->Sig) Fail(p.line, "handler " + v.text + " does not fit event " + name);
            prop->SetMethod(obj, TMethod{FRoot, m->Code});
            break;
        }
        }
    }

    static void SetOrd(const TFormProp& p, const TPropInfo* prop, TPersistent* obj, int64_t value)
    {
        if (!prop->SetOrd) Fail(p.line, "property " + prop->Name + " is read-only");
        prop->SetOrd(obj, value);
    }

    void ApplyObject(TPersistent* obj, const TPropInfo* prop, const TFormProp& p)
    {
        const TFormValue& v = p.value;
        if (v.kind == TFormValue::Ident) {
            if (!prop->SetObj) Fail(p.line, "property " + prop->Name + " is read-only");
            if (SameTextAscii(v.text, "nil")) prop->SetObj(obj, nullptr);
            else FFixups.push_back(Fixup{obj, prop, v.text, p.line});
            return;
        }
        TObject* held = prop->GetObj ? prop->GetObj(obj) : nullptr;
        if (v.kind == TFormValue::List) {
            auto* list = dynamic_cast<TStrings*>(held);
            if (!list) Fail(p.line, "property " + prop->Name + " holds no string list");
            list->BeginUpdate();
            list->Clear();
            for (const std::string& s : v.items) list->Add(s);
            list->EndUpdate();
            return;
        }
        if (v.kind == TFormValue::Collection) {
            auto* items = dynamic_cast<TCollection*>(held);
            if (!items) Fail(p.line, "property " + prop->Name + " holds no collection");
            items->BeginUpdate();
            items->Clear();
            for (const auto& itemProps : v.collection) ApplyProps(items->Add(), itemProps);
            items->EndUpdate();
            return;
        }
        Fail(p.line, "property " + prop->Name + " needs a component name, a list or items");
    }

    void ResolveFixups()
    {
        for (const Fixup& f : FFixups) {
            TComponent* target = SameTextAscii(f.target, FRoot->Name()) ? FRoot : FRoot->FindComponent(f.target);
            if (!target) Fail(f.line, "unknown component " + f.target);
            if (!target->InheritsFrom(f.prop->ClassType()))
                Fail(f.line, f.target + " is not a " + f.prop->ClassType().Name);
            f.prop->SetObj(f.obj, target);
        }
    }

    TComponent* FRoot;
    std::vector<TComponent*> FCreated;
    std::vector<Fixup> FFixups;
};

} // namespace

void ReadComponent(TComponent* root, const TFormNode& node) { FormReader(root).Read(node); }

void ReadForm(TComponent* root, const std::string& formText) { ReadComponent(root, ParseFormText(formText)); }

void ReadFormBinary(TComponent* root, const uint8_t* data, size_t size)
{
    ReadComponent(root, DecodeFormBinary(data, size));
}

#ifdef _WIN32
bool ReadFormResource(TComponent* root)
{
    const std::string name = UpperCaseAscii(root->ClassName());
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC res = FindResourceA(module, name.c_str(), MAKEINTRESOURCEA(10));   // RT_RCDATA
    if (!res) return false;
    HGLOBAL mem = LoadResource(module, res);
    const void* data = mem ? LockResource(mem) : nullptr;
    if (!data) return false;
    ReadFormBinary(root, static_cast<const uint8_t*>(data), SizeofResource(module, res));
    return true;
}
#endif

} // namespace tf
