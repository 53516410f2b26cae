// The front end's screens fit together: panels sized to what they hold, labels
// that move with their panel, nothing scrolling under a button, nothing of the
// menu showing through a picture, the menu's badges in the pack.

#include "framework/graphics/Font.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/graphics/MemoryImage.h"
#include "game/frontend/BonusScreen.h"
#include "game/frontend/CreditsScreen.h"
#include "game/frontend/CustomEditWidget.h"
#include "game/frontend/MainMenu.h"
#include "game/frontend/OptionsScreen.h"
#include "game/frontend/PauseMenu.h"
#include "game/frontend/PlayerNameEntry.h"
#include "game/shell/Resources.h"
#include "tests/game/support/GameHarness.h"
#include "tests/game/support/MenuSteps.h"

#include <gtest/gtest.h>

namespace
{

using namespace gameharness;

// The lowest row of a column that a draw left anything on, -1 for none.
int LowestDrawnRow(Quib::MemoryImage& image, int x)
{
    for (int y = image.GetHeight() - 1; y >= 0; --y)
        if ((image.GetBits()[size_t(y) * size_t(image.GetWidth()) + size_t(x)] >> 24) != 0)
            return y;
    return -1;
}

class ScreenFitTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        mMenu = ReachMainMenu(mGame);
        ASSERT_NE(mMenu, nullptr);
    }

    GameHarness mGame;
    MainMenu* mMenu = nullptr;
};

TEST_F(ScreenFitTest, ThePauseMenusPanelEndsAShortWayUnderItsLastButton)
{
    auto* pause = Push(mGame, new PauseMenu(), 40);
    ASSERT_FALSE(pause->mSlideIn->IsRunning());
    Quib::MemoryImage image;
    image.Create(800, 600);
    image.Clear();
    pause->mDimColor.mAlpha = 0;
    Quib::Graphics g(&image);
    pause->Draw(&g);
    const int lastButtonBottom = pause->mMainMenuButton->mY + pause->mMainMenuButton->mHeight;
    const int panelBottom = LowestDrawnRow(image, pause->mPanelX + IMAGE_GUI_DIALOG->GetWidth() / 2);
    EXPECT_GT(panelBottom, lastButtonBottom);
    EXPECT_LE(panelBottom, lastButtonBottom + 60);
    EXPECT_LE(panelBottom, PauseMenu::PanelBottom());
    // The panel's own bottom edge closes it: the same rows as the full picture's last ones.
    Quib::MemoryImage whole;
    whole.Create(800, 600);
    whole.Clear();
    Quib::Graphics w(&whole);
    w.DrawImage(IMAGE_GUI_DIALOG, pause->mPanelX, 42);
    const int fullBottom = 42 + IMAGE_GUI_DIALOG->GetHeight();
    for (int x = pause->mPanelX; x < pause->mPanelX + IMAGE_GUI_DIALOG->GetWidth(); x += 7)
        EXPECT_EQ(image.GetBits()[size_t(PauseMenu::PanelBottom() - 6) * 800 + size_t(x)],
                  whole.GetBits()[size_t(fullBottom - 6) * 800 + size_t(x)])
            << x;
}

TEST_F(ScreenFitTest, TheOptionsVersionLabelSlidesWithThePanelAndRestsWhereItBelongs)
{
    auto* options = Push(mGame, new OptionsScreen(mGame.App().mOptions.get(), true), 1);
    // Halfway through the slide the label stands as far right of the panel as it does at rest.
    mGame.Update(10);
    ASSERT_TRUE(options->mSlideIn->IsRunning());
    const int restPanelX = 400 - IMAGE_GUI_DIALOG->GetWidth() / 2;
    ASSERT_GT(options->mPanelX, restPanelX + 50);
    EXPECT_EQ(options->VersionX(), 528 + options->mPanelX - restPanelX);
    mGame.Update(40);
    EXPECT_EQ(options->mPanelX, restPanelX);
    EXPECT_EQ(options->VersionX(), 528);
}

TEST_F(ScreenFitTest, EveryCreditLinePassesBesideTheCloseButton)
{
    auto* credits = Push(mGame, new CreditsScreen(false), 40);
    const MenuItem& close = *credits->mCloseButton;
    ASSERT_FALSE(credits->mLines.empty());
    for (const CreditLine& line : credits->mLines)
    {
        // Centred in the 800-pixel screen, with a margin from the button.
        const int width = FONT_CREDITS->GetStringWidth(line.mText);
        EXPECT_GE(400 - width / 2, close.mX + close.mWidth + 8) << line.mText;
    }
}

TEST_F(ScreenFitTest, ALockedWallpaperIsGreyedOnBlackNotOnTheMenuBehindIt)
{
    auto* gallery = Push(mGame, new BonusScreen(mGame.App().GetCurrentProfile(), false), 80);
    gallery->mPage = 1;
    gallery->ShowPage(1);
    ASSERT_FALSE(gallery->mUnlocked[1]);
    ASSERT_TRUE(gallery->mPagePicture);
    // The same page drawn over white and over black looks the same: nothing shows through.
    for (int x : {150, 300, 500, 650})
    {
        Quib::MemoryImage onWhite, onBlack;
        for (Quib::MemoryImage* image : {&onWhite, &onBlack})
        {
            image->Create(800, 600);
            Quib::Graphics g(image);
            g.SetColor(image == &onWhite ? Quib::Color(255, 255, 255, 255) : Quib::Color(0, 0, 0, 255));
            g.FillRect(0, 0, 800, 600);
            gallery->Draw(&g);
        }
        const size_t at = size_t(gallery->mPageY + 100) * 800 + size_t(x);
        EXPECT_EQ(onWhite.GetBits()[at], onBlack.GetBits()[at]) << x;
    }
}

TEST_F(ScreenFitTest, TheNameFieldWritesItsSelectedTextInItsOwnWhite)
{
    PlayerNameEntry* entry = Push(mGame, new PlayerNameEntry(PlayerNameEntry::MODE_CREATE, nullptr), 40);
    const Quib::Color selected = entry->mNameEdit->GetColor(Quib::EditWidget::COLOR_HILITE_TEXT);
    EXPECT_EQ(selected.mRed, 255);
    EXPECT_EQ(selected.mGreen, 255);
    EXPECT_EQ(selected.mBlue, 255);
    EXPECT_EQ(selected.mAlpha, 255);
    EXPECT_EQ(entry->mNameEdit->GetColor(Quib::EditWidget::COLOR_TEXT).mRed, 255);
}

TEST_F(ScreenFitTest, TheMenusTwoBadgesComeWithThePackAndSlideInFromTheLeftWithExit)
{
    ASSERT_TRUE(mMenu->mMakerLogo);
    ASSERT_TRUE(mMenu->mSecondLogo);
    // At rest both stand on the screen's bottom left, side by side, clear of the buttons.
    const int exitX = mMenu->mExitButton->mX;
    EXPECT_GE(570 - exitX, 0);
    EXPECT_LE(570 - exitX + mMenu->mMakerLogo->GetWidth(), 674 - exitX);
    EXPECT_LE(674 - exitX + mMenu->mSecondLogo->GetWidth(), exitX);
    EXPECT_LE(516 + mMenu->mMakerLogo->GetHeight(), 600);
    EXPECT_LE(516 + mMenu->mSecondLogo->GetHeight(), 600);
    const uint32_t restingCorner = mGame.Pixel(570 - exitX + mMenu->mMakerLogo->GetWidth() / 2, 516 + 40);

    // Exit slides the buttons out to the right and the badges out to the left.
    ClickOn(mGame, *mMenu->mExitButton);
    ASSERT_TRUE(mGame.RunUntil([&] { return mMenu->mExitButton->mX >= 850; }, 200));
    EXPECT_LE(570 - mMenu->mExitButton->mX + mMenu->mMakerLogo->GetWidth(), 0);
    EXPECT_LE(674 - mMenu->mExitButton->mX + mMenu->mSecondLogo->GetWidth(), 0);
    mGame.Update();
    EXPECT_NE(mGame.Pixel(570 - exitX + mMenu->mMakerLogo->GetWidth() / 2, 516 + 40), restingCorner);
}

} // namespace
