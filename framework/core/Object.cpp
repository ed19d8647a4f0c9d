#include "Object.h"

#include <map>
#include <mutex>

#include "SysUtils.h"

namespace tf {

const TEnumInfo BooleanInfo{"Boolean", {"False", "True"}};

int TEnumInfo::IndexOf(const std::string& ident) const
{
    for (size_t i = 0; i < Names.size(); ++i)
        if (SameTextAscii(Names[i], ident)) return static_cast<int>(i);
    return -1;
}

// ---------------------------------------------------------------- class info

bool TClassInfo::InheritsFrom(const std::string& name) const
{
    for (const TClassInfo* c = this; c; c = c->Parent)
        if (SameTextAscii(c->Name, name)) return true;
    return false;
}

bool TClassInfo::InheritsFrom(const TClassInfo& other) const
{
    for (const TClassInfo* c = this; c; c = c->Parent)
        if (c == &other) return true;
    return false;
}

const TPropInfo* TClassInfo::FindProp(const std::string& name) const
{
    for (const TClassInfo* c = this; c; c = c->Parent)
        for (const TPropInfo& p : c->Props)
            if (SameTextAscii(p.Name, name)) return &p;
    return nullptr;
}

const TMethodEntry* TClassInfo::FindMethod(const std::string& name) const
{
    for (const TClassInfo* c = this; c; c = c->Parent)
        for (const TMethodEntry& m : c->Methods)
            if (SameTextAscii(m.Name, name)) return &m;
    return nullptr;
}

const TFieldEntry* TClassInfo::FindField(const std::string& name) const
{
    for (const TClassInfo* c = this; c; c = c->Parent)
        for (const TFieldEntry& f : c->Fields)
            if (SameTextAscii(f.Name, name)) return &f;
    return nullptr;
}

namespace {
struct ClassRegistry {
    std::mutex lock;
    std::map<std::string, const TClassInfo*> byUpperName;
};
ClassRegistry& Registry()
{
    static ClassRegistry r;
    return r;
}
} // namespace

void RegisterClassInfo(const TClassInfo& info)
{
    ClassRegistry& r = Registry();
    std::lock_guard<std::mutex> g(r.lock);
    r.byUpperName[UpperCaseAscii(info.Name)] = &info;
}

const TClassInfo* FindClass(const std::string& name)
{
    ClassRegistry& r = Registry();
    std::lock_guard<std::mutex> g(r.lock);
    auto it = r.byUpperName.find(UpperCaseAscii(name));
    return it == r.byUpperName.end() ? nullptr : it->second;
}

// ---------------------------------------------------------------- objects

const TClassInfo& TObject::StaticClass()
{
    static const TClassInfo info{"TObject", nullptr, {}, {}, {}, nullptr};
    return info;
}

const TClassInfo& TPersistent::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TPersistent>("TPersistent", TObject::StaticClass()).Build();
    return info;
}

void TPersistent::Assign(TPersistent* source)
{
    if (source) {
        source->AssignTo(this);
        return;
    }
    throw EConvertError("Cannot assign a nil to a " + ClassName());
}

void TPersistent::AssignTo(TPersistent* dest)
{
    throw EConvertError("Cannot assign a " + ClassName() + " to a " + dest->ClassName());
}

bool TPersistent::ReadBinaryProperty(const std::string&, TStream&) { return false; }

// ---------------------------------------------------------------- access by name

const TPropInfo* FindProperty(const TObject* obj, const std::string& name)
{
    return obj ? obj->ClassType().FindProp(name) : nullptr;
}

bool HasProperty(const TObject* obj, const std::string& name) { return FindProperty(obj, name) != nullptr; }

static TPersistent* AsPersistent(TObject* obj) { return dynamic_cast<TPersistent*>(obj); }

static bool IsOrdinal(TPropKind k)
{
    return k == TPropKind::Integer || k == TPropKind::Enumeration || k == TPropKind::Set;
}

int64_t ReadInt(TObject* obj, const std::string& name)
{
    const TPropInfo* p = FindProperty(obj, name);
    if (!p || !IsOrdinal(p->Kind) || !p->GetOrd) return -1;
    return p->GetOrd(AsPersistent(obj));
}

std::string ReadEnum(TObject* obj, const std::string& name)
{
    const TPropInfo* p = FindProperty(obj, name);
    if (!p || p->Kind != TPropKind::Enumeration || !p->GetOrd) return {};
    const int64_t v = p->GetOrd(AsPersistent(obj));
    if (v < 0 || static_cast<size_t>(v) >= p->Enum->Names.size()) return {};
    return p->Enum->Names[static_cast<size_t>(v)];
}

std::wstring ReadText(TObject* obj, const std::string& name)
{
    const TPropInfo* p = FindProperty(obj, name);
    if (!p) return {};
    TPersistent* o = AsPersistent(obj);
    switch (p->Kind) {
    case TPropKind::String: return p->GetStr ? AnsiToWide(p->GetStr(o)) : std::wstring();
    case TPropKind::WString: return p->GetWStr ? p->GetWStr(o) : std::wstring();
    case TPropKind::Set:
        return p->GetOrd ? AnsiToWide(SetToText(*p->Enum, static_cast<uint32_t>(p->GetOrd(o)))) : std::wstring();
    default: return {};
    }
}

std::string ReadString(TObject* obj, const std::string& name)
{
    const TPropInfo* p = FindProperty(obj, name);
    if (p && p->Kind == TPropKind::String && p->GetStr) return p->GetStr(AsPersistent(obj));
    return WideToAnsi(ReadText(obj, name));
}

TObject* ReadObject(TObject* obj, const std::string& name)
{
    const TPropInfo* p = FindProperty(obj, name);
    if (!p || p->Kind != TPropKind::Class || !p->GetObj) return nullptr;
    return p->GetObj(AsPersistent(obj));
}

void Write(TObject* obj, const std::string& name, const std::string& text)
{
    const TPropInfo* p = FindProperty(obj, name);
    if (!p) return;
    TPersistent* o = AsPersistent(obj);
    switch (p->Kind) {
    case TPropKind::Integer: {
        int32_t v;
        if (p->SetOrd && TryStrToInt(text, v)) p->SetOrd(o, v);
        break;
    }
    case TPropKind::Enumeration: {
        const int i = p->Enum->IndexOf(Trim(text));
        if (p->SetOrd && i >= 0) p->SetOrd(o, i);
        break;
    }
    case TPropKind::Set: {
        uint32_t bits;
        if (p->SetOrd && TextToSet(*p->Enum, text, bits)) p->SetOrd(o, bits);
        break;
    }
    case TPropKind::String:
        if (p->SetStr) p->SetStr(o, text);
        break;
    case TPropKind::WString:
        if (p->SetWStr) p->SetWStr(o, AnsiToWide(text));
        break;
    default: break;
    }
}

void WriteInt(TObject* obj, const std::string& name, int64_t value)
{
    const TPropInfo* p = FindProperty(obj, name);
    if (p && IsOrdinal(p->Kind) && p->SetOrd) p->SetOrd(AsPersistent(obj), value);
}

std::string SetToText(const TEnumInfo& info, uint32_t bits)
{
    std::string out = "[";
    for (size_t i = 0; i < info.Names.size() && i < 32; ++i) {
        if (!(bits & (1u << i))) continue;
        if (out.size() > 1) out += ',';
        out += info.Names[i];
    }
    return out + "]";
}

bool TextToSet(const TEnumInfo& info, const std::string& text, uint32_t& bits)
{
    std::string t = Trim(text);
    if (t.size() < 2 || t.front() != '[' || t.back() != ']') return false;
    t = t.substr(1, t.size() - 2);
    uint32_t result = 0;
    size_t start = 0;
    while (start <= t.size()) {
        size_t comma = t.find(',', start);
        if (comma == std::string::npos) comma = t.size();
        const std::string ident = Trim(t.substr(start, comma - start));
        if (!ident.empty()) {
            const int i = info.IndexOf(ident);
            if (i < 0 || i >= 32) return false;
            result |= 1u << i;
        }
        start = comma + 1;
    }
    bits = result;
    return true;
}

} // namespace tf
