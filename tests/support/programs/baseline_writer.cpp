// A program the baseline tests end while it writes:
//   baseline_writer <file> <entries>   writes a baseline of that many long entries
#include <cstdlib>
#include <string>
#include <vector>

#include "support/Baseline.h"

int main(int argc, char** argv)
{
    if (argc < 3) return 2;
    std::vector<std::string> entries(static_cast<size_t>(std::atoi(argv[2])),
                                     "c:\\a folder with a long name\\" + std::string(160, 'x') + ".exe");
    try {
        tf::WriteBaseline(argv[1], entries);
    } catch (...) {
        return 1;
    }
    return 0;
}
