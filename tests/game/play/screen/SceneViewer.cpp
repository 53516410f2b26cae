// Opens one scene of the pack on the game harness for a person to play:
//   sceneviewer Scene7 [0|1] [--timed] [--pieces] [--shot FILE] [--where]
// List mode 0 is the ten-items visit, 1 the full list. Run it under a display
// (for example xvfb-run); the game runs at its own pace until the window is
// closed. With --shot it saves the game's screen image after a second of the
// scene and ends. --where writes, for checking a scene by hand, a point of the
// 800 x 600 screen where a click reaches each listed item, each piece of the
// usable object, the usable object once made, and its place. --timed opens it
// with the clock of timed play; --pieces takes the usable object's pieces
// first, so that the object lies in the tray.

#include "game/frontend/IntroScreen.h"
#include "game/frontend/SceneScreenMakers.h"
#include "game/play/SceneFile.h"
#include "game/play/ShownPoint.h"
#include "game/play/screen/GameFrame.h"
#include "game/play/screen/SandboxWidget.h"
#include "game/play/screen/ScenePlayfield.h"
#include "tests/game/support/GameHarness.h"

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

namespace
{

void WriteWhere(const PlayfieldModel& model)
{
    const std::vector<PlayfieldItem>& items = model.Items();
    for (size_t i = 0; i < items.size(); ++i)
    {
        const PlayfieldItem& item = items[i];
        const char* what = item.mWanted                            ? "listed"
                           : item.mKind == SceneItemKind::Piece    ? "piece"
                           : item.mKind == SceneItemKind::Location ? "place"
                                                                   : nullptr;
        if (item.mKind == SceneItemKind::Combined)
            std::printf("object %s %d %d\n", item.mRecord.mName.c_str(), item.mX + item.mWidth / 2,
                        item.mY + item.mHeight / 2);
        if (what == nullptr || item.mRemoved)
            continue;
        if (auto point = ShownPointOf(model, i, item.mKind == SceneItemKind::Location, 1))
            std::printf("%s %s %d %d\n", what, item.mRecord.mName.c_str(), point->first, point->second);
    }
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    std::string scene = "Scene1", shot;
    int32_t listMode = kFullListMode;
    bool where = false, timed = false, pieces = false;
    for (int i = 1; i < argc; ++i)
    {
        const std::string argument = argv[i];
        if (argument == "--shot" && i + 1 < argc)
            shot = argv[++i];
        else if (argument == "--where")
            where = true;
        else if (argument == "--timed")
            timed = true;
        else if (argument == "--pieces")
            pieces = true;
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
    GameFrame* frame = MakeSceneFrame(scene, listMode, timed);
    PushGameState(frame, game.App().mGameStates.get());
    if (where)
        WriteWhere(frame->mPlayfield->mModel);
    game.RegainFocus();
    if (pieces)
    {
        game.RunUntil([&] { return !frame->IsAnimating(); }, 300);
        const PlayfieldModel& model = frame->mPlayfield->mModel;
        for (size_t i = 0; i < model.Items().size(); ++i)
            if (model.Items()[i].mKind == SceneItemKind::Piece && !model.Items()[i].mRemoved)
                if (auto point = ShownPointOf(model, i, false, 1))
                {
                    game.Click(point->first, point->second);
                    game.Update(2);
                }
        game.Update(100);
    }
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
