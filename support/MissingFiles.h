// Which of a list of files no longer exist, found on a thread of its own, so
// that the user-interface thread never waits for the file system while a long
// list is checked. Windows only.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "framework/threads/Threads.h"

namespace tf {

class TMissingFilesCheck : public TThread {
public:
    // Runs on the user-interface thread with the paths that were not found
    // as files (FileExistsAsFile), in list order.
    using TResult = std::function<void(const std::vector<std::string>& missing)>;

    // Starts at once. Deleting the check stops it and waits for it; a result
    // not yet handed over is then dropped.
    TMissingFilesCheck(std::vector<std::string> paths, TResult result);
    ~TMissingFilesCheck() override;

protected:
    void Execute() override;

private:
    std::vector<std::string> FPaths;
    TResult FResult;
};

} // namespace tf
