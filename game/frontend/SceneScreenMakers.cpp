#include "game/frontend/SceneScreenMakers.h"

#include "game/frontend/PauseMenu.h"
#include "game/frontend/ScoresScreen.h"
#include "game/play/diary/SceneDiary.h"
#include "game/play/screen/SceneScreenLinks.h"
#include "game/play/tutorial/Tutorial.h"

void RegisterFrontEndSceneScreens()
{
    SceneScreenMakers& makers = SceneScreens();
    makers.mPauseMenu = []() -> ScreenBase* { return new PauseMenu(); };
    makers.mFinalScores = []() -> ScreenBase* { return new ScoresScreen(true); };
    makers.mDiary = [](GameFrame& frame, bool firstOpening) { return MakeSceneDiary(frame, firstOpening); };
    makers.mTutorial = [](int xOffset, const std::string& key) -> ScreenBase*
    { return new Tutorial(xOffset, key); };
}
