// Shows one story or letter of the pack on the game harness for a person:
//   storyviewer NAME [--letter] [--envelope] [--over SceneN] [--shot FILE] [--ms N] [--ok]
// NAME is a story script's name, or with --letter the string key of a letter.
// --over shows the scene's picture under it, as from a scene visit. Run it
// under a display (for example xvfb-run); the story runs at its own pace until
// the window is closed. With --shot it saves the game's screen image after N
// milliseconds of game time (default 3000) and ends; --ok clicks every OK the
// story asks for on the way.

#include "game/frontend/IntroScreen.h"
#include "game/play/SceneFile.h"
#include "game/play/screen/GameFrame.h"
#include "game/play/screen/ScenePlayfield.h"
#include "game/play/story/StoryDialog.h"
#include "game/play/story/StoryEnvelope.h"
#include "game/shell/GameStateStack.h"
#include "game/shell/MenuItem.h"
#include "tests/game/support/GameHarness.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

int main(int argc, char** argv)
{
    std::string name = "Cutscene0_1", shot, scene;
    bool letter = false, envelope = false, clickOk = false;
    int milliseconds = 3000;
    for (int i = 1; i < argc; ++i)
    {
        const std::string argument = argv[i];
        if (argument == "--shot" && i + 1 < argc)
            shot = argv[++i];
        else if (argument == "--ms" && i + 1 < argc)
            milliseconds = std::atoi(argv[++i]);
        else if (argument == "--over" && i + 1 < argc)
            scene = argv[++i];
        else if (argument == "--letter")
            letter = true;
        else if (argument == "--envelope")
            envelope = true;
        else if (argument == "--ok")
            clickOk = true;
        else
            name = argument;
    }
    gameharness::GameHarness game;
    game.Boot();
    game.FinishLoading();
    if (!game.RunUntil([&] { return game.Top<IntroScreen>() != nullptr; }, 2000))
    {
        std::fprintf(stderr, "storyviewer: the game did not start\n");
        return 1;
    }
    GameStateStack* stack = game.App().mGameStates.get();
    // The scene stays drawn under the story, as the picture a person sees behind it.
    if (!scene.empty())
        PushGameState(MakeSceneFrame(scene, kFullListMode), stack);
    Quib::Widget* screen = letter ? static_cast<Quib::Widget*>(new StoryEnvelope(name))
                                  : static_cast<Quib::Widget*>(new StoryDialog(name, envelope));
    screen->Resize(0, 0, 800, 600);
    PushGameState(dynamic_cast<GameStateInterface*>(screen), stack);
    game.RegainFocus();
    if (!shot.empty())
    {
        for (int elapsed = 0; elapsed < milliseconds; elapsed += 10)
        {
            auto* story = game.Top<StoryDialog>();
            if (clickOk && story != nullptr && story->IsWaitingForOk())
            {
                const MenuItem& ok = *story->mOkButton;
                game.Click(ok.mX + ok.mWidth / 2, ok.mY + ok.mHeight / 2);
            }
            game.Update();
        }
        return game.SaveScreen(shot) ? 0 : 1;
    }
    // Each update is 10 ms of the game's time; the viewer lets as much real time pass.
    while (game.Update())
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return 0;
}
