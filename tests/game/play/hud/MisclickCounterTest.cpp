#include "game/play/hud/MisclickCounter.h"

#include "tests/game/shell/FakeGameTime.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{

using shelltest::FakeGameTime;

// Misclicks at the given gaps; the count after each, and "run" where the mouse starts.
std::string Misclicks(FakeGameTime& time, MisclickCounter& counter, const std::vector<uint32_t>& gapsMs)
{
    std::string out;
    for (uint32_t gap : gapsMs)
    {
        time.Advance(gap);
        out += counter.OnMisclick() ? "run " : std::to_string(counter.GetCount()) + " ";
    }
    return out;
}

TEST(Misclicks, TheFourthQuickMisclickAfterAPauseSendsTheMouse)
{
    struct Case
    {
        const char* name;
        std::vector<uint32_t> gaps;
        std::string counts;
    };
    const Case cases[] = {
        {"1.9 s apart", {2500, 1900, 1900, 1900, 1900}, "0 1 2 3 run "},
        {"2 s apart never", {2000, 2000, 2000, 2000, 2000, 2000}, "0 0 0 0 0 0 "},
        {"a pause starts the count again", {100, 100, 100, 2000, 100, 100, 100, 100}, "1 2 3 0 1 2 3 run "},
    };
    for (const Case& c : cases)
    {
        FakeGameTime time;
        MisclickCounter counter;
        EXPECT_EQ(Misclicks(time, counter, c.gaps), c.counts) << c.name;
    }
}

TEST(Misclicks, MisclicksDuringARunAreNotCounted)
{
    FakeGameTime time;
    MisclickCounter counter;
    EXPECT_EQ(Misclicks(time, counter, {3000, 100, 100, 100, 100}), "0 1 2 3 run ");
    EXPECT_TRUE(counter.IsMouseRunning());
    EXPECT_EQ(Misclicks(time, counter, {100, 100, 100, 100, 100}), "0 0 0 0 0 ");
    counter.EndMouseRun();
    EXPECT_EQ(Misclicks(time, counter, {100, 100, 100, 100}), "1 2 3 run ");
}

} // namespace
