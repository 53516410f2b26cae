#include "game/records/DataFolder.h"
#include "tests/game/support/GameHarness.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <unistd.h>

namespace
{

using gameharness::GameHarness;
using gameharness::HarnessOptions;

// A data folder that outlives the harnesses of one test.
struct KeptFolder
{
    KeptFolder()
        : path((std::filesystem::temp_directory_path() / ("orvellan-savedata-" + std::to_string(getpid())))
                   .string())
    {
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path);
    }
    ~KeptFolder() { std::filesystem::remove_all(path); }
    std::string path;
};

void CloseAfterLoading(GameHarness& game)
{
    game.FinishLoading();
    ASSERT_TRUE(game.Update());
    ASSERT_TRUE(game.App().mLoadingFinished);
    game.RequestClose();
    game.RunUntil([&] { return game.IsShutDown(); }, 50);
}

TEST(SaveDataTest, AFirstStartWritesTheOptionsAndTheSaveFolderAndASecondStartReadsThemBack)
{
    KeptFolder folder;
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

TEST(SaveDataTest, TheSceneCatalogueHoldsTheLevelMapsScenes)
{
    GameHarness game;
    game.Boot();
    const LevelItemTable& catalogue = game.App().mSceneCatalogue;
    ASSERT_EQ(catalogue.mLevels.size(), 19u);
    EXPECT_EQ(catalogue.mLevels[0].mScenes[0].mSceneName, "Scene3");
    EXPECT_EQ(catalogue.mLevels[18].mScenes.size(), 1u);
    const LevelPreparationSource source = game.App().GetLevelPreparationSource();
    EXPECT_EQ(source.mCatalogue, &catalogue);
    EXPECT_FALSE(source.mDiaryItemName.empty());
}

} // namespace
