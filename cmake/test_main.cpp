// One doctest main for every test program: each test case's duration is
// printed, so the run command can name the slowest cases. Fixtures shared by
// the cases are freed when the run ends.
#define DOCTEST_CONFIG_IMPLEMENT
#include <doctest.h>

#include "tests/kit/RunEnd.h"

int main(int argc, char** argv)
{
    doctest::Context context;
    context.setOption("duration", true);
    context.applyCommandLine(argc, argv);
    const int result = context.run();
    tftest::RunEnd();
    return result;
}
