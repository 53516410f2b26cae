#include "platform/Clock.h"

#include <gtest/gtest.h>

TEST(Clock, FakeClockMovesOnlyWhenTold)
{
    platform::FakeClock fake(5000);
    platform::ScopedClock scope(fake);
    EXPECT_EQ(platform::tickCount(), 5u);
    EXPECT_EQ(platform::tickCount(), 5u);
    fake.advance(10);
    EXPECT_EQ(platform::tickCount(), 15u);
    platform::sleep(20);
    EXPECT_EQ(platform::tickCount(), 35u);
    EXPECT_EQ(fake.totalSlept(), 20u);
    EXPECT_EQ(platform::clock().counter() * 1000 / platform::clock().counterFrequency(), 35);
}

TEST(Clock, SystemClockIsRestoredAndMonotonic)
{
    {
        platform::FakeClock fake;
        platform::ScopedClock scope(fake);
    }
    auto a = platform::clock().counter();
    platform::sleep(2);
    auto b = platform::clock().counter();
    EXPECT_GE(b - a, platform::clock().counterFrequency() / 1000);
}
