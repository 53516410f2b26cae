// The last scene of the last level to the end of the game, with the game's own
// screens: its ten-items visit, its full list and its mini-game, the diary,
// the ending story, the bomb, the closing story and the final scores.
#include "game/minigames/bomb/BombMiniGame.h"
#include "game/play/map/MapScreen.h"
#include "game/play/screen/GameFrame.h"
#include "tests/game/play/finale/FinaleSupport.h"
#include "tests/game/play/screen/SceneFlowSupport.h"

#include <gtest/gtest.h>

namespace
{

using gameharness::GameHarness;
using namespace finaletest;

TEST(FinaleFlowTest, TheLastSceneEndsThroughItsStoryTheBombAndTheClosingStoryInTheFinalScores)
{
    GameHarness game;
    ASSERT_TRUE(StartOnTheLastLevel(game));
    MapScreen* map = OpenTheLastLevelsMap(game);
    ASSERT_NE(map, nullptr);
    PlayTheLastSceneToItsDiary(game, *map);

    // The scene is done; its ending story runs over the map with the scene screen gone from view.
    PlayStory(game, "Cutscene19_1");
    PlayerProfile& profile = *game.App().GetCurrentProfile();
    const SceneProgress* record = profile.mLevelProgress.FindScene("Scene31");
    ASSERT_NE(record, nullptr);
    EXPECT_TRUE(record->IsDoneFirstVisit());
    EXPECT_TRUE(record->mMiniGameDone);
    EXPECT_TRUE(profile.mStoryFlags.IsCutsceneShown("Cutscene19_1"));
    EXPECT_FALSE(profile.mStoryFlags.IsCutsceneShown("Cutscene19_2"));
    EXPECT_EQ(profile.mDiaryPages, 1);
    ASSERT_NE(game.Top<BombMiniGame>(), nullptr);
    // Under the bomb: the map and the scene screen, nothing else.
    ASSERT_EQ(game.States().size(), 4u);
    EXPECT_EQ(game.States()[1], map);
    EXPECT_EQ(game.States()[2], TheSceneScreen(game));

    DefuseTheBombAndReachTheScores(game);
    EXPECT_EQ(game.States().size(), 3u);
    EXPECT_EQ(game.States()[1], map);
}

} // namespace
