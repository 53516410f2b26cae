#include "game/frontend/SceneScreenMakers.h"

#include "game/frontend/PauseMenu.h"
#include "game/frontend/ScoresScreen.h"
#include "game/play/screen/SceneScreenLinks.h"

void RegisterFrontEndSceneScreens()
{
    SceneScreenMakers& makers = SceneScreens();
    makers.mPauseMenu = []() -> ScreenBase* { return new PauseMenu(); };
    makers.mFinalScores = []() -> ScreenBase* { return new ScoresScreen(true); };
}
