// The box-pushing game on the mini-game base: help on entry, pushes through
// the arrows, the end dialog on the 16th update after the solve, and leaving.
#include "framework/widgets/WidgetManager.h"
#include "game/minigames/base/MiniGameHelpScreen.h"
#include "game/minigames/sokoban/MiniGameSokoban.h"
#include "game/minigames/sokoban/SokobanSolver.h"
#include "game/shell/CustomDialog.h"
#include "game/shell/GameStateStack.h"
#include "game/shell/Resources.h"
#include "game/shell/StringTable.h"
#include "tests/game/minigames/flows/MiniGameAppSupport.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace
{

using minigametest::MiniGameApp;
using minigametest::RecordingOwner;

class SokobanFlow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        mGame = new MiniGameSokoban("Mode1");
        mGame->mSkipAllowed = true;
        mGame->SetOwnerScene(&mOwner);
        PushGameState(mGame, &mApp.mStack);
    }
    void Step(int updates, uint32_t msEach = 10) { mApp.Step(updates, msEach); }

    MiniGameApp mApp;
    GameStateStack& mStack = mApp.mStack;
    RecordingOwner mOwner;
    MiniGameSokoban* mGame = nullptr;
};

} // namespace

TEST_F(SokobanFlow, HelpOpensAfterTheDimAndClosesOnAClick)
{
    EXPECT_EQ(mStack.Top(), mGame);
    Step(30);
    auto* help = dynamic_cast<MiniGameHelpScreen*>(mStack.Top());
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->mHelpText, StringTable::GetInstance().Lookup("MiniGameHelp6"));
    Step(30);
    help->OnMouseButtonDown(10, 10, 0, 1);
    Step(30);
    EXPECT_EQ(mStack.Top(), mGame);
    EXPECT_TRUE(mGame->mResetButton->mVisible);
}

TEST_F(SokobanFlow, SolvingOpensTheEndDialogOnThe16thUpdateAndLeavesThroughTheBase)
{
    Step(30);
    PopGameState(&mStack); // the help panel
    std::optional<std::vector<SokobanMove>> moves = SolveSokoban(mGame->mBoard->GetLevel());
    ASSERT_TRUE(moves.has_value());
    for (size_t i = 0; i < moves->size(); ++i)
    {
        const SokobanMove& move = (*moves)[i];
        mGame->mBoxes[size_t(move.mBox)]->mArrows[size_t(move.mArrow)]->OnMouseButtonDown(5, 5, 0, 1);
        if (i == moves->size() / 2)
            mApp.DrawFrame(minigametest::FrameFile("box_pushing"));
    }
    ASSERT_TRUE(mGame->mSolved);
    Step(15);
    EXPECT_EQ(mStack.Top(), mGame);
    Step(1);
    auto* dialog = dynamic_cast<CustomDialog*>(mStack.Top());
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->mDialogId, MiniGameWidget::DIALOG_ID_MINI_GAME_END);
    // A Help or Skip click under the dialog changes nothing any more.
    mGame->OpenHelp();
    mGame->OnSkipClicked();
    EXPECT_EQ(mStack.Top(), dialog);
    mGame->OnDialogClosed(MiniGameWidget::DIALOG_ID_MINI_GAME_END, 0);
    EXPECT_EQ(mOwner.mLog, (std::vector<std::string>{"done", "discard", "end delay"}));
    Step(40);
    EXPECT_TRUE(mStack.Empty());
}

TEST_F(SokobanFlow, RightClicksAndSolvedGamesPushNothing)
{
    Step(30);
    PopGameState(&mStack);
    const std::vector<SokobanPoint> start = mGame->mBoard->GetBoxes();
    for (auto& box : mGame->mBoxes)
        for (auto& arrow : box->mArrows)
            arrow->OnMouseButtonDown(5, 5, 1, 1);
    EXPECT_EQ(mGame->mBoard->GetBoxes(), start);
}

TEST_F(SokobanFlow, SkipAfterFortySecondsChargesThePenaltyAndPopsTheGame)
{
    Step(30);
    PopGameState(&mStack);
    mGame->OnSkipClicked();
    EXPECT_EQ(mStack.Top(), mGame); // before 40 s nothing opens
    Step(400, 100);
    mGame->OnSkipClicked();
    auto* dialog = dynamic_cast<CustomDialog*>(mStack.Top());
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->mDialogId, MiniGameWidget::DIALOG_ID_MINI_GAME_SKIP);
    mGame->OnDialogClosed(MiniGameWidget::DIALOG_ID_MINI_GAME_SKIP, 0);
    EXPECT_TRUE(mGame->mSkipped);
    EXPECT_FALSE(mGame->mSolved);
    Step(40);
    EXPECT_EQ(mOwner.mLog, (std::vector<std::string>{"penalty", "done", "discard", "end delay"}));
    EXPECT_TRUE(mStack.Empty());
}

TEST_F(SokobanFlow, TheSkipLabelCountsDownFromForty)
{
    Step(30); // the stopwatch starts when the dim-in ends, under the first help panel
    PopGameState(&mStack);
    const std::string skip = StringTable::GetInstance().Lookup("LBL_SKIP");
    struct Case
    {
        int32_t elapsed;
        std::string label;
    } cases[] = {{500, "40"}, {39'500, "1"}, {40'000, "0"}, {40'001, skip}};
    for (const Case& c : cases)
    {
        mApp.mTime.Advance(uint32_t(c.elapsed - mGame->mStopwatch.GetElapsedMs()));
        mApp.mWidgetManager->UpdateWidgetsFraction(1.0f);
        EXPECT_EQ(mGame->mSkipButton->mLabel, c.label) << c.elapsed;
    }
    // Clickable from 40 000 ms on.
    mGame->OnSkipClicked();
    EXPECT_NE(mStack.Top(), mGame);
}

// Played from a scene the game shows Skip beside Reset: the two stand side by
// side under the board without one lying over the other.
TEST_F(SokobanFlow, SkipAndResetStandSideBySideUnderTheBoard)
{
    const MenuItem& skip = *mGame->mSkipButton;
    const MenuItem& reset = *mGame->mResetButton;
    EXPECT_EQ(skip.mY, reset.mY);
    EXPECT_LT(skip.mX + skip.mWidth, reset.mX);
    EXPECT_GE(skip.mX, 0);
    EXPECT_LE(reset.mX + reset.mWidth, 800);
    EXPECT_EQ((skip.mX + reset.mX + reset.mWidth) / 2, 150 + 8 * 60 / 2);
}
