#include "framework/app/MainLoop.h"

#include "tests/framework/app/FakeRunLoopHost.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace Quib;

namespace
{

Widget* fakeWidget(uintptr_t id)
{
    return reinterpret_cast<Widget*>(id * 16);
}

class MainLoopTest : public ::testing::Test
{
protected:
    MainLoopTest()
    {
        loading.mHandled = true;
        host.updateCount = &loop.mUpdateCount;
    }

    uint32_t now() { return clock.tickCount(); }

    // Steps the loop until the fake clock has moved on by `milliseconds`; the
    // clock only moves when the loop sleeps or waits. Fails when the loop
    // spins without letting time pass.
    void runFor(uint32_t milliseconds)
    {
        const uint32_t end = now() + milliseconds;
        int steps = 0;
        while (static_cast<int32_t>(now() - end) < 0)
        {
            loop.RunLoopStep(nullptr);
            ASSERT_LT(++steps, 100000) << "the loop spins without sleeping";
        }
    }

    // Steps until the loop first sleeps, and returns the log of what happened.
    std::string runUntilSleep()
    {
        host.log.clear();
        const int sleeps = loop.mSleepCount;
        for (int i = 0; i < 10000 && loop.mSleepCount == sleeps; ++i)
            loop.RunLoopStep(nullptr);
        return host.log;
    }

    platform::FakeClock clock{5000000};
    platform::ScopedClock scoped{clock};
    FakeRunLoopHost host{clock};
    LoadingState loading;
    MainLoop loop{host, loading};
};

TEST_F(MainLoopTest, StallCatchesUpAtMost200MillisecondsAndResetDiscardsIt)
{
    runFor(100);
    clock.advance(5000); // a window drag
    std::string log = runUntilSleep();
    EXPECT_EQ(std::count(log.begin(), log.end(), 'U'), 20);

    runFor(100);
    clock.advance(5000);
    loop.ResetUpdateTimer();
    log = runUntilSleep();
    EXPECT_EQ(std::count(log.begin(), log.end(), 'U'), 0);
}

TEST_F(MainLoopTest, StillScreenIsPresentedOncePerSecond)
{
    host.drawSomething = false;
    runFor(20);
    const int before = host.presents;
    runFor(3000);
    EXPECT_EQ(host.presents - before, 3);
    EXPECT_GT(host.count('D'), 200); // it kept drawing after the updates
}

TEST_F(MainLoopTest, DrawIsForcedAfterCeilSpeedTimesTenUpdatesInARow)
{
    // The pass that reaches ceil(speed x 10) since the last draw draws instead of updating.
    const struct
    {
        double speed;
        std::string burst;
    } cases[] = {
        {1.0, "UUUUUUUUUDP"}, {2.0, "UUUUUUUUUUUUUUUUUUUDP"}, {0.5, "UUUUDP"}, {1.05, "UUUUUUUUUUDP"}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.speed);
        loop.mSpeedMultiplier = c.speed;
        runFor(50);
        clock.advance(1000);
        const std::string log = runUntilSleep();
        EXPECT_EQ(log.substr(0, c.burst.size()), c.burst);
    }
}

TEST_F(MainLoopTest, RefreshDrivenUpdatesCarryTheFractionAt60Hz)
{
    loop.mVSyncUpdates = true;
    loop.mRefreshRate = 60;
    runFor(100);
    host.log.clear();
    host.fractions.clear();
    runFor(3000);
    // 1000 / (10 x 60) updates per refresh: 100 a second, an extra one every second or third frame.
    EXPECT_NEAR(host.count('U'), 300, 3);
    EXPECT_NEAR(static_cast<int>(host.fractions.size()), 180, 2);
    for (double f : host.fractions)
        EXPECT_EQ(f, static_cast<double>(static_cast<float>(1000.0 / 600.0)));
    int run = 0;
    int longest = 0, shortest = 100, extraFrames = 0;
    for (char c : host.log)
    {
        if (c == 'U')
            ++run;
        else if (c == 'F')
        {
            longest = std::max(longest, run);
            shortest = std::min(shortest, run);
            extraFrames += run == 2;
            run = 0;
        }
    }
    EXPECT_EQ(shortest, 1);
    EXPECT_EQ(longest, 2);
    EXPECT_NEAR(extraFrames, 120, 2);
}

TEST_F(MainLoopTest, WindowedFractionIsNotPassedWhileMinimised)
{
    loop.mVSyncUpdates = true;
    loop.mRefreshRate = 60;
    host.minimised = true;
    runFor(200);
    EXPECT_TRUE(host.fractions.empty());
    EXPECT_GT(host.count('U'), 0);
}

TEST_F(MainLoopTest, DeferredDeletesWaitForTheirLoopLevelAndHappenOnce)
{
    Widget* outer = fakeWidget(1);
    Widget* inner = fakeWidget(2);
    bool outerDeletedInModal = false;
    host.onMessage = [&](int message)
    {
        if (message == 1)
        {
            // An outer handler queues a widget, then a modal dialog runs its own loop steps.
            loop.DeferWidgetDelete(outer);
            host.incoming.push_back(2);
            for (int i = 0; i < 50; ++i)
                loop.RunLoopStep(nullptr);
            outerDeletedInModal =
                std::find(host.deleted.begin(), host.deleted.end(), outer) != host.deleted.end();
        }
        else if (message == 2)
        {
            loop.DeferWidgetDelete(inner);
            loop.DeferWidgetDelete(inner);
            loop.DeferWidgetDelete(outer); // queued again from inside: still deleted once, at the outer level
        }
    };
    host.incoming.push_back(1);
    loop.RunLoopStep(nullptr);
    EXPECT_FALSE(outerDeletedInModal);
    EXPECT_EQ(host.deleted, std::vector<Widget*>{inner});
    runFor(30);
    EXPECT_EQ(host.deleted, (std::vector<Widget*>{inner, outer}));
}

TEST_F(MainLoopTest, MessagesAreStillHandledAtSpeedZeroAndDuringADemoPause)
{
    const auto pause = [&](int which)
    {
        loop.mSpeedMultiplier = which == 0 ? 0.0 : 1.0;
        host.playingDemo = which == 1;
        loop.mDemoPaused = which == 1;
    };
    for (int which = 0; which < 2; ++which)
    {
        SCOPED_TRACE(which);
        pause(which);
        host.log.clear();
        host.handled.clear();
        for (int i = 0; i < 5; ++i)
            host.incoming.push_back(i);
        runFor(1000);
        EXPECT_EQ(host.handled, (std::vector<int>{0, 1, 2, 3, 4}));
        EXPECT_EQ(host.count('U'), 0);
        EXPECT_GT(host.waits, 0); // time passes by waiting for messages, not by spinning
        host.incoming.push_back(9);
        runFor(20);
        EXPECT_EQ(host.handled.back(), 9);
    }
}

TEST_F(MainLoopTest, DemoFastForwardStillTakesMessagesAndDrawsOncePerSecond)
{
    host.playingDemo = true;
    host.updateCost = 1;
    loop.mDemoTargetUpdate = 1000000;
    runFor(50);
    EXPECT_EQ(host.mutes, 1);
    host.log.clear();
    host.incoming.push_back(7);
    runFor(3000);
    EXPECT_EQ(host.handled, std::vector<int>{7});
    EXPECT_GT(host.count('U'), 2900);
    EXPECT_NEAR(host.count('P'), 3, 1);
    EXPECT_EQ(host.unmutes, 0);
    loop.mDemoTargetUpdate = 0;
    runFor(50);
    EXPECT_EQ(host.unmutes, 1);
    EXPECT_EQ(host.mutes, 1);
}

TEST_F(MainLoopTest, FastForwardThatCannotUpdateWaitsForMessages)
{
    host.playingDemo = true;
    host.demoAllowsUpdate = false; // the recording waits for something that has not happened yet
    loop.mDemoTargetUpdate = 1000;
    host.incoming.push_back(3);
    runFor(500);
    EXPECT_EQ(host.count('U'), 0);
    EXPECT_EQ(host.handled, std::vector<int>{3});
    EXPECT_GT(host.waits, 0);
}

TEST_F(MainLoopTest, PlaybackThatCannotUpdateAtNormalSpeedSleepsAndKeepsDrawing)
{
    // A playback dialog holds the demo: no update may run, but the dialog must
    // still be drawn and the loop must not spin.
    host.playingDemo = true;
    runFor(50);
    host.demoAllowsUpdate = false;
    host.log.clear();
    const int presents = host.presents;
    runFor(1000);
    EXPECT_EQ(host.count('U'), 0);
    EXPECT_GT(host.presents - presents, 0);
    EXPECT_GT(loop.mSleepCount, 0);
    host.demoAllowsUpdate = true;
    host.log.clear();
    runFor(100);
    EXPECT_NEAR(host.count('U'), 10, 2) << "no backlog from the blocked second is caught up";
}

TEST_F(MainLoopTest, LostDisplayIsRecoveredAndRetriedAtMostOnceASecondWhenInactive)
{
    host.presentWorks = false;
    host.active = false;
    runFor(2500);
    EXPECT_TRUE(loop.mDisplayResetPending);
    EXPECT_GE(host.recoveries, 2);
    EXPECT_LE(host.recoveries, 3);
    host.presentWorks = true;
    runFor(1100);
    EXPECT_FALSE(loop.mDisplayResetPending);
    const int presents = host.presents;
    runFor(100);
    EXPECT_GT(host.presents, presents);
}

TEST_F(MainLoopTest, SingleStepRunsOneUpdatePerRequest)
{
    runFor(50);
    loop.mSingleStepState = 1;
    host.log.clear();
    runFor(500);
    EXPECT_EQ(host.count('U'), 1);
    loop.mSingleStepState = 1;
    runFor(500);
    EXPECT_EQ(host.count('U'), 2);
}

TEST_F(MainLoopTest, LoadingEndIsHandledOnceAtTheNextUpdate)
{
    loading.mHandled = false;
    loading.mStarted = true;
    loading.mYieldToLoading = true;
    loading.mTotal = 4;
    loading.mDone = 1;
    EXPECT_DOUBLE_EQ(loading.GetLoadingProgress(), 0.25);
    runFor(200);
    EXPECT_EQ(host.loadingFinishedCalls, 0);
    loading.mFinished = true;
    runFor(200);
    EXPECT_EQ(host.loadingFinishedCalls, 1);
    EXPECT_TRUE(loading.mHandled);
    EXPECT_FALSE(loading.mYieldToLoading);
    EXPECT_DOUBLE_EQ(loading.GetLoadingProgress(), 1.0); // even though the count never reached the total
}

TEST_F(MainLoopTest, RefreshDrivenTimingFallsBackWhenUpdatesOutrunRealTime)
{
    loop.mVSyncUpdates = true;
    host.windowed = false; // full screen: the refresh drives the updates
    // Every frame is drawn at once and no time passes between them, so a
    // second of updates arrives far too fast, three times over.
    for (int i = 0; i < 2000 && !loop.mVSyncBroken; ++i)
        loop.RunLoopStep(nullptr);
    EXPECT_TRUE(loop.mVSyncBroken);
}

TEST_F(MainLoopTest, LeaveLoopEndsEveryStepAndStatisticsAreWritten)
{
    runFor(100);
    loop.mLeaveLoop = true;
    EXPECT_FALSE(loop.RunLoopStep(nullptr));
    EXPECT_FALSE(loop.RunUntilUpdated());
    const std::string stats = loop.RunStatisticsText(1.5);
    EXPECT_EQ(stats.rfind("Seconds       = 1.5\r\nSleep Count   = ", 0), 0u);
    EXPECT_NE(stats.find("Update Count  = " + std::to_string(loop.mUpdateCount.load()) + "\r\n"),
              std::string::npos);
}

} // namespace
