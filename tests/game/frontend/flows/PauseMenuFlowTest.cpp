#include "framework/graphics/Image.h"
#include "game/frontend/MainMenu.h"
#include "game/frontend/OptionsScreen.h"
#include "game/frontend/PauseMenu.h"
#include "game/play/SceneFile.h"
#include "game/play/screen/GameFrame.h"
#include "game/play/screen/SandboxWidget.h"
#include "game/play/screen/ScenePlayfield.h"
#include "game/records/DataFolder.h"
#include "game/shell/Resources.h"
#include "tests/game/support/GameHarness.h"
#include "tests/game/support/MenuSteps.h"

#include <gtest/gtest.h>

namespace
{

using namespace gameharness;

GameFrame* OpenScene(GameHarness& game, const char* name)
{
    GameFrame* frame = MakeSceneFrame(name, kTenItemsListMode);
    PushGameState(frame, Stack(game));
    game.Update();
    return frame;
}

// The scene's menu button opens the pause menu; the test opens it the same way.
PauseMenu* OpenPause(GameHarness& game)
{
    auto* pause = new PauseMenu();
    pause->Resize(0, 0, 800, 600);
    PushGameState(pause, Stack(game));
    game.Update();
    return pause;
}

bool WaitForPanel(GameHarness& game, PauseMenu& pause)
{
    return game.RunUntil([&] { return !pause.mSlideIn->IsRunning() && !pause.mDimIn->IsRunning(); }, 100);
}

TEST(PauseMenuFlowTest, PausedSceneDimsUnderThePanelIgnoresClicksWhileItSlidesAndResumesBackToTheScene)
{
    GameHarness game;
    MainMenu* menu = ReachMainMenu(game);
    ASSERT_NE(menu, nullptr);
    // Without a player the scene shows no tutorial over itself when it comes back.
    game.App().DeleteProfile(0);
    GameFrame* frame = OpenScene(game, "Scene1");
    PauseMenu* pause = OpenPause(game);
    ASSERT_TRUE(pause->mSlideIn->IsRunning());
    // A click while the panel slides in hits the moving button and is refused.
    ClickOn(game, *pause->mResumeButton);
    game.Update(2);
    EXPECT_FALSE(pause->mSlideOut->IsRunning());

    ASSERT_TRUE(WaitForPanel(game, *pause));
    EXPECT_EQ(pause->mDimColor.mAlpha, 150);
    EXPECT_EQ(pause->mPanelX, 400 - IMAGE_GUI_DIALOG->GetWidth() / 2);
    const int buttonX = 400 - IMAGE_BUTTON_MAIN_MENU->GetWidth() / 2;
    for (const MenuItem* button :
         {pause->mResumeButton.get(), pause->mOptionsButton.get(), pause->mMainMenuButton.get()})
        EXPECT_EQ(button->mX, buttonX) << button->mLabel;
    EXPECT_EQ(pause->mResumeButton->mOverlayPriority, 211);

    // Options slides the panel away and opens the options screen over the
    // still dimmed scene; its OK brings the panel back with the dimming as it was.
    ClickOn(game, *pause->mOptionsButton);
    ASSERT_TRUE(game.RunUntil([&] { return game.Top<OptionsScreen>() != nullptr; }, 100));
    OptionsScreen* options = game.Top<OptionsScreen>();
    EXPECT_EQ(pause->mDimColor.mAlpha, 150);
    ASSERT_TRUE(game.RunUntil([&] { return !options->mSlideIn->IsRunning(); }, 100));
    ClickOn(game, *options->mOkButton);
    ASSERT_TRUE(game.RunUntil([&] { return game.Top<PauseMenu>() == pause; }, 100));
    ASSERT_TRUE(
        game.RunUntil([&] { return !pause->mSlideOut->IsRunning() && !pause->mSlideIn->IsRunning(); }, 100));
    EXPECT_EQ(pause->mDimColor.mAlpha, 150);
    EXPECT_EQ(pause->mPanelX, 400 - IMAGE_GUI_DIALOG->GetWidth() / 2);

    ClickOn(game, *pause->mResumeButton);
    ASSERT_TRUE(game.RunUntil([&] { return game.Top<GameFrame>() == frame; }, 100));
    EXPECT_EQ(game.States().size(), 2u);
    EXPECT_TRUE(IsInWidgetTree(game, frame));
}

TEST(PauseMenuFlowTest, MainMenuSavesTheGameAsInProgressAndUnwindsToTheMenuFromAnyStackShape)
{
    GameHarness game;
    MainMenu* menu = ReachMainMenu(game);
    ASSERT_NE(menu, nullptr);
    AddPlayer(game, "Ada");
    PlayerProfile* player = game.App().GetCurrentProfile();
    ASSERT_NE(player, nullptr);
    // Between the menu and the scene: nothing (a scene opened from the menu),
    // a screen such as the level map, or two of them.
    for (int between : {0, 1, 2})
    {
        SCOPED_TRACE(between);
        player->mGameInProgress = false;
        for (int i = 0; i < between; ++i)
            OpenScene(game, "Scene2");
        OpenScene(game, "Scene1");
        PauseMenu* pause = OpenPause(game);
        ASSERT_TRUE(WaitForPanel(game, *pause));

        ClickOn(game, *pause->mMainMenuButton);
        ASSERT_TRUE(game.RunUntil([&] { return pause->mDarken->IsRunning(); }, 10));
        // Marked and written before anything moves.
        EXPECT_TRUE(player->mGameInProgress);
        std::optional<Quib::Buffer> saved = ReadSaveFile(GetProfileFilePath(player->mFileName));
        ASSERT_TRUE(saved);
        PlayerProfile reloaded;
        reloaded.Load(*saved);
        EXPECT_TRUE(reloaded.mGameInProgress);

        ASSERT_TRUE(game.RunUntil([&] { return game.Top<MainMenu>() == menu; }, 100));
        EXPECT_EQ(game.States().size(), 1u);
        EXPECT_TRUE(IsInWidgetTree(game, menu));
        ASSERT_TRUE(WaitForMenuAtRest(game, *menu));
    }
}

} // namespace
