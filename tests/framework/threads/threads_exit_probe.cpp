// Returns from main while one worker is blocked in Synchronize and another in
// an endless wait; the process must still end, with exit code 7.
#include <windows.h>

#include "framework/threads/Threads.h"

namespace {

class TBlockedWorker : public tf::TThread {
public:
    explicit TBlockedWorker(bool sync) : FSync(sync) {}
    HANDLE Ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);

protected:
    void Execute() override
    {
        SetEvent(Ready);
        if (FSync)
            Synchronize([] { Sleep(INFINITE); });   // never served: main does not pump
        else
            Sleep(INFINITE);
    }

private:
    bool FSync;
};

} // namespace

int main()
{
    tf::InitThreads();
    auto* a = new TBlockedWorker(true);
    auto* b = new TBlockedWorker(false);
    a->SetFreeOnTerminate(true);
    b->SetFreeOnTerminate(true);
    a->Resume();
    b->Resume();
    WaitForSingleObject(a->Ready, 5000);
    WaitForSingleObject(b->Ready, 5000);
    Sleep(100);
    return 7;
}
