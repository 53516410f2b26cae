#include "platform/FrameChanges.h"

#include <gtest/gtest.h>
#include <vector>

using namespace platform;

namespace
{

constexpr int kWidth = 40;
constexpr int kHeight = 30;

using Rects = std::vector<WindowRect>;

Rects compare(FrameChanges& changes, const std::vector<uint32_t>& frame)
{
    return changes.compare(frame.data(), kWidth, kHeight, kWidth * 4);
}

} // namespace

TEST(FrameChanges, TellsTheBandsThatDifferFromTheLastFrame)
{
    const std::vector<uint32_t> base(kWidth * kHeight, 0xFF102030u);
    struct Case
    {
        const char* what;
        std::vector<std::pair<int, int>> changedPixels; // x, y
        Rects expected;
    } cases[] = {
        {"nothing", {}, {}},
        {"one pixel", {{5, 7}}, {{5, 7, 1, 1}}},
        {"the corners", {{0, 0}, {kWidth - 1, kHeight - 1}}, {{0, 0, 1, 1}, {kWidth - 1, kHeight - 1, 1, 1}}},
        // Neighbouring rows make one band as wide as all their changes.
        {"a diagonal", {{3, 10}, {9, 11}, {6, 12}}, {{3, 10, 7, 3}}},
        {"two bands", {{1, 2}, {30, 20}, {31, 21}}, {{1, 2, 1, 1}, {30, 20, 2, 2}}},
    };
    for (const Case& c : cases)
    {
        FrameChanges changes;
        EXPECT_EQ(compare(changes, base), (Rects{{0, 0, kWidth, kHeight}}))
            << "a first frame is new everywhere";
        std::vector<uint32_t> next = base;
        for (const auto& [x, y] : c.changedPixels)
            next[size_t(y * kWidth + x)] ^= 0x00010000u;
        EXPECT_EQ(compare(changes, next), c.expected) << c.what;
        // The changed frame is now the one remembered, and going back changes the same places.
        EXPECT_EQ(compare(changes, next), Rects{}) << c.what;
        EXPECT_EQ(compare(changes, base), c.expected) << c.what;
    }
}

TEST(FrameChanges, AFrameOfAnotherSizeOrAfterForgettingIsNewEverywhere)
{
    FrameChanges changes;
    const std::vector<uint32_t> frame(kWidth * kHeight, 7u);
    compare(changes, frame);
    changes.forget();
    EXPECT_EQ(compare(changes, frame), (Rects{{0, 0, kWidth, kHeight}}));
    EXPECT_EQ(changes.compare(frame.data(), kWidth / 2, kHeight, kWidth * 4),
              (Rects{{0, 0, kWidth / 2, kHeight}}));
    // Rows are read with their pitch, not packed.
    EXPECT_EQ(changes.compare(frame.data(), kWidth / 2, kHeight, kWidth * 4), Rects{});
}
