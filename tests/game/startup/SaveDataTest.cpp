#include "game/shell/StringTable.h"
#include "tests/game/support/GameHarness.h"
#include "tests/game/support/KeptFolder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <memory>

namespace
{

using gameharness::GameHarness;
using gameharness::HarnessOptions;
using gameharness::KeptFolder;

void CloseAfterLoading(GameHarness& game)
{
    game.FinishLoading();
    ASSERT_TRUE(game.Update());
    ASSERT_TRUE(game.App().mLoadingFinished);
    game.RequestClose();
    ASSERT_TRUE(game.RunUntil([&] { return game.App().mExitDialog != nullptr; }, 50));
    // The exit question answered yes.
    game.App().OnDialogClosed(0, 0);
    game.RunUntil([&] { return game.IsShutDown(); }, 50);
}

TEST(SaveDataTest, AFirstStartWritesTheOptionsAndTheSaveFolderAndASecondStartReadsThemBack)
{
    KeptFolder folder("orvellan-savedata");
    const std::string data = folder.path + "/Quennivar";
    {
        GameHarness game(HarnessOptions{.dataFolder = folder.path});
        game.Boot();
        SharkInterface& app = game.App();
        // Written at once when there was none: the defaults, full screen.
        EXPECT_EQ(std::filesystem::file_size(data + "/options.dat"), 14u);
        ASSERT_NE(app.mOptions, nullptr);
        EXPECT_TRUE(app.mOptions->mFullscreen);
        EXPECT_EQ(app.GetCurrentProfile(), nullptr);
        ASSERT_NE(app.mProfiles, nullptr);
        EXPECT_EQ(app.mProfiles->GetHighScores().GetCount(), 10);

        auto profile = std::make_unique<PlayerProfile>();
        profile->mName = "Anna";
        profile->mFileName = app.mProfiles->MakeNewFileName("Anna");
        profile->PrepareCurrentLevel(app.GetLevelPreparationSource());
        app.AddProfile(std::move(profile));
        app.mOptions->mMusicVolume = 0.25;
        app.mOptions->mGameCompleted = true;
        CloseAfterLoading(game);
        EXPECT_TRUE(game.IsShutDown());
    }
    EXPECT_TRUE(std::filesystem::exists(data + "/Save/Data.omsg"));
    EXPECT_TRUE(std::filesystem::exists(data + "/Save/Anna0.omsg"));
    {
        GameHarness game(HarnessOptions{.dataFolder = folder.path});
        game.Boot();
        SharkInterface& app = game.App();
        EXPECT_EQ(app.mOptions->mMusicVolume, 0.25);
        EXPECT_TRUE(app.mOptions->mGameCompleted);
        ASSERT_NE(app.GetCurrentProfile(), nullptr);
        EXPECT_EQ(app.GetCurrentProfile()->mName, "Anna");
        EXPECT_EQ(app.GetCurrentProfile()->mFileName, "Anna0");
        EXPECT_EQ(app.GetProfile(1), nullptr);
        EXPECT_TRUE(game.Messages().empty());
    }
}

TEST(SaveDataTest, TheSceneCatalogueOffersEveryScenesItemsToANewProfile)
{
    GameHarness game;
    game.Boot();
    const LevelItemTable& catalogue = game.App().mSceneCatalogue;
    ASSERT_EQ(catalogue.mLevels.size(), 19u);
    EXPECT_EQ(catalogue.mLevels[0].mScenes[0].mSceneName, "Scene3");
    for (const LevelItems& level : catalogue.mLevels)
    {
        for (const SceneItems& scene : level.mScenes)
            EXPECT_GE(scene.mItemNames.size(), PlayerProfile::kWholeListLength)
                << level.mName << " " << scene.mSceneName;
    }

    PlayerProfile profile;
    profile.PrepareCurrentLevel(game.App().GetLevelPreparationSource());
    const SceneProgress& first = *profile.mLevelProgress.FindScene("Scene1");
    ASSERT_EQ(first.mItems.size(), PlayerProfile::kWholeListLength);
    EXPECT_EQ(first.mItems[0].mName, StringTable::GetInstance().Lookup("ITEM_NAME_DIARY"));
    for (const SceneProgress& scene : profile.mLevelProgress.mScenes)
        EXPECT_EQ(scene.mItems.size(), PlayerProfile::kWholeListLength) << scene.mSceneName;
}

} // namespace
