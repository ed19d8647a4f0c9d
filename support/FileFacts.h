// What a file's own contents cannot fake: its SHA-256 and its signature,
// worked out on a thread of its own (a large file takes seconds) and handed
// to the user-interface thread. Windows only.
#pragma once
#include <atomic>
#include <functional>
#include <memory>
#include <string>

#include "support/Signature.h"

namespace tf {

struct TFileFacts {
    bool Readable = false;   // the file could be opened and read to its end
    std::string Sha256;      // lower-case hex; empty when not readable
    TSignatureCheck Signature;
};

// Facts that depend on nothing but the file (no window, no thread).
TFileFacts GatherFileFacts(const std::string& path, const std::function<bool()>& stop = {});

// One computation. The result runs on the user-interface thread (through
// the thread class's synchronous hand-off) unless the job was dropped first.
// Dropping never waits: a signature check under way cannot be stopped, so
// the worker finishes on its own, frees itself and delivers nothing; a hash
// under way stops at its next chunk.
class TFileFactsJob {
public:
    using TResult = std::function<void(const TFileFacts& facts)>;
    // Starts at once. Create and drop it on the user-interface thread.
    TFileFactsJob(const std::string& path, TResult result);
    ~TFileFactsJob();   // drops it
    TFileFactsJob(const TFileFactsJob&) = delete;
    TFileFactsJob& operator=(const TFileFactsJob&) = delete;

    bool Done() const { return *FDone; }

private:
    std::shared_ptr<std::atomic<bool>> FDropped = std::make_shared<std::atomic<bool>>(false);
    std::shared_ptr<std::atomic<bool>> FDone = std::make_shared<std::atomic<bool>>(false);
};

} // namespace tf
