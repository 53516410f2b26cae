#include "framework/widgets/WidgetManager.h"
#include "game/minigames/base/MiniGameHelpScreen.h"
#include "game/minigames/base/MiniGameWidget.h"
#include "game/minigames/bomb/BombMiniGame.h"
#include "game/minigames/bomb/BombPieces.h"
#include "game/minigames/jigsaw/MiniGamePuzzle.h"
#include "game/play/ShownPoint.h"
#include "game/play/diary/DiaryWidget.h"
#include "game/play/map/MapScreen.h"
#include "game/play/map/ScenePreviewButton.h"
#include "game/play/screen/ActionItem.h"
#include "game/play/screen/GameFrame.h"
#include "game/play/screen/SandboxWidget.h"
#include "game/play/story/StoryDialog.h"
#include "game/play/story/StoryEnvelope.h"
#include "game/play/tutorial/Tutorial.h"
#include "game/shell/AnimatedWidget.h"
#include "game/shell/CustomDialog.h"
#include "tests/game/fullrun/FullRunPlayer.h"
#include "tests/game/minigames/flows/ScriptedPlayersSupport.h"
#include "tests/game/support/MenuSteps.h"

#include <typeinfo>

namespace fullrun
{

namespace
{

// The first point at which a click reaches the item, as the playfield shows it.
std::optional<std::pair<int32_t, int32_t>> PointOf(const SandboxWidget& playfield, size_t index, bool place)
{
    return ShownPointOf(playfield.mModel, index, place, 1);
}

} // namespace

void FullRunPlayer::Wait()
{
    mGame.Update();
    ++mUpdatesSinceAction;
}

void FullRunPlayer::ClickAt(int x, int y)
{
    mUpdatesSinceAction = 0;
    mGame.Click(x, y);
    mGame.Update(2);
}

void FullRunPlayer::PointAt(int x, int y)
{
    // Straight to the widgets, as the window's scaling could move the point by a pixel.
    mGame.App().mWidgetManager->mLastMouseX = x;
    mGame.App().mWidgetManager->mLastMouseY = y;
}

void FullRunPlayer::ClickOn(const Quib::Widget& widget)
{
    ClickAt(widget.mX + widget.mWidth / 2, widget.mY + widget.mHeight / 2);
}

bool FullRunPlayer::PlayUntil(const std::function<bool()>& done, int maxUpdates)
{
    const int start = mGame.App().mMainLoop.mUpdateStepsRun;
    while (!done())
    {
        if (mGame.IsShutDown() || mGame.App().mMainLoop.mUpdateStepsRun - start >= maxUpdates ||
            mUpdatesSinceAction >= kStallUpdates)
            return false;
        Step();
    }
    return true;
}

std::string FullRunPlayer::Describe() const
{
    const GameStateInterface* top = mGame.States().empty() ? nullptr : mGame.States().back();
    std::string text = std::string("on top: ") + (top != nullptr ? typeid(*top).name() : "nothing");
    if (auto* frame = dynamic_cast<const GameFrame*>(top); frame != nullptr && frame->mPlayfield != nullptr)
    {
        const SandboxWidget& playfield = *frame->mPlayfield;
        text += " (" + playfield.GetSceneName() + ", list mode " + std::to_string(playfield.mListMode) +
                ", items left " + std::to_string(playfield.mModel.ItemsLeft()) + ", pieces left " +
                std::to_string(playfield.mModel.PiecesLeft()) + ", usable object " +
                (playfield.GetHeldItem() != nullptr ? "held" : "none") + ", mini-game " +
                (playfield.IsMiniGameDone() ? "done" : "open") + ", exit mode " +
                std::to_string(frame->mExitMode) + ")";
    }
    return text + ", last action: " + mLastAction + ", " + std::to_string(mUpdatesSinceAction) +
           " updates ago";
}

void FullRunPlayer::Step()
{
    if (mGame.States().empty())
        return Wait();
    GameStateInterface* top = mGame.States().back();
    if (auto* map = dynamic_cast<MapScreen*>(top))
        return OnMap(*map);
    if (auto* frame = dynamic_cast<GameFrame*>(top))
        return OnScene(*frame);
    if (auto* bomb = dynamic_cast<BombMiniGame*>(top))
        return OnBomb(*bomb);
    if (auto* game = dynamic_cast<MiniGameWidget*>(top))
        return OnMiniGame(*game);
    if (auto* help = dynamic_cast<MiniGameHelpScreen*>(top))
    {
        if (help->mSlideIn->IsRunning() || help->mSlideOut->IsRunning())
            return Wait();
        mLastAction = "help panel clicked away";
        return ClickAt(400, 300);
    }
    if (auto* dialog = dynamic_cast<CustomDialog*>(top))
    {
        if (dialog->IsAnimating() || !gameharness::IsInWidgetTree(mGame, dialog->mFirstButton.get()))
            return Wait();
        mLastAction = "dialog " + std::to_string(dialog->mDialogId) + " answered with its first button";
        return ClickOn(*dialog->mFirstButton);
    }
    if (auto* story = dynamic_cast<StoryDialog*>(top))
    {
        if (!story->IsWaitingForOk() || !gameharness::IsInWidgetTree(mGame, story->mOkButton.get()))
            return Wait();
        mLastAction = "OK in story " + story->mScriptName;
        return ClickOn(*story->mOkButton);
    }
    if (auto* letter = dynamic_cast<StoryEnvelope*>(top))
    {
        if (letter->IsAnimating() || !gameharness::IsInWidgetTree(mGame, letter->mOkButton.get()))
            return Wait();
        mLastAction = "OK under a letter";
        return ClickOn(*letter->mOkButton);
    }
    if (auto* tutorial = dynamic_cast<Tutorial*>(top))
    {
        if (tutorial->mOpenSeq->IsRunning() || !tutorial->mCloseButton->mVisible)
            return Wait();
        mLastAction = "tutorial " + tutorial->mKey + " closed";
        return ClickOn(*tutorial->mCloseButton);
    }
    if (auto* diary = dynamic_cast<DiaryWidget*>(top))
    {
        if (diary->IsAnimating() || !diary->mCloseButton->mVisible)
            return Wait();
        mLastAction = "diary closed";
        return ClickOn(*diary->mCloseButton);
    }
    Wait();
}

void FullRunPlayer::OnMap(MapScreen& map)
{
    if (map.IsAnimating() || map.mDimIn->IsRunning() || map.mDimOut->IsRunning() || map.mLevelComplete)
        return Wait();
    for (const auto& button : map.mSceneButtons)
        if (button->IsSliding())
            return Wait();
    for (const auto& button : map.mSceneButtons)
        if (!button->mLocked && !button->mCompleted)
        {
            mLastAction = "map: opened " + button->mSceneName + " of level " + std::to_string(map.mLevel);
            return ClickOn(*button);
        }
    Wait();
}

void FullRunPlayer::OnScene(GameFrame& frame)
{
    SandboxWidget* playfield = frame.mPlayfield;
    if (playfield == nullptr || frame.IsAnimating() || playfield->GetCollectingCount() > 0)
        return Wait();
    const std::vector<PlayfieldItem>& items = playfield->mModel.Items();
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i].mWanted && !items[i].mRemoved && items[i].mVisible && items[i].mClickable)
            if (auto point = PointOf(*playfield, i, false))
            {
                mLastAction = playfield->GetSceneName() + ": found " + items[i].mRecord.mName;
                return ClickAt(point->first, point->second);
            }
    if (playfield->mListMode != kFullListMode || playfield->IsMiniGameDone())
        return Wait();
    if (ActionItem* held = playfield->GetHeldItem())
    {
        if (!held->mVisible || held->mCreatedEffect->mState == AnimatedWidget::STATE_PLAYING)
            return Wait();
        if (!playfield->mModel.IsHeldSelected())
        {
            mLastAction = playfield->GetSceneName() + ": picked up the usable object";
            return ClickOn(*held);
        }
        for (size_t i = 0; i < items.size(); ++i)
            if (items[i].mKind == SceneItemKind::Location)
                if (auto point = PointOf(*playfield, i, true))
                {
                    mLastAction =
                        playfield->GetSceneName() + ": used the object on " + items[i].mRecord.mName;
                    return ClickAt(point->first, point->second);
                }
        return Wait();
    }
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i].mKind == SceneItemKind::Piece && !items[i].mRemoved && items[i].mVisible &&
            items[i].mClickable)
            if (auto point = PointOf(*playfield, i, false))
            {
                mLastAction = playfield->GetSceneName() + ": collected the piece " + items[i].mRecord.mName;
                return ClickAt(point->first, point->second);
            }
    Wait();
}

void FullRunPlayer::OnMiniGame(MiniGameWidget& game)
{
    if (auto* jigsaw = dynamic_cast<MiniGamePuzzle*>(&game); jigsaw != nullptr && jigsaw->mOkShown)
    {
        mLastAction = "OK under the laid-out jigsaw";
        return ClickOn(*jigsaw->mOkButton);
    }
    if (game.IsDimming() || !game.AcceptsInput())
        return Wait();
    if (minigametest::HasScriptedPlayer(&game))
    {
        mLastAction = std::string("playing ") + typeid(game).name();
        const minigametest::PlayHost host{[&](int updates) { mGame.Update(updates); },
                                          [&](int x, int y) { PointAt(x, y); },
                                          [&](int x, int y) { ClickAt(x, y); }, [](const std::string&) {}};
        minigametest::PlayToSolve(host, &game);
        if (game.mSolved)
        {
            mLastAction = std::string("solved ") + typeid(game).name();
            ++mSolved;
            return;
        }
    }
    Skip(game);
}

void FullRunPlayer::Skip(MiniGameWidget& game)
{
    // Skip opens only once the game has been played for a while.
    const int32_t owed = game.mSkipDelaySeconds * 1000 - game.mStopwatch.GetElapsedMs();
    if (owed > 0)
    {
        mGame.Clock().advance(uint32_t(owed) + 1000);
        mGame.Update(2);
    }
    mLastAction = std::string("skipped ") + typeid(game).name();
    ++mSkipped;
    ClickOn(*game.mSkipButton);
}

void FullRunPlayer::OnBomb(BombMiniGame& bomb)
{
    if (bomb.IsDimming() || !bomb.AcceptsInput() || bomb.IsBusy())
        return Wait();
    mLastAction = "defused the bomb";
    mUpdatesSinceAction = 0;
    // The pliers cut every wire, then the screwdriver undoes the screw.
    bomb.mPliers->OnMouseButtonDown(20, 20, 0, 1);
    for (BombWire* wire : {bomb.mWire1.get(), bomb.mWire2.get(), bomb.mWire3.get(), bomb.mWire4.get()})
        wire->OnMouseButtonDown(wire->mWidth / 2, wire->mHeight / 2, 0, 1);
    // The first click puts the pliers back, the second takes the screwdriver.
    bomb.mScrewdriver->OnMouseButtonDown(10, 10, 0, 1);
    bomb.mScrewdriver->OnMouseButtonDown(10, 10, 0, 1);
    bomb.mScrew->OnMouseButtonDown(10, 10, 0, 1);
    mBombDefused = bomb.mSolved;
    mGame.Update();
}

} // namespace fullrun
