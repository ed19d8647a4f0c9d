// The events of the skin data components. A component holds its skin and
// raises these as things happen to it; the layer that skins windows (the
// program's skin engine) subscribes and acts on them. The data layer never
// calls that layer itself: with nobody subscribed, nothing is skinned, and a
// component that loads says so through its error path.
//
// Events are raised on the user-interface thread, to the listeners in the
// order they subscribed. A listener may unsubscribe itself, or another,
// while an event is delivered.
#pragma once

namespace tf {

class TSkinData;

class TSkinDataListener {
public:
    virtual ~TSkinDataListener() = default;
    // The component's form data has been read (Loaded, at run time): it takes
    // part in skinning from now on. Its own state is settled before the event
    // (Active is false when it holds no parsed skin).
    virtual void SkinDataLoaded(TSkinData& data) = 0;
    // Active changed at run time, not while the component is read or designed.
    virtual void SkinDataActiveChanged(TSkinData& data) = 0;
    // A skin was loaded into the component at run time (SkinFile), whatever
    // the load gave (FNoSkin tells).
    virtual void SkinDataNewSkin(TSkinData& data) = 0;
    // The component is being destroyed: nothing may keep it after this.
    virtual void SkinDataGone(TSkinData& data) = 0;
};

// Adds a listener (once) or removes it; the caller keeps it alive while
// subscribed.
void SubscribeSkinData(TSkinDataListener* listener);
void UnsubscribeSkinData(TSkinDataListener* listener);
// Whether anybody listens (a skin engine exists).
bool SkinDataListened();

// Raised by TSkinData.
void RaiseSkinDataLoaded(TSkinData& data);
void RaiseSkinDataActiveChanged(TSkinData& data);
void RaiseSkinDataNewSkin(TSkinData& data);
void RaiseSkinDataGone(TSkinData& data);

} // namespace tf
