#include "framework/app/WindowPlacement.h"

#include <gtest/gtest.h>
#include <utility>

using namespace Quib;

TEST(WindowPlacement, CentredOrKeptInsideTheWorkArea)
{
    const platform::WindowRect area{0, 30, 1920, 1050};
    const struct
    {
        int x, y;
        platform::WindowRect expected;
    } cases[] = {
        {-1, -1, {560, 30 + 171, 800, 600}}, // (1050 - 600) x 0.382 = 171.9
        {100, 200, {100, 200, 800, 600}},    {0, 0, {4, 34, 800, 600}},
        {1500, 900, {1116, 476, 800, 600}}, // ends 4 pixels before the right and bottom edges
        {-50, -1, {4, 34, 800, 600}},       // only both unset means centred
    };
    for (const auto& c : cases)
        EXPECT_EQ(PlaceMainWindow(area, 800, 600, c.x, c.y), c.expected) << c.x << "," << c.y;
}

// A window taller or wider than the work area keeps its title bar on the screen.
TEST(WindowPlacement, TitleBarStaysOnTheWorkArea)
{
    const platform::WindowRect area{0, 24, 800, 576};
    for (const auto& [x, y] : {std::pair{-1, -1}, std::pair{300, 300}, std::pair{0, 0}})
    {
        const platform::WindowRect placed = PlaceMainWindow(area, 816, 648, x, y);
        EXPECT_EQ(placed.x, 0) << x << "," << y;
        EXPECT_EQ(placed.y, 24) << x << "," << y;
    }
}
