#include <doctest.h>
#include "skin/window/FrameLayout.h"
TEST_CASE("placeholder") { CHECK(tf::frame::DialogGrowthShift(10, 14) == 2); }
