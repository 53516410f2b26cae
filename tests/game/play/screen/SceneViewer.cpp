// Opens one scene of the pack on the game harness for a person to play:
//   sceneviewer Scene7 [0|1] [--shot FILE]
// List mode 0 is the ten-items visit, 1 the full list. Run it under a display
// (for example xvfb-run); the game runs at its own pace until the window is
// closed. With --shot it saves the game's screen image after a second of the
// scene and ends.

#include "game/frontend/IntroScreen.h"
#include "game/frontend/SceneScreenMakers.h"
#include "game/play/SceneFile.h"
#include "game/play/screen/GameFrame.h"
#include "game/play/screen/ScenePlayfield.h"
#include "tests/game/support/GameHarness.h"

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

int main(int argc, char** argv)
{
    std::string scene = "Scene1", shot;
    int32_t listMode = kFullListMode;
    for (int i = 1; i < argc; ++i)
    {
        const std::string argument = argv[i];
        if (argument == "--shot" && i + 1 < argc)
            shot = argv[++i];
        else if (argument == "0" || argument == "1")
            listMode = argument == "0" ? kTenItemsListMode : kFullListMode;
        else
            scene = argument;
    }
    RegisterFrontEndSceneScreens();
    gameharness::GameHarness game;
    game.Boot();
    game.FinishLoading();
    if (!game.RunUntil([&] { return game.Top<IntroScreen>() != nullptr; }, 2000))
    {
        std::fprintf(stderr, "sceneviewer: the game did not start\n");
        return 1;
    }
    PushGameState(MakeSceneFrame(scene, listMode), game.App().mGameStates.get());
    game.RegainFocus();
    if (!shot.empty())
    {
        game.Update(100);
        return game.SaveScreen(shot) ? 0 : 1;
    }
    // Each update is 10 ms of the game's time; the viewer lets as much real time pass.
    while (game.Update())
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return 0;
}
