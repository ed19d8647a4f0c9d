// The skin's definition text held in memory: sections of "key=value" lines,
// looked up by section and key with ASCII letter case ignored. Read-only.
#pragma once
#include <cstdint>
#include <string>

#include "framework/core/Streams.h"
#include "framework/core/Strings.h"

namespace tf {

class TQuickIni {
public:
    TQuickIni() = default;
    TQuickIni(const TQuickIni&) = delete;
    TQuickIni& operator=(const TQuickIni&) = delete;

    // Replaces the content with the text from the stream's position to its
    // end. Lines end at CR, LF or CR LF; a NUL byte ends the text; lines are
    // trimmed; empty lines and lines starting with ";" are dropped. nullptr
    // leaves the content unchanged.
    void LoadFromStream(TStream* stream);

    // The section names without brackets, in file order (duplicates kept).
    // Fails with EAssertionFailed when strings is nullptr.
    void ReadSections(TStrings* strings) const;

    // The value of the first line with that key in the first section of that
    // name; def when the section, the key or the value is missing or empty.
    std::string ReadString(const std::string& section, const std::string& key, const std::string& def) const;

    // ReadString converted to an integer ("0x" and "$" prefixes give hex);
    // def when it does not convert.
    int32_t ReadInteger(const std::string& section, const std::string& key, int32_t def) const;

    // Index in Lines() of the first header "[section]", or -1.
    int FindSection(const std::string& section) const;

    const TStringList& Lines() const { return FLines; }
    // Headers with brackets; each one's object is its index in Lines().
    const TStringList& Sections() const { return FSections; }

private:
    TStringList FLines;
    TStringList FSections;
};

} // namespace tf
