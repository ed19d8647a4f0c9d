#include "FileFacts.h"

#include "framework/threads/Threads.h"
#include "support/FileHash.h"

namespace tf {

TFileFacts GatherFileFacts(const std::string& path, const std::function<bool()>& stop)
{
    TFileFacts facts;
    facts.Readable = FileSha256(path, facts.Sha256, stop);
    if (facts.Readable && !(stop && stop())) facts.Signature = CheckSignature(path);
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
