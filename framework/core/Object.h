// The object model: class identity by name, published properties declared
// once per class, events as (object, member) pairs, and TPersistent.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <type_traits>
#include <vector>

namespace tf {

class TObject;
class TPersistent;
class TComponent;
class TStream;
struct TClassInfo;

// ---------------------------------------------------------------- events

// Identity of an event signature, so handlers bound by name can be checked.
using TSignature = const void*;
template <class... A>
TSignature SignatureOf()
{
    static const char tag = 0;
    return &tag;
}

using TCodePtr = void (*)();

// A type-erased event value: the object and a thunk that calls its member.
struct TMethod {
    TObject* Data = nullptr;
    TCodePtr Code = nullptr;
    explicit operator bool() const { return Code != nullptr; }
    bool operator==(const TMethod&) const = default;
};

template <auto M>
struct MemberTraits;
template <class C, class... A, void (C::*M)(A...)>
struct MemberTraits<M> {
    using Class = C;
    static void Call(TObject* obj, A... args) { (static_cast<C*>(obj)->*M)(args...); }
    static TSignature Signature() { return SignatureOf<A...>(); }
};

// An event: empty, or a member function of an object. Calling an empty event
// does nothing.
template <class... A>
class TEvent {
public:
    using Thunk = void (*)(TObject*, A...);

    TEvent() = default;

    // TEvent<...>::Of<&C::Handler>(obj)
    template <auto M>
    static TEvent Of(typename MemberTraits<M>::Class* obj)
    {
        TEvent e;
        e.FData = obj;
        e.FCode = &MemberTraits<M>::Call;
        return e;
    }
    static TSignature Signature() { return SignatureOf<A...>(); }
    // Unchecked: the caller has compared signatures.
    static TEvent FromMethod(const TMethod& m)
    {
        TEvent e;
        e.FData = m.Data;
        e.FCode = reinterpret_cast<Thunk>(m.Code);
        return e;
    }
    TMethod Method() const { return TMethod{FData, reinterpret_cast<TCodePtr>(FCode)}; }

    explicit operator bool() const { return FCode != nullptr; }
    void operator()(A... args) const
    {
        if (FCode) FCode(FData, args...);
    }
    TObject* Data() const { return FData; }
    void Clear() { *this = TEvent(); }
    bool operator==(const TEvent&) const = default;

private:
    TObject* FData = nullptr;
    Thunk FCode = nullptr;
};

using TNotifyEvent = TEvent<TObject*>;

// ---------------------------------------------------------------- properties

enum class TPropKind { Integer, Enumeration, Set, String, WString, Class, Method };

// Identifiers of an enumeration, in ordinal order; also the members of a set.
struct TEnumInfo {
    std::string TypeName;
    std::vector<std::string> Names;
    int IndexOf(const std::string& ident) const;   // case-insensitive, -1 if none
};
extern const TEnumInfo BooleanInfo;   // False, True

struct TPropInfo {
    std::string Name;
    TPropKind Kind = TPropKind::Integer;
    const TEnumInfo* Enum = nullptr;        // Enumeration and Set
    const TClassInfo& (*ClassType)() = nullptr;  // Class: the class of the value
    TSignature Sig = nullptr;               // Method
    // Integer, Enumeration (ordinal) and Set (bit i = member i)
    std::function<int64_t(TPersistent*)> GetOrd;
    std::function<void(TPersistent*, int64_t)> SetOrd;
    // String and WString
    std::function<std::string(TPersistent*)> GetStr;
    std::function<void(TPersistent*, const std::string&)> SetStr;
    std::function<std::wstring(TPersistent*)> GetWStr;
    std::function<void(TPersistent*, const std::wstring&)> SetWStr;
    // Class
    std::function<TObject*(TPersistent*)> GetObj;
    std::function<void(TPersistent*, TObject*)> SetObj;
    // Method
    std::function<TMethod(TPersistent*)> GetMethod;
    std::function<void(TPersistent*, const TMethod&)> SetMethod;
};

// A published method of a class that stored data may name as a handler.
struct TMethodEntry {
    std::string Name;
    TSignature Sig;
    TCodePtr Code;
};

// A published field: a component of the root that stored data binds by name.
struct TFieldEntry {
    std::string Name;
    std::function<bool(TObject* root, TComponent* value)> Bind;   // false: wrong class
};

struct TClassInfo {
    std::string Name;
    const TClassInfo* Parent = nullptr;
    std::vector<TPropInfo> Props;
    std::vector<TMethodEntry> Methods;
    std::vector<TFieldEntry> Fields;
    TComponent* (*Create)(TComponent* owner) = nullptr;   // null: not creatable by name

    bool InheritsFrom(const std::string& name) const;     // case-insensitive, includes itself
    bool InheritsFrom(const TClassInfo& other) const;
    const TPropInfo* FindProp(const std::string& name) const;
    const TMethodEntry* FindMethod(const std::string& name) const;
    const TFieldEntry* FindField(const std::string& name) const;
};

// Classes that stored data may create by name must be registered.
void RegisterClassInfo(const TClassInfo& info);
const TClassInfo* FindClass(const std::string& name);

// windows.h defines RegisterClass as a macro naming its own function; these
// let RegisterClass(info) work whether the macro is in effect or not.
#ifndef RegisterClass
inline void RegisterClass(const TClassInfo& info) { RegisterClassInfo(info); }
#endif
inline void RegisterClassA(const TClassInfo& info) { RegisterClassInfo(info); }
inline void RegisterClassW(const TClassInfo& info) { RegisterClassInfo(info); }

// Declares the class identity inside a class body.
#define TF_CLASS(Cls)                                                                                  \
public:                                                                                                \
    static const ::tf::TClassInfo& StaticClass();                                                      \
    const ::tf::TClassInfo& ClassType() const override { return StaticClass(); }

// ---------------------------------------------------------------- objects

class TObject {
public:
    virtual ~TObject() = default;
    static const TClassInfo& StaticClass();
    virtual const TClassInfo& ClassType() const { return StaticClass(); }
    const std::string& ClassName() const { return ClassType().Name; }
    bool InheritsFrom(const std::string& name) const { return ClassType().InheritsFrom(name); }
    bool InheritsFrom(const TClassInfo& info) const { return ClassType().InheritsFrom(info); }
};

class TPersistent : public TObject {
    TF_CLASS(TPersistent)
public:
    // Copies source into this object; raises EConvertError when the classes do not fit.
    virtual void Assign(TPersistent* source);
    // Binary stored properties that an object reads itself ("SkinStream", icon
    // data). Answers false for names it does not own.
    virtual bool ReadBinaryProperty(const std::string& name, TStream& data);

protected:
    virtual void AssignTo(TPersistent* dest);
};

// ---------------------------------------------------------------- class tables

// Builds a TClassInfo for class C:
//   TClassBuilder<TFont>("TFont", TPersistent::StaticClass()).Int("Height", get, set).Build()
// Getters and setters are member function pointers or callables taking C*.
template <class C>
class TClassBuilder {
public:
    TClassBuilder(std::string name, const TClassInfo& parent)
    {
        FInfo.Name = std::move(name);
        FInfo.Parent = &parent;
        if constexpr (std::is_constructible_v<C, TComponent*> && !std::is_abstract_v<C>)
            FInfo.Create = [](TComponent* owner) -> TComponent* { return new C(owner); };
    }

    template <class G, class S>
    TClassBuilder& Int(const std::string& name, G get, S set)
    {
        TPropInfo p = Base(name, TPropKind::Integer);
        p.GetOrd = [get](TPersistent* o) { return static_cast<int64_t>(std::invoke(get, Self(o))); };
        if constexpr (!std::is_null_pointer_v<S>)
            p.SetOrd = [set](TPersistent* o, int64_t v) { std::invoke(set, Self(o), static_cast<int32_t>(v)); };
        return Add(std::move(p));
    }

    template <class G, class S>
    TClassBuilder& Bool(const std::string& name, G get, S set)
    {
        return Enum(name, BooleanInfo, get, set);
    }

    // The getter returns the enum (or bool) value; the setter takes it.
    template <class G, class S>
    TClassBuilder& Enum(const std::string& name, const TEnumInfo& info, G get, S set)
    {
        TPropInfo p = Base(name, TPropKind::Enumeration);
        p.Enum = &info;
        p.GetOrd = [get](TPersistent* o) { return static_cast<int64_t>(std::invoke(get, Self(o))); };
        if constexpr (!std::is_null_pointer_v<S>)
            p.SetOrd = [set](TPersistent* o, int64_t v) {
                using Arg = std::decay_t<decltype(std::invoke(std::declval<G>(), std::declval<C*>()))>;
                std::invoke(set, Self(o), static_cast<Arg>(v));
            };
        return Add(std::move(p));
    }

    // The getter returns the set as a bit mask (bit i = member i).
    template <class G, class S>
    TClassBuilder& Set(const std::string& name, const TEnumInfo& info, G get, S set)
    {
        TPropInfo p = Base(name, TPropKind::Set);
        p.Enum = &info;
        p.GetOrd = [get](TPersistent* o) { return static_cast<int64_t>(std::invoke(get, Self(o))); };
        if constexpr (!std::is_null_pointer_v<S>)
            p.SetOrd = [set](TPersistent* o, int64_t v) { std::invoke(set, Self(o), static_cast<uint32_t>(v)); };
        return Add(std::move(p));
    }

    template <class G, class S>
    TClassBuilder& String(const std::string& name, G get, S set)
    {
        TPropInfo p = Base(name, TPropKind::String);
        p.GetStr = [get](TPersistent* o) { return std::string(std::invoke(get, Self(o))); };
        if constexpr (!std::is_null_pointer_v<S>)
            p.SetStr = [set](TPersistent* o, const std::string& v) { std::invoke(set, Self(o), v); };
        return Add(std::move(p));
    }

    template <class G, class S>
    TClassBuilder& WString(const std::string& name, G get, S set)
    {
        TPropInfo p = Base(name, TPropKind::WString);
        p.GetWStr = [get](TPersistent* o) { return std::wstring(std::invoke(get, Self(o))); };
        if constexpr (!std::is_null_pointer_v<S>)
            p.SetWStr = [set](TPersistent* o, const std::wstring& v) { std::invoke(set, Self(o), v); };
        return Add(std::move(p));
    }

    // An object-valued property. The getter returns a pointer to a class T;
    // a setter, when given, takes a T* (references and owned sub-objects alike).
    template <class T, class G, class S>
    TClassBuilder& Object(const std::string& name, G get, S set)
    {
        TPropInfo p = Base(name, TPropKind::Class);
        p.ClassType = &T::StaticClass;   // resolved late: a class may refer to itself
        p.GetObj = [get](TPersistent* o) -> TObject* { return std::invoke(get, Self(o)); };
        if constexpr (!std::is_null_pointer_v<S>)
            p.SetObj = [set](TPersistent* o, TObject* v) { std::invoke(set, Self(o), dynamic_cast<T*>(v)); };
        return Add(std::move(p));
    }

    // An event property; E is a TEvent<...> type.
    template <class E, class G, class S>
    TClassBuilder& Event(const std::string& name, G get, S set)
    {
        TPropInfo p = Base(name, TPropKind::Method);
        p.Sig = E::Signature();
        p.GetMethod = [get](TPersistent* o) { return E(std::invoke(get, Self(o))).Method(); };
        p.SetMethod = [set](TPersistent* o, const TMethod& m) { std::invoke(set, Self(o), E::FromMethod(m)); };
        return Add(std::move(p));
    }

    // A published handler method of C: TF_METHOD(TForm_main, FormCreate).
    template <auto M>
    TClassBuilder& Method(const std::string& name)
    {
        FInfo.Methods.push_back(
            TMethodEntry{name, MemberTraits<M>::Signature(), reinterpret_cast<TCodePtr>(&MemberTraits<M>::Call)});
        return *this;
    }

    // A published component field of C, bound when stored data creates it.
    template <class T>
    TClassBuilder& Field(const std::string& name, T* C::*field)
    {
        FInfo.Fields.push_back(TFieldEntry{name, [field](TObject* root, TComponent* value) {
                                               T* typed = dynamic_cast<T*>(value);
                                               if (!typed) return false;
                                               static_cast<C*>(root)->*field = typed;
                                               return true;
                                           }});
        return *this;
    }

    TClassInfo Build() { return std::move(FInfo); }

private:
    static C* Self(TPersistent* o) { return static_cast<C*>(o); }
    static TPropInfo Base(const std::string& name, TPropKind kind)
    {
        TPropInfo p;
        p.Name = name;
        p.Kind = kind;
        return p;
    }
    TClassBuilder& Add(TPropInfo&& p)
    {
        FInfo.Props.push_back(std::move(p));
        return *this;
    }
    TClassInfo FInfo;
};

#define TF_METHOD(Cls, Name) Method<&Cls::Name>(#Name)
#define TF_FIELD(Cls, Name) Field(#Name, &Cls::Name)

// ---------------------------------------------------------------- access by name
// Names ignore case; a null object or a missing property gives the default.

const TPropInfo* FindProperty(const TObject* obj, const std::string& name);
bool HasProperty(const TObject* obj, const std::string& name);
int64_t ReadInt(TObject* obj, const std::string& name);          // ordinal kinds; else -1
std::string ReadEnum(TObject* obj, const std::string& name);     // identifier; else ""
std::wstring ReadText(TObject* obj, const std::string& name);    // string kinds and sets; else ""
std::string ReadString(TObject* obj, const std::string& name);   // ANSI form of ReadText
TObject* ReadObject(TObject* obj, const std::string& name);      // class kind; else null
// Integer from text, enumeration by identifier, strings as text, sets from
// "[a,b]"; other kinds and unparsable text are ignored.
void Write(TObject* obj, const std::string& name, const std::string& text);
void WriteInt(TObject* obj, const std::string& name, int64_t value);
std::string SetToText(const TEnumInfo& info, uint32_t bits);   // "[a,b]"
bool TextToSet(const TEnumInfo& info, const std::string& text, uint32_t& bits);

} // namespace tf
