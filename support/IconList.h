// TIconList: an ordered list of icons that it owns, for example the frames of
// an animated notification-area icon. An entry may be missing (null): stored
// data keeps the position of an icon that had no image.
//
// Stored form: a 32-bit count, then for each entry a 32-bit byte size and
// that many bytes of icon-file data; a missing or empty icon is written with
// size 0, and a size of 0 or less reads back as a missing entry.
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/core/Object.h"

namespace tf {

class TIcon;
class TStream;

class TIconList : public TPersistent {
    TF_CLASS(TIconList)
public:
    TIconList();
    ~TIconList() override;
    TIconList(const TIconList&) = delete;
    TIconList& operator=(const TIconList&) = delete;

    int Count() const { return static_cast<int>(FItems.size()); }
    // The icon at index, or null for a missing entry. A bad index raises EListError.
    TIcon* Icons(int index) const;
    TIcon* operator[](int index) const { return Icons(index); }

    // Appends a copy of icon (null appends a missing entry); answers its index.
    int Add(TIcon* icon);
    // Appends an icon resource of a module (EResNotFound when there is none).
    int AddResource(HINSTANCE instance, const std::string& name);
    // Replaces the entry at index with a copy of icon (null: missing).
    void Put(int index, TIcon* icon);
    void Delete(int index);
    void Clear();
    // Copies another list's entries (null: empties this list).
    void Assign(TPersistent* source) override;

    // Changes between BeginUpdate and the matching EndUpdate fire OnChange
    // once, at the end.
    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate();

    // The stored form. Reading is all-or-nothing: malformed data raises
    // EReadError and leaves the list as it was.
    void ReadData(TStream& stream);
    void WriteData(TStream& stream) const;

    // Fires after every change (also of an owned icon) outside an update.
    TNotifyEvent OnChange;

private:
    std::unique_ptr<TIcon> CopyOf(TIcon* icon);
    void CheckIndex(int index) const;
    void Changed();
    void IconChanged(TObject* sender);

    std::vector<std::unique_ptr<TIcon>> FItems;
    int FUpdateCount = 0;
    bool FChangedInUpdate = false;
};

} // namespace tf
