#include "framework/resources/BassMusicInterface.h"
#include "framework/resources/ResourceManager.h"
#include "framework/widgets/WidgetManager.h"
#include "game/frontend/TitleScreen.h"
#include "game/shell/MusicTracks.h"
#include "game/shell/Resources.h"
#include "platform/Messages.h"
#include "platform/Window.h"
#include "tests/game/support/GameHarness.h"
#include "tests/game/support/PackVariant.h"

#include <gtest/gtest.h>

namespace
{

using gameharness::GameHarness;
using gameharness::HarnessOptions;
using gameharness::PackVariant;

TEST(StartUpTest, InitLoadsTheStartGroupsAndTablesAndShowsTheTitleBeforeTheBigGroup)
{
    GameHarness game;
    game.Boot();
    SharkInterface& app = game.App();

    for (const char* group : {"Init", "LegalScreens", "IntroSequence"})
        EXPECT_TRUE(app.mResourceManager->IsGroupLoaded(group)) << group;
    EXPECT_NE(FONT_BUTTON_LABELS, nullptr);
    EXPECT_NE(IMAGE_LEGAL_TITLE, nullptr);
    EXPECT_NE(IMAGE_INTRO_GNN, nullptr);
    EXPECT_NE(FONT_INTRO_SEQUENCE, nullptr);
    EXPECT_TRUE(app.mInitDone);
    EXPECT_EQ(app.mPauseText, "Paused");
    EXPECT_GT(app.mPauseTextHalfWidth, 0);
    ASSERT_NE(app.mSfxIndexTable, nullptr);
    ASSERT_NE(app.mSoundPlayer, nullptr);

    // The title is a widget of its own, not a game state, and has the keyboard.
    ASSERT_NE(app.mTitleScreen, nullptr);
    EXPECT_TRUE(app.mWidgetManager->HasChild(app.mTitleScreen));
    EXPECT_EQ(app.mWidgetManager->mFocusWidget, app.mTitleScreen);
    EXPECT_TRUE(game.States().empty());

    // The title's progress counts the big group, which waits for the loading thread.
    EXPECT_EQ(app.mLoading.mTotal, 100);
    EXPECT_EQ(app.mLoading.mDone, 0);
    EXPECT_EQ(app.GetLoadingProgress(), 0.0);

    auto* music = dynamic_cast<Quib::BassMusicInterface*>(app.mMusicInterface.get());
    ASSERT_NE(music, nullptr);
    for (int track = MUSIC_MAIN_THEME; track <= MUSIC_INTRO_VOICEOVER; ++track)
        EXPECT_NE(music->FindTrack(track), nullptr) << kMusicTrackFiles[track];

    game.FinishLoading();
    EXPECT_TRUE(game.Update());
    EXPECT_TRUE(app.mLoadingFinished);
    EXPECT_EQ(app.mLoading.mDone, 100);
    EXPECT_NE(IMAGE_MAIN_MENU_BACK_FULL, nullptr);
    EXPECT_NE(AMBIENT_SOUND_22, 0);
    EXPECT_TRUE(game.Messages().empty());
}

// The game's window can be maximised, and maximising it goes to full screen.
TEST(StartUpTest, MaximisingTheGamesWindowGoesToFullScreen)
{
    GameHarness game;
    game.Boot();
    SharkInterface& app = game.App();
    app.SetWindowedMode(true);
    ASSERT_TRUE(app.IsWindowedNow());
    EXPECT_TRUE(app.mMainWindow->hasMaximiseBox());
    app.mInputQueue.MainWindowProc({app.MainWindowId(), platform::WM_SIZE, platform::SIZE_MAXIMIZED, 0});
    while (app.mInputQueue.ProcessQueuedMessage())
    {
    }
    EXPECT_FALSE(app.IsWindowedNow());
}

TEST(StartUpTest, UnloadingAGroupTheManifestDoesNotDeclareIsHarmless)
{
    GameHarness game;
    game.Boot();
    game.App().mResourceManager->UnloadGroup("TitleScreen");
    EXPECT_TRUE(game.App().mResourceManager->IsGroupLoaded("Init"));
    EXPECT_NE(FONT_BUTTON_LABELS, nullptr);
    EXPECT_TRUE(game.Update(3));
}

class StartUpDeathTest : public ::testing::Test
{
protected:
    void SetUp() override { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
};

TEST_F(StartUpDeathTest, AMissingStringsFileEndsTheProgramWithAFailureNamingIt)
{
    EXPECT_EXIT(
        {
            PackVariant pack;
            pack.Remove("properties/Strings.xml");
            GameHarness game(HarnessOptions{pack.Folder()});
            game.Boot();
        },
        ::testing::ExitedWithCode(1), "properties/Strings.xml");
}

TEST_F(StartUpDeathTest, AStartGroupThatFailsToLoadEndsTheProgramWithTheResourceManagersText)
{
    EXPECT_EXIT(
        {
            PackVariant pack;
            pack.Remove("images/legal/publisher.png");
            GameHarness game(HarnessOptions{pack.Folder()});
            game.Boot();
        },
        ::testing::ExitedWithCode(1), "images/legal/publisher");
}

TEST_F(StartUpDeathTest, AMissingManifestEndsTheProgramWithAFailure)
{
    EXPECT_EXIT(
        {
            PackVariant pack;
            pack.Remove("properties/resources.xml");
            GameHarness game(HarnessOptions{pack.Folder()});
            game.Boot();
        },
        ::testing::ExitedWithCode(1), "resources.xml");
}

// The loading thread records the error; the main thread shows it, closes
// without the exit question and the program ends with a failure code.
TEST(StartUpTest, AFailedBackgroundLoadIsReportedByTheMainThreadAndEndsWithAFailureCode)
{
    PackVariant pack;
    pack.Remove("sounds/button_over.wav");
    GameHarness game(HarnessOptions{pack.Folder()});
    game.Boot();
    game.FinishLoading();
    EXPECT_TRUE(game.Messages().empty());
    EXPECT_TRUE(game.RunUntil([&] { return game.IsShutDown(); }, 50));
    ASSERT_EQ(game.Messages().size(), 1u);
    EXPECT_NE(game.Messages()[0].find("Failed to load sound: sounds/button_over"), std::string::npos);
    EXPECT_TRUE(game.MessagesShownOnTheMainThread());
    EXPECT_FALSE(game.App().mLoadingFinished);
    EXPECT_EQ(game.App().ExitCode(), 1);
}

TEST(StartUpTest, ClosingDuringLoadingEndsAtOnceWithoutAQuestion)
{
    GameHarness game;
    game.Boot();
    game.Update(5);
    game.RequestClose();
    EXPECT_TRUE(game.RunUntil([&] { return game.IsShutDown(); }, 10));
    EXPECT_TRUE(game.States().empty());
    EXPECT_EQ(game.App().ExitCode(), 0);
}

} // namespace
