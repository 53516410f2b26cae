#include "game/shell/SoundEffectHost.h"
#include "tests/game/support/GameHarness.h"

#include <gtest/gtest.h>

namespace
{

// The shared widgets' one-shot sounds play through the game's application
// object, at the options' sound volume, for as long as it lives.
TEST(SoundHostTest, TheGameIsTheHostOfOneShotSoundsWhileItLives)
{
    {
        gameharness::GameHarness game;
        SoundEffectHost* gameAsHost = &game.App();
        EXPECT_EQ(gSoundEffectHost, gameAsHost);
    }
    EXPECT_EQ(gSoundEffectHost, nullptr);
}

} // namespace
