#include "game/frontend/CustomLoadingScreen.h"
#include "game/frontend/MainMenu.h"
#include "game/play/map/MapScreen.h"
#include "game/shell/CustomDialog.h"
#include "tests/game/support/MenuSteps.h"

#include <gtest/gtest.h>

namespace
{

using namespace gameharness;

TEST(PlayFlowTest, PlayFadesToTheLoadingOverlayWhichShowsItsLineAndEndsBlackBeforeHandingOverTheMap)
{
    GameHarness game;
    MainMenu* menu = ReachMainMenu(game);
    ASSERT_NE(menu, nullptr);
    ClickOn(game, *menu->mPlayButton);
    ASSERT_TRUE(game.RunUntil([&] { return game.Shown<CustomLoadingScreen>() != nullptr; }, 200));
    EXPECT_EQ(menu->mChoice, MainMenu::CHOICE_STARTING);
    EXPECT_EQ(menu->mFadeColor.mAlpha, 255);
    // The title stays while the buttons have gone.
    EXPECT_EQ(menu->mTitleX, 69);
    CustomLoadingScreen* overlay = game.Shown<CustomLoadingScreen>();
    ASSERT_TRUE(game.RunUntil([&] { return overlay->mShowText; }, 100));
    EXPECT_EQ(overlay->mFadeColor.mAlpha, 0);
    ASSERT_TRUE(game.RunUntil([&] { return !overlay->mShowText; }, 100));
    ASSERT_TRUE(game.RunUntil([&] { return game.Shown<CustomLoadingScreen>() == nullptr; }, 100));
    // The map is on top once the overlay is black again and gone; the menu stays under it.
    EXPECT_NE(game.Top<MapScreen>(), nullptr);
    EXPECT_EQ(game.States().front(), menu);
    EXPECT_GT(game.App().GetCurrentProfile()->mLevelProgress.GetSceneCount(), 0);
}

TEST(PlayFlowTest, NoToResumeAndNoToANewGameBringTheButtonsBackUnderTheTitle)
{
    GameHarness game;
    MainMenu* menu = ReachMainMenu(game);
    ASSERT_NE(menu, nullptr);
    game.App().GetCurrentProfile()->mGameInProgress = true;
    ClickOn(game, *menu->mPlayButton);
    ASSERT_TRUE(game.RunUntil([&] { return game.Top<CustomDialog>() != nullptr; }, 200));
    EXPECT_EQ(game.Top<CustomDialog>()->mDialogId, MainMenu::DIALOG_RESUME);
    ASSERT_TRUE(AnswerDialog(game, *game.Top<CustomDialog>(), false));
    ASSERT_TRUE(game.RunUntil(
        [&] {
            return game.Top<CustomDialog>() &&
                   game.Top<CustomDialog>()->mDialogId == MainMenu::DIALOG_NEW_GAME;
        },
        200));
    ASSERT_TRUE(AnswerDialog(game, *game.Top<CustomDialog>(), false));
    ASSERT_TRUE(game.RunUntil([&] { return game.Top<MainMenu>() == menu; }, 200));
    ASSERT_TRUE(WaitForMenuAtRest(game, *menu));
    EXPECT_EQ(menu->mChoice, MainMenu::CHOICE_BACK);
    EXPECT_EQ(menu->mTitleX, 69);
    EXPECT_EQ(game.Shown<CustomLoadingScreen>(), nullptr);
    EXPECT_TRUE(game.App().GetCurrentProfile()->mGameInProgress);
}

} // namespace
