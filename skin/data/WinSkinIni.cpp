#include "WinSkinIni.h"

#include "framework/core/SysUtils.h"

namespace tf {

namespace {

bool IsHeader(const std::string& line)
{
    return !line.empty() && line.front() == '[' && line.back() == ']';
}

// The key of a line: the text before the first "=", trimmed and lower-cased;
// empty for a line without "=".
std::string KeyOf(const std::string& line)
{
    const size_t eq = line.find('=');
    if (eq == std::string::npos) return {};
    return LowerCaseAscii(Trim(line.substr(0, eq)));
}

} // namespace

void TQuickIni::LoadFromStream(TStream* stream)
{
    if (!stream) return;
    const int64_t left = stream->Size() - stream->Position();
    std::string text(static_cast<size_t>(left > 0 ? left : 0), '\0');
    if (!text.empty()) text.resize(static_cast<size_t>(stream->Read(text.data(), static_cast<int32_t>(text.size()))));

    FLines.BeginUpdate();
    FSections.BeginUpdate();
    try {
        FLines.Clear();
        FSections.Clear();
        for (const std::string& raw : SplitLines(text)) {
            const std::string line = Trim(raw);
            if (line.empty() || line.front() == ';') continue;
            const int index = FLines.Add(line);
            if (IsHeader(line)) FSections.AddObject(line, index);
        }
    } catch (...) {
        FSections.EndUpdate();
        FLines.EndUpdate();
        throw;
    }
    FSections.EndUpdate();
    FLines.EndUpdate();
}

void TQuickIni::ReadSections(TStrings* strings) const
{
    Assert(strings != nullptr, "The parameter Strings is unassigned!", "WinSkinIni");
    strings->BeginUpdate();
    try {
        strings->Clear();
        for (int i = 0; i < FSections.Count(); ++i) {
            std::string name = Trim(FSections[i]);
            name = name.size() >= 2 ? name.substr(1, name.size() - 2) : std::string();
            strings->Add(Trim(name));
        }
    } catch (...) {
        strings->EndUpdate();
        throw;
    }
    strings->EndUpdate();
}

int TQuickIni::FindSection(const std::string& section) const
{
    std::string header;
    header.reserve(section.size() + 2);
    header += '[';
    header += section;
    header += ']';
    const int i = FSections.IndexOf(header);
    return i < 0 ? -1 : static_cast<int>(FSections.GetObject(i));
}

std::string TQuickIni::ReadString(const std::string& section, const std::string& key, const std::string& def) const
{
    if (FLines.Count() == 0) return def;
    const int header = FindSection(section);
    if (header < 0) return def;
    const std::string wanted = LowerCaseAscii(key);
    for (int i = header + 1; i < FLines.Count(); ++i) {
        const std::string line = FLines[i];
        if (IsHeader(line)) break;
        const std::string lineKey = KeyOf(line);
        if (lineKey != wanted) continue;
        const size_t eq = line.find('=');
        if (eq == std::string::npos || lineKey.empty()) return def;
        const std::string value = Trim(line.substr(eq + 1));
        return value.empty() ? def : value;
    }
    return def;
}

int32_t TQuickIni::ReadInteger(const std::string& section, const std::string& key, int32_t def) const
{
    std::string s = ReadString(section, key, "");
    if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) s.replace(0, 2, 1, '$');
    return StrToIntDef(s, def);
}

} // namespace tf
