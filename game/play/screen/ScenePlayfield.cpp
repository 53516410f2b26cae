#include "game/play/screen/ScenePlayfield.h"

#include "game/minigames/table/SceneMiniGames.h"
#include "game/play/screen/GameFrame.h"
#include "game/play/screen/SandboxWidget.h"
#include "game/shell/SharkInterface.h"
#include "game/shell/StringTable.h"

std::unique_ptr<SandboxWidget> MakeScenePlayfield(const std::string& sceneName, const std::string& levelName,
                                                  int32_t listMode, bool secondVisit)
{
    auto playfield = std::make_unique<SandboxWidget>();
    playfield->SetSceneName(sceneName);
    playfield->SetLevelName(levelName);
    playfield->SetDisplayName(StringTable::GetInstance().Lookup(sceneName + "_NAME"));
    playfield->SetListMode(listMode);
    playfield->mSecondVisit = secondVisit;
    playfield->LoadScene("Scene", sceneName + "\\");
    playfield->LoadMiniGameDone();
    return playfield;
}

std::string SceneLevelName(const std::string& sceneName)
{
    for (const SceneMiniGame& entry : SceneMiniGames())
        if (sceneName == entry.mSceneName)
            return entry.mLevelName;
    return {};
}

GameFrame* MakeSceneFrame(const std::string& sceneName, int32_t listMode, bool timed)
{
    auto* frame = new GameFrame(timed);
    frame->KeepPlayfield(MakeScenePlayfield(sceneName, SceneLevelName(sceneName), listMode, false));
    return frame;
}
