#include "tests/game/play/finale/FinaleSupport.h"

#include "game/frontend/SceneScreenMakers.h"
#include "game/frontend/ScoresScreen.h"
#include "game/minigames/bomb/BombMiniGame.h"
#include "game/play/diary/DiaryWidget.h"
#include "game/play/map/MapScreen.h"
#include "game/play/map/ScenePreviewButton.h"
#include "game/play/screen/GameFrame.h"
#include "game/play/screen/SandboxWidget.h"
#include "game/play/story/StoryDialog.h"
#include "game/shell/CustomDialog.h"
#include "game/shell/MenuItem.h"
#include "game/shell/StringTable.h"
#include "tests/game/play/map/MapTestSupport.h"
#include "tests/game/play/screen/SceneFlowSupport.h"
#include "tests/game/support/PlayStart.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace finaletest
{

namespace
{

void ClickMiddle(gameharness::GameHarness& game, const Quib::Widget& widget)
{
    game.Click(widget.mX + widget.mWidth / 2, widget.mY + widget.mHeight / 2);
    game.Update(2);
}

} // namespace

bool IsOnTheStack(gameharness::GameHarness& game, const GameStateInterface* screen)
{
    const std::vector<GameStateInterface*>& states = game.States();
    return std::find(states.begin(), states.end(), screen) != states.end();
}

bool StartOnTheLastLevel(gameharness::GameHarness& game)
{
    RegisterFrontEndSceneScreens();
    if (!gameharness::StartOverPlainScreen(game))
        return false;
    PlayerProfile* profile = gameharness::AddFreshProfile(game, MapScreen::kFinalLevel);
    if (profile == nullptr)
        return false;
    for (const char* story : {MapScreen::kFirstStory, "Cutscene0_2", "Cutscene0_3"})
        profile->mStoryFlags.MarkCutsceneShown(story);
    profile->mTutorialFlags.Set(0);
    return true;
}

MapScreen* OpenTheLastLevelsMap(gameharness::GameHarness& game)
{
    MapScreen* map = maptest::OpenMap(game);
    if (map == nullptr || map->mSceneButtons.size() != 1u)
        return nullptr;
    return map;
}

SandboxWidget* OpenTheLastScene(gameharness::GameHarness& game, MapScreen& map)
{
    EXPECT_EQ(map.mSceneButtons[0]->mSceneName, "Scene31");
    ClickMiddle(game, *map.mSceneButtons[0]);
    GameFrame* frame = nullptr;
    game.RunUntil([&] { return (frame = TheSceneScreen(game)) != nullptr; }, 300);
    return frame != nullptr ? frame->mPlayfield : nullptr;
}

GameFrame* TheSceneScreen(gameharness::GameHarness& game)
{
    for (GameStateInterface* state : game.States())
        if (auto* frame = dynamic_cast<GameFrame*>(state))
            return frame;
    return nullptr;
}

void PlayStory(gameharness::GameHarness& game, const std::string& name)
{
    StoryDialog* story = scenetest::AwaitTop<StoryDialog>(game, 600);
    ASSERT_NE(story, nullptr) << "waiting for the story " << name;
    EXPECT_EQ(story->mScriptName, name);
    EXPECT_TRUE(story->mProblems.empty()) << story->mProblems.front();
    const auto open = [&] { return IsOnTheStack(game, story); };
    for (int clicks = 0; clicks < 200 && open(); ++clicks)
    {
        game.RunUntil([&] { return !open() || story->IsWaitingForOk(); }, 2000);
        if (open() && story->IsWaitingForOk())
            ClickMiddle(game, *story->mOkButton);
    }
    ASSERT_FALSE(open()) << name << " never ended";
}

void CloseTheDiary(gameharness::GameHarness& game)
{
    DiaryWidget* diary = scenetest::AwaitTop<DiaryWidget>(game);
    ASSERT_NE(diary, nullptr) << "waiting for the diary";
    ASSERT_TRUE(game.RunUntil([&] { return !diary->IsAnimating() && diary->mCloseButton->mVisible; }, 500));
    ClickMiddle(game, *diary->mCloseButton);
    ASSERT_TRUE(game.RunUntil([&] { return !IsOnTheStack(game, diary); }, 500));
}

void DefuseTheBomb(gameharness::GameHarness& game)
{
    BombMiniGame* bomb = scenetest::AwaitTop<BombMiniGame>(game);
    ASSERT_NE(bomb, nullptr) << "waiting for the bomb";
    EXPECT_FALSE(bomb->mSkipAllowed);
    ASSERT_TRUE(game.RunUntil([&] { return bomb->AcceptsInput(); }, 300));
    bomb->mPliers->OnMouseButtonDown(20, 20, 0, 1);
    for (BombWire* wire : {bomb->mWire1.get(), bomb->mWire2.get(), bomb->mWire3.get(), bomb->mWire4.get()})
        wire->OnMouseButtonDown(wire->mWidth / 2, wire->mHeight / 2, 0, 1);
    ASSERT_EQ(bomb->mState->GetCutCount(), 4);
    // The first click puts the pliers back, the second takes the screwdriver.
    bomb->mScrewdriver->OnMouseButtonDown(10, 10, 0, 1);
    bomb->mScrewdriver->OnMouseButtonDown(10, 10, 0, 1);
    bomb->mScrew->OnMouseButtonDown(10, 10, 0, 1);
    ASSERT_TRUE(bomb->mSolved);
    CustomDialog* end = scenetest::AwaitTop<CustomDialog>(game);
    ASSERT_NE(end, nullptr);
    EXPECT_EQ(end->mDialogId, MiniGameWidget::DIALOG_ID_MINI_GAME_END);
    scenetest::CloseDialog(game, *end);
    ASSERT_TRUE(game.RunUntil([&] { return !IsOnTheStack(game, bomb); }, 300));
}

void CloseTheGame(gameharness::GameHarness& game)
{
    game.RequestClose();
    ASSERT_TRUE(game.RunUntil([&] { return game.App().mExitDialog != nullptr; }, 50));
    CustomDialog& question = *game.App().mExitDialog;
    ASSERT_TRUE(game.RunUntil([&] { return !question.IsAnimating(); }, 200));
    ClickMiddle(game, *question.mFirstButton);
    ASSERT_TRUE(game.RunUntil([&] { return game.IsShutDown(); }, 100));
}

void CloseSceneDialog(gameharness::GameHarness& game, int32_t id, const char* textKey)
{
    CustomDialog* dialog = scenetest::AwaitTop<CustomDialog>(game, 300);
    ASSERT_NE(dialog, nullptr) << "waiting for dialog " << id;
    EXPECT_EQ(dialog->mDialogId, id);
    EXPECT_EQ(dialog->mText, StringTable::GetInstance().Lookup(textKey));
    scenetest::CloseDialog(game, *dialog);
}

// The last scene's two visits played up to the diary of its end: ten items,
// then the whole list with the pieces and the mini-game, skipped.
void PlayTheLastSceneToItsDiary(gameharness::GameHarness& game, MapScreen& map)
{
    SandboxWidget* playfield = OpenTheLastScene(game, map);
    ASSERT_NE(playfield, nullptr);
    EXPECT_EQ(playfield->mListMode, kTenItemsListMode);
    // The pack tells no story on the way into the last scene: its screen opens and ends at once.
    GameFrame* tenItems = TheSceneScreen(game);
    ASSERT_TRUE(game.RunUntil([&] { return game.Top<GameFrame>() == tenItems; }, 100));
    EXPECT_TRUE(game.App().GetCurrentProfile()->mStoryFlags.IsSceneStoryShown("Scene31", false));
    ASSERT_TRUE(scenetest::SettleFrame(game, *tenItems));
    scenetest::FindEveryListedItem(game, *playfield);
    CloseSceneDialog(game, GameFrame::DIALOG_ID_TEN_ITEMS_FOUND, "LBL_DIALOG_10_ITEMS_FOUND");

    // The map opens the same scene again at once with its whole list.
    ASSERT_TRUE(game.RunUntil(
        [&]
        {
            GameFrame* frame = TheSceneScreen(game);
            return frame != nullptr && frame != tenItems && game.Top<GameFrame>() == frame;
        },
        600));
    GameFrame* full = TheSceneScreen(game);
    SandboxWidget& whole = *full->mPlayfield;
    EXPECT_EQ(whole.mListMode, kFullListMode);
    EXPECT_EQ(whole.GetItemsLeft(), 12);
    ASSERT_TRUE(scenetest::SettleFrame(game, *full));
    scenetest::CollectEveryPiece(game, whole);
    scenetest::FindEveryListedItem(game, whole);
    CloseSceneDialog(game, GameFrame::DIALOG_ID_ITEMS_FOUND, "LBL_DIALOG_ITEMS_FOUND_IF_PIECES_FOUND");
    scenetest::SkipTheMiniGame(game, whole);
    CloseSceneDialog(game, GameFrame::DIALOG_ID_ALL_DONE, "LBL_DIALOG_ALL_DONE");
    CloseTheDiary(game);
}

// From the bomb on top to the final scores in the scene screen's place.
void DefuseTheBombAndReachTheScores(gameharness::GameHarness& game)
{
    GameFrame* frame = TheSceneScreen(game);
    ASSERT_NE(frame, nullptr);
    DefuseTheBomb(game);
    // Marked seen as it opens; the end of the game starts the profile afresh after the scores.
    ASSERT_NE(scenetest::AwaitTop<StoryDialog>(game), nullptr);
    EXPECT_TRUE(game.App().GetCurrentProfile()->mStoryFlags.IsCutsceneShown("Cutscene19_2"));
    PlayStory(game, "Cutscene19_2");
    auto* scores = scenetest::AwaitTop<ScoresScreen>(game);
    ASSERT_NE(scores, nullptr);
    EXPECT_TRUE(scores->mEndOfGame);
    EXPECT_FALSE(IsOnTheStack(game, frame));
    EXPECT_EQ(game.App().mMiniGame, nullptr);
}

} // namespace finaletest
