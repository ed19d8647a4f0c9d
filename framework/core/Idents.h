// Integer identifiers that stored data may use for integer properties
// ("clBtnFace", "crHandPoint"). Each layer registers its own table.
#pragma once
#include <cstdint>
#include <string>

namespace tf {

struct TIdentMapEntry {
    int32_t Value;
    const char* Name;
};

// The table must outlive the program (a static array).
void RegisterIntegerIdents(const TIdentMapEntry* table, int count);
bool IdentToInt(const std::string& ident, int32_t& value);   // case-insensitive
bool IntToIdent(int32_t value, std::string& ident);          // first registered match

} // namespace tf
