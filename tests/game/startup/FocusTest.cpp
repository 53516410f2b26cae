#include "framework/resources/BassMusicInterface.h"
#include "game/frontend/IntroScreen.h"
#include "game/shell/GameClock.h"
#include "game/shell/MusicTracks.h"
#include "tests/game/support/GameHarness.h"

#include <gtest/gtest.h>

namespace
{

using gameharness::GameHarness;

platform::MusicStream::State TrackState(GameHarness& game, int track)
{
    auto* music = dynamic_cast<Quib::BassMusicInterface*>(game.App().mMusicInterface.get());
    const Quib::BassMusicTrack* entry = music != nullptr ? music->FindTrack(track) : nullptr;
    return entry != nullptr && entry->stream ? entry->stream->state() : platform::MusicStream::State::Stopped;
}

int Channel(uint32_t pixel, int shift)
{
    return int((pixel >> shift) & 0xFF);
}

// Out of focus the game clock, the per-update step and the music stand still,
// and every frame shows the last focused frame under one dark layer.
TEST(FocusTest, LosingTheFocusPausesClockAndMusicUnderOnePauseLayer)
{
    GameHarness game;
    game.Boot();
    game.FinishLoading();
    ASSERT_TRUE(game.RunUntil([&] { return game.Top<IntroScreen>() != nullptr; }, 1000));
    IntroScreen* intro = game.Top<IntroScreen>();
    ASSERT_TRUE(game.RunUntil([&] { return intro->mPhase == IntroScreen::PHASE_TEXTS; }, 400));
    game.Update(30);
    ASSERT_EQ(TrackState(game, MUSIC_INTRO_VOICEOVER), platform::MusicStream::State::Playing);

    // A point on the grey backdrop, away from the photos' path and the text.
    const int x = 700, y = 420;
    const uint32_t focused = game.Pixel(x, y);
    const int revealed = intro->mRevealCount;

    game.LoseFocus();
    game.Update(2);
    EXPECT_FALSE(GameClock::GetInstance().IsRunning());
    EXPECT_EQ(TrackState(game, MUSIC_INTRO_VOICEOVER), platform::MusicStream::State::Paused);
    const int64_t pausedAt = GameClock::GetInstance().GetTime();
    const uint32_t firstPaused = game.Pixel(x, y);
    game.Update(300);
    EXPECT_EQ(GameClock::GetInstance().GetTime(), pausedAt);
    EXPECT_EQ(intro->mRevealCount, revealed);
    // One layer of black at 200/255 over the frame, however many frames were drawn.
    const uint32_t laterPaused = game.Pixel(x, y);
    EXPECT_EQ(laterPaused, firstPaused);
    for (int shift : {0, 8, 16})
    {
        const int expected = Channel(focused, shift) * 55 / 255;
        EXPECT_NEAR(Channel(laterPaused, shift), expected, 2) << shift;
    }
    EXPECT_GT(Channel(focused, 8), 40) << "the point should be on the light backdrop";

    game.RegainFocus();
    game.Update(5);
    EXPECT_TRUE(GameClock::GetInstance().IsRunning());
    EXPECT_EQ(TrackState(game, MUSIC_INTRO_VOICEOVER), platform::MusicStream::State::Playing);
    // Out-of-focus time counted for nothing: the clock went on from where it stood.
    EXPECT_LT(GameClock::GetInstance().GetTime() - pausedAt, 200);
    EXPECT_EQ(game.Pixel(x, y), focused);
}

} // namespace
