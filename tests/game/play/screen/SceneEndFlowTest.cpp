// Whole visits of scenes on the game harness, to their ends: what the scene
// screen pushes and pops on the way (stories, letters, diary, tutorials,
// dialogs, the mini-game) and what the player's record holds afterwards.
#include "game/frontend/IntroScreen.h"
#include "game/minigames/base/MiniGameWidget.h"
#include "game/play/screen/ActionItem.h"
#include "game/play/screen/InventoryWidget.h"
#include "game/shell/StringTable.h"
#include "tests/game/play/screen/SceneFlowSupport.h"

#include <gtest/gtest.h>

namespace
{

using gameharness::GameHarness;
using namespace scenetest;

std::string Text(const char* key)
{
    return StringTable::GetInstance().Lookup(key);
}

// The dialog the scene screen shows next, checked and closed.
void CloseSceneDialog(GameHarness& game, int32_t id, const char* textKey)
{
    CustomDialog* dialog = AwaitTop<CustomDialog>(game);
    ASSERT_NE(dialog, nullptr) << "waiting for dialog " << id;
    EXPECT_EQ(dialog->mDialogId, id);
    EXPECT_EQ(dialog->mText, Text(textKey));
    CloseDialog(game, *dialog);
}

// A player who has seen every tutorial of the first level.
void SeeEveryTutorial(GameHarness& game)
{
    for (int tutorial = 1; tutorial < TutorialFlags::kCount; ++tutorial)
        Profile(game).mTutorialFlags.Set(tutorial);
}

bool BackAtTheIntro(GameHarness& game)
{
    return game.RunUntil([&] { return game.Top<IntroScreen>() != nullptr; }, 300) &&
           game.States().size() == 1u;
}

TEST(SceneEndFlowTest, AFullListWithItsMiniGameSkippedLeadsThroughTheDiaryAndTheChapterStoryBackToTheMap)
{
    GameHarness game;
    BootGame(game);
    StandIns standIns;
    SeeEveryTutorial(game);
    SceneVisit visit(game, "Scene2", kFullListMode);
    CloseStandIn(game, "story:Scene2");
    ASSERT_TRUE(SettleFrame(game, *visit.mFrame));
    EXPECT_TRUE(Profile(game).mStoryFlags.IsSceneStoryShown("Scene2", false));
    EXPECT_TRUE(visit.mPlayfield->mInventory->mVisible);
    EXPECT_TRUE(visit.mFrame->GetDiaryButton()->mVisible);

    CollectEveryPiece(game, *visit.mPlayfield);
    ASSERT_NE(visit.mPlayfield->GetHeldItem(), nullptr);
    EXPECT_EQ(Record(game, "Scene2").mPieces.size(), 2u);
    FindEveryListedItem(game, *visit.mPlayfield);
    for (const SceneProgress::ItemEntry& entry : Record(game, "Scene2").mItems)
        EXPECT_TRUE(entry.mTaken) << entry.mName;
    CloseSceneDialog(game, GameFrame::DIALOG_ID_ITEMS_FOUND, "LBL_DIALOG_ITEMS_FOUND_IF_PIECES_FOUND");
    // The usable object is still to be used: play goes on.
    game.Update(100);
    EXPECT_EQ(game.Top<GameFrame>(), visit.mFrame);

    SkipTheMiniGame(game, *visit.mPlayfield);
    EXPECT_TRUE(Record(game, "Scene2").mMiniGameDone);
    // The game leaves, the display slides back in and the end delay shows the last dialog.
    CloseSceneDialog(game, GameFrame::DIALOG_ID_ALL_DONE, "LBL_DIALOG_ALL_DONE");
    EXPECT_EQ(Profile(game).mDiaryPages, 1);
    CloseStandIn(game, "diary");
    CloseStandIn(game, "story+envelope:Cutscene0_3");
    CloseStandIn(game, "letter:EnvelopeText0_3");
    ASSERT_TRUE(BackAtTheIntro(game));

    EXPECT_EQ(standIns.mOpened,
              (std::vector<std::string>{"story:Scene2", "diary", "story+envelope:Cutscene0_3",
                                        "letter:EnvelopeText0_3"}));
    const SceneProgress& record = Record(game, "Scene2");
    EXPECT_TRUE(record.IsDoneFirstVisit());
    EXPECT_FALSE(record.IsDoneSecondVisit());
    EXPECT_TRUE(Profile(game).mStoryFlags.IsCutsceneShown("Cutscene0_3"));
    EXPECT_TRUE(Profile(game).mGameInProgress);
    EXPECT_GT(Profile(game).mPlayTime.ToMilliseconds(), 0.0);
    EXPECT_EQ(game.App().mGameFrame, nullptr);
    EXPECT_EQ(game.App().mMiniGame, nullptr);
}

TEST(SceneEndFlowTest, AListFinishedAfterTheMiniGameWaitsForItsEndDelayAndLaterScenesGoStraightBackToTheMap)
{
    GameHarness game;
    BootGame(game);
    StandIns standIns;
    SeeEveryTutorial(game);
    Profile(game).mStoryFlags.MarkSceneStoryShown("Scene3", false);
    Profile(game).mStoryFlags.MarkCutsceneShown("Cutscene0_3");
    Record(game, "Scene3").mMiniGameDone = true;
    SceneVisit visit(game, "Scene3", kFullListMode);
    ASSERT_TRUE(SettleFrame(game, *visit.mFrame));
    EXPECT_TRUE(visit.mPlayfield->IsMiniGameDone());

    FindEveryListedItem(game, *visit.mPlayfield);
    CloseSceneDialog(game, GameFrame::DIALOG_ID_ITEMS_FOUND,
                     "LBL_DIALOG_ITEMS_FOUND_MINI_GAME_HAS_BEEN_SOLVED");
    EXPECT_TRUE(visit.mFrame->mEndDelay->IsRunning());
    // Nothing reacts while the delay runs.
    EXPECT_TRUE(visit.mFrame->IsAnimating());
    CloseSceneDialog(game, GameFrame::DIALOG_ID_ALL_DONE, "LBL_DIALOG_ALL_DONE");
    CloseStandIn(game, "diary");
    ASSERT_TRUE(BackAtTheIntro(game));
    EXPECT_EQ(standIns.mOpened, (std::vector<std::string>{"diary"}));
    EXPECT_TRUE(Record(game, "Scene3").IsDoneFirstVisit());
    EXPECT_EQ(Profile(game).mDiaryPages, 1);
}

TEST(SceneEndFlowTest, TheProgramEndedOverTheDiaryThatEndsASceneKeepsTheChapterStoryForTheNextSceneEnd)
{
    GameHarness game;
    BootGame(game);
    StandIns standIns;
    SeeEveryTutorial(game);
    Profile(game).mStoryFlags.MarkSceneStoryShown("Scene3", false);
    Record(game, "Scene3").mMiniGameDone = true;
    SceneVisit visit(game, "Scene3", kFullListMode);
    ASSERT_TRUE(SettleFrame(game, *visit.mFrame));
    FindEveryListedItem(game, *visit.mPlayfield);
    CloseSceneDialog(game, GameFrame::DIALOG_ID_ITEMS_FOUND,
                     "LBL_DIALOG_ITEMS_FOUND_MINI_GAME_HAS_BEEN_SOLVED");
    CloseSceneDialog(game, GameFrame::DIALOG_ID_ALL_DONE, "LBL_DIALOG_ALL_DONE");
    ASSERT_NE(AwaitTop<StandInScreen>(game), nullptr);
    ASSERT_EQ(standIns.mOpened, (std::vector<std::string>{"diary"}));

    // Taking the diary off as the program ends uncovers the scene, which leaves it.
    game.App().Quit(true);
    EXPECT_EQ(standIns.mOpened, (std::vector<std::string>{"diary"}));
    EXPECT_FALSE(Profile(game).mStoryFlags.IsCutsceneShown("Cutscene0_3"));
    EXPECT_TRUE(Record(game, "Scene3").IsDoneFirstVisit());
    EXPECT_EQ(Profile(game).mDiaryPages, 1);
}

TEST(SceneEndFlowTest, ASecondVisitEndsWithItsDiaryPageAtOnceAndMarksTheSecondVisitDone)
{
    GameHarness game;
    BootGame(game);
    StandIns standIns;
    SeeEveryTutorial(game);
    Profile(game).mStoryFlags.MarkCutsceneShown("Cutscene0_3");
    Record(game, "Scene4").SetDoneFirstVisit(true);
    SceneVisit visit(game, "Scene4", kFullListMode, true);
    CloseStandIn(game, "story:Scene4replay");
    ASSERT_TRUE(SettleFrame(game, *visit.mFrame));
    // Only plain items and hints are left in the picture.
    for (const PlayfieldItem& item : visit.mPlayfield->mModel.Items())
        EXPECT_TRUE(item.mKind == SceneItemKind::Plain || item.mKind == SceneItemKind::Hint)
            << item.mRecord.mName;

    FindEveryListedItem(game, *visit.mPlayfield);
    CloseSceneDialog(game, GameFrame::DIALOG_ID_ALL_DONE, "LBL_DIALOG_ALL_DONE");
    CloseStandIn(game, "diary");
    ASSERT_TRUE(BackAtTheIntro(game));
    EXPECT_TRUE(Record(game, "Scene4").IsDoneSecondVisit());
    EXPECT_TRUE(Profile(game).mStoryFlags.IsSceneStoryShown("Scene4", true));
}

TEST(SceneEndFlowTest, TheTenItemsVisitSwitchesTheRecordToTheFullListAndTheSceneReopensWithIt)
{
    GameHarness game;
    BootGame(game);
    StandIns standIns;
    SeeEveryTutorial(game);
    {
        SceneVisit visit(game, "Scene2", kTenItemsListMode);
        CloseStandIn(game, "story:Scene2");
        ASSERT_TRUE(SettleFrame(game, *visit.mFrame));
        FindEveryListedItem(game, *visit.mPlayfield);
        for (const SceneProgress::NamedEntry& entry : Record(game, "Scene2").mGroupItems)
            EXPECT_TRUE(entry.mTaken) << entry.mName;
        CloseSceneDialog(game, GameFrame::DIALOG_ID_TEN_ITEMS_FOUND, "LBL_DIALOG_10_ITEMS_FOUND");
        ASSERT_TRUE(BackAtTheIntro(game));
        EXPECT_TRUE(visit.mMap.mReopenWithFullList);
        EXPECT_EQ(Record(game, "Scene2").GetListMode(), kFullListMode);
        EXPECT_FALSE(Record(game, "Scene2").IsDoneFirstVisit());
    }
    // Reopened at once with the full list: no story again, twelve names to find.
    SceneVisit full(game, "Scene2", kFullListMode);
    ASSERT_TRUE(SettleFrame(game, *full.mFrame));
    EXPECT_EQ(game.Top<GameFrame>(), full.mFrame);
    EXPECT_EQ(full.mFrame->mItemList->mEntries.size(), 12u);
    EXPECT_EQ(full.mPlayfield->GetItemsLeft(), 12);
    EXPECT_EQ(standIns.mOpened, (std::vector<std::string>{"story:Scene2"}));
}

TEST(SceneEndFlowTest, TheFirstSceneShowsItsTutorialsAndDiaryPageAndEndsWithTheChapterStoryAndTheLetter)
{
    GameHarness game;
    BootGame(game);
    StandIns standIns;
    // The tutorials that wait for idle time stay out of the way of the scripted clicks.
    for (int idle : {2, 4, 7, 9})
        Profile(game).mTutorialFlags.Set(idle);
    SceneVisit visit(game, "Scene1", kFullListMode);
    CloseStandIn(game, "story:Scene1");
    CloseStandIn(game, "tutorial:TUT_SCENE_NORMAL_1");
    ASSERT_TRUE(SettleFrame(game, *visit.mFrame));
    // Until the diary page is found there is no diary, and the pieces stay hidden.
    EXPECT_FALSE(visit.mFrame->GetDiaryButton()->mVisible);
    EXPECT_FALSE(visit.mPlayfield->mInventory->mVisible);
    size_t hiddenPieces = 0;
    for (const PlayfieldItem& item : visit.mPlayfield->mModel.Items())
        hiddenPieces += item.mKind == SceneItemKind::Piece && !item.mVisible;
    EXPECT_GE(hiddenPieces, 2u);

    FindEveryListedItem(game, *visit.mPlayfield);
    // The diary page opened the diary on its way; the list ends once it closes.
    EXPECT_EQ(Profile(game).mDiaryPages, 1);
    CloseStandIn(game, "diary:first");
    CloseStandIn(game, "tutorial:TUT_SCENE_ITEMS_FINISHED1");
    CloseStandIn(game, "tutorial:TUT_SCENE_ITEMS_FINISHED2");
    EXPECT_TRUE(visit.mFrame->GetDiaryButton()->mVisible);
    EXPECT_TRUE(visit.mPlayfield->mInventory->mVisible);
    for (const PlayfieldItem& item : visit.mPlayfield->mModel.Items())
        EXPECT_TRUE(item.mVisible) << item.mRecord.mName;

    CollectEveryPiece(game, *visit.mPlayfield);
    CloseStandIn(game, "tutorial:TUT_SCENE_ACTION_ITEM_1");
    SkipTheMiniGame(game, *visit.mPlayfield);
    CloseSceneDialog(game, GameFrame::DIALOG_ID_FIRST_SCENE_DONE, "LBL_DIALOG_ALL_DONE_SCENE1_ONLY");
    EXPECT_EQ(visit.mMap.mUnlocks, 1);
    EXPECT_TRUE(Record(game, "Scene1").IsDoneFirstVisit());
    CloseStandIn(game, "story+envelope:Cutscene0_2");
    CloseStandIn(game, "letter:EnvelopeText0_2");
    ASSERT_TRUE(BackAtTheIntro(game));
    EXPECT_TRUE(Profile(game).mStoryFlags.IsCutsceneShown("Cutscene0_2"));
    EXPECT_FALSE(Profile(game).mStoryFlags.IsCutsceneShown("Cutscene0_3"));
    for (int tutorial : {3, 5, 6, 8})
        EXPECT_TRUE(Profile(game).mTutorialFlags.IsSet(tutorial)) << tutorial;
    EXPECT_FALSE(Profile(game).mTutorialFlags.IsSet(1));
}

// A player on the last level whose last scene is found to its end and whose
// jigsaw is done, as the scene's record stands once its diary has closed.
void FinishTheLastScene(GameHarness& game)
{
    PlayerProfile& profile = Profile(game);
    profile.mLevel = 19;
    profile.ResetLevelProgress();
    profile.PrepareCurrentLevel(game.App().GetLevelPreparationSource());
    SeeEveryTutorial(game);
    profile.mStoryFlags.MarkSceneStoryShown("Scene31", false);
    profile.mStoryFlags.MarkCutsceneShown("Cutscene0_3");
    SceneProgress& record = Record(game, "Scene31");
    for (SceneProgress::ItemEntry& item : record.mItems)
        item.mTaken = true;
    record.mMiniGameDone = true;
    record.SetDoneFirstVisit(true);
}

TEST(SceneEndFlowTest, TheProgramEndedDuringTheFinaleLeavesTheBombAndTheLastStoryForTheNextStart)
{
    GameHarness game;
    BootGame(game);
    StandIns standIns;
    FinishTheLastScene(game);
    SceneVisit visit(game, "Scene31", kFullListMode);
    ASSERT_NE(AwaitTop<StandInScreen>(game), nullptr);
    ASSERT_EQ(standIns.mOpened, (std::vector<std::string>{"story:Cutscene19_1"}));
    // The screens taken off one by one as the program ends uncover the scene on the way.
    game.App().Quit(true);
    EXPECT_EQ(standIns.mOpened, (std::vector<std::string>{"story:Cutscene19_1"}));
    EXPECT_TRUE(Profile(game).mStoryFlags.IsCutsceneShown("Cutscene19_1"));
    EXPECT_FALSE(Profile(game).mStoryFlags.IsCutsceneShown("Cutscene19_2"));
}

TEST(SceneEndFlowTest, TheLastSceneReopenedAfterTheFirstFinaleStoryGoesOnWithTheBombWithoutAnotherDiaryPage)
{
    GameHarness game;
    BootGame(game);
    StandIns standIns;
    FinishTheLastScene(game);
    Profile(game).mStoryFlags.MarkCutsceneShown("Cutscene19_1");
    const int32_t pages = Profile(game).mDiaryPages;
    SceneVisit visit(game, "Scene31", kFullListMode);
    // The stand-in bomb counts as played at once.
    CloseStandIn(game, "story:Cutscene19_2");
    ASSERT_NE(AwaitTop<StandInScreen>(game), nullptr);
    EXPECT_EQ(standIns.mOpened, (std::vector<std::string>{"bomb", "story:Cutscene19_2", "scores"}));
    EXPECT_EQ(Profile(game).mDiaryPages, pages);
    EXPECT_TRUE(Profile(game).mStoryFlags.IsCutsceneShown("Cutscene19_2"));
}

// The end of a list shows once: a later visit of a scene whose list is done
// and whose mini-game is still to play goes straight on with play. Only a
// scene that nothing else would end (its mini-game done too) ends on entry.
TEST(SceneEndFlowTest, AFinishedListEndsOnceAndALaterVisitEndsTheSceneOnlyWhenItsMiniGameIsDone)
{
    GameHarness game;
    BootGame(game);
    StandIns standIns;
    SeeEveryTutorial(game);
    Profile(game).mStoryFlags.MarkSceneStoryShown("Scene2", false);
    Profile(game).mStoryFlags.MarkCutsceneShown("Cutscene0_3");
    SceneVisit visit(game, "Scene2", kFullListMode);
    ASSERT_TRUE(SettleFrame(game, *visit.mFrame));
    FindEveryListedItem(game, *visit.mPlayfield);
    CloseSceneDialog(game, GameFrame::DIALOG_ID_ITEMS_FOUND, "LBL_DIALOG_ITEMS_FOUND");
    ASSERT_TRUE(SettleFrame(game, *visit.mFrame));
    visit.mFrame->OnMapButton();
    ASSERT_TRUE(BackAtTheIntro(game));

    GameFrame* again = visit.Reopen();
    ASSERT_TRUE(SettleFrame(game, *again));
    game.Update(50);
    EXPECT_EQ(game.Top<GameFrame>(), again);
    EXPECT_TRUE(standIns.mOpened.empty());
    again->OnMapButton();
    ASSERT_TRUE(BackAtTheIntro(game));

    // The mini-game was done as the program ended, the scene never marked done.
    Record(game, "Scene2").mMiniGameDone = true;
    visit.Reopen();
    CloseSceneDialog(game, GameFrame::DIALOG_ID_ITEMS_FOUND,
                     "LBL_DIALOG_ITEMS_FOUND_MINI_GAME_HAS_BEEN_SOLVED");
    CloseSceneDialog(game, GameFrame::DIALOG_ID_ALL_DONE, "LBL_DIALOG_ALL_DONE");
    CloseStandIn(game, "diary");
    ASSERT_TRUE(BackAtTheIntro(game));
    EXPECT_TRUE(Record(game, "Scene2").IsDoneFirstVisit());
}

// Pieces collected in an earlier run of the program make the usable object
// as the scene opens: it lies there without the burst of its making and
// takes the first click.
TEST(SceneEndFlowTest, AUsableObjectFromAnEarlierRunsPiecesAppearsQuietlyAndTakesAClickAtOnce)
{
    GameHarness game;
    BootGame(game);
    StandIns standIns;
    SeeEveryTutorial(game);
    Profile(game).mStoryFlags.MarkSceneStoryShown("Scene2", false);
    {
        SceneVisit earlier(game, "Scene2", kFullListMode);
        ASSERT_TRUE(SettleFrame(game, *earlier.mFrame));
        CollectEveryPiece(game, *earlier.mPlayfield);
        ASSERT_NE(earlier.mPlayfield->GetHeldItem(), nullptr);
        EXPECT_EQ(earlier.mPlayfield->GetHeldItem()->mCreatedEffect->mState, AnimatedWidget::STATE_PLAYING);
    }
    ASSERT_TRUE(BackAtTheIntro(game));

    SceneVisit visit(game, "Scene2", kFullListMode);
    ActionItem* held = visit.mPlayfield->GetHeldItem();
    ASSERT_NE(held, nullptr);
    EXPECT_NE(held->mCreatedEffect->mState, AnimatedWidget::STATE_PLAYING);
    ASSERT_TRUE(SettleFrame(game, *visit.mFrame));
    game.Click(held->mX + held->mWidth / 2, held->mY + held->mHeight / 2);
    game.Update(2);
    EXPECT_TRUE(visit.mPlayfield->mModel.IsHeldSelected());
}

} // namespace
