#include "game/frontend/IntroScreen.h"
#include "game/records/DataFolder.h"
#include "game/records/HighScoreList.h"
#include "game/shell/CustomDialog.h"
#include "game/shell/MenuItem.h"
#include "game/shell/StringTable.h"
#include "tests/game/support/GameHarness.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace
{

using gameharness::GameHarness;

TEST(SavedRecordsTest, AFirstStartWritesTheDefaultOptionsAndTheWindowFollowsThem)
{
    GameHarness game;
    game.Boot();
    ASSERT_NE(game.App().mOptions, nullptr);
    EXPECT_TRUE(std::filesystem::exists(GetOptionsFilePath()));
    EXPECT_EQ(std::filesystem::file_size(GetOptionsFilePath()), 14u);
    EXPECT_EQ(game.App().mIsWindowed, !game.App().mOptions->mFullscreen);
    ASSERT_NE(game.App().mProfiles, nullptr);
    EXPECT_EQ(game.App().GetCurrentProfile(), nullptr);
}

TEST(SavedRecordsTest, AFirstStartNamesEachDefaultBestTimeFromItsOwnStringTableText)
{
    GameHarness game;
    game.Boot();
    ASSERT_NE(game.App().mProfiles, nullptr);
    const HighScoreList& scores = game.App().mProfiles->GetHighScores();
    ASSERT_EQ(scores.GetCount(), HighScoreList::kPlaces);
    for (int i = 0; i < HighScoreList::kPlaces; ++i)
    {
        const std::string key = "ScoreNameEntry" + std::to_string(i);
        ASSERT_TRUE(StringTable::GetInstance().Contains(key)) << key;
        EXPECT_EQ(scores.GetAt(i)->mName, StringTable::GetInstance().Lookup(key));
        EXPECT_EQ(scores.GetAt(i)->mHours, i + 1);
    }
}

TEST(SavedRecordsTest, AConfirmedExitSavesTheProfilesAndTheOptions)
{
    GameHarness game;
    game.Boot();
    game.FinishLoading();
    ASSERT_TRUE(game.RunUntil([&] { return game.Top<IntroScreen>() != nullptr; }, 1500));
    std::filesystem::remove(GetOptionsFilePath());
    game.RequestClose();
    game.Update(2);
    CustomDialog* dialog = game.Top<CustomDialog>();
    ASSERT_NE(dialog, nullptr);
    // The close request itself saves the profiles, before any answer.
    EXPECT_TRUE(std::filesystem::exists(GetIndexFilePath()));
    ASSERT_TRUE(game.RunUntil([&] { return !dialog->IsAnimating(); }, 200));
    const MenuItem& yes = *dialog->mFirstButton;
    game.Click(yes.mX + yes.mWidth / 2, yes.mY + yes.mHeight / 2);
    ASSERT_TRUE(game.RunUntil([&] { return game.IsShutDown(); }, 200));
    EXPECT_TRUE(std::filesystem::exists(GetOptionsFilePath()));
    EXPECT_TRUE(game.States().empty());
}

TEST(SavedRecordsTest, ClosingBeforeTheLoadHasFinishedSavesNoOptions)
{
    GameHarness game;
    game.Boot();
    std::filesystem::remove(GetOptionsFilePath());
    game.RequestClose();
    ASSERT_TRUE(game.RunUntil([&] { return game.IsShutDown(); }, 10));
    EXPECT_FALSE(std::filesystem::exists(GetOptionsFilePath()));
}

} // namespace
