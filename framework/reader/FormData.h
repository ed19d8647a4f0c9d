// Stored form data: the description of a root component (a form) and the
// components it owns, nested as they are parented, with their properties in
// stored order. Written as text by developers, compiled to a compact binary
// resource at build time, and read back into live components at run time.
//
// The text form:
//   object Form_main: TForm_main        a component: name and class
//     Left = 357                          integer (also -16, $FF, 0x1F)
//     Color = clBtnFace                   identifier: enum, bool, colour, reference, handler
//     Caption = 'Tamfern'#13#10'x'        string: quoted parts ('' is a quote) and #codes
//     Font.Style = [fsBold, fsItalic]     set; dotted paths reach sub-objects
//     Skin3rd = ('a' 'b')                 string list
//     SkinStream = {0A1B2C}               binary block in hex
//     Icon = @file 'tamfern.ico'          binary block from a file (compiler only)
//     Bands = < item Control = Panel1 end >   collection items
//     object Image1: TImage ... end       owned component, parented to the enclosing one
//   end
// A line starting with "//" is a comment.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace tf {

struct TFormProp;

struct TFormValue {
    enum Kind : uint8_t { Int = 1, Ident, String, Set, List, Binary, Collection };
    Kind kind = Int;
    int64_t intValue = 0;
    std::string text;                                // Ident, String
    std::vector<std::string> items;                  // Set, List
    std::vector<uint8_t> bytes;                      // Binary
    std::vector<std::vector<TFormProp>> collection;  // Collection: properties per item
};

struct TFormProp {
    std::string path;   // "Left", "Font.Color"
    TFormValue value;
    int line = 0;
};

struct TFormNode {
    std::string name;
    std::string className;
    int line = 0;
    std::vector<TFormProp> props;
    std::vector<TFormNode> children;
};

// Loads the bytes of a file named by "@file" (compiler only). Returns false
// when it cannot; the parser then reports the line.
using TFormFileLoader = bool (*)(const std::string& name, std::vector<uint8_t>& bytes, void* context);

// Parses the text form. Raises EReadError("line N: ...") on malformed text.
TFormNode ParseFormText(const std::string& text, TFormFileLoader loader = nullptr, void* context = nullptr);

// The compact binary form of a node tree (the resource), and its reader,
// which raises EReadError on truncated or malformed data.
std::vector<uint8_t> EncodeFormBinary(const TFormNode& root);
TFormNode DecodeFormBinary(const uint8_t* data, size_t size);

} // namespace tf
