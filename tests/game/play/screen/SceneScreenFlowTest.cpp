#include "game/frontend/IntroScreen.h"
#include "game/minigames/base/MiniGameHelpScreen.h"
#include "game/minigames/base/MiniGameWidget.h"
#include "game/play/screen/InventoryWidget.h"
#include "game/play/ShownPoint.h"
#include "tests/game/play/screen/SceneFlowSupport.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace
{

using gameharness::GameHarness;
using namespace scenetest;

size_t ListedCount(const SandboxWidget& playfield)
{
    size_t count = 0;
    for (const PlayfieldItem& item : playfield.mModel.Items())
        count += item.mWanted;
    return count;
}

TEST(SceneScreenFlowTest, TheTenItemsVisitFoundToTheEndShowsItsDialogAndLeavesTheScene)
{
    GameHarness game;
    BootGame(game, false);
    SceneVisit visit(game, "Scene1", kTenItemsListMode);
    ASSERT_EQ(game.Top<GameFrame>(), visit.mFrame);
    EXPECT_EQ(ListedCount(*visit.mPlayfield), 10u);
    ASSERT_EQ(visit.mFrame->mItemList->mEntries.size(), 1u);
    EXPECT_EQ(visit.mFrame->mItemList->mEntries[0]->mName, "Coins");
    EXPECT_EQ(visit.mFrame->mItemList->mRemaining, 10);

    ASSERT_TRUE(SettleFrame(game, *visit.mFrame));
    FindEveryListedItem(game, *visit.mPlayfield);
    EXPECT_EQ(visit.mPlayfield->GetItemsLeft(), 0);
    EXPECT_EQ(visit.mFrame->mItemList->mRemaining, 0);
    CustomDialog* dialog = AwaitTop<CustomDialog>(game);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->mDialogId, GameFrame::DIALOG_ID_TEN_ITEMS_FOUND);
    EXPECT_EQ(dialog->mText, "Well spotted! That was everything on the list.");

    CloseDialog(game, *dialog);
    ASSERT_TRUE(game.RunUntil([&] { return game.Top<IntroScreen>() != nullptr; }, 200));
    EXPECT_EQ(game.States().size(), 1u);
    EXPECT_TRUE(visit.mMap.mReopenWithFullList);
}

TEST(SceneScreenFlowTest, TheFullListStrikesEachFoundNameAndAsksForTheUsableObjectAtItsEnd)
{
    GameHarness game;
    BootGame(game, false);
    SceneVisit visit(game, "Scene2", kFullListMode);
    EXPECT_EQ(ListedCount(*visit.mPlayfield), 12u);
    ASSERT_EQ(visit.mFrame->mItemList->mEntries.size(), 12u);

    ASSERT_TRUE(SettleFrame(game, *visit.mFrame));
    FindEveryListedItem(game, *visit.mPlayfield);
    for (const auto& entry : visit.mFrame->mItemList->mEntries)
        EXPECT_EQ(entry->mState, ItemNameEntry::kFound) << entry->mName;
    CustomDialog* dialog = AwaitTop<CustomDialog>(game);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->mDialogId, GameFrame::DIALOG_ID_ITEMS_FOUND);
    // The usable object is still to be used: the player stays in the scene.
    CloseDialog(game, *dialog);
    ASSERT_TRUE(game.RunUntil([&] { return game.Top<GameFrame>() == visit.mFrame; }, 200));
    game.Update(30);
    EXPECT_EQ(game.Top<GameFrame>(), visit.mFrame);
    EXPECT_EQ(game.States().size(), 2u);
}

TEST(SceneScreenFlowTest, AClickBesideAnItemsShapeOrOnAnUnlistedItemTakesNothing)
{
    GameHarness game;
    BootGame(game, false);
    SceneVisit visit(game, "Scene3", kFullListMode);
    ASSERT_TRUE(SettleFrame(game, *visit.mFrame));
    const PlayfieldModel& model = visit.mPlayfield->mModel;
    // A transparent pixel inside a wanted item's rectangle, with nothing else under it.
    bool clicked = false;
    for (size_t i = 0; i < model.Items().size() && !clicked; ++i)
    {
        const PlayfieldItem& item = model.Items()[i];
        if (!item.mWanted || item.mX < 130)
            continue;
        for (int32_t y = 0; y < item.mHeight && !clicked; ++y)
            for (int32_t x = 0; x < item.mWidth && !clicked; ++x)
                if (const int32_t hit = model.FindItemAt(item.mX + x, item.mY + y, false);
                    item.mMask.mAlpha[size_t(y * item.mMask.mWidth + x)] == 0 && hit != int32_t(i) &&
                    (hit < 0 || !model.Items()[size_t(hit)].mWanted))
                {
                    game.Click(item.mX + x, item.mY + y);
                    game.Update(5);
                    clicked = true;
                }
    }
    ASSERT_TRUE(clicked);
    EXPECT_EQ(model.ItemsLeft(), 12);
    for (const auto& entry : visit.mFrame->mItemList->mEntries)
        EXPECT_EQ(entry->mState, ItemNameEntry::kStillToFind) << entry->mName;
}

// A list whose last items are still on their way when another screen covers
// the scene ends once the scene is uncovered, not under that screen.
TEST(SceneScreenFlowTest, AListFinishedUnderAnotherScreenEndsWhenTheSceneIsUncovered)
{
    GameHarness game;
    BootGame(game, false);
    SceneVisit visit(game, "Scene4", kTenItemsListMode);
    ASSERT_TRUE(SettleFrame(game, *visit.mFrame));
    GameStateStack* stack = game.App().mGameStates.get();
    const PlayfieldModel& model = visit.mPlayfield->mModel;
    for (size_t i = 0; i < model.Items().size(); ++i)
        if (model.Items()[i].mWanted)
        {
            std::optional<std::pair<int32_t, int32_t>> point = ShownPointOf(model, i, false, 1);
            ASSERT_TRUE(point);
            game.Click(point->first, point->second);
            game.Update(2);
        }
    EXPECT_EQ(model.ItemsLeft(), 0);
    EXPECT_GT(visit.mPlayfield->GetCollectingCount(), 0);
    auto* cover = new CustomDialog("cover", 99, CustomDialog::BUTTONS_OK, false, false);
    PushGameState(cover, stack);
    ASSERT_TRUE(game.RunUntil([&] { return visit.mPlayfield->GetCollectingCount() == 0; }, 300));
    game.Update(5);
    EXPECT_EQ(game.Top<CustomDialog>(), cover);
    EXPECT_EQ(game.States().size(), 3u);

    PopGameState(stack);
    CustomDialog* dialog = AwaitTop<CustomDialog>(game);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->mDialogId, GameFrame::DIALOG_ID_TEN_ITEMS_FOUND);
    CloseDialog(game, *dialog);
    ASSERT_TRUE(game.RunUntil([&] { return game.Top<IntroScreen>() != nullptr; }, 200));
}

// The display slides in from the left edge to its places, and the scene
// takes no click while it slides.
TEST(SceneScreenFlowTest, TheDisplaySlidesInToItsPlacesAndTheSceneWaitsForIt)
{
    GameHarness game;
    BootGame(game, false);
    SceneVisit visit(game, "Scene5", kFullListMode);
    GameFrame& frame = *visit.mFrame;
    ASSERT_TRUE(frame.IsAnimating());
    const PlayfieldModel& model = visit.mPlayfield->mModel;
    size_t wanted = 0;
    while (!model.Items()[wanted].mWanted)
        ++wanted;
    std::optional<std::pair<int32_t, int32_t>> point = ShownPointOf(model, wanted, false, 1);
    ASSERT_TRUE(point);
    game.Click(point->first, point->second);
    game.Update(2);
    EXPECT_FALSE(model.Items()[wanted].mRemoved);

    ASSERT_TRUE(SettleFrame(game, frame));
    EXPECT_EQ(frame.mHudOffset, 0);
    EXPECT_EQ(frame.mSideButtons[0]->mX, -2);
    EXPECT_EQ(frame.mSideButtons[1]->mX, 6);
    EXPECT_EQ(frame.mSideButtons[2]->mX, 12);
    EXPECT_EQ(frame.mHintWidget->mX, 12);
    EXPECT_EQ(frame.mHintWidget->mY, 203);
    game.Click(point->first, point->second);
    game.Update(2);
    EXPECT_TRUE(model.Items()[wanted].mRemoved);
}

// Out of focus the visit's time stands still; a scene covered by another
// screen is not the playing one, so regaining the focus leaves its time stopped.
TEST(SceneScreenFlowTest, TheVisitsTimeStandsStillOutOfFocusAndUnderAnotherScreen)
{
    GameHarness game;
    BootGame(game, false);
    SceneVisit visit(game, "Scene7", kFullListMode);
    ASSERT_TRUE(SettleFrame(game, *visit.mFrame));
    GameFrame& frame = *visit.mFrame;
    EXPECT_EQ(game.App().mGameFrame, &frame);
    EXPECT_TRUE(frame.mVisitStopwatch.IsRunning());
    EXPECT_TRUE(visit.mPlayfield->mTutorial2Watch.IsRunning());

    game.LoseFocus();
    game.Update(3);
    EXPECT_FALSE(frame.mVisitStopwatch.IsRunning());
    EXPECT_FALSE(visit.mPlayfield->mTutorial2Watch.IsRunning());
    EXPECT_FALSE(visit.mPlayfield->mTutorial4Watch.IsRunning());
    game.RegainFocus();
    game.Update(3);
    EXPECT_TRUE(frame.mVisitStopwatch.IsRunning());
    EXPECT_TRUE(visit.mPlayfield->mTutorial4Watch.IsRunning());

    auto* cover = new CustomDialog("cover", 99, CustomDialog::BUTTONS_OK, false, false);
    PushGameState(cover, game.App().mGameStates.get());
    EXPECT_EQ(game.App().mGameFrame, nullptr);
    game.LoseFocus();
    game.Update(3);
    game.RegainFocus();
    game.Update(3);
    EXPECT_FALSE(frame.mVisitStopwatch.IsRunning());
    PopGameState(game.App().mGameStates.get());
    EXPECT_TRUE(frame.mVisitStopwatch.IsRunning());
    EXPECT_EQ(game.App().mGameFrame, &frame);
}

// The mini-game's wait before Skip is offered counts the player's time only:
// two minutes out of focus leave it where it stood.
TEST(SceneScreenFlowTest, TheMiniGamesSkipWaitStandsStillWhileTheWindowIsOutOfFocus)
{
    GameHarness game;
    BootGame(game, false);
    SceneVisit visit(game, "Scene2", kFullListMode);
    ASSERT_TRUE(SettleFrame(game, *visit.mFrame));
    CollectEveryPiece(game, *visit.mPlayfield);
    UseTheUsableObject(game, *visit.mPlayfield);
    MiniGameWidget* miniGame = AwaitTop<MiniGameWidget>(game);
    ASSERT_NE(miniGame, nullptr);
    ASSERT_NE(AwaitTop<MiniGameHelpScreen>(game), nullptr);
    game.Update(30);
    game.Click(400, 300);
    ASSERT_TRUE(game.RunUntil([&] { return game.Top<MiniGameWidget>() == miniGame; }, 100));
    ASSERT_TRUE(miniGame->mStopwatch.IsRunning());

    game.LoseFocus();
    game.Update(3);
    const int32_t waitedAtLoss = miniGame->mStopwatch.GetElapsedMs();
    game.Clock().advance(120000);
    game.Update(20);
    EXPECT_EQ(miniGame->mStopwatch.GetElapsedMs(), waitedAtLoss);
    game.RegainFocus();
    game.Update(3);
    EXPECT_TRUE(miniGame->mStopwatch.IsRunning());
    EXPECT_LT(miniGame->mStopwatch.GetElapsedMs(), miniGame->mSkipDelaySeconds * 1000);
}

// The silhouette of an incomplete usable object glows: the picture around
// its centre changes while nothing else moves there.
TEST(SceneScreenFlowTest, TheInventoryGlowsOverAnIncompleteSilhouette)
{
    GameHarness game;
    BootGame(game);
    for (int tutorial = 1; tutorial < TutorialFlags::kCount; ++tutorial)
        Profile(game).mTutorialFlags.Set(tutorial);
    Profile(game).mStoryFlags.MarkSceneStoryShown("Scene2", false);
    SceneVisit visit(game, "Scene2", kFullListMode);
    ASSERT_TRUE(SettleFrame(game, *visit.mFrame));
    ASSERT_TRUE(visit.mPlayfield->mInventory->mVisible);
    const std::vector<PlayfieldItem>& items = visit.mPlayfield->mModel.Items();
    const auto combined =
        std::find_if(items.begin(), items.end(),
                     [](const PlayfieldItem& item) { return item.mKind == SceneItemKind::Combined; });
    ASSERT_NE(combined, items.end());
    const int32_t cx = combined->mX + combined->mWidth / 2, cy = combined->mY + combined->mHeight / 2;
    const auto around = [&]
    {
        std::vector<uint32_t> block;
        for (int32_t y = cy - 12; y <= cy + 12; y += 3)
            for (int32_t x = cx - 12; x <= cx + 12; x += 3)
                block.push_back(game.Pixel(x, y));
        return block;
    };
    game.Update(5);
    const std::vector<uint32_t> first = around();
    bool changed = false;
    for (int sample = 0; sample < 8 && !changed; ++sample)
    {
        game.Update(25);
        changed = around() != first;
    }
    EXPECT_TRUE(changed);
}

// Once the first scene has told of its pieces, each piece in the picture
// pulses and sparkles until it is taken.
TEST(SceneScreenFlowTest, TheFirstScenesPiecesPulseOnceShown)
{
    GameHarness game;
    BootGame(game);
    for (int tutorial = 1; tutorial < TutorialFlags::kCount; ++tutorial)
        Profile(game).mTutorialFlags.Set(tutorial);
    Profile(game).mStoryFlags.MarkSceneStoryShown("Scene1", false);
    Record(game, "Scene1").mItems[0].mTaken = true;
    SceneVisit visit(game, "Scene1", kFullListMode);
    ASSERT_TRUE(SettleFrame(game, *visit.mFrame));
    const std::vector<PlayfieldItem>& items = visit.mPlayfield->mModel.Items();
    size_t pieces = 0;
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i].mKind == SceneItemKind::Piece)
        {
            ++pieces;
            EXPECT_TRUE(items[i].mVisible) << items[i].mRecord.mName;
            const auto loops = visit.mPlayfield->mPieceLoops.find(i);
            ASSERT_NE(loops, visit.mPlayfield->mPieceLoops.end()) << items[i].mRecord.mName;
            EXPECT_TRUE(loops->second.IsPulsing());
            EXPECT_TRUE(loops->second.IsSparkling());
        }
    EXPECT_EQ(pieces, 3u);
}

} // namespace
