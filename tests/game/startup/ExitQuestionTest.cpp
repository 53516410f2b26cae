#include "game/frontend/IntroScreen.h"
#include "game/shell/CustomDialog.h"
#include "game/shell/MenuItem.h"
#include "tests/game/support/GameHarness.h"

#include <gtest/gtest.h>

namespace
{

using gameharness::GameHarness;

// Waits for the question to finish sliding in, then clicks one of its buttons.
void AnswerQuestion(GameHarness& game, bool yes)
{
    CustomDialog* dialog = game.Top<CustomDialog>();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(game.RunUntil([&] { return !dialog->IsAnimating(); }, 200));
    const MenuItem& button = yes ? *dialog->mFirstButton : *dialog->mNoButton;
    game.Click(button.mX + button.mWidth / 2, button.mY + button.mHeight / 2);
}

TEST(ExitQuestionTest, AfterLoadingACloseAsksOnceAndNoCarriesOn)
{
    GameHarness game;
    game.Boot();
    game.FinishLoading();
    ASSERT_TRUE(game.RunUntil([&] { return game.Top<IntroScreen>() != nullptr; }, 1500));

    game.RequestClose();
    game.Update(2);
    game.RequestClose();
    game.Update(2);
    ASSERT_NE(game.Top<CustomDialog>(), nullptr);
    EXPECT_EQ(game.States().size(), 2u);
    EXPECT_EQ(game.App().mExitDialog, game.Top<CustomDialog>());

    AnswerQuestion(game, false);
    ASSERT_TRUE(game.RunUntil([&] { return game.Top<IntroScreen>() != nullptr; }, 200));
    EXPECT_EQ(game.App().mExitDialog, nullptr);
    EXPECT_EQ(game.States().size(), 1u);
    EXPECT_FALSE(game.IsShutDown());

    game.RequestClose();
    game.Update(2);
    AnswerQuestion(game, true);
    EXPECT_TRUE(game.RunUntil([&] { return game.IsShutDown(); }, 200));
    EXPECT_EQ(game.App().ExitCode(), 0);
}

TEST(ExitQuestionTest, TheIntroWaitsForTheAnswerWhenTheTitleEndsUnderTheQuestion)
{
    GameHarness game;
    game.Boot();
    game.FinishLoading();
    game.Update(2);
    ASSERT_NE(game.App().mTitleScreen, nullptr);
    game.RequestClose();
    game.Update(2);
    ASSERT_NE(game.Top<CustomDialog>(), nullptr);

    ASSERT_TRUE(game.RunUntil([&] { return game.App().mTitleScreen == nullptr; }, 1500));
    game.Update(5);
    EXPECT_TRUE(game.App().mIntroPending);
    EXPECT_EQ(game.States().size(), 1u);

    AnswerQuestion(game, false);
    ASSERT_TRUE(game.RunUntil([&] { return game.Top<IntroScreen>() != nullptr; }, 200));
    EXPECT_FALSE(game.App().mIntroPending);
    EXPECT_EQ(game.States().size(), 1u);
}

} // namespace
