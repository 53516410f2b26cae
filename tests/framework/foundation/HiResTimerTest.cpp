#include "framework/foundation/HiResTimer.h"

#include "platform/Clock.h"

#include <gtest/gtest.h>

using namespace Quib;

namespace
{

TEST(HiResTimer, MeasuresOnThePlatformCounter)
{
    platform::FakeClock clock(5'000'000);
    platform::ScopedClock scoped(clock);

    HiResTimer timer;
    EXPECT_EQ(timer.GetElapsedMs(), 0.0);
    timer.Stop();
    EXPECT_EQ(timer.GetElapsedMs(), 0.0);

    timer.Start();
    clock.advanceMicroseconds(1500);
    EXPECT_DOUBLE_EQ(timer.GetElapsedMs(), 1.5);
    clock.advance(10);
    EXPECT_DOUBLE_EQ(timer.GetElapsedMs(), 11.5);
    timer.Stop();
    clock.advance(1000);
    EXPECT_DOUBLE_EQ(timer.GetElapsedMs(), 11.5);
    EXPECT_FALSE(timer.IsRunning());

    timer.Start();
    EXPECT_EQ(timer.GetElapsedMs(), 0.0);
}

TEST(HiResTimer, AnInstalledSourceReplacesTheClockUntilRemoved)
{
    platform::FakeClock clock(5'000'000);
    platform::ScopedClock scoped(clock);
    int64_t updates = 0;
    SetTimerSource([&] { return updates * 10; });

    HiResTimer timer;
    timer.Start();
    clock.advance(1000);
    EXPECT_EQ(timer.GetElapsedMs(), 0.0);
    updates = 7;
    EXPECT_DOUBLE_EQ(timer.GetElapsedMs(), 70.0);
    timer.Stop();

    SetTimerSource({});
    timer.Start();
    clock.advance(3);
    EXPECT_DOUBLE_EQ(timer.GetElapsedMs(), 3.0);
}

} // namespace
