#include "framework/widgets/Checkbox.h"
#include "game/frontend/MainMenu.h"
#include "game/frontend/OptionsScreen.h"
#include "game/records/OptionsData.h"
#include "tests/game/support/KeptFolder.h"
#include "tests/game/support/MenuSteps.h"

#include <gtest/gtest.h>

namespace
{

using namespace gameharness;

OptionsScreen* OpenOptions(GameHarness& game, MainMenu& menu)
{
    ClickOn(game, *menu.mOptionsButton);
    if (!game.RunUntil([&] { return game.Top<OptionsScreen>() != nullptr; }, 200))
        return nullptr;
    OptionsScreen* options = game.Top<OptionsScreen>();
    return game.RunUntil([&] { return !options->mSlideIn->IsRunning(); }, 100) ? options : nullptr;
}

TEST(OptionsFlowTest, VolumesAndFullScreenChosenOnTheScreenAreSavedAndReadBack)
{
    KeptFolder folder("orvellan-options");
    bool windowedBefore = false;
    {
        GameHarness game(HarnessOptions{.dataFolder = folder.path});
        MainMenu* menu = ReachMainMenu(game);
        ASSERT_NE(menu, nullptr);
        windowedBefore = game.App().mIsWindowed;
        OptionsScreen* options = OpenOptions(game, *menu);
        ASSERT_NE(options, nullptr);
        EXPECT_EQ(options->mFullscreenBox->IsChecked(), !windowedBefore);

        // The values a dragged thumb reports.
        options->OnSliderValue(OptionsScreen::SLIDER_MUSIC, 0.25);
        options->OnSliderValue(OptionsScreen::SLIDER_SOUND, 1.0);
        options->OnSliderValue(OptionsScreen::SLIDER_AMBIENT, 0.0);
        ClickOn(game, *options->mFullscreenBox);
        game.Update(2);
        OptionsData& data = *game.App().mOptions;
        EXPECT_EQ(data.mFullscreen, windowedBefore);
        // Neither the box nor a later slider report switches the mode: only OK does.
        options->OnSliderValue(OptionsScreen::SLIDER_MUSIC, 0.5);
        game.Update(2);
        EXPECT_EQ(game.App().mIsWindowed, windowedBefore);
        EXPECT_DOUBLE_EQ(options->mMusicSlider->mVal, 0.5);

        ClickOn(game, *options->mOkButton);
        ASSERT_TRUE(game.RunUntil([&] { return game.Top<MainMenu>() == menu; }, 200));
        EXPECT_EQ(game.App().mIsWindowed, !windowedBefore);
        data.mGameCompleted = true;
        game.RequestClose();
        ASSERT_TRUE(game.RunUntil([&] { return game.App().mExitDialog != nullptr; }, 50));
        game.App().OnDialogClosed(0, 0);
        game.RunUntil([&] { return game.IsShutDown(); }, 50);
    }
    GameHarness again(HarnessOptions{.dataFolder = folder.path});
    again.Boot();
    const OptionsData& read = *again.App().mOptions;
    EXPECT_DOUBLE_EQ(read.mMusicVolume, 0.5);
    EXPECT_DOUBLE_EQ(read.mSoundVolume, 1.0);
    EXPECT_DOUBLE_EQ(read.mAmbientVolume, 0.0);
    EXPECT_EQ(read.mFullscreen, windowedBefore);
    EXPECT_TRUE(read.mGameCompleted);
    EXPECT_EQ(again.App().mIsWindowed, !windowedBefore);
}

} // namespace
