#include "game/frontend/TitleScreen.h"
#include "tests/game/support/GameHarness.h"

#include <gtest/gtest.h>

namespace
{

TEST(BootTest, TitleShowsWhileLoading)
{
    gameharness::GameHarness game;
    game.Boot();
    ASSERT_NE(game.App().mTitleScreen, nullptr);
    EXPECT_TRUE(game.Update(10));
    game.FinishLoading();
    EXPECT_TRUE(game.Update(10));
    EXPECT_TRUE(game.App().mLoadingFinished);
}

} // namespace
