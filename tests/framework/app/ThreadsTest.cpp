#include "framework/app/CursorThread.h"
#include "framework/app/LoadingThread.h"
#include "framework/app/MainLoop.h"
#include "tests/framework/app/FakeRunLoopHost.h"

#include <atomic>
#include <gtest/gtest.h>
#include <mutex>

using namespace Quib;

namespace
{

TEST(LoadingThread, RunsOnceReportsProgressAndIsWaitedFor)
{
    LoadingState state;
    std::atomic<int> runs{0};
    std::atomic<bool> release{false};
    {
        LoadingThread thread(
            state,
            [&]
            {
                ++runs;
                state.mTotal = 10;
                state.mDone = 5;
                while (!release)
                    std::this_thread::yield();
            },
            0);
        EXPECT_EQ(state.GetLoadingProgress(), 0.0);
        thread.StartLoadingThread();
        thread.StartLoadingThread();
        EXPECT_TRUE(state.mYieldToLoading);
        while (state.mDone != 5)
            std::this_thread::yield();
        EXPECT_DOUBLE_EQ(state.GetLoadingProgress(), 0.5);
        EXPECT_TRUE(state.IsRunning());
        release = true;
        thread.WaitForBackgroundLoad();
        EXPECT_TRUE(state.mFinished);
    }
    EXPECT_EQ(runs, 1);
    state.mDone = 20;
    EXPECT_DOUBLE_EQ(state.GetLoadingProgress(), 1.0);
}

TEST(LoadingThread, WaitingWithoutAStartReturnsAtOnce)
{
    LoadingState state;
    LoadingThread thread(
        state, [] {}, 0);
    thread.WaitForBackgroundLoad();
    EXPECT_FALSE(state.mStarted);
}

struct FakeCursorThreadHost : CursorThreadHost
{
    bool IsShuttingDown() override { return shuttingDown; }
    void BeforeCursorThreadStep() override { ++steps; }
    void CursorPosition(int& x, int& y) override
    {
        std::lock_guard lock(mutex);
        x = mouseX;
        y = mouseY;
    }
    void DisplayCursorPosition(int& x, int& y) override
    {
        std::lock_guard lock(mutex);
        x = displayX;
        y = displayY;
    }
    int MillisecondsPerFrame() override { return 16; }
    void MoveCursorNow(int x, int y) override
    {
        std::lock_guard lock(mutex);
        ++moves;
        displayX = x;
        displayY = y;
    }
    void SetWantedCursorPosition(int x, int y) override
    {
        std::lock_guard lock(mutex);
        ++wanted;
        wantedX = x;
        wantedY = y;
    }

    std::mutex mutex;
    std::atomic<bool> shuttingDown{false};
    std::atomic<int> steps{0};
    int mouseX = 0, mouseY = 0, displayX = 0, displayY = 0, wantedX = 0, wantedY = 0;
    int moves = 0, wanted = 0;
};

TEST(CursorThread, MovesTheCursorAtOnceOnlyWhenNoPresentIsComingSoon)
{
    platform::FakeClock clock(1000000);
    platform::ScopedClock scoped(clock);
    FakeRunLoopHost loopHost(clock);
    LoadingState loading;
    MainLoop loop(loopHost, loading);
    FakeCursorThreadHost host;
    CursorThread thread(host, loop);

    host.mouseX = 30;
    host.mouseY = 40;
    loop.mEarliestNextPresent = clock.tickCount();
    thread.CursorThreadStep(); // a present is due: only the wanted position is stored
    EXPECT_EQ(host.moves, 0);
    EXPECT_EQ(host.wanted, 1);
    EXPECT_EQ(host.wantedX, 30);

    clock.advance(22); // frames are slow: more than a frame and 5 ms since the present was due
    thread.CursorThreadStep();
    EXPECT_EQ(host.moves, 1);
    EXPECT_EQ(host.displayX, 30);
    thread.CursorThreadStep(); // nothing moved
    EXPECT_EQ(host.moves, 1);

    // Once frames are presented, the display's own position is the reference.
    loop.mDrawCount = 1;
    host.displayX = 0;
    thread.CursorThreadStep();
    EXPECT_EQ(host.moves, 2);
}

TEST(CursorThread, StartsOnceAndEndsWithTheShutdown)
{
    platform::FakeClock clock; // not installed: the thread sleeps in real time
    FakeRunLoopHost loopHost(clock);
    LoadingState loading;
    MainLoop loop(loopHost, loading);
    FakeCursorThreadHost host;
    CursorThread thread(host, loop);
    thread.StartCursorThread();
    thread.StartCursorThread();
    EXPECT_TRUE(thread.IsRunning());
    while (host.steps < 3)
        std::this_thread::yield();
    host.shuttingDown = true;
    thread.Join();
    EXPECT_FALSE(thread.IsRunning());
}

} // namespace
