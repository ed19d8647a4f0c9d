#include "skin/data/SkinLimits.h"

#include "framework/core/SysUtils.h"

namespace tf {

std::string FrameBeyondScreen(const TFrameSides& sides, int screenWidth, int screenHeight)
{
    struct Side {
        const char* name;
        int size, screen;
    };
    const Side all[] = {{"top (caption)", sides.Top, screenHeight},
                        {"bottom", sides.Bottom, screenHeight},
                        {"left", sides.Left, screenWidth},
                        {"right", sides.Right, screenWidth}};
    for (const Side& s : all)
        if (s.screen > 0 && int64_t{s.size} * 4 > s.screen)
            return Format("its frame's %s side is %d pixels, more than a quarter of the %d-pixel screen", s.name,
                          s.size, s.screen);
    return {};
}

} // namespace tf
