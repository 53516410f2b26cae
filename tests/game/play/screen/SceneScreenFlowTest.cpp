#include "game/frontend/IntroScreen.h"
#include "game/play/ShownPoint.h"
#include "tests/game/play/screen/SceneFlowSupport.h"

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
    EXPECT_EQ(visit.mFrame->mItemList->mEntries[0]->mName, "Find 10 items in the Front Porch");
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

// A list that ends while another screen covers the scene (an item still on
// its way to the list when a dialog opened) ends the scene once it is uncovered.
TEST(SceneScreenFlowTest, AListFinishedUnderAnotherScreenEndsWhenTheSceneIsUncovered)
{
    GameHarness game;
    BootGame(game, false);
    SceneVisit visit(game, "Scene4", kTenItemsListMode);
    ASSERT_TRUE(SettleFrame(game, *visit.mFrame));
    GameStateStack* stack = game.App().mGameStates.get();
    FindEveryListedItem(game, *visit.mPlayfield);
    CustomDialog* dialog = AwaitTop<CustomDialog>(game);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->mDialogId, GameFrame::DIALOG_ID_TEN_ITEMS_FOUND);
    auto* cover = new CustomDialog("cover", 99, CustomDialog::BUTTONS_OK, false, false);
    PushGameState(cover, stack);
    game.Update(5);
    PopGameState(stack);
    ASSERT_EQ(game.Top<CustomDialog>(), dialog);
    CloseDialog(game, *dialog);
    ASSERT_TRUE(game.RunUntil([&] { return game.Top<IntroScreen>() != nullptr; }, 200));
}

} // namespace
