// The clock hands on the mini-game base: a player turns the hands with the
// mouse onto each number and its letter and checks, from the gallery and from
// its scene, until all twelve symbols are marked.
#include "game/minigames/clock/ClockMiniGame.h"
#include "game/minigames/gallery/MiniGameFactory.h"
#include "game/shell/Resources.h"
#include "tests/game/minigames/flows/MiniGameAppSupport.h"

#include <cmath>
#include <gtest/gtest.h>
#include <numbers>

namespace
{

using minigametest::MiniGameApp;

// The screen point 60 px from the dial centre in the direction of an angle.
std::pair<int, int> PointAt(const ClockMiniGame& game, double degrees)
{
    const double a = degrees * std::numbers::pi / 180.0;
    return {int(std::lround(game.mCentreX - 60 * std::sin(a))),
            int(std::lround(game.mCentreY - 60 * std::cos(a)))};
}

// Takes a hand where it points, drags it to an angle and lets it go there.
void TurnHand(MiniGameApp& app, ClockMiniGame* game, int hand, double degrees)
{
    const auto [fromX, fromY] = PointAt(*game, game->mDial.GetHandAngle(hand));
    game->OnMouseButtonDown(fromX, fromY, 0, 1);
    ASSERT_EQ(game->mDial.GetHeldHand(), hand);
    const auto [toX, toY] = PointAt(*game, degrees);
    app.Point(toX, toY);
    app.Step(1);
    game->OnMouseButtonDown(toX, toY, 0, 1);
    EXPECT_EQ(game->mDial.GetHeldHand(), -1);
}

double AngleOf(int position)
{
    return position <= 6 ? -30.0 * position : 360.0 - 30.0 * position;
}

// Points the hour hand at each number and the minute hand at its letter, and checks.
void PlayToTheEnd(MiniGameApp& app, ClockMiniGame* game, const std::string& frame)
{
    int checked = 0;
    for (int number = 0; number < 9; ++number)
    {
        int numberAt = -1, letterAt = -1;
        for (int p = 0; p < ClockDial::kPositions; ++p)
        {
            if (game->mDial.GetSymbol(p) == number)
                numberAt = p;
            if (game->mDial.GetSymbol(p) == number + 9)
                letterAt = p;
        }
        if (numberAt < 0)
            continue;
        // The minute hand wins where both are near, so it is moved out of the way first.
        TurnHand(app, game, ClockDial::kMinute, game->mDial.GetHandAngle(ClockDial::kHour) + 90);
        TurnHand(app, game, ClockDial::kHour, AngleOf(numberAt) + 4);
        TurnHand(app, game, ClockDial::kMinute, AngleOf(letterAt) - 4);
        game->mCheckButton->OnMouseButtonDown(5, 5, 0, 1);
        EXPECT_TRUE(app.Played(SFX_MG_CLOCK_CHECK_CORRECT));
        EXPECT_TRUE(game->mDial.IsMarked(numberAt) && game->mDial.IsMarked(letterAt)) << number;
        if (++checked == 3)
        {
            app.Step(1);
            app.DrawFrame(minigametest::FrameFile(frame));
            // The same pair again is wrong and changes nothing.
            app.mSounds.clear();
            game->mCheckButton->OnMouseButtonDown(5, 5, 0, 1);
            EXPECT_TRUE(app.Played(SFX_MG_CLOCK_CHECK_WRONG));
        }
    }
    EXPECT_EQ(checked, 6);
}

} // namespace

TEST(ClockFlow, FromTheGalleryEveryPairIsCheckedToTheEnd)
{
    MiniGameApp app;
    auto* game = dynamic_cast<ClockMiniGame*>(CreateMiniGameByIndex(11, &app.mStack));
    ASSERT_NE(game, nullptr);
    minigametest::CloseEntryHelp(app);
    EXPECT_EQ(game->mHelpNumber, 12);
    // The hands start at 9 and 12 o'clock.
    EXPECT_EQ(ClockDial::PositionOfAngle(game->mDial.GetHandAngle(ClockDial::kHour)), 9);
    EXPECT_EQ(ClockDial::PositionOfAngle(game->mDial.GetHandAngle(ClockDial::kMinute)), 0);
    // Far from the centre no hand is taken; a right click lets go with its sound.
    game->OnMouseButtonDown(int(game->mCentreX) + 100, int(game->mCentreY), 0, 1);
    EXPECT_EQ(game->mDial.GetHeldHand(), -1);
    game->OnMouseButtonDown(10, 10, 1, 1);
    EXPECT_TRUE(app.Played(SFX_MG_CLOCK_PLACE_HAND));
    PlayToTheEnd(app, game, "clock_hands");
    ASSERT_TRUE(game->mSolved);
    // Once solved the hands stay put.
    game->OnMouseButtonDown(int(game->mCentreX), int(game->mCentreY) - 60, 0, 1);
    EXPECT_EQ(game->mDial.GetHeldHand(), -1);
    EXPECT_EQ(game->mOwnerPlayfield, nullptr);
    minigametest::ExpectEndDialogAndLeave(app, game);
}

TEST(ClockFlow, FromItsSceneTheSolveMarksTheSceneDoneAndResetClearsMarks)
{
    MiniGameApp app;
    minigametest::RecordingOwner owner;
    auto* game = dynamic_cast<ClockMiniGame*>(CreateMiniGame(*FindSceneMiniGame("Level7", "Scene23")));
    ASSERT_NE(game, nullptr);
    minigametest::EnterFromScene(app, game, &owner);
    int numberAt = -1, letterAt = -1;
    for (int p = 0; p < ClockDial::kPositions && numberAt < 0; ++p)
        if (game->mDial.GetSymbol(p) < 9)
        {
            numberAt = p;
            for (int q = 0; q < ClockDial::kPositions; ++q)
                if (game->mDial.GetSymbol(q) == game->mDial.GetSymbol(p) + 9)
                    letterAt = q;
        }
    TurnHand(app, game, ClockDial::kHour, AngleOf(letterAt));
    TurnHand(app, game, ClockDial::kMinute, AngleOf(numberAt));
    game->mCheckButton->OnMouseButtonDown(5, 5, 0, 1);
    EXPECT_TRUE(game->mDial.IsMarked(numberAt)); // the letter may be in either hand
    game->OnResetClicked();
    EXPECT_FALSE(game->mDial.IsMarked(numberAt));
    PlayToTheEnd(app, game, "clock_hands_scene");
    minigametest::ExpectEndDialogAndLeave(app, game);
    EXPECT_EQ(owner.mLog, (std::vector<std::string>{"done", "discard", "end delay"}));
}
