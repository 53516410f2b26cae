// The whole game as one player meets it: a fresh profile from the first
// arrival on the level map through the nineteen levels, every scene's list
// found, every usable object made and used, every mini-game played, every
// story and letter read to its OK, the bomb defused and the final scores
// reached, with the program ended and started again on the way.
#include "game/frontend/ScoresScreen.h"
#include "game/minigames/table/SceneMiniGames.h"
#include "game/play/map/MapScreen.h"
#include "game/play/map/ScenePreviewButton.h"
#include "game/play/story/StoryDialog.h"
#include "game/records/LevelMapTable.h"
#include "tests/game/fullrun/FullRunSession.h"
#include "tests/game/fullrun/HeapInUse.h"

#include <algorithm>
#include <cstdio>
#include <gtest/gtest.h>

namespace
{

using fullrun::FullRunSession;

// Updates a level may take at most: the longest level, its stories and its
// letter take about a tenth of it.
constexpr int kLevelUpdates = 400000;
// Levels after which the program is ended from the map and started again.
constexpr int kRestartAfter[] = {1, 7, 13};

// Growth of the heap in use allowed from the end of level 2 to the end of
// level 19. The map keeps the playfields of one level (three or four scenes
// of pictures, masks and items) and levels differ in them by a few
// megabytes; anything a visit, a story or a mini-game left behind would add
// up over the 61 visits far beyond this.
constexpr size_t kHeapMargin = 16u << 20;

int MarkersUpTo(int level)
{
    int count = 0;
    for (int i = 0; i < level; ++i)
        count += LevelMapTable::GetInstance()->GetLevel(i)->GetMarkerCount();
    return count;
}

// Every scene of the profile's level done for the visit the level brings.
void ExpectLevelDone(FullRunSession& run, int level)
{
    const LevelMapEntry& entry = *LevelMapTable::GetInstance()->GetLevel(level - 1);
    for (int i = 0; i < entry.GetMarkerCount(); ++i)
    {
        const SceneMarker& marker = *entry.GetMarker(i);
        const SceneProgress* record = run.Profile().mLevelProgress.FindScene(marker.SceneName());
        ASSERT_NE(record, nullptr) << marker.SceneName();
        EXPECT_TRUE(marker.mRevisit ? record->mDoneSecondVisit : record->mDoneFirstVisit)
            << marker.SceneName();
        if (!marker.mRevisit)
        {
            EXPECT_TRUE(record->mMiniGameDone) << marker.SceneName();
        }
        EXPECT_TRUE(run.Profile().mStoryFlags.IsSceneStoryShown(marker.SceneName(), marker.mRevisit))
            << marker.SceneName();
    }
    EXPECT_EQ(run.Profile().mDiaryPages, MarkersUpTo(level));
}

// What the profile file says about the game, leaving out the records beyond
// the level's own scenes: a profile is read into level 1's four records, and
// the surplus ones stay behind the level's records with their defaults.
std::vector<uint8_t> SavedBytes(const PlayerProfile& profile)
{
    PlayerProfile copy = profile;
    copy.mLevelProgress.mScenes.resize(
        size_t(LevelMapTable::GetInstance()->GetLevel(profile.mLevel - 1)->GetMarkerCount()));
    const Quib::Buffer buffer = copy.Save();
    return {buffer.Bytes(), buffer.Bytes() + buffer.ByteCount()};
}

// The program ended from the map and started again reads back the profile it saved.
void RestartFromTheMap(FullRunSession& run)
{
    ASSERT_TRUE(run.LeaveToMainMenu()) << run.Player().Describe();
    const std::vector<uint8_t> saved = SavedBytes(run.Profile());
    ASSERT_TRUE(run.Profile().mGameInProgress);
    run.Stop();
    ASSERT_TRUE(run.Start()) << "the restarted program did not reach the map";
    EXPECT_EQ(SavedBytes(run.Profile()), saved);
}

bool StoryOnTop(FullRunSession& run, const std::string& name)
{
    auto* story = run.Game().Top<StoryDialog>();
    return story != nullptr && story->mScriptName == name;
}

TEST(FullRunFlowTest, AFreshProfilePlaysEveryLevelToTheFinaleAndTheFinalScores)
{
    FullRunSession run;
    ASSERT_TRUE(run.Start());
    EXPECT_TRUE(run.Profile().mStoryFlags.IsCutsceneShown(MapScreen::kFirstStory));
    std::vector<size_t> heapAtLevelEnd;

    for (int level = 1; level < MapScreen::kFinalLevel; ++level)
    {
        SCOPED_TRACE("level " + std::to_string(level));
        ASSERT_EQ(run.Profile().mLevel, level);
        ASSERT_EQ(run.Map()->mLevel, level);
        ASSERT_TRUE(run.Player().PlayUntil([&] { return run.Map() != nullptr && run.Map()->mLevelComplete; },
                                           kLevelUpdates))
            << run.Player().Describe();
        ExpectLevelDone(run, level);
        ASSERT_TRUE(run.Player().PlayUntil(
            [&] { return run.Profile().mLevel == level + 1 && run.MapAtRest(); }, kLevelUpdates))
            << run.Player().Describe();
        heapAtLevelEnd.push_back(fullrun::HeapInUse());
        std::printf("level %d done: %d diary pages, %.1f MB of heap in use\n", level,
                    run.Profile().mDiaryPages, double(heapAtLevelEnd.back()) / 1048576.0);
        std::fflush(stdout);
        if (std::find(std::begin(kRestartAfter), std::end(kRestartAfter), level) != std::end(kRestartAfter))
            RestartFromTheMap(run);
        if (HasFatalFailure())
            return;
    }

    // The last scene: its list, its jigsaw, the diary and the first part of the finale.
    ASSERT_TRUE(run.Player().PlayUntil([&] { return StoryOnTop(run, "Cutscene19_1"); }, kLevelUpdates))
        << run.Player().Describe();
    EXPECT_EQ(run.Profile().mDiaryPages, MarkersUpTo(MapScreen::kFinalLevel));
    // Ended in the middle of the finale, the program comes back to a scene that can still be finished.
    ASSERT_TRUE(run.CloseWindow());
    run.Stop();
    ASSERT_TRUE(run.Start());
    ASSERT_EQ(run.Map()->mLevel, MapScreen::kFinalLevel);
    ASSERT_EQ(run.Map()->mSceneButtons.size(), 1u);
    EXPECT_FALSE(run.Map()->mSceneButtons[0]->mCompleted);
    EXPECT_FALSE(run.Profile().mStoryFlags.IsCutsceneShown(MapScreen::kFinaleEnd));

    ASSERT_TRUE(
        run.Player().PlayUntil([&] { return run.Game().Top<ScoresScreen>() != nullptr; }, kLevelUpdates))
        << run.Player().Describe();
    EXPECT_TRUE(run.Game().Top<ScoresScreen>()->mEndOfGame);
    EXPECT_TRUE(run.Player().mBombDefused);
    // The finished game is written at once: the next start begins a new one.
    EXPECT_EQ(run.Profile().mLevel, 1);
    EXPECT_FALSE(run.Profile().mGameInProgress);
    heapAtLevelEnd.push_back(fullrun::HeapInUse());
    std::printf("final scores: %.1f MB of heap in use\n", double(heapAtLevelEnd.back()) / 1048576.0);
    EXPECT_LE(heapAtLevelEnd.back(), heapAtLevelEnd[1] + kHeapMargin);
    std::printf("mini-games solved %d, skipped %d\n", run.Solved(), run.Skipped());
    EXPECT_EQ(run.Solved() + run.Skipped(), kSceneMiniGameCount);
}

} // namespace
