// The wave matching on the mini-game base: a player drags the three sliders
// until the wave lies on the target, from the gallery and from its scene.
#include "game/minigames/gallery/MiniGameFactory.h"
#include "game/minigames/wave/OscilloscopeMiniGame.h"
#include "game/shell/Resources.h"
#include "tests/game/minigames/flows/MiniGameAppSupport.h"

#include <gtest/gtest.h>

namespace
{

using minigametest::MiniGameApp;

// Presses the thumb and drags it so that it starts `position` pixels into the rail.
void DragTo(CustomSlider& slider, int position)
{
    const int thumb = int((slider.mWidth - slider.mThumbImage->GetWidth()) * slider.mVal);
    slider.OnMouseDown(thumb + 4, 10, 1);
    ASSERT_TRUE(slider.mDragging);
    slider.OnMouseDrag(position + 4, 10);
    slider.OnMouseReleased(position + 4, 10);
}

// Thumb positions on the 72-pixel travel: frequency 9/72 = 0.125 (2),
// amplitude 31/72 (41), phase 24/72 (6): both within 2 of the target.
void MatchTheWave(MiniGameApp& app, OscilloscopeMiniGame* game, const std::string& frame)
{
    DragTo(*game->mFrequencySlider, 9);
    EXPECT_TRUE(app.Played(SFX_MG_OSCILOSCOPE));
    EXPECT_EQ(game->mWave.GetFrequency(), 2);
    DragTo(*game->mAmplitudeSlider, 31);
    EXPECT_EQ(game->mWave.GetAmplitude(), 41);
    app.Step(1);
    app.DrawFrame(minigametest::FrameFile(frame));
    EXPECT_FALSE(game->mSolved);
    DragTo(*game->mPhaseSlider, 24);
    ASSERT_TRUE(game->mSolved);
    // Near enough snaps onto the target.
    EXPECT_EQ(game->mWave.GetAmplitude(), 40);
    EXPECT_EQ(game->mWave.GetPhase(), 5);
}

} // namespace

TEST(WaveFlow, FromTheGalleryTheSlidersBringTheWaveOntoTheTarget)
{
    MiniGameApp app;
    auto* game = dynamic_cast<OscilloscopeMiniGame*>(CreateMiniGameByIndex(15, &app.mStack));
    ASSERT_NE(game, nullptr);
    EXPECT_EQ(game->mX, 150);
    EXPECT_EQ(game->mY, 20);
    for (CustomSlider* slider :
         {game->mFrequencySlider.get(), game->mAmplitudeSlider.get(), game->mPhaseSlider.get()})
        EXPECT_EQ(slider->mY, 460);
    minigametest::CloseEntryHelp(app);
    MatchTheWave(app, game, "wave_matching");
    // Once solved the sliders change nothing.
    DragTo(*game->mFrequencySlider, 60);
    EXPECT_EQ(game->mWave.GetFrequency(), 2);
    EXPECT_EQ(game->mOwnerPlayfield, nullptr);
    minigametest::ExpectEndDialogAndLeave(app, game);
}

TEST(WaveFlow, FromItsSceneResetPutsTheSlidersBackAndTheSolveMarksTheScene)
{
    MiniGameApp app;
    minigametest::RecordingOwner owner;
    auto* game = dynamic_cast<OscilloscopeMiniGame*>(CreateMiniGame(*FindSceneMiniGame("Level5", "Scene16")));
    ASSERT_NE(game, nullptr);
    minigametest::EnterFromScene(app, game, &owner);
    DragTo(*game->mFrequencySlider, 9);
    DragTo(*game->mAmplitudeSlider, 60);
    game->OnResetClicked();
    EXPECT_EQ(game->mWave.GetFrequency(), WaveSettings::kStartFrequency);
    EXPECT_EQ(game->mWave.GetAmplitude(), WaveSettings::kStartAmplitude);
    EXPECT_DOUBLE_EQ(game->mFrequencySlider->mVal, 6.0 / 20);
    EXPECT_DOUBLE_EQ(game->mAmplitudeSlider->mVal, 20.0 / 96);
    MatchTheWave(app, game, "wave_matching_scene");
    minigametest::ExpectEndDialogAndLeave(app, game);
    EXPECT_EQ(owner.mLog, (std::vector<std::string>{"done", "discard", "end delay"}));
}
