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
// characters (at least 10), ".exe" included: "b00042.exe", or padded with 'x' before the number. Past
// the first 1,000 they go into subfolders of 1,000 ("d01\..."): Wine looks
// through the whole folder for every file it creates, so a burst into one
// folder of 20,000 would measure that rather than the guard.
std::vector<std::string> BurstNames(int n, int nameLength);

// Makes the subfolders the names need (before the burst, so that the watch
// has taken them in), then creates every name in folder as a tiny "MZ" file,
// one after the other. Answers the milliseconds the files took.
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
