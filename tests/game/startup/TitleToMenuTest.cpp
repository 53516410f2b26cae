#include "framework/resources/MusicInterface.h"
#include "framework/widgets/WidgetManager.h"
#include "game/frontend/IntroScreen.h"
#include "game/frontend/MainMenu.h"
#include "game/frontend/SelectProfile.h"
#include "game/frontend/TitleScreen.h"
#include "game/shell/MusicTracks.h"
#include "game/shell/Resources.h"
#include "tests/game/support/GameHarness.h"

#include <gtest/gtest.h>

namespace
{

using gameharness::GameHarness;

TitleScreen* Title(GameHarness& game)
{
    return dynamic_cast<TitleScreen*>(game.App().mTitleScreen);
}

// Updates until the intro is on the stack; the number of updates it took, or -1.
int UpdatesUntilIntro(GameHarness& game, int limit)
{
    int updates = 0;
    while (game.Top<IntroScreen>() == nullptr)
    {
        if (++updates > limit || !game.Update())
            return -1;
    }
    return updates;
}

// A fresh data folder has no profile: the menu comes up with the profile
// selection over it, already leading to the first name.
void ExpectProfileSelectionOverTheMenu(GameHarness& game)
{
    ASSERT_TRUE(game.RunUntil([&] { return game.Top<SelectProfile>() != nullptr; }, 400));
    ASSERT_EQ(game.States().size(), 2u);
    const auto* menu = dynamic_cast<const MainMenu*>(game.States().front());
    ASSERT_NE(menu, nullptr);
    EXPECT_FALSE(menu->mSlideIn->IsRunning());
    EXPECT_TRUE(game.Top<SelectProfile>()->mCreateFirst);
}

TEST(TitleToMenuTest, LoadingThatEndsEarlyStillHoldsTheFirstPictureItsFullTime)
{
    GameHarness game;
    game.Boot();
    game.FinishLoading();
    game.Update();
    ASSERT_NE(Title(game), nullptr);
    EXPECT_EQ(Title(game)->mPicture, IMAGE_LEGAL_TITLE);
    // Two pictures: each holds over 200 per-frame steps and fades out in 64; the
    // second fades in in 64. A logic update is at most one per-frame step.
    const int updates = UpdatesUntilIntro(game, 1000);
    ASSERT_GT(updates, 0);
    EXPECT_GE(updates, 200 + 64 + 64 + 200 + 64 - 5);
    EXPECT_EQ(game.App().mTitleScreen, nullptr);
    EXPECT_EQ(game.States().size(), 1u);
    EXPECT_EQ(game.App().mWidgetManager->mFocusWidget, game.Top<IntroScreen>());
}

TEST(TitleToMenuTest, LoadingThatEndsLateHoldsTheTitleWithItsLoadingLineAndRefusesClicks)
{
    GameHarness game;
    game.Boot();
    game.Update(600);
    TitleScreen* title = Title(game);
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->mState, TitleScreen::STATE_HOLDING);
    EXPECT_EQ(title->mPicture, IMAGE_LEGAL_TITLE);
    game.Click(400, 300);
    game.Update(3);
    EXPECT_EQ(title->mPicture, IMAGE_LEGAL_TITLE);
    EXPECT_EQ(title->mAlpha, 255);
    // The loading line: black text on the picture near the bottom centre.
    bool lineDrawn = false;
    for (int x = 360; x < 440 && !lineDrawn; ++x)
        for (int y = 556; y < 572 && !lineDrawn; ++y)
            lineDrawn = (game.Pixel(x, y) & 0xFFFFFF) == 0;
    EXPECT_TRUE(lineDrawn);

    game.FinishLoading();
    game.Update(2);
    // Loading is complete and the title held long enough: a click now skips to the second picture.
    game.Click(400, 300);
    game.Update(2);
    EXPECT_EQ(title->mPicture, IMAGE_LEGAL_PUBLISHER);
    EXPECT_GT(UpdatesUntilIntro(game, 1500), 0);
}

TEST(TitleToMenuTest, LoadingLineCountsDotsWithTheProgress)
{
    struct Case
    {
        int percent;
        const char* line;
    };
    for (const Case& c : {Case{0, "Loading"}, Case{15, "Loading"}, Case{16, "Loading."}, Case{31, "Loading."},
                          Case{48, "Loading..."}, Case{63, "Loading..."}, Case{64, "Loading"},
                          Case{79, "Loading"}, Case{99, "Loading.."}})
        EXPECT_EQ(TitleScreen::LoadingLine("Loading", c.percent), c.line) << c.percent;
}

TEST(TitleToMenuTest, SkippingTheIntroHandsOverToTheMainMenuAndFadesTheIntroTrack)
{
    GameHarness game;
    game.Boot();
    game.FinishLoading();
    ASSERT_GT(UpdatesUntilIntro(game, 1000), 0);
    IntroScreen* intro = game.Top<IntroScreen>();
    Quib::MusicInterface& music = *game.App().mMusicInterface;
    EXPECT_TRUE(music.IsTrackPlaying(MUSIC_INTRO_VOICEOVER));

    // The opening cannot be skipped.
    game.PressKey(SDLK_SPACE);
    game.Update(3);
    EXPECT_EQ(intro->mPhase, IntroScreen::PHASE_OPENING);
    ASSERT_TRUE(game.RunUntil([&] { return intro->mPhase == IntroScreen::PHASE_TEXTS; }, 400));
    game.PressKey(SDLK_SPACE);
    game.Update(2);
    EXPECT_EQ(intro->mPhase, IntroScreen::PHASE_SKIPPED);
    ExpectProfileSelectionOverTheMenu(game);
    // The intro track has faded out; the main menu fades the main theme in.
    game.Update(200);
    EXPECT_FALSE(music.IsTrackPlaying(MUSIC_INTRO_VOICEOVER));
    EXPECT_TRUE(music.IsTrackPlaying(MUSIC_MAIN_THEME));
}

TEST(TitleToMenuTest, AnIntroWatchedToItsEndHandsOverToTheMainMenu)
{
    GameHarness game;
    game.Boot();
    game.FinishLoading();
    ASSERT_GT(UpdatesUntilIntro(game, 1000), 0);
    IntroScreen* intro = game.Top<IntroScreen>();
    ASSERT_TRUE(game.RunUntil([&] { return intro->mPhase == IntroScreen::PHASE_TEXTS; }, 400));
    // The texts reveal one letter per 50 ms; the photos start as the texts go.
    ASSERT_TRUE(game.RunUntil([&] { return intro->mTextIndex == 1; }, 1500));
    EXPECT_GT(intro->mStartedPhoto, 0);
    ASSERT_TRUE(game.RunUntil([&] { return intro->mPhase == IntroScreen::PHASE_CLOSING; }, 3000));
    ExpectProfileSelectionOverTheMenu(game);
}

} // namespace
