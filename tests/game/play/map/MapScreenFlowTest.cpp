#include "framework/graphics/Image.h"
#include "framework/widgets/WidgetManager.h"
#include "game/play/map/ScenePreviewButton.h"
#include "game/play/screen/SandboxWidget.h"
#include "game/play/tutorial/Tutorial.h"
#include "game/records/LevelMapTable.h"
#include "game/shell/Resources.h"
#include "tests/game/play/map/MapTestSupport.h"

#include <gtest/gtest.h>

namespace
{

using gameharness::GameHarness;
using namespace maptest;

bool IsInWidgetTree(GameHarness& game, const Quib::Widget* widget)
{
    for (const Quib::Widget* child : game.App().mWidgetManager->GetChildren())
        if (child == widget)
            return true;
    return false;
}

// A profile that has seen the first story and the map's tutorial.
PlayerProfile& Seasoned(GameHarness& game)
{
    PlayerProfile& profile = *game.App().GetCurrentProfile();
    profile.mStoryFlags.MarkCutsceneShown(MapScreen::kFirstStory);
    profile.mTutorialFlags.Set(0);
    return profile;
}

std::vector<std::string> ButtonScenes(const MapScreen& map)
{
    std::vector<std::string> names;
    for (const auto& button : map.mSceneButtons)
        names.push_back(button->mSceneName);
    return names;
}

TEST(MapScreenFlowTest, TheFirstArrivalPlaysTheFirstStoryThenSlidesTheButtonsInAndShowsTheTutorialOnce)
{
    GameHarness game;
    ASSERT_TRUE(StartWithProfile(game));
    RecordingMakers makers;
    MapScreen* map = OpenMap(game);
    ASSERT_NE(map, nullptr);
    // Zoomed onto the first level's area at full size.
    const LevelMapEntry& level = *LevelMapTable::GetInstance()->GetLevel(0);
    EXPECT_EQ(map->mPanX, level.mScrollX);
    EXPECT_EQ(map->mPanY, level.mScrollY);
    EXPECT_FLOAT_EQ(map->mScale, 1.0f);
    EXPECT_EQ(makers.mOpened, (std::vector<std::string>{"story Cutscene0_1 0"}));
    // The map stays in view under its own story.
    EXPECT_TRUE(IsInWidgetTree(game, map));
    EXPECT_TRUE(game.App().GetCurrentProfile()->mStoryFlags.IsCutsceneShown("Cutscene0_1"));

    CloseTop(game);
    ASSERT_TRUE(RunUntilAtRest(game, *map));
    for (const auto& button : map->mSceneButtons)
        EXPECT_EQ(button->mY, ScenePreviewButton::kShownY) << button->mSceneName;
    EXPECT_EQ(map->mExitButton->mY, 542);
    EXPECT_EQ(map->mLevelAlpha, 255);
    Tutorial* tutorial = game.Top<Tutorial>();
    ASSERT_NE(tutorial, nullptr);
    EXPECT_EQ(tutorial->mKey, "TUT_MAP_MESSAGE");
    EXPECT_TRUE(IsInWidgetTree(game, map));
    EXPECT_TRUE(game.App().GetCurrentProfile()->mTutorialFlags.IsSet(0));

    ASSERT_TRUE(game.RunUntil([&] { return tutorial->mCloseButton->mVisible; }, 100));
    ClickOn(game, *tutorial->mCloseButton);
    ASSERT_TRUE(game.RunUntil([&] { return game.Top<MapScreen>() == map; }, 100));
    EXPECT_TRUE(IsInWidgetTree(game, map));

    // Coming back to the map later shows neither again.
    CloseTop(game);
    game.Update(2);
    MapScreen* again = OpenMap(game);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(game.Top<MapScreen>(), again);
    EXPECT_EQ(makers.mOpened.size(), 1u);
}

TEST(MapScreenFlowTest, ButtonsFollowTheLevelsMarkerOrderAndSpreadEvenlyAcrossTheTop)
{
    struct Case
    {
        int32_t level;
        std::vector<std::string> scenes;
    };
    const Case cases[] = {
        {1, {"Scene3", "Scene1", "Scene4", "Scene2"}},
        {2, {"Scene6", "Scene7", "Scene5"}},
        {19, {"Scene31"}},
    };
    for (const Case& c : cases)
    {
        GameHarness game;
        ASSERT_TRUE(StartWithProfile(game, c.level));
        Seasoned(game);
        RecordingMakers makers;
        MapScreen* map = OpenMap(game);
        ASSERT_NE(map, nullptr);
        EXPECT_EQ(ButtonScenes(*map), c.scenes) << "level " << c.level;
        const int32_t n = int32_t(map->mSceneButtons.size());
        const int32_t half = map->mSceneButtons[0]->mWidth / 2;
        const LevelMapEntry& level = *LevelMapTable::GetInstance()->GetLevel(c.level - 1);
        for (int32_t i = 0; i < n; ++i)
        {
            const ScenePreviewButton& button = *map->mSceneButtons[size_t(i)];
            EXPECT_EQ(button.mX, (i + 1) * (800 / (n + 1)) - half) << button.mSceneName;
            EXPECT_EQ(button.mMarkerX, level.mMarkers[size_t(i)].mX);
            EXPECT_EQ(button.mMarkerY, level.mMarkers[size_t(i)].mY);
            EXPECT_FALSE(button.mCaption.empty());
        }
    }
}

TEST(MapScreenFlowTest, OnTheFirstLevelOnlyTheFrontPorchOpensUntilTheSceneScreenUnlocksTheOthers)
{
    GameHarness game;
    ASSERT_TRUE(StartWithProfile(game));
    Seasoned(game);
    RecordingMakers makers;
    MapScreen* map = OpenMap(game);
    ASSERT_NE(map, nullptr);
    ScenePreviewButton& porch = *map->mSceneButtons[1];
    ASSERT_EQ(porch.mSceneName, "Scene1");
    for (const auto& button : map->mSceneButtons)
        EXPECT_EQ(button->mLocked, button.get() != &porch) << button->mSceneName;

    // A locked button and the right mouse button open nothing.
    ClickOn(game, *map->mSceneButtons[0]);
    ClickOn(game, porch, true);
    game.Update(40);
    EXPECT_TRUE(makers.mOpened.empty());
    EXPECT_FALSE(map->IsAnimating());

    ClickOn(game, porch);
    EXPECT_TRUE(map->mFadeToBlack->IsRunning());
    // A second click while the map fades is ignored.
    ClickOn(game, porch);
    ASSERT_TRUE(game.RunUntil([&] { return !makers.mOpened.empty(); }, 100));
    EXPECT_EQ(makers.mOpened, (std::vector<std::string>{"scene Scene1 0"}));
    EXPECT_FALSE(IsInWidgetTree(game, map));

    map->UnlockSceneButtons();
    CloseTop(game);
    ASSERT_TRUE(RunUntilAtRest(game, *map));
    EXPECT_TRUE(IsInWidgetTree(game, map));
    for (const auto& button : map->mSceneButtons)
        EXPECT_FALSE(button->mLocked) << button->mSceneName;
}

TEST(MapScreenFlowTest, ADoneSceneShowsCompletedAndIgnoresClicksWhileTheOthersStillOpen)
{
    GameHarness game;
    ASSERT_TRUE(StartWithProfile(game, 2));
    PlayerProfile& profile = Seasoned(game);
    profile.mLevelProgress.FindScene("Scene7")->mDoneFirstVisit = true;
    RecordingMakers makers;
    MapScreen* map = OpenMap(game);
    ASSERT_NE(map, nullptr);
    ScenePreviewButton& done = *map->mSceneButtons[1];
    ASSERT_EQ(done.mSceneName, "Scene7");
    EXPECT_TRUE(done.mCompleted);
    EXPECT_FALSE(map->mSceneButtons[0]->mCompleted);
    EXPECT_FALSE(map->mSceneButtons[0]->mLocked);

    ClickOn(game, done);
    game.Update(40);
    EXPECT_TRUE(makers.mOpened.empty());
    ASSERT_TRUE(OpenSceneByButton(game, *map, makers, 2));
    EXPECT_EQ(makers.mOpened.back(), "scene Scene5 0");
}

TEST(MapScreenFlowTest, AfterTheTenItemsVisitTheSameSceneReopensAtOnceWithItsWholeList)
{
    GameHarness game;
    ASSERT_TRUE(StartWithProfile(game));
    PlayerProfile& profile = Seasoned(game);
    RecordingMakers makers;
    MapScreen* map = OpenMap(game);
    ASSERT_NE(map, nullptr);
    ASSERT_TRUE(OpenSceneByButton(game, *map, makers, 1));

    // What the scene screen does when its ten names are found.
    SceneProgress& record = *profile.mLevelProgress.FindScene("Scene1");
    record.mListMode = 1;
    record.SetClock(0, 3, 0, 0);
    map->mReopenFullList = true;
    CloseTop(game);
    EXPECT_EQ(makers.mOpened, (std::vector<std::string>{"scene Scene1 0", "scene Scene1 1"}));
    EXPECT_NE(game.Top<StandInScreen>(), nullptr);
    EXPECT_EQ(map->mPlayfields[1]->mListMode, 1);
    EXPECT_EQ(record.mClock[1], SceneProgress::kDefaultClockMinutes);
}

TEST(MapScreenFlowTest, AVisitThatRanOutOfTimeStartsItsSceneAfreshNextTime)
{
    GameHarness game;
    ASSERT_TRUE(StartWithProfile(game, 2));
    PlayerProfile& profile = Seasoned(game);
    RecordingMakers makers;
    MapScreen* map = OpenMap(game);
    ASSERT_NE(map, nullptr);
    ASSERT_TRUE(OpenSceneByButton(game, *map, makers, 0));

    SceneProgress& record = *profile.mLevelProgress.FindScene("Scene6");
    record.mItems[0].mTaken = true;
    record.mMiniGameDone = true;
    record.SetClock(0, 0, 0, 0);
    map->mResetAfterTimeout = true;
    CloseTop(game);
    ASSERT_TRUE(RunUntilAtRest(game, *map));
    EXPECT_FALSE(record.mItems[0].mTaken);
    EXPECT_FALSE(record.mMiniGameDone);
    EXPECT_EQ(record.mClock[1], SceneProgress::kDefaultClockMinutes);
    EXPECT_FALSE(map->mPlayfields[0]->IsMiniGameDone());
    EXPECT_EQ(game.Top<MapScreen>(), map);
}

TEST(MapScreenFlowTest, TheLevelEndPlaysItsStoryAndLetterAndMovesTheMapOnToTheNextLevel)
{
    GameHarness game;
    ASSERT_TRUE(StartWithProfile(game));
    PlayerProfile& profile = Seasoned(game);
    RecordingMakers makers;
    MapScreen* map = OpenMap(game);
    ASSERT_NE(map, nullptr);
    ASSERT_TRUE(OpenSceneByButton(game, *map, makers, 1));

    MarkLevelDone(profile);
    CloseTop(game);
    EXPECT_TRUE(map->mLevelComplete);
    ASSERT_TRUE(game.RunUntil([&] { return makers.mOpened.size() == 2; }, 200));
    EXPECT_EQ(makers.mOpened.back(), "story cutscene1 1");
    EXPECT_TRUE(IsInWidgetTree(game, map));
    CloseTop(game);
    EXPECT_EQ(makers.mOpened.back(), "letter EnvelopeText1");
    CloseTop(game);
    ASSERT_TRUE(game.RunUntil([&] { return map->mLoadingShown; }, 200));
    ASSERT_TRUE(game.RunUntil([&] { return map->mLevel == 2; }, 200));
    ASSERT_TRUE(RunUntilAtRest(game, *map));

    EXPECT_EQ(profile.mLevel, 2);
    EXPECT_FALSE(map->mLevelComplete);
    EXPECT_FALSE(map->mLoadingShown);
    EXPECT_EQ(ButtonScenes(*map), (std::vector<std::string>{"Scene6", "Scene7", "Scene5"}));
    const LevelMapEntry& level = *LevelMapTable::GetInstance()->GetLevel(1);
    EXPECT_EQ(map->mPanX, level.mScrollX);
    EXPECT_EQ(map->mPanY, level.mScrollY);
    for (const auto& button : map->mSceneButtons)
    {
        EXPECT_EQ(button->mY, ScenePreviewButton::kShownY);
        EXPECT_FALSE(button->mLocked);
        EXPECT_FALSE(button->mCompleted);
        EXPECT_TRUE(IsInWidgetTree(game, button.get()));
    }
    ASSERT_EQ(profile.mLevelProgress.GetSceneCount(), 3);
    EXPECT_EQ(profile.mLevelProgress.GetScene(0)->mSceneName, "Scene6");
    EXPECT_EQ(profile.mLevelProgress.GetScene(0)->mItems.size(), PlayerProfile::kWholeListLength);
    EXPECT_EQ(makers.mOpened.size(), 3u);
}

TEST(MapScreenFlowTest, ALevelFinishedWhileTheMapWasAwayEndsWhenTheMapIsEnteredAgain)
{
    GameHarness game;
    ASSERT_TRUE(StartWithProfile(game, 3));
    MarkLevelDone(Seasoned(game));
    RecordingMakers makers;
    MapScreen* map = OpenMap(game);
    ASSERT_NE(map, nullptr);
    ASSERT_TRUE(game.RunUntil([&] { return !makers.mOpened.empty(); }, 200));
    EXPECT_EQ(makers.mOpened, (std::vector<std::string>{"story cutscene3 1"}));
}

TEST(MapScreenFlowTest, WithoutStoryAndLetterScreensTheLevelEndStillReachesTheNextLevel)
{
    GameHarness game;
    ASSERT_TRUE(StartWithProfile(game, 4));
    MarkLevelDone(Seasoned(game));
    RecordingMakers makers;
    GetMapScreenMakers().mMakeStory = nullptr;
    GetMapScreenMakers().mMakeLetter = [](const std::string&) -> ScreenBase* { return nullptr; };
    MapScreen* map = OpenMap(game);
    ASSERT_NE(map, nullptr);
    ASSERT_TRUE(game.RunUntil([&] { return map->mLevel == 5; }, 400));
    ASSERT_TRUE(RunUntilAtRest(game, *map));
    EXPECT_EQ(game.App().GetCurrentProfile()->mLevel, 5);
    EXPECT_EQ(ButtonScenes(*map), (std::vector<std::string>{"Scene3", "Scene1", "Scene4", "Scene2"}));
    // A returning level searches the whole list and locks nothing.
    for (const auto& playfield : map->mPlayfields)
        EXPECT_EQ(playfield->mListMode, 1);
    for (const auto& button : map->mSceneButtons)
        EXPECT_FALSE(button->mLocked);
}

TEST(MapScreenFlowTest, TheLastSceneStaysOpenUntilTheFinaleHasBeenPlayedAndTheLastLevelNeverEndsHere)
{
    GameHarness game;
    ASSERT_TRUE(StartWithProfile(game, 19));
    PlayerProfile& profile = Seasoned(game);
    // Marked done by the scene screen, but the bomb was never reached (a restart at that point).
    MarkLevelDone(profile);
    RecordingMakers makers;
    MapScreen* map = OpenMap(game);
    ASSERT_NE(map, nullptr);
    game.Update(100);
    ASSERT_EQ(map->mSceneButtons.size(), 1u);
    EXPECT_FALSE(map->mSceneButtons[0]->mCompleted);
    EXPECT_FALSE(map->mLevelComplete);
    ASSERT_TRUE(OpenSceneByButton(game, *map, makers, 0));
    EXPECT_EQ(makers.mOpened.back(), "scene Scene31 0");

    profile.mStoryFlags.MarkCutsceneShown(MapScreen::kFinaleEnd);
    CloseTop(game);
    ASSERT_TRUE(RunUntilAtRest(game, *map));
    EXPECT_TRUE(map->mSceneButtons[0]->mCompleted);
    EXPECT_FALSE(map->mLevelComplete);
    EXPECT_EQ(makers.mOpened.size(), 1u);
    EXPECT_EQ(map->mLevel, 19);
}

TEST(MapScreenFlowTest, TheExitButtonSlidesEverythingOutAndLeavesWithTheGameMarkedInProgress)
{
    GameHarness game;
    ASSERT_TRUE(StartWithProfile(game, 2));
    PlayerProfile& profile = Seasoned(game);
    RecordingMakers makers;
    MapScreen* map = OpenMap(game);
    ASSERT_NE(map, nullptr);
    const size_t below = game.States().size() - 1;
    ClickOn(game, *map->mExitButton);
    EXPECT_TRUE(map->mExitSeq->IsRunning());
    ASSERT_TRUE(game.RunUntil([&] { return game.States().size() == below; }, 300));
    EXPECT_TRUE(profile.mGameInProgress);
    EXPECT_TRUE(makers.mOpened.empty());
}

} // namespace
