// One doctest main for every test program: each test case's duration is
// printed, so the run command can name the slowest cases.
#define DOCTEST_CONFIG_IMPLEMENT
#include <doctest.h>

int main(int argc, char** argv)
{
    doctest::Context context;
    context.setOption("duration", true);
    context.applyCommandLine(argc, argv);
    return context.run();
}
