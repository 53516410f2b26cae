// The finale stays within reach of a player who closed the game just before
// the bomb: the next start reopens the last scene, which goes on with the
// bomb, the closing story and the final scores.
#include "framework/graphics/MemoryImage.h"
#include "game/minigames/bomb/BombMiniGame.h"
#include "game/play/map/MapScreen.h"
#include "game/play/map/ScenePreviewButton.h"
#include "game/play/screen/GameFrame.h"
#include "game/play/screen/SandboxWidget.h"
#include "game/play/story/StoryDialog.h"
#include "game/shell/Resources.h"
#include "tests/game/play/finale/FinaleSupport.h"
#include "tests/game/play/screen/SceneFlowSupport.h"
#include "tests/game/support/KeptFolder.h"
#include "tests/game/support/PlayStart.h"

#include <gtest/gtest.h>

namespace
{

using gameharness::GameHarness;
using gameharness::HarnessOptions;
using namespace finaletest;

TEST(FinaleRestartFlowTest, AGameClosedJustBeforeTheBombLeadsBackToItThroughTheLastScene)
{
    gameharness::KeptFolder folder("orvellan-finale");
    {
        GameHarness game(HarnessOptions{.dataFolder = folder.path});
        ASSERT_TRUE(StartOnTheLastLevel(game));
        MapScreen* map = OpenTheLastLevelsMap(game);
        ASSERT_NE(map, nullptr);
        PlayTheLastSceneToItsDiary(game, *map);
        // The ending story is up; the player closes the game before it ends.
        StoryDialog* story = scenetest::AwaitTop<StoryDialog>(game, 600);
        ASSERT_NE(story, nullptr);
        EXPECT_EQ(story->mScriptName, "Cutscene19_1");
        CloseTheGame(game);
    }
    GameHarness game(HarnessOptions{.dataFolder = folder.path});
    ASSERT_TRUE(gameharness::StartOverPlainScreen(game));
    const PlayerProfile* profile = game.App().GetCurrentProfile();
    ASSERT_NE(profile, nullptr);
    ASSERT_EQ(profile->mLevel, MapScreen::kFinalLevel);
    EXPECT_TRUE(profile->mStoryFlags.IsCutsceneShown("Cutscene19_1"));
    MapScreen* map = OpenTheLastLevelsMap(game);
    ASSERT_NE(map, nullptr);
    // The scene stays open: its ending has not been played to the end.
    EXPECT_FALSE(map->mSceneButtons[0]->mCompleted);
    SandboxWidget* playfield = OpenTheLastScene(game, *map);
    ASSERT_NE(playfield, nullptr);
    EXPECT_EQ(playfield->mListMode, kFullListMode);
    EXPECT_EQ(playfield->GetItemsLeft(), 0);
    EXPECT_TRUE(playfield->IsMiniGameDone());

    // Found, solved and seen to its ending story before: the scene goes on with the bomb at once,
    // without a second end or diary page.
    ASSERT_NE(scenetest::AwaitTop<BombMiniGame>(game), nullptr);
    EXPECT_EQ(game.App().GetCurrentProfile()->mDiaryPages, 1);
    // The bomb fills the screen: where the scene's Map button and item list lie, the bomb shows.
    game.Update(100);
    auto* background = dynamic_cast<Quib::MemoryImage*>(IMAGE_MG_BOMB_BG);
    ASSERT_NE(background, nullptr);
    for (auto [x, y] : {std::pair{60, 80}, std::pair{40, 400}})
        EXPECT_EQ(game.Pixel(x, y), background->GetBits()[y * background->GetWidth() + x]) << x << "," << y;
    DefuseTheBombAndReachTheScores(game);
}

} // namespace
