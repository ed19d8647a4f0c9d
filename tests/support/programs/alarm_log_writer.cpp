// Appends numbered lines to the alarm log in the folder given until it is
// ended from outside: the test ends it mid-stream and reads what is left.
#include <string>

#include "support/AlarmLog.h"

int main(int argc, char** argv)
{
    if (argc < 2) return 2;
    // The folder comes without its last backslash, which would escape the closing quote.
    tf::TAlarmLog log(std::string(argv[1]) + "\\");
    // Long paths, so that a line takes many bytes to write.
    const std::string folder = "C:\\" + std::string(200, 'd') + "\\";
    for (unsigned n = 0;; ++n) {
        const std::string path = folder + std::to_string(n) + ".exe";
        if (!log.Append(tf::AlarmLogLine(tf::LocalTimeStamp(), tf::TAlarmEvent::Flagged, path, n, std::string(64, 'a'))))
            return 1;
    }
}
