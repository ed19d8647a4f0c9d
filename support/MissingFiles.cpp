#include "MissingFiles.h"

#include "support/FileExists.h"

namespace tf {

TMissingFilesCheck::TMissingFilesCheck(std::vector<std::string> paths, TResult result)
    : FPaths(std::move(paths)), FResult(std::move(result))
{
    Resume();
}

TMissingFilesCheck::~TMissingFilesCheck() { TerminateAndWait(); }

void TMissingFilesCheck::Execute()
{
    std::vector<std::string> missing;
    for (const std::string& path : FPaths) {
        if (Terminated()) return;
        if (!FileExistsAsFile(path)) missing.push_back(path);
    }
    // The flag is set on the user-interface thread, where this runs: a set
    // flag means the receiver may be gone.
    Synchronize([&] {
        if (!Terminated()) FResult(missing);
    });
}

} // namespace tf
