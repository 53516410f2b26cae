#include "framework/app/PlaybackKeys.h"

#include "framework/app/MainLoop.h"
#include "tests/framework/app/FakeRunLoopHost.h"

#include <gtest/gtest.h>
#include <string>

using namespace Quib;

namespace
{

struct FakePlaybackHost : PlaybackKeysHost
{
    void ShowJumpToTimeDialog() override { opened += 'J'; }
    void ShowMarkerListDialog() override { opened += 'L'; }
    void ToggleDemoSound() override { opened += 'S'; }
    std::string opened;
};

class PlaybackKeysTest : public ::testing::Test
{
protected:
    platform::FakeClock clock{2000000};
    platform::ScopedClock scoped{clock};
    FakeRunLoopHost loopHost{clock};
    LoadingState loading;
    MainLoop loop{loopHost, loading};
    FakePlaybackHost host;
};

TEST_F(PlaybackKeysTest, SpeedKeys)
{
    HandlePlaybackKey('+', loop, 0, host);
    HandlePlaybackKey('+', loop, 0, host);
    EXPECT_DOUBLE_EQ(loop.mSpeedMultiplier, 2.25);
    HandlePlaybackKey('-', loop, 0, host);
    EXPECT_DOUBLE_EQ(loop.mSpeedMultiplier, 1.5);
    HandlePlaybackKey('=', loop, 0, host);
    EXPECT_DOUBLE_EQ(loop.mSpeedMultiplier, 1.0);
}

TEST_F(PlaybackKeysTest, TargetsCountBackFromTheEndInUpdates)
{
    const int length = 100000; // 1000 s at 10 ms
    const struct
    {
        uint8_t key;
        int target;
    } cases[] = {{'0', 100000}, {'4', 88000}, {'5', 91000}, {'6', 94000},
                 {'7', 97000},  {'8', 99000}, {'9', 99500}};
    for (const auto& c : cases)
    {
        HandlePlaybackKey(c.key, loop, length, host);
        EXPECT_EQ(loop.mDemoTargetUpdate, c.target) << c.key;
    }
    loop.mFrameTime = 20;
    HandlePlaybackKey('9', loop, length, host);
    EXPECT_EQ(loop.mDemoTargetUpdate, 99750);
}

TEST_F(PlaybackKeysTest, StepPauseRunOnAndDialogs)
{
    loop.mUpdateCount = 41;
    HandlePlaybackKey('n', loop, 500, host);
    EXPECT_EQ(loop.mDemoTargetUpdate, 42);
    EXPECT_TRUE(loop.mStep);
    loop.mUpdateTimeBacklog = 150;
    HandlePlaybackKey('P', loop, 500, host);
    EXPECT_TRUE(loop.mDemoPaused);
    EXPECT_EQ(loop.mUpdateTimeBacklog, 0);
    EXPECT_EQ(loop.mBacklogClock, clock.tickCount());
    HandlePlaybackKey('p', loop, 500, host);
    EXPECT_FALSE(loop.mDemoPaused);
    HandlePlaybackKey('M', loop, 500, host);
    EXPECT_TRUE(loop.mRunOn);
    for (uint8_t key : {'j', 'L', 's', 'x', 'S'})
        HandlePlaybackKey(key, loop, 500, host);
    EXPECT_EQ(host.opened, "JLSS");
}

} // namespace
