// The built-in class-to-skinner map of the skin data component: lines of a
// control class name, "=" and a skinner kind, for control classes of other
// vendors that behave like a standard control.
#pragma once
#include <span>

namespace tf {

class TStrings;

// The 118 built-in lines, in their stored order.
std::span<const char* const> BuiltinSkin3rd();

// Replaces the lines of list with the built-in ones.
void FillBuiltinSkin3rd(TStrings& list);

} // namespace tf
