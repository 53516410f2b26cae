// The finale's bomb: defused with the pliers and the screwdriver in any
// order, wires found only over their own pixels, the scheme that stops the
// countdown, and a time-out that flashes white, asks to try again and starts
// the bomb afresh.
#include "framework/widgets/WidgetManager.h"
#include "game/minigames/bomb/BombMiniGame.h"
#include "game/minigames/gallery/MiniGameFactory.h"
#include "game/shell/CustomDialog.h"
#include "game/shell/Resources.h"
#include "game/shell/StringTable.h"
#include "tests/game/minigames/flows/MiniGameAppSupport.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace
{

using minigametest::MiniGameApp;
using minigametest::RecordingOwner;

class BombFlow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        mBomb = CreateBombMiniGame(&mOwner, &mApp.mStack);
        mApp.Step(1);
    }
    std::array<BombWire*, 4> Wires() const
    {
        return {mBomb->mWire1.get(), mBomb->mWire2.get(), mBomb->mWire3.get(), mBomb->mWire4.get()};
    }
    bool Attached(Quib::Widget* widget) const
    {
        const auto& children = mApp.mWidgetManager->mChildren;
        return std::find(children.begin(), children.end(), widget) != children.end();
    }
    void CutAll()
    {
        for (BombWire* wire : Wires())
            wire->OnMouseButtonDown(wire->mWidth / 2, wire->mHeight / 2, 0, 1);
    }

    MiniGameApp mApp;
    RecordingOwner mOwner;
    BombMiniGame* mBomb = nullptr;
};

} // namespace

TEST_F(BombFlow, OpensWithoutHelpOrDimAndOnlyTheCloseButton)
{
    EXPECT_EQ(mApp.mStack.Top(), mBomb);
    EXPECT_FALSE(mBomb->mSkipAllowed);
    EXPECT_EQ(mBomb->mHelpNumber, -1);
    EXPECT_TRUE(Attached(mBomb->mCloseButton.get()));
    EXPECT_TRUE(mBomb->mCloseButton->mVisible);
    EXPECT_EQ(mBomb->mCloseButton->mX + mBomb->mCloseButton->mWidth / 2, 400); // at the bottom centre
    EXPECT_EQ(mBomb->mCloseButton->mY + mBomb->mCloseButton->mHeight, 590);
    for (MenuItem* button : {mBomb->mSkipButton.get(), mBomb->mResetButton.get(), mBomb->mHelpButton.get()})
        EXPECT_FALSE(Attached(button));
    mApp.Step(60);
    EXPECT_EQ(mApp.mStack.Top(), mBomb); // no help panel
    const BombState::Display display = mBomb->mState->GetDisplay();
    EXPECT_EQ(display.mMinutes, 1);
    EXPECT_EQ(display.mTens, 5);
    EXPECT_EQ(display.mUnits, 9);
}

TEST_F(BombFlow, PliersCutEveryWireTheScrewdriverUndoesTheScrewAndTheBombIsDefused)
{
    // Wires first, then the screw; a click on the screwdriver while the pliers are held only puts them back.
    mBomb->mPliers->OnMouseButtonDown(20, 20, 0, 1);
    EXPECT_EQ(mBomb->mHeldToolPicture, IMAGE_MG_BOMB_PLIERS);
    mApp.Point(300, 300);
    mApp.Step(1);
    EXPECT_EQ(mBomb->mHeldToolX, 280.0f);
    Wires()[0]->OnMouseButtonDown(5, 5, 0, 1);
    Wires()[1]->OnMouseButtonDown(5, 5, 1, 1); // not with the right button
    EXPECT_EQ(mBomb->mState->GetCutCount(), 1);
    CutAll();
    EXPECT_EQ(mBomb->mState->GetCutCount(), 4);
    mApp.DrawFrame(minigametest::FrameFile("bomb_wires_cut"));
    mBomb->mScrewdriver->OnMouseButtonDown(10, 10, 0, 1);
    EXPECT_EQ(mBomb->mHeldToolPicture, nullptr);
    mBomb->mScrewdriver->OnMouseButtonDown(10, 10, 0, 1);
    EXPECT_EQ(mBomb->mHeldToolPicture, IMAGE_MG_BOMB_SCREWDRIVER);
    EXPECT_FALSE(mBomb->mSolved);
    mBomb->mScrew->OnMouseButtonDown(10, 10, 0, 1);
    EXPECT_TRUE(mBomb->mSolved);
    EXPECT_EQ(mBomb->mHeldToolPicture, nullptr);
    const float angle = mBomb->mCogAngle;
    mApp.Step(15);
    EXPECT_EQ(mBomb->mCogAngle, angle); // the cogs stop with the screw out
    EXPECT_EQ(mApp.mStack.Top(), mBomb);
    mApp.Step(1);
    auto* dialog = dynamic_cast<CustomDialog*>(mApp.mStack.Top());
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->mDialogId, MiniGameWidget::DIALOG_ID_MINI_GAME_END);
    EXPECT_TRUE(mApp.Played(SFX_MG_END));
    mBomb->OnDialogClosed(MiniGameWidget::DIALOG_ID_MINI_GAME_END, 0);
    mApp.Step(40);
    EXPECT_TRUE(mApp.mStack.Empty());
    // The scene decides what follows; the bomb marks nothing in it.
    EXPECT_TRUE(mOwner.mLog.empty());
}

TEST_F(BombFlow, TheScrewFirstThenTheFourthCutSolvesAtOnce)
{
    mBomb->mScrewdriver->OnMouseButtonDown(10, 10, 0, 1);
    mBomb->mScrew->OnMouseButtonDown(10, 10, 1, 1);
    EXPECT_TRUE(mBomb->mState->IsScrewUndone());
    mBomb->mPliers->OnMouseButtonDown(10, 10, 0, 1);
    CutAll();
    EXPECT_TRUE(mBomb->mSolved);
    EXPECT_FALSE(mBomb->mState->IsCountdownRunning());
}

TEST_F(BombFlow, AWireIsFoundOnlyOverItsOwnPixelsUnlessThePliersAreHeld)
{
    BombWire& wire = *Wires()[0];
    int opaqueX = -1, opaqueY = -1, clearX = -1, clearY = -1;
    for (int y = 0; y < wire.mHeight; ++y)
        for (int x = 0; x < wire.mWidth; ++x)
            (wire.IsOpaqueAt(x, y) ? opaqueX : clearX) = x, (wire.IsOpaqueAt(x, y) ? opaqueY : clearY) = y;
    ASSERT_GE(opaqueX, 0);
    ASSERT_GE(clearX, 0);
    // Past the right edge the row-major index would land in the next row: still a miss.
    EXPECT_FALSE(wire.IsOpaqueAt(wire.mWidth, 0));
    EXPECT_FALSE(wire.IsOpaqueAt(-1, 1));
    mApp.Point(wire.mX + clearX, wire.mY + clearY);
    mApp.Step(1);
    EXPECT_FALSE(wire.mPixelHover);
    mApp.Point(wire.mX + opaqueX, wire.mY + opaqueY);
    mApp.Step(1);
    EXPECT_TRUE(wire.mPixelHover);
    mBomb->mPliers->OnMouseButtonDown(10, 10, 0, 1);
    EXPECT_TRUE(wire.IsOpaqueAt(clearX, clearY));
    EXPECT_FALSE(wire.IsOpaqueAt(wire.mWidth, 0));
    // A click in the tray puts the pliers back.
    mBomb->OnMouseButtonDown(470, 390, 0, 1);
    EXPECT_EQ(mBomb->mState->GetHeldTool(), -1);
    EXPECT_FALSE(wire.IsOpaqueAt(clearX, clearY));
}

TEST_F(BombFlow, TheOpenSchemeStopsTheCountdownAndCloseOnlyClosesIt)
{
    mBomb->mScheme->OnMouseButtonDown(10, 10, 0, 1);
    EXPECT_TRUE(mBomb->mState->IsSchemeOpen());
    EXPECT_EQ(mBomb->mScheme->mWidth, 800);
    const int remaining = mBomb->mState->GetRemainingMs();
    mApp.Step(300, 1000); // five minutes
    EXPECT_EQ(mBomb->mState->GetRemainingMs(), remaining);
    mApp.DrawFrame(minigametest::FrameFile("bomb_scheme"));
    mBomb->mCloseButton->OnMouseButtonDown(5, 5, 0, 1);
    EXPECT_FALSE(mBomb->mState->IsSchemeOpen());
    EXPECT_EQ(mApp.mStack.Top(), mBomb);
    mApp.Step(2, 1000);
    EXPECT_LT(mBomb->mState->GetRemainingMs(), remaining);
    // Close with the scheme shut leaves at once, recording nothing.
    mBomb->mCloseButton->OnMouseButtonDown(5, 5, 0, 1);
    EXPECT_TRUE(mApp.mStack.Empty());
    EXPECT_TRUE(mOwner.mLog.empty());
}

TEST_F(BombFlow, ATimeOutFlashesWhiteAsksToTryAgainAndStartsTheBombAfresh)
{
    mBomb->mScrewdriver->OnMouseButtonDown(10, 10, 0, 1);
    mBomb->mScrew->OnMouseButtonDown(10, 10, 0, 1);
    mBomb->mPliers->OnMouseButtonDown(10, 10, 0, 1);
    Wires()[2]->OnMouseButtonDown(5, 5, 0, 1);
    mApp.Step(119, 1000);
    EXPECT_FALSE(mBomb->mTimedOut);
    mApp.Step(1, 1000);
    ASSERT_TRUE(mBomb->mTimedOut);
    EXPECT_FALSE(Attached(mBomb->mPliers.get()));
    EXPECT_FALSE(Attached(mBomb->mScheme.get()));
    EXPECT_EQ(mBomb->mHeldToolPicture, nullptr);
    mApp.Step(50);
    EXPECT_GT(mBomb->mFlashAlpha, 0);
    EXPECT_LT(mBomb->mFlashAlpha, 255);
    mApp.DrawFrame(minigametest::FrameFile("bomb_time_out"));
    mApp.Step(60);
    auto* dialog = dynamic_cast<CustomDialog*>(mApp.mStack.Top());
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->mDialogId, BombMiniGame::DIALOG_ID_BOMB_TRY_AGAIN);
    EXPECT_EQ(dialog->mText, StringTable::GetInstance().Lookup("LBL_DIALOG_BOMB_TRY_AGAIN"));
    EXPECT_EQ(mBomb->mFlashAlpha, 255);
    // Back in its first state behind the dialog: wires whole, the screw in, the tools in the tray.
    EXPECT_FALSE(mBomb->mState->IsWireCut(2));
    EXPECT_FALSE(mBomb->mState->IsScrewUndone());
    EXPECT_TRUE(Attached(mBomb->mPliers.get()));
    EXPECT_FALSE(mBomb->mState->IsToolTaken(BombState::kPliers));
    mBomb->mPliers->OnMouseButtonDown(10, 10, 0, 1); // the flash has not faded yet
    EXPECT_EQ(mBomb->mState->GetHeldTool(), -1);
    mBomb->OnDialogClosed(BombMiniGame::DIALOG_ID_BOMB_TRY_AGAIN, 0);
    EXPECT_EQ(mApp.mStack.Top(), mBomb);
    mApp.Step(110);
    EXPECT_EQ(mBomb->mFlashAlpha, 0);
    EXPECT_FALSE(mBomb->mTimedOut);
    EXPECT_TRUE(Attached(mBomb->mScheme.get()));
    EXPECT_TRUE(mBomb->mState->IsCountdownRunning());
    const BombState::Display display = mBomb->mState->GetDisplay();
    EXPECT_EQ(display.mMinutes * 60 + display.mTens * 10 + display.mUnits, 119);
    // And it can be defused this time.
    mBomb->mPliers->OnMouseButtonDown(10, 10, 0, 1);
    CutAll();
    mBomb->OnMouseButtonDown(470, 390, 1, 1);
    mBomb->mScrewdriver->OnMouseButtonDown(10, 10, 0, 1);
    mBomb->mScrew->OnMouseButtonDown(10, 10, 0, 1);
    EXPECT_TRUE(mBomb->mSolved);
}
