// Work left for the end of a test program's run: a fixture built once for
// several test cases is freed there, after the last case and before the
// program's static objects go. The test main runs it (RunEnd).
#pragma once
#include <functional>
#include <utility>
#include <vector>

namespace tftest {

inline std::vector<std::function<void()>>& RunEndActions()
{
    static std::vector<std::function<void()>> actions;
    return actions;
}

// Runs action at the end of the run (the last registered first).
inline void AtRunEnd(std::function<void()> action) { RunEndActions().push_back(std::move(action)); }

inline void RunEnd()
{
    std::vector<std::function<void()>>& actions = RunEndActions();
    while (!actions.empty()) {
        std::function<void()> action = std::move(actions.back());
        actions.pop_back();
        action();
    }
}

} // namespace tftest
