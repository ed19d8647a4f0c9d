#include "skin/data/SkinDataEvents.h"

#include <algorithm>
#include <vector>

namespace tf {

namespace {

std::vector<TSkinDataListener*>& Listeners()
{
    static std::vector<TSkinDataListener*> listeners;
    return listeners;
}

// Delivers to a snapshot, skipping a listener that left meanwhile.
template <class Call>
void Raise(Call call)
{
    const std::vector<TSkinDataListener*> snapshot = Listeners();
    for (TSkinDataListener* l : snapshot) {
        const auto& now = Listeners();
        if (std::find(now.begin(), now.end(), l) != now.end()) call(*l);
    }
}

} // namespace

void SubscribeSkinData(TSkinDataListener* listener)
{
    auto& list = Listeners();
    if (listener && std::find(list.begin(), list.end(), listener) == list.end()) list.push_back(listener);
}

void UnsubscribeSkinData(TSkinDataListener* listener)
{
    auto& list = Listeners();
    list.erase(std::remove(list.begin(), list.end(), listener), list.end());
}

bool SkinDataListened() { return !Listeners().empty(); }

void RaiseSkinDataLoaded(TSkinData& data)
{
    Raise([&](TSkinDataListener& l) { l.SkinDataLoaded(data); });
}

void RaiseSkinDataActiveChanged(TSkinData& data)
{
    Raise([&](TSkinDataListener& l) { l.SkinDataActiveChanged(data); });
}

void RaiseSkinDataNewSkin(TSkinData& data)
{
    Raise([&](TSkinDataListener& l) { l.SkinDataNewSkin(data); });
}

void RaiseSkinDataGone(TSkinData& data)
{
    Raise([&](TSkinDataListener& l) { l.SkinDataGone(data); });
}

} // namespace tf
