#include "framework/foundation/Profiler.h"

#include "framework/foundation/CpuSpeed.h"
#include "platform/Clock.h"

#include <gtest/gtest.h>
#include <string>

using namespace Quib;

namespace
{

class ProfilerTest : public ::testing::Test
{
protected:
    // Time stamps come from the fake counter in microseconds; the processor
    // speed is taken as one million ticks a second.
    ProfilerTest() : mScoped(mClock) {}
    // The speed is measured once per process; this binary's first measurement
    // happens here, on the fake clock.
    void SetUp() override { ASSERT_EQ(GetCpuSpeed(), 1'000'000); }

    static ProfilerSample sample(const char* name, int64_t stamp, bool start) { return {name, stamp, start}; }

    platform::FakeClock mClock;
    platform::ScopedClock mScoped;
};

TEST_F(ProfilerTest, RunWithoutSamplesReportsOnlyTheTotal)
{
    Profiler::Begin();
    EXPECT_TRUE(Profiler::IsRunning());
    mClock.advance(250);
    Profiler::End();
    EXPECT_FALSE(Profiler::IsRunning());
    EXPECT_EQ(Profiler::GetReport(), "Total Time: 250.00\n");
}

TEST_F(ProfilerTest, SectionsCountNestedCallsAndTimeTheOutermost)
{
    Profiler::Begin();
    const int64_t begin = mClock.counter();
    Profiler::ProcessSample(sample("Ghost", begin + 5, false)); // never started: ignored
    Profiler::ProcessSample(sample("Draw", begin + 1000, true));
    Profiler::ProcessSample(sample("draw", begin + 2000, true)); // nested: counts, keeps the clock
    Profiler::ProcessSample(sample("DRAW", begin + 3000, false));
    Profiler::ProcessSample(sample("Draw", begin + 5000, false)); // outermost end: 4 ms
    Profiler::ProcessSample(sample("Draw", begin + 10000, true));
    Profiler::ProcessSample(sample("Draw", begin + 11000, false)); // 1 ms
    Profiler::ProcessSample(sample("Update", begin + 20000, true));
    Profiler::ProcessSample(sample("Update", begin + 22000, false)); // 2 ms
    mClock.advance(20);
    Profiler::End();

    const auto& sections = Profiler::GetSections();
    ASSERT_EQ(sections.size(), 2u);
    const ProfilerSection& draw = sections.at("draw");
    EXPECT_EQ(draw.mCalls, 3);
    EXPECT_EQ(draw.mDepth, 0);
    EXPECT_EQ(draw.mTotalTicks, 5000);
    EXPECT_DOUBLE_EQ(draw.mTotalMs, 5.0);
    EXPECT_DOUBLE_EQ(draw.mLongest, 4.0);
    EXPECT_EQ(Profiler::GetReport(), "Total Time: 20.00\n"
                                     "Draw (3 calls, %25.00 time): 5.00 (1.67 avg, 4.00 longest)\n"
                                     "Update (1 calls, %10.00 time): 2.00 (2.00 avg, 2.00 longest)\n");

    // A new run discards the previous one's sections.
    Profiler::Begin();
    Profiler::End();
    EXPECT_TRUE(Profiler::GetSections().empty());
}

TEST_F(ProfilerTest, QueuedSamplesAreFlushedAtTheEnd)
{
    Profiler::Begin();
    Profiler::QueueSample("Load", true);
    mClock.advance(3);
    Profiler::QueueSample("Load", false);
    EXPECT_TRUE(Profiler::GetSections().empty());
    mClock.advance(1);
    Profiler::End();
    EXPECT_DOUBLE_EQ(Profiler::GetSections().at("Load").mTotalMs, 3.0);
    EXPECT_DOUBLE_EQ(Profiler::GetTotalMs(), 4.0);
}

TEST_F(ProfilerTest, LongSectionNamesAreReportedWhole)
{
    const std::string name(5000, 'n');
    Profiler::Begin();
    Profiler::ProcessSample(sample(name.c_str(), mClock.counter(), true));
    Profiler::ProcessSample(sample(name.c_str(), mClock.counter() + 1000, false));
    mClock.advance(2);
    Profiler::End();
    EXPECT_NE(Profiler::GetReport().find(name + " (1 calls, %50.00 time): 1.00"), std::string::npos);
}

} // namespace
