
#include "tests/game/soak/SoakStep.h"
#include "tests/game/support/PlayStart.h"

#include <gtest/gtest.h>

namespace
{

using namespace gameharness;

// Runs the soak's input over the game as it stands for up to the updates;
// the update at which the watch reported a soft-lock, or -1.
int64_t SoakUntilSoftLock(GameHarness& game, int64_t updates, bool sendInput)
{
    std::mt19937 random(5);
    soak::SoakInput input(game, random);
    soak::SoftLockWatch watch;
    for (int64_t run = 0; run < updates;)
    {
        bool softLock = false;
        if (sendInput)
        {
            const soak::StepTaken step = soak::TakeStep(game, input, watch, random);
            run += step.updates;
            softLock = step.softLock;
        }
        else
        {
            game.Update(10);
            run += 10;
            softLock = watch.Observe(game, 10);
        }
        if (softLock)
            return run;
    }
    return -1;
}

// A screen with no way out, alone on the stack, is what a soft-lock looks
// like; the watch reports it once a minute of game time has passed under the
// soak's input, and not before, nor while nobody plays.
TEST(SoftLockWatchTest, AScreenWithNoWayOutIsASoftLockOnceAMinuteOfInputChangedNothing)
{
    GameHarness game;
    ASSERT_TRUE(StartOverPlainScreen(game));
    EXPECT_EQ(SoakUntilSoftLock(game, 2 * soak::SoftLockWatch::kWindowUpdates, false), -1);
    const int64_t found = SoakUntilSoftLock(game, 3 * soak::SoftLockWatch::kWindowUpdates, true);
    EXPECT_GE(found, soak::SoftLockWatch::kWindowUpdates);
    EXPECT_LT(found, 2 * soak::SoftLockWatch::kWindowUpdates);
}

} // namespace
