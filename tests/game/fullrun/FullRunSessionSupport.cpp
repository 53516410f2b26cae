#include "game/frontend/MainMenu.h"
#include "game/frontend/SceneScreenMakers.h"
#include "game/play/map/MapScreen.h"
#include "game/play/map/ScenePreviewButton.h"
#include "game/shell/CustomDialog.h"
#include "tests/game/fullrun/FullRunSession.h"
#include "tests/game/support/MenuSteps.h"

namespace fullrun
{

namespace
{

// Enough for the menus' slides and fades between a click and the next screen.
constexpr int kMenuUpdates = 2000;

} // namespace

FullRunSession::FullRunSession() = default;

FullRunSession::~FullRunSession()
{
    Stop();
}

bool FullRunSession::Start()
{
    Stop();
    gameharness::HarnessOptions options;
    options.dataFolder = mFolder.path;
    mGame = std::make_unique<gameharness::GameHarness>(options);
    mPlayer = std::make_unique<FullRunPlayer>(*mGame);
    // As the program does: the diary, the tutorials, the pause menu and the
    // final scores open as the real screens.
    RegisterFrontEndSceneScreens();
    MainMenu* menu = gameharness::ReachMainMenu(*mGame, "Tess");
    if (menu == nullptr)
        return false;
    // Drawing and presenting the frames would take nearly all of the run,
    // and nothing the player does depends on a picture being drawn.
    mGame->StopDrawing();
    gameharness::ClickOn(*mGame, *menu->mPlayButton);
    // A game in progress is resumed; the player's only profile needs no other answer.
    const bool started = mGame->RunUntil(
        [&]
        {
            if (auto* question = mGame->Top<CustomDialog>(); question != nullptr &&
                                                             question->mDialogId == MainMenu::DIALOG_RESUME &&
                                                             !question->IsAnimating())
                gameharness::AnswerDialog(*mGame, *question, true);
            return Map() != nullptr;
        },
        kMenuUpdates);
    return started && mPlayer->PlayUntil([&] { return MapAtRest(); }, kMenuUpdates * 10);
}

bool FullRunSession::LeaveToMainMenu()
{
    MapScreen* map = Map();
    if (map == nullptr || !mPlayer->PlayUntil([&] { return MapAtRest(); }, kMenuUpdates))
        return false;
    gameharness::ClickOn(*mGame, *map->mExitButton);
    return mGame->RunUntil([&] { return mGame->Top<MainMenu>() != nullptr; }, kMenuUpdates);
}

bool FullRunSession::CloseWindow()
{
    mGame->RequestClose();
    const bool asked = mGame->RunUntil(
        [&] { return mGame->App().mExitDialog != nullptr && !mGame->App().mExitDialog->IsAnimating(); },
        kMenuUpdates);
    if (!asked)
        return false;
    gameharness::AnswerDialog(*mGame, *mGame->App().mExitDialog, true);
    mGame->RunUntil([] { return false; }, kMenuUpdates);
    return mGame->IsShutDown();
}

void FullRunSession::Stop()
{
    mSolvedBefore = Solved();
    mSkippedBefore = Skipped();
    mPlayer.reset();
    mGame.reset();
}

PlayerProfile& FullRunSession::Profile()
{
    return *mGame->App().GetCurrentProfile();
}

MapScreen* FullRunSession::Map()
{
    for (GameStateInterface* state : mGame->States())
        if (auto* map = dynamic_cast<MapScreen*>(state))
            return map;
    return nullptr;
}

bool FullRunSession::MapAtRest()
{
    MapScreen* map = mGame->Top<MapScreen>();
    if (map == nullptr || map->IsAnimating() || map->mDimIn->IsRunning() || map->mDimOut->IsRunning() ||
        map->mLevelComplete)
        return false;
    for (const auto& button : map->mSceneButtons)
        if (button->IsSliding() || button->mY != ScenePreviewButton::kShownY)
            return false;
    return true;
}

} // namespace fullrun
