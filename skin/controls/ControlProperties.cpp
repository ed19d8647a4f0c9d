#include "skin/controls/ControlProperties.h"

#include <cctype>

#include "framework/core/Object.h"
#include "framework/core/SysUtils.h"

namespace tf {

namespace {
const TPropInfo* Find(TObject* instance, const std::string& name, TPropKind kind)
{
    const TPropInfo* p = instance ? FindProperty(instance, name) : nullptr;
    return p && p->Kind == kind ? p : nullptr;
}
TPersistent* AsPersistent(TObject* o) { return dynamic_cast<TPersistent*>(o); }
} // namespace

int64_t ReadIntProperty(TObject* instance, const std::string& name)
{
    const TPropInfo* p = Find(instance, name, TPropKind::Integer);
    return p && p->GetOrd ? p->GetOrd(AsPersistent(instance)) : -1;
}

std::string ReadEnumProperty(TObject* instance, const std::string& name)
{
    const TPropInfo* p = Find(instance, name, TPropKind::Enumeration);
    if (!p || !p->GetOrd || !p->Enum) return {};
    const int64_t ord = p->GetOrd(AsPersistent(instance));
    if (ord < 0 || ord >= static_cast<int64_t>(p->Enum->Names.size())) return {};
    return p->Enum->Names[static_cast<size_t>(ord)];
}

std::string ReadEnumLower(TObject* instance, const std::string& name)
{
    std::string s = ReadEnumProperty(instance, name);
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::wstring ReadTextProperty(TObject* instance, const std::string& name)
{
    const TPropInfo* p = instance ? FindProperty(instance, name) : nullptr;
    if (!p) return {};
    if (p->Kind == TPropKind::WString && p->GetWStr) return p->GetWStr(AsPersistent(instance));
    if (p->Kind == TPropKind::String && p->GetStr) return AnsiToWide(p->GetStr(AsPersistent(instance)));
    return {};
}

TObject* ReadObjectProperty(TObject* instance, const std::string& name)
{
    const TPropInfo* p = Find(instance, name, TPropKind::Class);
    return p && p->GetObj ? p->GetObj(AsPersistent(instance)) : nullptr;
}

void WriteProperty(TObject* instance, const std::string& name, const std::string& text)
{
    const TPropInfo* p = instance ? FindProperty(instance, name) : nullptr;
    TPersistent* target = AsPersistent(instance);
    if (!p || !target) return;
    switch (p->Kind) {
    case TPropKind::Integer:
        if (p->SetOrd) {
            int value = 0;
            if (TryStrToInt(text, value)) p->SetOrd(target, value);
        }
        return;
    case TPropKind::Enumeration:
        if (p->SetOrd && p->Enum)
            if (const int ord = p->Enum->IndexOf(text); ord >= 0) p->SetOrd(target, ord);
        return;
    case TPropKind::String:
        if (p->SetStr) p->SetStr(target, text);
        return;
    case TPropKind::WString:
        if (p->SetWStr) p->SetWStr(target, AnsiToWide(text));
        return;
    default: return;
    }
}

bool AssignObjectProperty(TObject* instance, const std::string& name, TObject* value)
{
    const TPropInfo* p = Find(instance, name, TPropKind::Class);
    if (!p || !p->SetObj) return false;
    p->SetObj(AsPersistent(instance), value);
    return true;
}

} // namespace tf
