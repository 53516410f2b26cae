#pragma once

// Scenes opened on the game harness as the level map opens them, with
// recording stand-ins for the screens other parts of the game build (stories,
// letters, diary, tutorials, pause menu, final scores, bomb) and for the map.

#include "game/play/screen/GameFrame.h"
#include "game/play/screen/SandboxWidget.h"
#include "game/play/screen/SceneScreenLinks.h"
#include "game/shell/CustomDialog.h"
#include "game/shell/ScreenBase.h"
#include "tests/game/support/GameHarness.h"

#include <memory>
#include <string>
#include <vector>

namespace scenetest
{

// A screen that only says what it stands for; the test pops it.
class StandInScreen : public ScreenBase
{
public:
    explicit StandInScreen(std::string what) : mWhat(std::move(what)) {}
    std::string mWhat;
};

// The map's side of the scene screen, recorded.
class RecordingMap : public SceneMapLink
{
public:
    void UnlockOtherScenes() override { ++mUnlocks; }
    void SetReopenWithFullList(bool reopen) override { mReopenWithFullList = reopen; }
    void SetResetAfterTimeOut(bool reset) override { mResetAfterTimeOut = reset; }
    int mUnlocks = 0;
    bool mReopenWithFullList = false;
    bool mResetAfterTimeOut = false;
};

// Installs stand-ins for every screen the scene screen opens and records, in
// order, what was opened: "story:NAME", "story+envelope:NAME", "letter:KEY",
// "diary", "diary:first", "tutorial:KEY", "pause", "scores", "bomb".
class StandIns
{
public:
    StandIns();
    ~StandIns();
    std::vector<std::string> mOpened;

private:
    SceneScreenMakers mRegistered;
};

// The game booted with its resources loaded, the intro on the stack, and
// (unless told otherwise) a new player on level 1 whose level is prepared.
void BootGame(gameharness::GameHarness& game, bool withProfile = true);
PlayerProfile& Profile(gameharness::GameHarness& game);
SceneProgress& Record(gameharness::GameHarness& game, const std::string& scene);

// One visit of a scene as the map makes it: the playfield kept by the test,
// a new scene screen linked to it and pushed.
struct SceneVisit
{
    SceneVisit(gameharness::GameHarness& game, const std::string& scene, int32_t listMode,
               bool secondVisit = false);
    ~SceneVisit();
    // A new scene screen for the same playfield, pushed.
    GameFrame* Reopen();

    gameharness::GameHarness& mGame;
    std::unique_ptr<SandboxWidget> mPlayfield;
    RecordingMap mMap;
    GameFrame* mFrame = nullptr;
};

// Runs until nothing slides, fades or waits in the scene screen.
bool SettleFrame(gameharness::GameHarness& game, GameFrame& frame);
// Clicks every wanted item where it shows and lets each collection end.
void FindEveryListedItem(gameharness::GameHarness& game, SandboxWidget& playfield);
// Clicks every piece in the picture, then waits for the usable object.
void CollectEveryPiece(gameharness::GameHarness& game, SandboxWidget& playfield);
// Picks the usable object up and uses it on its place.
void UseTheUsableObject(gameharness::GameHarness& game, SandboxWidget& playfield);
// Uses the usable object on its place, lets the scene's mini-game open and
// skips it after forty seconds: it counts as done at the price of ten minutes.
void SkipTheMiniGame(gameharness::GameHarness& game, SandboxWidget& playfield);
// Clicks the OK (first) button of the dialog on top once it stands.
void CloseDialog(gameharness::GameHarness& game, CustomDialog& dialog);
// The top of the stack once it is of the type, within a few updates; else null.
template <class T> T* AwaitTop(gameharness::GameHarness& game, int updates = 300)
{
    game.RunUntil([&] { return game.Top<T>() != nullptr; }, updates);
    return game.Top<T>();
}
// Pops the stand-in on top, checking what it stands for.
void CloseStandIn(gameharness::GameHarness& game, const std::string& what);

} // namespace scenetest
