// String lists: the abstract TStrings (a list control's items, a memo's
// lines) and the in-memory TStringList. Each string carries an integer.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "Object.h"

// windows.h may define GetObject as a macro; the member keeps its own name.
#pragma push_macro("GetObject")
#undef GetObject

namespace tf {

class TStrings : public TPersistent {
    TF_CLASS(TStrings)
public:
    virtual int Count() const = 0;
    virtual std::string Get(int index) const = 0;
    virtual void Put(int index, const std::string& s);
    virtual intptr_t GetObject(int index) const;
    virtual void PutObject(int index, intptr_t value);
    virtual void Insert(int index, const std::string& s) = 0;
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;

    std::string operator[](int index) const { return Get(index); }
    int Add(const std::string& s);
    int AddObject(const std::string& s, intptr_t value);
    virtual int IndexOf(const std::string& s) const;   // ignores ASCII letter case

    // Lines joined with CR LF, each one ended; setting splits at CR, LF or CR LF.
    std::string Text() const;
    void SetText(const std::string& text);
    // Reads from the stream's position to its end; a NUL byte ends the text.
    void LoadFromStream(TStream& stream);
    void SaveToStream(TStream& stream) const;
    void LoadFromFile(const std::string& fileName);
    void SaveToFile(const std::string& fileName) const;

    void BeginUpdate();
    void EndUpdate();
    bool Updating() const { return FUpdateCount > 0; }
    void Assign(TPersistent* source) override;

    TNotifyEvent OnChange;

protected:
    virtual void SetUpdateState(bool updating);
    void Changed();   // fires OnChange unless updating

private:
    int FUpdateCount = 0;
};

// Splits text into lines at CR, LF or CR LF; a NUL ends the text. A final
// line break adds no line.
std::vector<std::string> SplitLines(const std::string& text);

class TStringList : public TStrings {
    TF_CLASS(TStringList)
public:
    int Count() const override { return static_cast<int>(FItems.size()); }
    std::string Get(int index) const override;
    void Put(int index, const std::string& s) override;
    intptr_t GetObject(int index) const override;
    void PutObject(int index, intptr_t value) override;
    void Insert(int index, const std::string& s) override;
    void Delete(int index) override;
    void Clear() override;

private:
    void Check(int index) const;
    struct Item {
        std::string Text;
        intptr_t Object = 0;
    };
    std::vector<Item> FItems;
};

// The framework's text for a bad list index (GBK at run time).
extern const char* const SListIndexError;   // "列表索引越界 (%d)"

} // namespace tf

#pragma pop_macro("GetObject")
