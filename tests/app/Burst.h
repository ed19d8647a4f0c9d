// Bursts of new executables for the guard's tests and benchmark: made by this
// process (not the guard) as fast as it can, and counted in the guard's list.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "GuardProcess.h"
#include "tests/TestClock.h"

namespace guardtest {

// n (at most 100,000) distinct executable names of exactly nameLength
// characters (at least 10), ".exe" included: "b00042.exe", or padded with 'x'
// before the number. All in one folder unless perFolder is given; then every
// perFolder names after the first perFolder go into a subfolder of their own
// ("d01\..."), made by CreateBurst after the watch is armed.
std::vector<std::string> BurstNames(int n, int nameLength, int perFolder = 0);

// Makes the subfolders the names need (before the burst, and after the watch
// was armed: under Wine a subtree watch misses the changes in a folder that
// existed before it, until something opens that folder), then creates every
// name in folder as a tiny "MZ" file, one after the other. Answers the
// milliseconds the files took.
double CreateBurst(const std::string& folder, const std::vector<std::string>& names);

// The number of rows of the guard's list, or -1 when it does not answer
// within timeoutMs.
int ListCount(const GuardProcess& guard, DWORD timeoutMs = 5000);

struct BurstResult {
    int Listed = 0;          // rows when the list stopped growing (or reached want)
    double LastListedMs = 0; // from start to the moment the last new row was seen
    double SlowestAnswerMs = 0;   // the longest the window took to answer a poll
    bool Answered = false;        // the list was found and answered at least once
};
// Polls the list every 20 ms until it holds want rows, or has not grown for
// idleMs; each poll is a message the window must answer.
BurstResult WaitForListed(const GuardProcess& guard, int want, double startMs, DWORD idleMs);

} // namespace guardtest
