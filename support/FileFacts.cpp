#include "FileFacts.h"

#include <windows.h>

#include "framework/core/SysUtils.h"
#include "framework/threads/Threads.h"
#include "framework/threads/WinHandle.h"
#include "support/FileHash.h"
#include "support/Wow64.h"

namespace tf {

TFileFacts GatherFileFacts(const std::string& path, const std::function<bool()>& stop)
{
    TFileFacts facts;
    // One open for both: a file put in the path's place between the two
    // cannot lend its signature to the other's hash.
    const std::wstring native = AnsiToWide(NativeFilePath(path));
    const TKernelHandle file(CreateFileW(native.c_str(), GENERIC_READ,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                         OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file.Valid()) return facts;
    facts.Readable = HandleSha256(file.Get(), facts.Sha256, stop);
    if (facts.Readable && !(stop && stop())) facts.Signature = CheckSignature(file.Get(), native);
    return facts;
}

namespace {

class TFactsWorker : public TThread {
public:
    TFactsWorker(std::string path, TFileFactsJob::TResult result, std::shared_ptr<std::atomic<bool>> dropped,
                 std::shared_ptr<std::atomic<bool>> done)
        : FPath(std::move(path)), FResult(std::move(result)), FDropped(std::move(dropped)), FDone(std::move(done))
    {
        SetFreeOnTerminate(true);
    }

protected:
    void Execute() override
    {
        TFileFacts facts;
        try {
            facts = GatherFileFacts(FPath, [this] { return FDropped->load(); });
        } catch (...) {
            facts = TFileFacts();   // nothing could be read
        }
        // The flag is set on the user-interface thread, where this runs: a
        // clear flag means the job, and whoever holds it, is still there.
        Synchronize([&] {
            if (FDropped->load()) return;
            *FDone = true;
            FResult(facts);
        });
    }

private:
    std::string FPath;
    TFileFactsJob::TResult FResult;
    std::shared_ptr<std::atomic<bool>> FDropped, FDone;
};

} // namespace

TFileFactsJob::TFileFactsJob(const std::string& path, TResult result)
{
    (new TFactsWorker(path, std::move(result), FDropped, FDone))->Resume();
}

TFileFactsJob::~TFileFactsJob() { *FDropped = true; }

} // namespace tf
