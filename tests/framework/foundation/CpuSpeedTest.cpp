#include "framework/foundation/CpuSpeed.h"

#include "platform/Clock.h"

#include <gtest/gtest.h>

using namespace Quib;

namespace
{

class RateClock : public platform::FakeClock
{
public:
    explicit RateClock(int64_t frequency) : mFrequency(frequency) {}
    int64_t counterFrequency() override { return mFrequency; }

private:
    int64_t mFrequency;
};

TEST(CpuSpeed, IsTheCounterRateAndNeverZero)
{
    RateClock noCounter(0);
    {
        platform::ScopedClock scoped(noCounter);
        EXPECT_EQ(MeasureCpuSpeed(), 0);
        // A failed measurement is cached as 1 so that callers may divide by it.
        EXPECT_EQ(GetCpuSpeed(), 1);
    }
    platform::FakeClock clock;
    platform::ScopedClock scoped(clock);
    EXPECT_EQ(MeasureCpuSpeed(), 1'000'000);
    EXPECT_EQ(GetCpuSpeed(), 1);
}

} // namespace
