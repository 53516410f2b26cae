#include "game/frontend/IntroScreen.h"
#include "game/play/ShownPoint.h"
#include "game/play/screen/GameFrame.h"
#include "game/shell/CustomDialog.h"
#include "tests/game/support/GameHarness.h"

#include <gtest/gtest.h>

namespace
{

using gameharness::GameHarness;

// The game with its resources loaded and the scene pushed over the intro.
GameFrame* OpenScene(GameHarness& game, const std::string& sceneName, int32_t listMode)
{
    game.Boot();
    game.FinishLoading();
    if (!game.RunUntil([&] { return game.Top<IntroScreen>() != nullptr; }, 1000))
        return nullptr;
    auto* frame = new GameFrame(sceneName, listMode);
    PushGameState(frame, game.App().mGameStates.get());
    game.Update();
    return frame;
}

size_t ListedCount(const GameFrame& frame)
{
    size_t count = 0;
    for (const PlayfieldItem& item : frame.mModel.Items())
        count += item.mWanted;
    return count;
}

// Clicks each wanted item where it shows, as the content check's solver does.
void FindEveryListedItem(GameHarness& game, GameFrame& frame)
{
    for (size_t i = 0; i < frame.mModel.Items().size(); ++i)
    {
        if (!frame.mModel.Items()[i].mWanted)
            continue;
        std::optional<std::pair<int32_t, int32_t>> point = ShownPointOf(frame.mModel, i, false, 1);
        ASSERT_TRUE(point) << frame.mModel.Items()[i].mRecord.mName;
        game.Click(point->first, point->second);
        game.Update(5);
        EXPECT_TRUE(frame.mModel.Items()[i].mRemoved) << frame.mModel.Items()[i].mRecord.mName;
    }
}

void CloseDialog(GameHarness& game, CustomDialog& dialog)
{
    ASSERT_TRUE(game.RunUntil([&] { return !dialog.IsAnimating(); }, 200));
    const MenuItem& ok = *dialog.mFirstButton;
    game.Click(ok.mX + ok.mWidth / 2, ok.mY + ok.mHeight / 2);
}

TEST(SceneScreenFlowTest, TheTenItemsVisitFoundToTheEndShowsItsDialogAndLeavesTheScene)
{
    GameHarness game;
    GameFrame* frame = OpenScene(game, "Scene1", kTenItemsListMode);
    ASSERT_NE(frame, nullptr);
    ASSERT_EQ(game.Top<GameFrame>(), frame);
    EXPECT_EQ(ListedCount(*frame), 10u);
    ASSERT_EQ(frame->mItemList->mEntries.size(), 1u);
    EXPECT_EQ(frame->mItemList->mEntries[0]->mName, "Find 10 items in the Front Porch");
    EXPECT_EQ(frame->mItemList->mRemaining, 10);

    FindEveryListedItem(game, *frame);
    EXPECT_EQ(frame->mItemList->mRemaining, 0);
    EXPECT_EQ(frame->mModel.ItemsLeft(), 0);
    CustomDialog* dialog = game.Top<CustomDialog>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->mDialogId, GameFrame::DIALOG_ID_TEN_ITEMS_FOUND);
    EXPECT_EQ(dialog->mText, "Well spotted! That was everything on the list.");

    CloseDialog(game, *dialog);
    ASSERT_TRUE(game.RunUntil([&] { return game.Top<IntroScreen>() != nullptr; }, 200));
    EXPECT_EQ(game.States().size(), 1u);
}

TEST(SceneScreenFlowTest, TheFullListStrikesEachFoundNameAndAsksForTheUsableObjectAtItsEnd)
{
    GameHarness game;
    GameFrame* frame = OpenScene(game, "Scene2", kFullListMode);
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(ListedCount(*frame), 12u);
    ASSERT_EQ(frame->mItemList->mEntries.size(), 12u);

    FindEveryListedItem(game, *frame);
    for (const auto& entry : frame->mItemList->mEntries)
        EXPECT_EQ(entry->mState, ItemNameEntry::kFound) << entry->mName;
    CustomDialog* dialog = game.Top<CustomDialog>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->mDialogId, GameFrame::DIALOG_ID_ITEMS_FOUND);
    // The usable object is still to be used: the player stays in the scene.
    CloseDialog(game, *dialog);
    ASSERT_TRUE(game.RunUntil([&] { return game.Top<GameFrame>() == frame; }, 200));
    game.Update(30);
    EXPECT_EQ(game.Top<GameFrame>(), frame);
    EXPECT_EQ(game.States().size(), 2u);
}

TEST(SceneScreenFlowTest, AClickBesideAnItemsShapeOrOnAnUnlistedItemTakesNothing)
{
    GameHarness game;
    GameFrame* frame = OpenScene(game, "Scene3", kFullListMode);
    ASSERT_NE(frame, nullptr);
    // A transparent pixel inside a wanted item's rectangle, with nothing else under it.
    bool clicked = false;
    for (size_t i = 0; i < frame->mModel.Items().size() && !clicked; ++i)
    {
        const PlayfieldItem& item = frame->mModel.Items()[i];
        if (!item.mWanted)
            continue;
        for (int32_t y = 0; y < item.mHeight && !clicked; ++y)
            for (int32_t x = 0; x < item.mWidth && !clicked; ++x)
                if (const int32_t hit = frame->mModel.FindItemAt(item.mX + x, item.mY + y, false);
                    item.mMask.mAlpha[size_t(y * item.mMask.mWidth + x)] == 0 && hit != int32_t(i) &&
                    (hit < 0 || !frame->mModel.Items()[size_t(hit)].mWanted))
                {
                    game.Click(item.mX + x, item.mY + y);
                    game.Update(5);
                    clicked = true;
                }
    }
    ASSERT_TRUE(clicked);
    EXPECT_EQ(frame->mModel.ItemsLeft(), 12);
    for (const auto& entry : frame->mItemList->mEntries)
        EXPECT_EQ(entry->mState, ItemNameEntry::kStillToFind) << entry->mName;
}

} // namespace

// A list that ends while another screen covers the scene (an item still on
// its way to the list when a dialog opened) ends the scene once it is uncovered.
TEST(SceneScreenFlowTest, AListFinishedUnderAnotherScreenEndsWhenTheSceneIsUncovered)
{
    GameHarness game;
    GameFrame* frame = OpenScene(game, "Scene4", kTenItemsListMode);
    ASSERT_NE(frame, nullptr);
    GameStateStack* stack = game.App().mGameStates.get();
    auto* cover = new CustomDialog("cover", 99, CustomDialog::BUTTONS_OK, false, false);
    PushGameState(cover, stack);
    game.Update(5);
    for (size_t i = 0; i < frame->mModel.Items().size(); ++i)
        if (frame->mModel.Items()[i].mWanted)
        {
            std::optional<std::pair<int32_t, int32_t>> point = ShownPointOf(frame->mModel, i, false);
            ASSERT_TRUE(point);
            EXPECT_EQ(frame->mModel.Click(point->first, point->second), ClickOutcome::Found);
        }
    game.Update(5);
    EXPECT_EQ(game.Top<CustomDialog>(), cover);

    PopGameState(stack);
    CustomDialog* dialog = game.Top<CustomDialog>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->mDialogId, GameFrame::DIALOG_ID_TEN_ITEMS_FOUND);
    CloseDialog(game, *dialog);
    ASSERT_TRUE(game.RunUntil([&] { return game.Top<IntroScreen>() != nullptr; }, 200));
}
