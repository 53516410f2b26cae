// Saves pictures of the game for its README, taken from the game itself on
// the game harness and the generated pack:
//   gamescreenshots FOLDER
// writes FOLDER/title.png (the title over the loading line), FOLDER/scene.png
// (the library with its whole list) and FOLDER/minigame.png (the differences
// of the third room, opened over that room, its help panel closed).

#include "game/frontend/IntroScreen.h"
#include "game/minigames/base/MiniGameHelpScreen.h"
#include "game/minigames/base/MiniGameWidget.h"
#include "game/minigames/gallery/MiniGameFactory.h"
#include "game/play/SceneFile.h"
#include "game/play/screen/GameFrame.h"
#include "game/play/screen/ScenePlayfield.h"
#include "tests/game/support/GameHarness.h"

#include <cstdio>
#include <string>

namespace
{

bool Shot(gameharness::GameHarness& game, const std::string& file)
{
    if (game.SaveScreen(file))
        return true;
    std::fprintf(stderr, "gamescreenshots: could not write %s\n", file.c_str());
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::fprintf(stderr, "usage: gamescreenshots FOLDER\n");
        return 2;
    }
    const std::string folder = std::string(argv[1]) + "/";
    gameharness::GameHarness game;
    game.Boot();
    game.RegainFocus();
    // The loading thread waits, so the title shows the start of its loading line.
    game.Update(120);
    if (!Shot(game, folder + "title.png"))
        return 1;

    game.FinishLoading();
    if (!game.RunUntil([&] { return game.Top<IntroScreen>() != nullptr; }, 2000))
    {
        std::fprintf(stderr, "gamescreenshots: the game did not start\n");
        return 1;
    }
    GameStateStack* stack = game.App().mGameStates.get();
    ClearGameStates(stack);
    PushGameState(MakeSceneFrame("Scene5", kFullListMode), stack);
    game.RegainFocus();
    game.Update(100);
    if (!Shot(game, folder + "scene.png"))
        return 1;

    // The differences of the third room, opened over that room as its scene opens it.
    ClearGameStates(stack);
    PushGameState(MakeSceneFrame("Scene3", kFullListMode), stack);
    game.Update(20);
    CreateMiniGameByIndex(2, stack);
    game.Update(100);
    if (game.Top<MiniGameHelpScreen>() != nullptr)
    {
        game.Click(10, 10);
        game.Update(100);
    }
    if (game.Top<MiniGameWidget>() == nullptr)
    {
        std::fprintf(stderr, "gamescreenshots: the puzzle did not open\n");
        return 1;
    }
    return Shot(game, folder + "minigame.png") ? 0 : 1;
}
