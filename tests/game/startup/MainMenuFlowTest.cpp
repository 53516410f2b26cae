#include "framework/graphics/Image.h"
#include "framework/widgets/WidgetManager.h"
#include "game/frontend/IntroScreen.h"
#include "game/frontend/MainMenu.h"
#include "game/frontend/OptionsScreen.h"
#include "game/frontend/SelectProfile.h"
#include "game/minigames/gallery/PuzzleScreen.h"
#include "game/records/DataFolder.h"
#include "game/records/ProfileList.h"
#include "game/shell/CustomDialog.h"
#include "game/shell/Resources.h"
#include "tests/game/support/GameHarness.h"
#include "tests/game/support/MenuSteps.h"

#include <gtest/gtest.h>

namespace
{

using gameharness::ClickOn;
using gameharness::GameHarness;
using gameharness::IsInWidgetTree;
using gameharness::ReachMainMenu;
using gameharness::WaitForMenuAtRest;

void ExpectMenuAtRest(const MainMenu& menu)
{
    const int restX = 790 - IMAGE_BUTTON_MAIN_MENU->GetWidth();
    for (const MenuItem* button :
         {menu.mPlayButton.get(), menu.mOptionsButton.get(), menu.mPuzzlesButton.get(),
          menu.mBonusButton.get(), menu.mExitButton.get()})
        EXPECT_EQ(button->mX, restX) << button->mLabel;
    EXPECT_EQ(menu.mProfileButton->mX, 460);
    EXPECT_EQ(menu.mTitleX, 69);
}

TEST(MainMenuFlowTest, TheGalleryButtonOpensThePuzzleGalleryOverTheMenuAndItsCloseComesBack)
{
    GameHarness game;
    MainMenu* menu = ReachMainMenu(game);
    ASSERT_NE(menu, nullptr);
    ExpectMenuAtRest(*menu);
    // The player named on the way in is current; the choice is defined before any click.
    EXPECT_TRUE(menu->HasProfile());
    EXPECT_EQ(menu->mChoice, MainMenu::CHOICE_OPTIONS);

    ClickOn(game, *menu->mPuzzlesButton);
    ASSERT_TRUE(game.RunUntil([&] { return game.Top<PuzzleScreen>() != nullptr; }, 200));
    EXPECT_EQ(game.States().size(), 2u);
    // The gallery dims the menu rather than replacing it.
    EXPECT_TRUE(IsInWidgetTree(game, menu));
    const int outX = 850;
    EXPECT_EQ(menu->mExitButton->mX, outX);

    PuzzleScreen* gallery = game.Top<PuzzleScreen>();
    ASSERT_NE(gallery->mCloseButton, nullptr);
    ClickOn(game, *gallery->mCloseButton);
    ASSERT_TRUE(game.RunUntil([&] { return game.Top<MainMenu>() == menu; }, 200));
    EXPECT_EQ(game.States().size(), 1u);
    ASSERT_TRUE(game.RunUntil(
        [&] { return !menu->mSlideIn->IsRunning() && !menu->mTitleSlideIn->IsRunning(); }, 200));
    ExpectMenuAtRest(*menu);
}

TEST(MainMenuFlowTest, TheMenuAndItsGalleryBelongToThePlayerSavedAsCurrent)
{
    GameHarness game;
    ASSERT_TRUE(CreateDataFolder());
    ProfileList saved("Player");
    auto player = std::make_unique<PlayerProfile>();
    player->SetName("Ada");
    player->SetFileName(saved.MakeNewFileName("Ada"));
    player->mWallpaperUnlocks.mEntries[7].mUnlocked = true;
    saved.AddProfile(std::move(player));
    ASSERT_TRUE(saved.SaveProfiles());

    MainMenu* menu = ReachMainMenu(game);
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->HasProfile());
    ClickOn(game, *menu->mPuzzlesButton);
    ASSERT_TRUE(game.RunUntil([&] { return game.Top<PuzzleScreen>() != nullptr; }, 200));
    const PuzzleScreen& gallery = *game.Top<PuzzleScreen>();
    ASSERT_EQ(gallery.mButtons.size(), 30u);
    for (size_t index = 0; index < gallery.mButtons.size(); ++index)
        EXPECT_EQ(gallery.mButtons[index]->mEnabled, index == 7) << index;
}

TEST(MainMenuFlowTest, OptionsAndProfileButtonsOpenTheirScreensAndComeBackToTheMenuAtRest)
{
    GameHarness game;
    MainMenu* menu = ReachMainMenu(game);
    ASSERT_NE(menu, nullptr);
    struct Case
    {
        const char* name;
        MenuItem* button;
        // Leaves the menu's own profile current or not before the click.
        bool noCurrentPlayer;
        int choice;
    };
    // A list whose current player could not be read has profiles but no player:
    // play then leads to the profile choice instead of a game with nobody's records.
    for (const Case& c :
         {Case{"options", menu->mOptionsButton.get(), false, MainMenu::CHOICE_OPTIONS},
          Case{"profile", menu->mProfileButton.get(), false, MainMenu::CHOICE_PROFILE},
          Case{"play without a player", menu->mPlayButton.get(), true, MainMenu::CHOICE_PROFILE}})
    {
        game.App().mProfiles->SetCurrentProfileIndex(c.noCurrentPlayer ? -1 : 0);
        ClickOn(game, *c.button);
        game.Update(2);
        EXPECT_EQ(menu->mChoice, c.choice) << c.name;
        MenuItem* close = nullptr;
        if (c.choice == MainMenu::CHOICE_OPTIONS)
        {
            ASSERT_TRUE(game.RunUntil([&] { return game.Top<OptionsScreen>() != nullptr; }, 200)) << c.name;
            OptionsScreen* options = game.Top<OptionsScreen>();
            ASSERT_TRUE(game.RunUntil([&] { return !options->mSlideIn->IsRunning(); }, 100)) << c.name;
            close = options->mOkButton.get();
        }
        else
        {
            ASSERT_TRUE(game.RunUntil([&] { return game.Top<SelectProfile>() != nullptr; }, 200)) << c.name;
            SelectProfile* selection = game.Top<SelectProfile>();
            ASSERT_TRUE(game.RunUntil([&] { return !selection->IsBusy(); }, 100)) << c.name;
            close = selection->mButtons[SelectProfile::BUTTON_DONE].get();
        }
        EXPECT_EQ(game.States().size(), 2u) << c.name;
        EXPECT_TRUE(IsInWidgetTree(game, menu)) << c.name;
        ClickOn(game, *close);
        ASSERT_TRUE(game.RunUntil([&] { return game.Top<MainMenu>() == menu; }, 200)) << c.name;
        ASSERT_TRUE(WaitForMenuAtRest(game, *menu)) << c.name;
        ExpectMenuAtRest(*menu);
        EXPECT_TRUE(menu->HasProfile()) << c.name;
    }
}

TEST(MainMenuFlowTest, ClicksDuringASlideAreIgnoredAndNoToTheExitQuestionSlidesEverythingBack)
{
    GameHarness game;
    MainMenu* menu = ReachMainMenu(game);
    ASSERT_NE(menu, nullptr);
    ClickOn(game, *menu->mExitButton);
    game.Update(2);
    ASSERT_TRUE(menu->mSlideOut->IsRunning());
    // The puzzles button is still under the mouse on its way out: its click must not change the choice.
    ClickOn(game, *menu->mPuzzlesButton);
    game.Update(2);
    EXPECT_EQ(menu->mChoice, MainMenu::CHOICE_EXIT);

    ASSERT_TRUE(game.RunUntil([&] { return game.Top<CustomDialog>() != nullptr; }, 200));
    CustomDialog* dialog = game.Top<CustomDialog>();
    EXPECT_EQ(dialog->mDialogId, MainMenu::DIALOG_EXIT);
    ASSERT_TRUE(game.RunUntil([&] { return !dialog->IsAnimating(); }, 200));
    ASSERT_NE(dialog->mNoButton, nullptr);
    ClickOn(game, *dialog->mNoButton);
    ASSERT_TRUE(game.RunUntil([&] { return game.Top<MainMenu>() == menu; }, 300));
    ASSERT_TRUE(game.RunUntil(
        [&] { return !menu->mSlideIn->IsRunning() && !menu->mTitleSlideIn->IsRunning(); }, 200));
    ExpectMenuAtRest(*menu);
    EXPECT_FALSE(game.IsShutDown());
}

} // namespace
