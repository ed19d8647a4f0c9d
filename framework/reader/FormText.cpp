#include "FormData.h"

#include <cctype>

#include "framework/core/SysUtils.h"

namespace tf {

namespace {

class TextParser {
public:
    TextParser(const std::string& text, TFormFileLoader loader, void* context)
        : FText(text), FLoader(loader), FContext(context)
    {
    }

    TFormNode ParseRoot()
    {
        SkipSpace();
        TFormNode root = ParseObject();
        SkipSpace();
        if (FPos < FText.size()) Fail("text after the final 'end'");
        return root;
    }

private:
    [[noreturn]] void Fail(const std::string& what) const { throw EReadError(Format("line %d: %s", FLine, what.c_str())); }

    bool AtEnd() const { return FPos >= FText.size(); }
    char Peek() const { return AtEnd() ? '\0' : FText[FPos]; }

    void SkipSpace()
    {
        while (!AtEnd()) {
            const char c = FText[FPos];
            if (c == '\n') {
                ++FLine;
                ++FPos;
            } else if (static_cast<unsigned char>(c) <= ' ') {
                ++FPos;
            } else if (c == '/' && FPos + 1 < FText.size() && FText[FPos + 1] == '/') {
                while (!AtEnd() && FText[FPos] != '\n') ++FPos;
            } else {
                break;
            }
        }
    }

    static bool IsIdentStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
    static bool IsIdentChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

    std::string Ident(const char* what)
    {
        SkipSpace();
        if (!IsIdentStart(Peek())) Fail(std::string("expected ") + what);
        const size_t start = FPos;
        while (!AtEnd() && IsIdentChar(FText[FPos])) ++FPos;
        return FText.substr(start, FPos - start);
    }

    // A dotted property path.
    std::string Path()
    {
        std::string path = Ident("a property name");
        while (Peek() == '.') {
            ++FPos;
            path += '.';
            path += Ident("a property name after '.'");
        }
        return path;
    }

    void Expect(char c)
    {
        SkipSpace();
        if (Peek() != c) Fail(std::string("expected '") + c + "'");
        ++FPos;
    }

    bool PeekKeyword(const char* word)
    {
        SkipSpace();
        const size_t n = std::char_traits<char>::length(word);
        if (FText.compare(FPos, n, word) != 0) return false;
        return FPos + n >= FText.size() || !IsIdentChar(FText[FPos + n]);
    }

    TFormNode ParseObject()
    {
        if (!PeekKeyword("object")) Fail("expected 'object'");
        TFormNode node;
        node.line = FLine;
        FPos += 6;
        node.name = Ident("a component name");
        Expect(':');
        node.className = Ident("a class name");
        for (;;) {
            SkipSpace();
            if (AtEnd()) Fail("missing 'end' of object " + node.name);
            if (PeekKeyword("end")) {
                FPos += 3;
                return node;
            }
            if (PeekKeyword("object")) node.children.push_back(ParseObject());
            else node.props.push_back(ParseProp());
        }
    }

    TFormProp ParseProp()
    {
        TFormProp prop;
        prop.line = FLine;
        prop.path = Path();
        Expect('=');
        prop.value = ParseValue();
        return prop;
    }

    TFormValue ParseValue()
    {
        SkipSpace();
        TFormValue v;
        const char c = Peek();
        if (c == '\'' || c == '#') {
            v.kind = TFormValue::String;
            v.text = StringValue();
        } else if (c == '-' || c == '+' || c == '$' || std::isdigit(static_cast<unsigned char>(c))) {
            v.kind = TFormValue::Int;
            v.intValue = Number();
        } else if (c == '[') {
            ++FPos;
            v.kind = TFormValue::Set;
            SkipSpace();
            if (Peek() != ']') {
                for (;;) {
                    v.items.push_back(Ident("a set member"));
                    SkipSpace();
                    if (Peek() == ',') {
                        ++FPos;
                        continue;
                    }
                    break;
                }
            }
            Expect(']');
        } else if (c == '(') {
            ++FPos;
            v.kind = TFormValue::List;
            for (;;) {
                SkipSpace();
                if (Peek() == ')') break;
                if (AtEnd()) Fail("missing ')'");
                if (Peek() != '\'' && Peek() != '#') Fail("expected a string in the list");
                v.items.push_back(StringValue());
            }
            ++FPos;
        } else if (c == '{') {
            ++FPos;
            v.kind = TFormValue::Binary;
            HexBytes(v.bytes);
        } else if (c == '<') {
            ++FPos;
            v.kind = TFormValue::Collection;
            for (;;) {
                SkipSpace();
                if (Peek() == '>') {
                    ++FPos;
                    break;
                }
                if (!PeekKeyword("item")) Fail("expected 'item' or '>'");
                FPos += 4;
                std::vector<TFormProp> item;
                for (;;) {
                    SkipSpace();
                    if (AtEnd()) Fail("missing 'end' of item");
                    if (PeekKeyword("end")) {
                        FPos += 3;
                        break;
                    }
                    item.push_back(ParseProp());
                }
                v.collection.push_back(std::move(item));
            }
        } else if (c == '@') {
            ++FPos;
            if (Ident("'file' after '@'") != "file") Fail("expected 'file' after '@'");
            SkipSpace();
            const std::string name = StringValue();
            if (!FLoader) Fail("@file is only allowed when compiling form data");
            v.kind = TFormValue::Binary;
            if (!FLoader(name, v.bytes, FContext)) Fail("cannot read file '" + name + "'");
        } else if (IsIdentStart(c)) {
            v.kind = TFormValue::Ident;
            v.text = Ident("a value");
        } else {
            Fail("expected a value");
        }
        return v;
    }

    int64_t Number()
    {
        const size_t start = FPos;
        if (Peek() == '-' || Peek() == '+') ++FPos;
        while (!AtEnd() && (IsIdentChar(FText[FPos]) || FText[FPos] == '$')) ++FPos;
        const std::string s = FText.substr(start, FPos - start);
        // Wider than 32 bits is not needed by any property; refuse it.
        int32_t v;
        if (!TryStrToInt(s, v)) Fail("bad number '" + s + "'");
        return v;
    }

    std::string StringValue()
    {
        std::string out;
        for (;;) {
            const char c = Peek();
            if (c == '\'') {
                ++FPos;
                for (;;) {
                    if (AtEnd() || FText[FPos] == '\n') Fail("unterminated string");
                    const char d = FText[FPos++];
                    if (d == '\'') {
                        if (Peek() == '\'') {
                            out += '\'';
                            ++FPos;
                            continue;
                        }
                        break;
                    }
                    out += d;
                }
            } else if (c == '#') {
                ++FPos;
                const size_t start = FPos;
                while (!AtEnd() && std::isdigit(static_cast<unsigned char>(FText[FPos]))) ++FPos;
                int32_t code;
                if (!TryStrToInt(FText.substr(start, FPos - start), code) || code < 0 || code > 255)
                    Fail("bad character code");
                out += static_cast<char>(code);
            } else {
                return out;
            }
        }
    }

    void HexBytes(std::vector<uint8_t>& bytes)
    {
        int high = -1;
        for (;;) {
            SkipSpace();
            if (AtEnd()) Fail("missing '}'");
            const char c = FText[FPos++];
            if (c == '}') break;
            int digit;
            if (c >= '0' && c <= '9') digit = c - '0';
            else if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
            else if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
            else Fail("bad hex digit in binary block");
            if (high < 0) {
                high = digit;
            } else {
                bytes.push_back(static_cast<uint8_t>(high << 4 | digit));
                high = -1;
            }
        }
        if (high >= 0) Fail("odd number of hex digits in binary block");
    }

    const std::string& FText;
    TFormFileLoader FLoader;
    void* FContext;
    size_t FPos = 0;
    int FLine = 1;
};

} // namespace

TFormNode ParseFormText(const std::string& text, TFormFileLoader loader, void* context)
{
    return TextParser(text, loader, context).ParseRoot();
}

} // namespace tf
