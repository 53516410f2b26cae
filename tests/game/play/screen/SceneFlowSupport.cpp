#include "tests/game/play/screen/SceneFlowSupport.h"

#include "framework/widgets/WidgetManager.h"
#include "game/frontend/IntroScreen.h"
#include "game/minigames/base/MiniGameHelpScreen.h"
#include "game/minigames/base/MiniGameWidget.h"
#include "game/minigames/jigsaw/MiniGamePuzzle.h"
#include "game/play/ShownPoint.h"
#include "game/play/screen/ActionItem.h"
#include "game/play/screen/ScenePlayfield.h"
#include "game/shell/GameStateStack.h"
#include "game/shell/MenuItem.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>

namespace scenetest
{

StandIns::StandIns() : mRegistered(SceneScreens())
{
    SceneScreenMakers& makers = SceneScreens();
    const auto make = [this](std::string what) -> ScreenBase*
    {
        mOpened.push_back(what);
        return new StandInScreen(std::move(what));
    };
    makers.mStory = [make](const std::string& story, bool envelope)
    { return make((envelope ? "story+envelope:" : "story:") + story); };
    makers.mLetter = [make](const std::string& key) { return make("letter:" + key); };
    makers.mDiary = [make](GameFrame&, bool first) { return make(first ? "diary:first" : "diary"); };
    makers.mTutorial = [make](int, const std::string& key) { return make("tutorial:" + key); };
    makers.mPauseMenu = [make] { return make("pause"); };
    makers.mFinalScores = [make] { return make("scores"); };
    makers.mBomb = [this]() -> MiniGameWidget*
    {
        mOpened.push_back("bomb");
        return nullptr;
    };
}

StandIns::~StandIns()
{
    SceneScreens() = mRegistered;
}

void BootGame(gameharness::GameHarness& game, bool withProfile)
{
    game.Boot();
    game.FinishLoading();
    ASSERT_TRUE(game.RunUntil([&] { return game.Top<IntroScreen>() != nullptr; }, 1000));
    if (!withProfile)
        return;
    auto profile = std::make_unique<PlayerProfile>();
    profile->mName = "Tess";
    profile->PrepareCurrentLevel(game.App().GetLevelPreparationSource());
    game.App().AddProfile(std::move(profile));
}

PlayerProfile& Profile(gameharness::GameHarness& game)
{
    return *game.App().GetCurrentProfile();
}

SceneProgress& Record(gameharness::GameHarness& game, const std::string& scene)
{
    SceneProgress* record = Profile(game).mLevelProgress.FindScene(scene);
    EXPECT_NE(record, nullptr) << scene;
    static SceneProgress none;
    return record != nullptr ? *record : none;
}

SceneVisit::SceneVisit(gameharness::GameHarness& game, const std::string& scene, int32_t listMode,
                       bool secondVisit)
    : mGame(game), mPlayfield(MakeScenePlayfield(scene, SceneLevelName(scene), listMode, secondVisit))
{
    Reopen();
}

GameFrame* SceneVisit::Reopen()
{
    mFrame = new GameFrame(false);
    mFrame->LinkPlayfield(mPlayfield.get());
    mFrame->mMapScreen = &mMap;
    PushGameState(mFrame, mGame.App().mGameStates.get());
    mGame.Update();
    return mFrame;
}

SceneVisit::~SceneVisit()
{
    // Whatever is still open goes before the playfield it shows.
    GameStateStack* stack = mGame.App().mGameStates.get();
    while (stack != nullptr && stack->States().size() > 1)
        PopGameState(stack);
    mGame.App().mMainLoop.FlushDeferredDeletes();
}

bool SettleFrame(gameharness::GameHarness& game, GameFrame& frame)
{
    return game.RunUntil([&] { return !frame.IsAnimating(); }, 300);
}

namespace
{

// Clicks each item that `take` picks where it shows; each must leave the picture.
void TakeItems(gameharness::GameHarness& game, SandboxWidget& playfield,
               const std::function<bool(const PlayfieldItem&)>& take)
{
    const std::vector<PlayfieldItem>& items = playfield.mModel.Items();
    for (size_t i = 0; i < items.size(); ++i)
    {
        if (!take(items[i]))
            continue;
        std::optional<std::pair<int32_t, int32_t>> point = ShownPointOf(playfield.mModel, i, false, 1);
        ASSERT_TRUE(point) << items[i].mRecord.mName;
        game.Click(point->first, point->second);
        game.Update(2);
        EXPECT_TRUE(items[i].mRemoved) << items[i].mRecord.mName;
    }
}

} // namespace

void FindEveryListedItem(gameharness::GameHarness& game, SandboxWidget& playfield)
{
    TakeItems(game, playfield, [](const PlayfieldItem& item) { return item.mWanted; });
    game.RunUntil([&] { return playfield.GetCollectingCount() == 0; }, 300);
}

void CollectEveryPiece(gameharness::GameHarness& game, SandboxWidget& playfield)
{
    TakeItems(game, playfield,
              [](const PlayfieldItem& item)
              { return item.mKind == SceneItemKind::Piece && !item.mRemoved && item.mClickable; });
    game.RunUntil([&] { return playfield.GetHeldItem() != nullptr; }, 300);
}

void UseTheUsableObject(gameharness::GameHarness& game, SandboxWidget& playfield)
{
    ActionItem* held = playfield.GetHeldItem();
    ASSERT_NE(held, nullptr);
    // Clicks wait for the burst of its making.
    game.RunUntil([&] { return held->mCreatedEffect->mState != AnimatedWidget::STATE_PLAYING; }, 300);
    game.Click(held->mX + held->mWidth / 2, held->mY + held->mHeight / 2);
    game.Update(2);
    ASSERT_TRUE(playfield.mModel.IsHeldSelected());
    const std::vector<PlayfieldItem>& items = playfield.mModel.Items();
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i].mKind == SceneItemKind::Location)
        {
            std::optional<std::pair<int32_t, int32_t>> point = ShownPointOf(playfield.mModel, i, true, 1);
            ASSERT_TRUE(point) << items[i].mRecord.mName;
            game.MoveMouse(point->first, point->second);
            game.Click(point->first, point->second);
            game.Update(2);
            return;
        }
    FAIL() << "no place for the usable object";
}

void SkipTheMiniGame(gameharness::GameHarness& game, SandboxWidget& playfield)
{
    UseTheUsableObject(game, playfield);
    MiniGameWidget* miniGame = AwaitTop<MiniGameWidget>(game);
    ASSERT_NE(miniGame, nullptr);
    EXPECT_EQ(miniGame->mOwnerPlayfield, &playfield);
    EXPECT_TRUE(miniGame->mSkipAllowed);
    EXPECT_EQ(game.App().mMiniGame, miniGame);
    // The usable object waits out of sight under the game.
    ASSERT_NE(playfield.GetHeldItem(), nullptr);
    EXPECT_FALSE(playfield.GetHeldItem()->mVisible);
    MiniGameHelpScreen* help = AwaitTop<MiniGameHelpScreen>(game);
    ASSERT_NE(help, nullptr);
    game.Update(30);
    game.Click(400, 300);
    ASSERT_TRUE(game.RunUntil([&] { return game.Top<MiniGameWidget>() == miniGame; }, 100));
    const double playTime = Profile(game).mPlayTime.ToMilliseconds();
    game.Clock().advance(41000);
    game.Update(2);
    const MenuItem& skip = *miniGame->mSkipButton;
    game.Click(skip.mX + skip.mWidth / 2, skip.mY + skip.mHeight / 2);
    CustomDialog* question = AwaitTop<CustomDialog>(game);
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(question->mDialogId, MiniGameWidget::DIALOG_ID_MINI_GAME_SKIP);
    CloseDialog(game, *question);
    EXPECT_TRUE(playfield.IsMiniGameDone());
    EXPECT_EQ(playfield.GetHeldItem(), nullptr);
    EXPECT_GE(Profile(game).mPlayTime.ToMilliseconds() - playTime, 10 * 60 * 1000.0);
    // The jigsaw lays out its picture whole and waits for its own OK.
    if (auto* jigsaw = dynamic_cast<MiniGamePuzzle*>(miniGame))
    {
        ASSERT_TRUE(game.RunUntil([&] { return jigsaw->mOkShown; }, 300));
        const MenuItem& ok = *jigsaw->mOkButton;
        game.Click(ok.mX + ok.mWidth / 2, ok.mY + ok.mHeight / 2);
    }
    ASSERT_TRUE(game.RunUntil([&] { return game.App().mMiniGame == nullptr; }, 200));
}

void CloseDialog(gameharness::GameHarness& game, CustomDialog& dialog)
{
    ASSERT_TRUE(game.RunUntil([&] { return !dialog.IsAnimating(); }, 200));
    const MenuItem& ok = *dialog.mFirstButton;
    game.Click(ok.mX + ok.mWidth / 2, ok.mY + ok.mHeight / 2);
    // It slides away before its answer is given.
    const std::vector<GameStateInterface*>& states = game.States();
    ASSERT_TRUE(
        game.RunUntil([&] { return std::find(states.begin(), states.end(), &dialog) == states.end(); }, 200));
}

void CloseStandIn(gameharness::GameHarness& game, const std::string& what)
{
    auto* top = AwaitTop<StandInScreen>(game);
    ASSERT_NE(top, nullptr) << "waiting for " << what;
    EXPECT_EQ(top->mWhat, what);
    PopGameState(game.App().mGameStates.get());
    game.Update();
}

} // namespace scenetest
