// The scene screen's display on the real game: the clock of timed play
// running out, the mouse that runs after quick misclicks, and hints spent
// and taken, each with what they push on and pop off the state stack.
#include "framework/graphics/Font.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/resources/SoundPlayer.h"
#include "framework/widgets/WidgetManager.h"
#include "game/frontend/IntroScreen.h"
#include "game/play/SceneFile.h"
#include "game/play/ShownPoint.h"
#include "game/play/screen/GameFrame.h"
#include "game/play/screen/SandboxWidget.h"
#include "game/play/screen/ScenePlayfield.h"
#include "game/shell/CustomDialog.h"
#include "game/shell/Resources.h"
#include "tests/game/support/GameHarness.h"

#include <gtest/gtest.h>
#include <optional>

namespace
{

using gameharness::GameHarness;

// A player on level 1 whose record of the scene holds the given clock.
PlayerProfile& AddPlayer(GameHarness& game, const std::string& sceneName, int32_t secondsLeft)
{
    auto profile = std::make_unique<PlayerProfile>();
    profile->mName = "Anna";
    profile->mFileName = game.App().mProfiles->MakeNewFileName("Anna");
    profile->PrepareCurrentLevel(game.App().GetLevelPreparationSource());
    profile->mTimedPlay = true;
    // The scene's story has been told: the visit starts with the display.
    profile->mStoryFlags.MarkSceneStoryShown(sceneName, false);
    SceneProgress* record = profile->mLevelProgress.FindScene(sceneName);
    EXPECT_NE(record, nullptr);
    if (record != nullptr)
        record->SetClock(0, 0, secondsLeft, 0);
    game.App().AddProfile(std::move(profile));
    return *game.App().GetCurrentProfile();
}

// The game with its resources loaded and the scene pushed over the intro.
GameFrame* OpenScene(GameHarness& game, const std::string& sceneName, bool timed, int32_t secondsLeft = 600)
{
    game.Boot();
    game.FinishLoading();
    if (!game.RunUntil([&] { return game.Top<IntroScreen>() != nullptr; }, 1000))
        return nullptr;
    AddPlayer(game, sceneName, secondsLeft);
    GameFrame* frame = MakeSceneFrame(sceneName, kFullListMode, timed);
    PushGameState(frame, game.App().mGameStates.get());
    game.Update();
    // The display has slid in.
    game.RunUntil([&] { return !frame->IsAnimating(); }, 100);
    return frame;
}

// A point right of the heads-up strip where a click reaches an item that is
// neither wanted nor of another kind.
std::optional<std::pair<int32_t, int32_t>> DecoyPoint(const GameFrame& frame)
{
    const PlayfieldModel& model = frame.mPlayfield->mModel;
    for (size_t i = 0; i < model.Items().size(); ++i)
    {
        const PlayfieldItem& item = model.Items()[i];
        if (item.mKind == SceneItemKind::Plain && !item.mWanted && item.mClickable && !item.mRemoved &&
            item.mX > 150)
            if (auto point = ShownPointOf(model, i, false, 1))
                return point;
    }
    return std::nullopt;
}

bool IsLooping(GameHarness& game, int32_t soundId)
{
    return game.App().mSoundPlayer && game.App().mSoundPlayer->IsLooping(soundId);
}

TEST(SceneHudFlowTest, TimedPlayRunningOutShowsTheDimmedDialogAndItsOkLeavesTheScene)
{
    GameHarness game;
    GameFrame* frame = OpenScene(game, "Scene1", true, 40);
    ASSERT_NE(frame, nullptr);
    ASSERT_NE(frame->mClock, nullptr);
    PlayerProfile& player = *game.App().GetCurrentProfile();
    EXPECT_TRUE(frame->mClock->mCountdown->IsRunning());
    ASSERT_TRUE(game.RunUntil([&] { return frame->mClock->mX == 700; }, 100));
    EXPECT_EQ(frame->mClock->mY, -10);
    EXPECT_FALSE(IsLooping(game, SFX_CLOCK_LAST_30SECS));

    // Ten seconds later the last thirty tick.
    game.Clock().advance(10000);
    game.Update(2);
    EXPECT_FALSE(frame->mClock->mLastSecondsArmed);
    EXPECT_EQ(game.States().size(), 2u);

    game.Clock().advance(30000);
    ASSERT_TRUE(game.RunUntil([&] { return game.Top<CustomDialog>() != nullptr; }, 20));
    CustomDialog* dialog = game.Top<CustomDialog>();
    EXPECT_EQ(dialog->mDialogId, GameFrame::DIALOG_ID_TIME_EXCEEDED);
    EXPECT_TRUE(dialog->mDim);
    EXPECT_EQ(game.States().size(), 3u);
    EXPECT_EQ(game.States()[1], frame);
    EXPECT_FALSE(IsLooping(game, SFX_CLOCK_LAST_30SECS));
    // Covered, the countdown stands still.
    EXPECT_FALSE(frame->mClock->mCountdown->IsRunning());
    game.Update(50);
    EXPECT_EQ(game.States().size(), 3u);

    ASSERT_TRUE(game.RunUntil([&] { return !dialog->IsAnimating(); }, 200));
    const MenuItem& ok = *dialog->mFirstButton;
    game.Click(ok.mX + ok.mWidth / 2, ok.mY + ok.mHeight / 2);
    ASSERT_TRUE(game.RunUntil([&] { return game.Top<IntroScreen>() != nullptr; }, 200));
    EXPECT_EQ(game.States().size(), 1u);
    // The record keeps no time left for the next visit to count down from.
    const SceneProgress* record = player.mLevelProgress.FindScene("Scene1");
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->mClock[0], 0);
    EXPECT_EQ(record->mClock[1], 0);
    EXPECT_LE(record->mClock[2], 0);
}

// Two minutes away from the window cost a timed scene nothing: the countdown
// stands where it stood at the loss and the time-out does not come meanwhile.
TEST(SceneHudFlowTest, TheCountdownStandsStillWhileTheWindowIsOutOfFocus)
{
    GameHarness game;
    GameFrame* frame = OpenScene(game, "Scene2", true, 90);
    ASSERT_NE(frame, nullptr);
    Stopwatch& countdown = *frame->mClock->mCountdown;
    ASSERT_TRUE(countdown.IsRunning());

    game.LoseFocus();
    game.Update(3);
    const double leftAtLoss = countdown.GetRemaining().ToMilliseconds();
    game.Clock().advance(120000);
    game.Update(20);
    EXPECT_FALSE(countdown.IsRunning());
    EXPECT_EQ(countdown.GetRemaining().ToMilliseconds(), leftAtLoss);
    EXPECT_EQ(game.Top<GameFrame>(), frame);

    game.RegainFocus();
    game.Update(3);
    EXPECT_TRUE(countdown.IsRunning());
    EXPECT_GT(countdown.GetRemaining().ToMilliseconds(), 80000);
    EXPECT_EQ(game.Top<GameFrame>(), frame);
}

TEST(SceneHudFlowTest, RelaxedPlayHasNoClock)
{
    GameHarness game;
    GameFrame* frame = OpenScene(game, "Scene2", false);
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->mClock, nullptr);
}

TEST(SceneHudFlowTest, TheFourthQuickMisclickSendsThePointerRunningAndItComesBack)
{
    GameHarness game;
    GameFrame* frame = OpenScene(game, "Scene2", false);
    ASSERT_NE(frame, nullptr);
    const std::optional<std::pair<int32_t, int32_t>> decoy = DecoyPoint(*frame);
    ASSERT_TRUE(decoy);
    Quib::Image* const* cursor = &game.App().mCursorSelection.mCursorImages[0];
    // A pause first, so that the count starts from 0.
    game.Update(210);
    for (int misclick = 0; misclick < 4; ++misclick)
    {
        game.Click(decoy->first, decoy->second);
        game.Update(10);
        EXPECT_FALSE(frame->mPlayfield->mMisclicks.IsMouseRunning()) << misclick;
        EXPECT_EQ(*cursor, IMAGE_CUSTOM_POINTER) << misclick;
    }
    game.Click(decoy->first, decoy->second);
    game.Update(2);
    ASSERT_TRUE(frame->mPlayfield->mMisclicks.IsMouseRunning());
    EXPECT_TRUE(game.App().mWidgetManager->HasChild(frame->mPlayfield->mMouse.get()));
    EXPECT_TRUE(frame->mPlayfield->mMouse->IsRunning());
    EXPECT_EQ(*cursor, IMAGE_CUSTOM_POINTER_EMPTY);
    EXPECT_NEAR(frame->mPlayfield->mMouse->mStartX, decoy->first, 1);
    EXPECT_NEAR(frame->mPlayfield->mMouse->mStartY, decoy->second, 1);
    // Misclicks during the run still reach the picture and turn the pointer
    // red, but count nothing.
    game.Click(decoy->first, decoy->second);
    game.Update(2);
    EXPECT_EQ(frame->mPlayfield->mMisclicks.GetCount(), 0);
    EXPECT_EQ(*cursor, IMAGE_CUSTOM_POINTER_RED);
    EXPECT_EQ(game.States().size(), 2u);

    ASSERT_TRUE(game.RunUntil([&] { return !frame->mPlayfield->mMisclicks.IsMouseRunning(); }, 200));
    EXPECT_FALSE(game.App().mWidgetManager->HasChild(frame->mPlayfield->mMouse.get()));
    EXPECT_EQ(*cursor, IMAGE_CUSTOM_POINTER);
    EXPECT_EQ(game.App().mWidgetManager->mLastMouseX, 200);
    EXPECT_EQ(game.App().mWidgetManager->mLastMouseY, 200);
    EXPECT_EQ(game.States().size(), 2u);
    EXPECT_EQ(game.Top<GameFrame>(), frame);
}

TEST(SceneHudFlowTest, HintsAreSpentOnWantedItemsTakenFromThePictureAndKeptInTheProfile)
{
    GameHarness game;
    GameFrame* frame = OpenScene(game, "Scene2", false);
    ASSERT_NE(frame, nullptr);
    PlayerProfile& player = *game.App().GetCurrentProfile();
    HintWidget& counter = *frame->mHintWidget;
    EXPECT_EQ(counter.mCount, PlayerProfile::kNewGameHints);
    const auto clickCounter = [&]
    {
        game.Click(counter.mX + counter.mWidth / 2, counter.mY + counter.mHeight / 2);
        game.Update(5);
    };

    clickCounter();
    EXPECT_EQ(counter.mCount, 5);
    EXPECT_FALSE(counter.mHintRequested);
    EXPECT_EQ(player.GetHints(), 5);
    ASSERT_EQ(frame->mPlayfield->mItemHints.size(), 1u);
    const size_t hinted = frame->mPlayfield->mItemHints.begin()->first;
    EXPECT_TRUE(frame->mPlayfield->mModel.Items()[hinted].mWanted);
    EXPECT_TRUE(frame->mPlayfield->mItemHints.begin()->second.IsPulsing());
    EXPECT_TRUE(frame->mPlayfield->mItemHints.begin()->second.IsSparkling());

    // A hint item in the picture gives the hint back.
    std::optional<std::pair<int32_t, int32_t>> hintItem;
    for (size_t i = 0; i < frame->mPlayfield->mModel.Items().size() && !hintItem; ++i)
        if (frame->mPlayfield->mModel.Items()[i].mKind == SceneItemKind::Hint)
            hintItem = ShownPointOf(frame->mPlayfield->mModel, i, false, 1);
    ASSERT_TRUE(hintItem);
    game.Click(hintItem->first, hintItem->second);
    game.Update(5);
    EXPECT_EQ(counter.mCount, 6);
    EXPECT_EQ(player.GetHints(), 6);

    // Spent down to nothing; with none left a click asks for nothing.
    for (int32_t left = 5; left >= 0; --left)
    {
        clickCounter();
        EXPECT_EQ(counter.mCount, left);
    }
    const size_t highlighted = frame->mPlayfield->mItemHints.size();
    clickCounter();
    EXPECT_EQ(counter.mCount, 0);
    EXPECT_EQ(frame->mPlayfield->mItemHints.size(), highlighted);
    EXPECT_EQ(game.States().size(), 2u);

    // The pulse ends after 360 updates, the sparkle after six seconds.
    game.Update(700);
    for (const auto& [index, hint] : frame->mPlayfield->mItemHints)
    {
        EXPECT_FALSE(hint.IsPulsing());
        EXPECT_FALSE(hint.IsSparkling());
    }
    PopGameState(game.App().mGameStates.get());
    EXPECT_EQ(player.GetHints(), 0);
    EXPECT_EQ(game.States().size(), 1u);
}

// The list's last items found and still on their way: the list is not done
// yet, so a hint asked for then shows no piece and costs nothing.
TEST(SceneHudFlowTest, AHintAskedWhileTheLastItemsFlyCostsNothing)
{
    GameHarness game;
    GameFrame* frame = OpenScene(game, "Scene2", false);
    ASSERT_NE(frame, nullptr);
    const PlayfieldModel& model = frame->mPlayfield->mModel;
    for (size_t i = 0; i < model.Items().size(); ++i)
        if (model.Items()[i].mWanted)
        {
            std::optional<std::pair<int32_t, int32_t>> point = ShownPointOf(model, i, false, 1);
            ASSERT_TRUE(point) << model.Items()[i].mRecord.mName;
            game.Click(point->first, point->second);
            game.Update(2);
        }
    ASSERT_EQ(model.ItemsLeft(), 0);
    ASSERT_GT(frame->mPlayfield->GetCollectingCount(), 0);
    HintWidget& counter = *frame->mHintWidget;
    const int32_t hints = counter.mCount;
    game.Click(counter.mX + counter.mWidth / 2, counter.mY + counter.mHeight / 2);
    game.Update(5);
    EXPECT_FALSE(counter.mHintRequested);
    EXPECT_EQ(counter.mCount, hints);
    EXPECT_TRUE(frame->mPlayfield->mItemHints.empty());
}

// The clock slides in partly past the screen's top right corner; its face
// must show whole there.
TEST(SceneHudFlowTest, TheSlidInClockShowsWholeOnTheScreen)
{
    GameHarness game;
    GameFrame* frame = OpenScene(game, "Scene2", true);
    ASSERT_NE(frame, nullptr);
    const SceneClock& clock = *frame->mClock;
    ASSERT_TRUE(game.RunUntil([&] { return !clock.mSlideInSeq->IsRunning(); }, 100));
    auto* face = dynamic_cast<Quib::MemoryImage*>(IMAGE_GUI_CLOCK);
    ASSERT_NE(face, nullptr);
    const uint32_t* bits = face->GetBits();
    int32_t outside = 0;
    for (int32_t y = 0; y < face->GetHeight(); ++y)
        for (int32_t x = 0; x < face->GetWidth(); ++x)
        {
            const int32_t sx = clock.mX + x, sy = clock.mY + y;
            const bool shown = sx >= 0 && sy >= 0 && sx < 800 && sy < 600;
            outside += !shown && (bits[y * face->GetWidth() + x] >> 24) > 16;
        }
    EXPECT_EQ(outside, 0);
}

// The tray of usable objects lies under the list of names in every scene: its
// top is a full line below the last name's baseline.
TEST(SceneHudFlowTest, EveryScenesTrayLiesBelowTheListOfNames)
{
    GameHarness game;
    GameFrame* frame = OpenScene(game, "Scene2", false);
    ASSERT_NE(frame, nullptr);
    const ItemNameList& list = *frame->mItemList;
    ASSERT_EQ(list.mEntries.size(), 12u);
    const int32_t listBottom = GameFrame::kListY + list.mEntries.back()->mY + FONT_ITEM_LABELS->GetHeight();
    for (int scene = 1; scene <= 31; ++scene)
    {
        const std::string name = "Scene" + std::to_string(scene);
        std::vector<SceneItemRecord> items;
        ASSERT_TRUE(ReadSceneFile("content/scenes/" + name + "/Scene.xml", items)) << name;
        for (const SceneItemRecord& item : items)
        {
            if (SceneItemKindOf(item, kFullListMode) != SceneItemKind::Combined)
                continue;
            EXPECT_GE(int32_t(item.mY), listBottom) << name << " " << item.mName;
        }
    }
}

} // namespace
