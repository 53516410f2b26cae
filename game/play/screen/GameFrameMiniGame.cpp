#include "game/minigames/base/MiniGameWidget.h"
#include "game/minigames/gallery/MiniGameFactory.h"
#include "game/play/screen/GameFrame.h"
#include "game/play/screen/SandboxWidget.h"
#include "game/play/screen/SceneScreenLinks.h"
#include "game/shell/GameStateStack.h"
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
    OpenMiniGameOver(SceneScreens().mBomb ? SceneScreens().mBomb() : nullptr, false);
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
