#include "game/minigames/base/MiniGameWidget.h"
#include "game/minigames/gallery/MiniGameFactory.h"
#include "game/play/screen/GameFrame.h"
#include "game/play/screen/SandboxWidget.h"
#include "game/play/screen/SceneScreenLinks.h"
#include "game/shell/GameStateStack.h"
#include "game/shell/MenuItem.h"
#include "game/shell/Resources.h"
#include "game/shell/SharkInterface.h"

void GameFrame::CreateMiniGame()
{
    const SceneMiniGame* entry =
        mPlayfield != nullptr ? FindSceneMiniGame(mPlayfield->GetLevelName(), mPlayfield->GetSceneName())
                              : nullptr;
    OpenMiniGameOver(entry != nullptr ? ::CreateMiniGame(*entry) : nullptr, true);
}

void GameFrame::OpenBomb()
{
    MiniGameWidget* bomb = SceneScreens().mBomb ? SceneScreens().mBomb() : nullptr;
    if (bomb != nullptr)
        SetHudVisible(false);
    OpenMiniGameOver(bomb, false);
}

void GameFrame::SetHudVisible(bool visible)
{
    if (visible != mHudHidden)
        return;
    mHudHidden = !visible;
    MenuItem& diary = *mSideButtons[2];
    if (!visible)
        mDiaryButtonWasVisible = diary.mVisible;
    diary.SetVisible(visible && mDiaryButtonWasVisible);
    mSideButtons[0]->SetVisible(visible);
    mSideButtons[1]->SetVisible(visible);
    mHintWidget->SetVisible(visible);
    if (mClock)
        mClock->SetVisible(visible);
}

void GameFrame::OpenMiniGameOver(MiniGameWidget* game, bool skipAllowed)
{
    if (game == nullptr)
    {
        // A scene without a game of its own in this build would hold its
        // usable object for ever: the game counts as done, as if skipped
        // without a penalty, so the scene can end.
        if (mPlayfield != nullptr && skipAllowed)
        {
            mPlayfield->SetMiniGameDone(true);
            mPlayfield->DiscardHeldActionItem();
            if (mPlayfield->GetItemsLeft() == 0)
                StartSceneEndDelay();
        }
        OnCovered(mStack);
        OnUncovered(mStack);
        return;
    }
    if (gSharkInterface != nullptr)
        gSharkInterface->PlaySoundEffect(SFX_START_MINI_GAME);
    game->mOwnerPlayfield = mPlayfield;
    game->mSkipAllowed = skipAllowed;
    PushGameState(game, mStack);
}
