// Records the messages that reach a framework control's handler: installed
// over whatever handler the control has (a skinner's included), it logs each
// message it keeps and hands every one on. Restore() puts the handler it
// found back; at its end it does so itself unless another handler went on
// top of it meanwhile (one installed under a skinner stays under it).
#pragma once
#include <windows.h>

#include <functional>
#include <set>
#include <utility>

#include "framework/controls/Controls.h"
#include "tests/kit/MessageLog.h"

namespace tftest {

class THandlerRecorder : public tf::TObject {
public:
    using TKeep = std::function<bool(const tf::TMessage&)>;

    // Keeps every message, or those keep() answers true for.
    explicit THandlerRecorder(tf::TControl* c, TKeep keep = nullptr)
        : FControl(c), FSaved(c->WindowProc), FKeep(std::move(keep))
    {
        c->WindowProc = Handler();
    }
    // Keeps the messages of `only` (all when it is empty).
    THandlerRecorder(tf::TControl* c, std::set<UINT> only)
        : THandlerRecorder(c, only.empty() ? TKeep() : TKeep([only](const tf::TMessage& m) { return only.count(m.Msg) > 0; }))
    {
    }
    ~THandlerRecorder() override
    {
        if (!FRestored && FControl->WindowProc == Handler()) Restore();
    }
    THandlerRecorder(const THandlerRecorder&) = delete;
    THandlerRecorder& operator=(const THandlerRecorder&) = delete;

    void Proc(tf::TMessage& m)
    {
        if (!FKeep || FKeep(m)) {
            Log.Add(nullptr, m.Msg, Via::Called, m.WParam, m.LParam);
            if (OnKept) OnKept(m);
        }
        FSaved(m);
    }
    void Restore()
    {
        FControl->WindowProc = FSaved;
        FRestored = true;
    }
    tf::TWndMethod Handler() const { return tf::TWndMethod::Of<&THandlerRecorder::Proc>(const_cast<THandlerRecorder*>(this)); }
    tf::TWndMethod Saved() const { return FSaved; }

    MessageLog Log;
    // Called for each kept message before it is handed on (to read what
    // its parameters point at while they are valid).
    std::function<void(tf::TMessage&)> OnKept;

private:
    tf::TControl* FControl;
    tf::TWndMethod FSaved;
    TKeep FKeep;
    bool FRestored = false;
};

} // namespace tftest
