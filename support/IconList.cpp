#include "IconList.h"

#include <limits>

#include "framework/core/Streams.h"
#include "framework/core/Strings.h"
#include "framework/core/SysUtils.h"
#include "framework/graphics/Icon.h"

namespace tf {

const TClassInfo& TIconList::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TIconList>("TIconList", TPersistent::StaticClass()).Build();
    return info;
}

TIconList::TIconList() = default;

TIconList::~TIconList()
{
    OnChange.Clear();
    for (auto& icon : FItems)
        if (icon) icon->OnChange.Clear();
}

void TIconList::CheckIndex(int index) const
{
    if (index < 0 || index >= Count()) throw EListError(Format(SListIndexError, index));
}

TIcon* TIconList::Icons(int index) const
{
    CheckIndex(index);
    return FItems[static_cast<size_t>(index)].get();
}

std::unique_ptr<TIcon> TIconList::CopyOf(TIcon* icon)
{
    if (!icon) return nullptr;
    auto copy = std::make_unique<TIcon>();
    copy->Assign(icon);
    copy->OnChange = TNotifyEvent::Of<&TIconList::IconChanged>(this);
    return copy;
}

int TIconList::Add(TIcon* icon)
{
    FItems.push_back(CopyOf(icon));
    Changed();
    return Count() - 1;
}

int TIconList::AddResource(HINSTANCE instance, const std::string& name)
{
    TIcon icon;
    icon.LoadFromResourceName(instance, name);
    return Add(&icon);
}

void TIconList::Put(int index, TIcon* icon)
{
    CheckIndex(index);
    FItems[static_cast<size_t>(index)] = CopyOf(icon);
    Changed();
}

void TIconList::Delete(int index)
{
    CheckIndex(index);
    FItems.erase(FItems.begin() + index);
    Changed();
}

void TIconList::Clear()
{
    if (FItems.empty()) return;
    FItems.clear();
    Changed();
}

void TIconList::Assign(TPersistent* source)
{
    if (source == this) return;
    if (!source) {
        Clear();
        return;
    }
    auto* other = dynamic_cast<TIconList*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    // Copy first: an icon the system refuses leaves this list as it was.
    std::vector<std::unique_ptr<TIcon>> items;
    items.reserve(other->FItems.size());
    for (const auto& icon : other->FItems) items.push_back(CopyOf(icon.get()));
    FItems = std::move(items);
    Changed();
}

void TIconList::EndUpdate()
{
    if (FUpdateCount == 0) return;
    if (--FUpdateCount == 0 && FChangedInUpdate) {
        FChangedInUpdate = false;
        OnChange(this);
    }
}

void TIconList::Changed()
{
    if (FUpdateCount > 0) {
        FChangedInUpdate = true;
        return;
    }
    OnChange(this);
}

void TIconList::IconChanged(TObject*) { Changed(); }

void TIconList::ReadData(TStream& stream)
{
    auto remaining = [&stream] { return stream.Size() - stream.Position(); };
    auto readInt = [&stream, &remaining](const char* what) {
        if (remaining() < 4) throw EReadError(Format("Icon list: the data ends before the %s", what));
        return stream.ReadInt32();
    };

    const int32_t count = readInt("count");
    // Every entry needs at least its size field.
    if (count < 0 || count > remaining() / 4) throw EReadError(Format("Icon list: bad icon count %d", count));

    std::vector<std::unique_ptr<TIcon>> items;
    items.reserve(static_cast<size_t>(count));
    for (int32_t i = 0; i < count; ++i) {
        const int32_t size = readInt("size of an icon");
        if (size <= 0) {
            items.push_back(nullptr);
            continue;
        }
        if (size > remaining()) throw EReadError(Format("Icon list: icon %d claims %d bytes, more than remain", i, size));
        std::vector<uint8_t> bytes(static_cast<size_t>(size));
        stream.ReadBuffer(bytes.data(), size);
        TMemoryStream data(std::move(bytes));
        auto icon = std::make_unique<TIcon>();
        try {
            icon->LoadFromStream(data);
        } catch (const Exception& e) {
            throw EReadError(Format("Icon list: icon %d: %s", i, e.what()));
        }
        icon->OnChange = TNotifyEvent::Of<&TIconList::IconChanged>(this);
        items.push_back(std::move(icon));
    }
    FItems = std::move(items);
    Changed();
}

void TIconList::WriteData(TStream& stream) const
{
    stream.WriteInt32(Count());
    for (const auto& icon : FItems) {
        TMemoryStream data;
        if (icon && !icon->Empty()) icon->SaveToStream(data);
        if (data.Size() > std::numeric_limits<int32_t>::max()) throw EWriteError("Icon list: an icon is too large");
        stream.WriteInt32(static_cast<int32_t>(data.Size()));
        if (data.Size() > 0) stream.WriteBuffer(data.Memory(), static_cast<int32_t>(data.Size()));
    }
}

} // namespace tf
