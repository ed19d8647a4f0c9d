#include <cstring>

#include "FormData.h"
#include "framework/core/SysUtils.h"

// Layout (little-endian): "TFD1", then one node:
//   node  = str name, str class, u32 line, u32 nprops, prop*, u32 nchildren, node*
//   prop  = str path, u32 line, u8 kind, payload
//   payload: Int i64 | Ident/String str | Set/List u32 n, str* | Binary u32 n, bytes
//            | Collection u32 nitems, (u32 nprops, prop*)*
//   str   = u32 length, bytes

namespace tf {

namespace {

const char kMagic[4] = {'T', 'F', 'D', '1'};
// Nesting deeper than this is malformed data, not a form.
const int kMaxDepth = 64;

class Writer {
public:
    std::vector<uint8_t> out;

    void U8(uint8_t v) { out.push_back(v); }
    void U32(uint32_t v)
    {
        for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
    }
    void I64(int64_t v)
    {
        const uint64_t u = static_cast<uint64_t>(v);
        for (int i = 0; i < 8; ++i) out.push_back(static_cast<uint8_t>(u >> (8 * i)));
    }
    void Str(const std::string& s)
    {
        U32(static_cast<uint32_t>(s.size()));
        out.insert(out.end(), s.begin(), s.end());
    }
    void Props(const std::vector<TFormProp>& props)
    {
        U32(static_cast<uint32_t>(props.size()));
        for (const TFormProp& p : props) Prop(p);
    }
    void Prop(const TFormProp& p)
    {
        Str(p.path);
        U32(static_cast<uint32_t>(p.line));
        const TFormValue& v = p.value;
        U8(v.kind);
        switch (v.kind) {
        case TFormValue::Int: I64(v.intValue); break;
        case TFormValue::Ident:
        case TFormValue::String: Str(v.text); break;
        case TFormValue::Set:
        case TFormValue::List:
            U32(static_cast<uint32_t>(v.items.size()));
            for (const std::string& s : v.items) Str(s);
            break;
        case TFormValue::Binary:
            U32(static_cast<uint32_t>(v.bytes.size()));
            out.insert(out.end(), v.bytes.begin(), v.bytes.end());
            break;
        case TFormValue::Collection:
            U32(static_cast<uint32_t>(v.collection.size()));
            for (const auto& item : v.collection) Props(item);
            break;
        }
    }
    void Node(const TFormNode& n)
    {
        Str(n.name);
        Str(n.className);
        U32(static_cast<uint32_t>(n.line));
        Props(n.props);
        U32(static_cast<uint32_t>(n.children.size()));
        for (const TFormNode& c : n.children) Node(c);
    }
};

class Reader {
public:
    Reader(const uint8_t* data, size_t size) : FData(data), FSize(size) {}

    TFormNode Root()
    {
        if (FSize < 4 || std::memcmp(FData, kMagic, 4) != 0) Fail("not form data");
        FPos = 4;
        TFormNode root = Node(0);
        if (FPos != FSize) Fail("data after the root component");
        return root;
    }

private:
    [[noreturn]] void Fail(const char* what) const
    {
        throw EReadError(Format("form data at byte %u: %s", static_cast<unsigned>(FPos), what));
    }
    void Need(size_t n) const
    {
        if (n > FSize - FPos) Fail("truncated");
    }
    uint8_t U8()
    {
        Need(1);
        return FData[FPos++];
    }
    uint32_t U32()
    {
        Need(4);
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i) v |= static_cast<uint32_t>(FData[FPos++]) << (8 * i);
        return v;
    }
    int64_t I64()
    {
        Need(8);
        uint64_t v = 0;
        for (int i = 0; i < 8; ++i) v |= static_cast<uint64_t>(FData[FPos++]) << (8 * i);
        return static_cast<int64_t>(v);
    }
    std::string Str()
    {
        const uint32_t n = U32();
        Need(n);
        std::string s(reinterpret_cast<const char*>(FData + FPos), n);
        FPos += n;
        return s;
    }
    // A count of entries each at least minBytes long must fit in what is left.
    uint32_t Count(size_t minBytes)
    {
        const uint32_t n = U32();
        if (n > (FSize - FPos) / minBytes) Fail("count larger than the data");
        return n;
    }
    std::vector<TFormProp> Props(int depth)
    {
        if (depth > kMaxDepth) Fail("nested too deeply");
        const uint32_t n = Count(9);
        std::vector<TFormProp> props;
        props.reserve(n);
        for (uint32_t i = 0; i < n; ++i) props.push_back(Prop(depth));
        return props;
    }
    TFormProp Prop(int depth)
    {
        TFormProp p;
        p.path = Str();
        p.line = static_cast<int>(U32());
        TFormValue& v = p.value;
        const uint8_t kind = U8();
        switch (kind) {
        case TFormValue::Int: v.intValue = I64(); break;
        case TFormValue::Ident:
        case TFormValue::String: v.text = Str(); break;
        case TFormValue::Set:
        case TFormValue::List: {
            const uint32_t n = Count(4);
            for (uint32_t i = 0; i < n; ++i) v.items.push_back(Str());
            break;
        }
        case TFormValue::Binary: {
            const uint32_t n = U32();
            Need(n);
            v.bytes.assign(FData + FPos, FData + FPos + n);
            FPos += n;
            break;
        }
        case TFormValue::Collection: {
            const uint32_t n = Count(4);
            for (uint32_t i = 0; i < n; ++i) v.collection.push_back(Props(depth + 1));
            break;
        }
        default: Fail("unknown value kind");
        }
        v.kind = static_cast<TFormValue::Kind>(kind);
        return p;
    }
    TFormNode Node(int depth)
    {
        if (depth > kMaxDepth) Fail("nested too deeply");
        TFormNode n;
        n.name = Str();
        n.className = Str();
        n.line = static_cast<int>(U32());
        n.props = Props(depth);
        const uint32_t count = Count(16);
        for (uint32_t i = 0; i < count; ++i) n.children.push_back(Node(depth + 1));
        return n;
    }

    const uint8_t* FData;
    size_t FSize;
    size_t FPos = 0;
};

} // namespace

std::vector<uint8_t> EncodeFormBinary(const TFormNode& root)
{
    Writer w;
    w.out.insert(w.out.end(), kMagic, kMagic + 4);
    w.Node(root);
    return std::move(w.out);
}

TFormNode DecodeFormBinary(const uint8_t* data, size_t size) { return Reader(data, size).Root(); }

} // namespace tf
