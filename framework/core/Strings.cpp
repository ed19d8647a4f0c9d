#include "Strings.h"

#include "Streams.h"
#include "SysUtils.h"

namespace tf {

const char* const SListIndexError = "列表索引越界 (%d)";

const TClassInfo& TStrings::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TStrings>("TStrings", TPersistent::StaticClass()).Build();
    return info;
}

const TClassInfo& TStringList::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TStringList>("TStringList", TStrings::StaticClass()).Build();
    return info;
}

void TStrings::Put(int index, const std::string& s)
{
    const intptr_t obj = GetObject(index);
    Delete(index);
    Insert(index, s);
    PutObject(index, obj);
}

intptr_t TStrings::GetObject(int) const { return 0; }
void TStrings::PutObject(int, intptr_t) {}

int TStrings::Add(const std::string& s)
{
    const int i = Count();
    Insert(i, s);
    return i;
}

int TStrings::AddObject(const std::string& s, intptr_t value)
{
    const int i = Add(s);
    PutObject(i, value);
    return i;
}

int TStrings::IndexOf(const std::string& s) const
{
    for (int i = 0, n = Count(); i < n; ++i)
        if (SameTextAscii(Get(i), s)) return i;
    return -1;
}

std::string TStrings::Text() const
{
    std::string out;
    for (int i = 0, n = Count(); i < n; ++i) out += Get(i) + "\r\n";
    return out;
}

std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t i = 0;
    const size_t n = text.size();
    while (i < n && text[i] != '\0') {
        const size_t start = i;
        while (i < n && text[i] != '\r' && text[i] != '\n' && text[i] != '\0') ++i;
        lines.push_back(text.substr(start, i - start));
        if (i < n && text[i] == '\r') {
            ++i;
            if (i < n && text[i] == '\n') ++i;
        } else if (i < n && text[i] == '\n') {
            ++i;
        }
    }
    return lines;
}

void TStrings::SetText(const std::string& text)
{
    BeginUpdate();
    try {
        Clear();
        for (const std::string& line : SplitLines(text)) Add(line);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TStrings::LoadFromStream(TStream& stream)
{
    const int64_t size = stream.Size() - stream.Position();
    std::string text(static_cast<size_t>(size > 0 ? size : 0), '\0');
    if (!text.empty()) stream.ReadBuffer(text.data(), static_cast<int32_t>(text.size()));
    SetText(text);
}

void TStrings::SaveToStream(TStream& stream) const
{
    const std::string text = Text();
    stream.WriteBuffer(text.data(), static_cast<int32_t>(text.size()));
}

void TStrings::LoadFromFile(const std::string& fileName)
{
    TFileStream f(fileName, fmOpenRead);
    LoadFromStream(f);
}

void TStrings::SaveToFile(const std::string& fileName) const
{
    TFileStream f(fileName, fmCreate);
    SaveToStream(f);
}

void TStrings::BeginUpdate()
{
    if (FUpdateCount++ == 0) SetUpdateState(true);
}

void TStrings::EndUpdate()
{
    if (FUpdateCount > 0 && --FUpdateCount == 0) {
        SetUpdateState(false);
        Changed();
    }
}

void TStrings::SetUpdateState(bool) {}

void TStrings::Changed()
{
    if (FUpdateCount == 0) OnChange(this);
}

void TStrings::Assign(TPersistent* source)
{
    if (auto* s = dynamic_cast<TStrings*>(source)) {
        BeginUpdate();
        try {
            Clear();
            for (int i = 0, n = s->Count(); i < n; ++i) AddObject(s->Get(i), s->GetObject(i));
        } catch (...) {
            EndUpdate();
            throw;
        }
        EndUpdate();
        return;
    }
    TPersistent::Assign(source);
}

// --- TStringList ---

void TStringList::Check(int index) const
{
    if (index < 0 || index >= Count()) throw EListError(Format(SListIndexError, index));
}

std::string TStringList::Get(int index) const
{
    Check(index);
    return FItems[static_cast<size_t>(index)].Text;
}

void TStringList::Put(int index, const std::string& s)
{
    Check(index);
    FItems[static_cast<size_t>(index)].Text = s;
    Changed();
}

intptr_t TStringList::GetObject(int index) const
{
    Check(index);
    return FItems[static_cast<size_t>(index)].Object;
}

void TStringList::PutObject(int index, intptr_t value)
{
    Check(index);
    FItems[static_cast<size_t>(index)].Object = value;
}

void TStringList::Insert(int index, const std::string& s)
{
    if (index < 0 || index > Count()) throw EListError(Format(SListIndexError, index));
    FItems.insert(FItems.begin() + index, Item{s, 0});
    Changed();
}

void TStringList::Delete(int index)
{
    Check(index);
    FItems.erase(FItems.begin() + index);
    Changed();
}

void TStringList::Clear()
{
    if (FItems.empty()) return;
    FItems.clear();
    Changed();
}

} // namespace tf
