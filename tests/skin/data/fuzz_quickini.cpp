// Fuzzes the skin definition reader: loading any text and asking for every
// section and key it holds.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "skin/data/WinSkinIni.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    tf::TQuickIni ini;
    tf::TMemoryStream s(std::vector<uint8_t>(data, data + size));
    ini.LoadFromStream(&s);
    tf::TStringList sections;
    ini.ReadSections(&sections);
    if (sections.Count() != ini.Sections().Count()) std::abort();
    const int lines = ini.Lines().Count() < 200 ? ini.Lines().Count() : 200;
    for (int i = 0; i < sections.Count() && i < 20; ++i) {
        for (int j = 0; j < lines; ++j) {
            const std::string line = ini.Lines()[j];
            const std::string key = line.substr(0, line.find('='));
            const std::string v = ini.ReadString(sections[i], key, "\x01");
            if (v.empty()) std::abort();   // an empty value always gives the default
            ini.ReadInteger(sections[i], key, 0);
        }
    }
    return 0;
}
