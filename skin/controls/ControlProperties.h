// Reading and writing a control's published properties by name, so that a
// skinner handles every control class with the same property names alike.
// Names ignore letter case; a null instance or a missing property (or one of
// another kind) gives the default: -1, "" or null.
#pragma once
#include <cstdint>
#include <string>

namespace tf {

class TObject;

// An integer-kind property.
int64_t ReadIntProperty(TObject* instance, const std::string& name);
// The identifier of an enumeration property's value as stored ("tsTabs").
std::string ReadEnumProperty(TObject* instance, const std::string& name);
// The identifier in lower case, as the skinners compare it ("tstabs").
std::string ReadEnumLower(TObject* instance, const std::string& name);
// A string property as wide text (ANSI kinds converted from the code page).
std::wstring ReadTextProperty(TObject* instance, const std::string& name);
// The object of a class-kind property (a font, bitmap, image list, control).
TObject* ReadObjectProperty(TObject* instance, const std::string& name);
// Integer kind: the text as a number; enumeration: by identifier; string
// kinds: the text. Other kinds, and text that does not convert, change nothing.
void WriteProperty(TObject* instance, const std::string& name, const std::string& text);
// A class-kind property given an object (a bitmap property copies it); false
// when there is no such property.
bool AssignObjectProperty(TObject* instance, const std::string& name, TObject* value);

} // namespace tf
