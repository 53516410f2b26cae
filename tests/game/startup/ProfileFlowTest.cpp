#include "framework/widgets/Checkbox.h"
#include "framework/widgets/ListWidget.h"
#include "game/frontend/CustomEditWidget.h"
#include "game/frontend/MainMenu.h"
#include "game/frontend/PlayerNameEntry.h"
#include "game/frontend/SelectProfile.h"
#include "game/records/DataFolder.h"
#include "game/records/ProfileList.h"
#include "game/shell/CustomDialog.h"
#include "tests/game/support/KeptFolder.h"
#include "tests/game/support/MenuSteps.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace
{

using namespace gameharness;

SelectProfile* OpenProfileSelection(GameHarness& game, MainMenu& menu)
{
    ClickOn(game, *menu.mProfileButton);
    if (!game.RunUntil([&] { return game.Top<SelectProfile>() != nullptr; }, 300))
        return nullptr;
    SelectProfile* selection = game.Top<SelectProfile>();
    return game.RunUntil([&] { return !selection->IsBusy(); }, 100) ? selection : nullptr;
}

// Back on the selection once the name entry has slid out and closed.
bool EnterName(GameHarness& game, SelectProfile& selection, MenuItem& opener, const std::string& name,
               bool timed = false)
{
    ClickOn(game, opener);
    PlayerNameEntry* entry = WaitForNameEntry(game);
    if (entry == nullptr)
        return false;
    TypeName(game, name);
    if (timed)
        ClickOn(game, *entry->mTimedBox);
    ClickOn(game, *entry->mOkButton);
    return game.RunUntil([&] { return game.Top<SelectProfile>() == &selection; }, 100);
}

void ClickLine(GameHarness& game, SelectProfile& selection, int line)
{
    const Quib::ListWidget& list = *selection.mList;
    game.Click(list.mX + list.mWidth / 2, list.mY + 4 + line * list.mItemHeight + list.mItemHeight / 2);
    game.Update(2);
}

// Answers the question on top with YES (or NO) and waits until it is gone.
bool Answer(GameHarness& game, bool yes)
{
    CustomDialog* dialog = game.Top<CustomDialog>();
    return dialog != nullptr && AnswerDialog(game, *dialog, yes) &&
           game.RunUntil([&] { return game.Top<CustomDialog>() == nullptr; }, 200);
}

TEST(ProfileFlowTest, ProfilesCreatedRenamedDeletedAndChosenAreReadBackIntact)
{
    KeptFolder folder("orvellan-profiles");
    {
        GameHarness game(HarnessOptions{.dataFolder = folder.path});
        MainMenu* menu = ReachMainMenu(game, "Anna");
        ASSERT_NE(menu, nullptr);
        ProfileList& profiles = *game.App().mProfiles;
        ASSERT_EQ(profiles.GetProfileNames(), std::vector<std::string>{"Anna"});
        EXPECT_EQ(profiles.GetProfile(0)->mFileName, "Anna0");
        EXPECT_FALSE(profiles.GetProfile(0)->mTimedPlay);

        SelectProfile* selection = OpenProfileSelection(game, *menu);
        ASSERT_NE(selection, nullptr);
        ASSERT_TRUE(EnterName(game, *selection, *selection->mButtons[SelectProfile::BUTTON_CREATE], "Bert"));
        EXPECT_EQ(selection->GetSelectedLine(), 1);
        EXPECT_EQ(profiles.GetCurrentProfileIndex(), 1);

        // Anna becomes Cleo but keeps her file; a new Anna must not take it over.
        ClickLine(game, *selection, 0);
        ASSERT_TRUE(EnterName(game, *selection, *selection->mButtons[SelectProfile::BUTTON_RENAME], "Cleo"));
        EXPECT_EQ(selection->GetSelectedLine(), 0);
        ASSERT_TRUE(
            EnterName(game, *selection, *selection->mButtons[SelectProfile::BUTTON_CREATE], "Anna", true));
        EXPECT_EQ(profiles.GetProfileNames(), (std::vector<std::string>{"Cleo", "Bert", "Anna"}));
        EXPECT_EQ(profiles.GetProfile(0)->mFileName, "Anna0");
        EXPECT_EQ(profiles.GetProfile(2)->mFileName, "Anna1");

        ClickLine(game, *selection, 1);
        ClickOn(game, *selection->mButtons[SelectProfile::BUTTON_DELETE]);
        ASSERT_TRUE(game.RunUntil([&] { return game.Top<CustomDialog>() != nullptr; }, 50));
        ASSERT_TRUE(Answer(game, true));
        EXPECT_EQ(profiles.GetProfileNames(), (std::vector<std::string>{"Cleo", "Anna"}));
        // The one before the deleted line becomes current and selected.
        EXPECT_EQ(profiles.GetCurrentProfileIndex(), 0);
        EXPECT_EQ(selection->GetSelectedLine(), 0);
        EXPECT_FALSE(std::filesystem::exists(GetProfileFilePath("Bert0")));

        ClickLine(game, *selection, 1);
        ClickOn(game, *selection->mButtons[SelectProfile::BUTTON_DONE]);
        ASSERT_TRUE(game.RunUntil([&] { return game.Top<MainMenu>() == menu; }, 100));
        EXPECT_EQ(game.App().GetCurrentProfile()->mName, "Anna");
    }
    GameHarness again(HarnessOptions{.dataFolder = folder.path});
    again.Boot();
    ProfileList& profiles = *again.App().mProfiles;
    ASSERT_EQ(profiles.GetProfileNames(), (std::vector<std::string>{"Cleo", "Anna"}));
    EXPECT_EQ(profiles.GetProfile(0)->mFileName, "Anna0");
    EXPECT_FALSE(profiles.GetProfile(0)->mTimedPlay);
    EXPECT_EQ(profiles.GetProfile(1)->mFileName, "Anna1");
    EXPECT_TRUE(profiles.GetProfile(1)->mTimedPlay);
    EXPECT_EQ(again.App().GetCurrentProfile(), profiles.GetProfile(1));
}

TEST(ProfileFlowTest, ASecondOkDuringTheSlideOutCreatesNothingMore)
{
    struct Case
    {
        const char* name;
        bool secondByClick;
    };
    for (const Case& c : {Case{"Return twice", false}, Case{"Return, then a click on OK", true}})
    {
        GameHarness game;
        ASSERT_TRUE(SkipIntro(game)) << c.name;
        PlayerNameEntry* entry = WaitForNameEntry(game);
        ASSERT_NE(entry, nullptr) << c.name;
        TypeName(game, "Dora");
        game.PressKey(SDLK_RETURN);
        game.Update(3);
        ASSERT_TRUE(entry->IsBusy()) << c.name;
        if (c.secondByClick)
            ClickOn(game, *entry->mOkButton);
        else
            game.PressKey(SDLK_RETURN);
        ASSERT_TRUE(game.RunUntil([&] { return game.Top<MainMenu>() != nullptr; }, 200)) << c.name;
        EXPECT_EQ(game.App().mProfiles->GetProfileNames(), std::vector<std::string>{"Dora"}) << c.name;
        EXPECT_EQ(game.States().size(), 1u) << c.name;
    }
}

TEST(ProfileFlowTest, DeletingTheLastProfileKeepsAnIndexAndAsksForANameAtOnce)
{
    GameHarness game;
    MainMenu* menu = ReachMainMenu(game, "Anna");
    ASSERT_NE(menu, nullptr);
    SelectProfile* selection = OpenProfileSelection(game, *menu);
    ASSERT_NE(selection, nullptr);
    ClickOn(game, *selection->mButtons[SelectProfile::BUTTON_DELETE]);
    ASSERT_TRUE(game.RunUntil([&] { return game.Top<CustomDialog>() != nullptr; }, 50));
    ASSERT_TRUE(Answer(game, true));
    EXPECT_EQ(game.App().mProfiles->GetProfileCount(), 0);
    EXPECT_FALSE(std::filesystem::exists(GetProfileFilePath("Anna0")));
    // The index is replaced, never removed: it now names no profile.
    ProfileList read("P");
    read.LoadSaveData();
    EXPECT_TRUE(std::filesystem::exists(GetIndexFilePath()));
    EXPECT_EQ(read.GetProfileCount(), 0);

    PlayerNameEntry* entry = WaitForNameEntry(game);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->mMode, PlayerNameEntry::MODE_CREATE);
    TypeName(game, "Eve");
    game.PressKey(SDLK_RETURN);
    ASSERT_TRUE(game.RunUntil([&] { return game.Top<SelectProfile>() == selection; }, 100));
    EXPECT_EQ(game.App().mProfiles->GetProfileNames(), std::vector<std::string>{"Eve"});
}

TEST(ProfileFlowTest, TheNameFieldKeepsOutRefusedCharactersAndStopsAtTen)
{
    struct Case
    {
        const char* typed;
        const char* kept;
    };
    const Case cases[] = {
        {"a/b", "ab"},
        {"A_B!1", "A_B!1"},
        {"|~ =`{}", "|~ =`{}"},
        {"\"#$%&'()*+,-./", ""},
        {":;<>?@[\\]^", ""},
        {"J\xC3\xBCrgen \xC3\x86\xC3\xB8", "J\xFCrgen \xC6\xF8"},
        {"abcdefghijk", "abcdefghij"},
    };
    GameHarness game;
    ASSERT_TRUE(SkipIntro(game));
    PlayerNameEntry* entry = WaitForNameEntry(game);
    ASSERT_NE(entry, nullptr);
    for (const Case& c : cases)
    {
        TypeName(game, c.typed);
        EXPECT_EQ(entry->mNameEdit->mString, c.kept) << c.typed;
    }
}

TEST(ProfileFlowTest, ANameInUseIsRefusedWithAMessageButOneDifferingInCaseIsNot)
{
    GameHarness game;
    MainMenu* menu = ReachMainMenu(game, "Anna");
    ASSERT_NE(menu, nullptr);
    SelectProfile* selection = OpenProfileSelection(game, *menu);
    ASSERT_NE(selection, nullptr);
    ClickOn(game, *selection->mButtons[SelectProfile::BUTTON_CREATE]);
    PlayerNameEntry* entry = WaitForNameEntry(game);
    ASSERT_NE(entry, nullptr);
    TypeName(game, "Anna");
    game.PressKey(SDLK_RETURN);
    ASSERT_TRUE(game.RunUntil([&] { return game.Top<CustomDialog>() != nullptr; }, 50));
    EXPECT_EQ(game.Top<CustomDialog>()->mButtonMode, CustomDialog::BUTTONS_OK);
    ASSERT_TRUE(Answer(game, true));
    EXPECT_EQ(game.Top<PlayerNameEntry>(), entry);
    EXPECT_EQ(entry->mNameEdit->mString, "Anna");
    EXPECT_EQ(game.App().mProfiles->GetProfileCount(), 1);

    TypeName(game, "anna");
    ClickOn(game, *entry->mOkButton);
    ASSERT_TRUE(game.RunUntil([&] { return game.Top<SelectProfile>() == selection; }, 100));
    EXPECT_EQ(game.App().mProfiles->GetProfileNames(), (std::vector<std::string>{"Anna", "anna"}));
    // Names differ in case only; their files must not meet on a folder that ignores case.
    EXPECT_EQ(game.App().mProfiles->GetProfile(1)->mFileName, "anna1");
}

} // namespace
