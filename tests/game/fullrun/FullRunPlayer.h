#pragma once

// A scripted player for the whole game on the game harness: each step looks
// at the screen on top and does what a player would do next there (opens the
// next open scene on the map, clicks the listed items where the playfield
// shows them, collects the pieces and uses the object they make, plays or
// skips the mini-game, reads every story and letter to its OK, closes the
// diary, the tutorials and the dialogs with their first button, defuses the
// bomb), or lets the game run while something moves.

#include "tests/game/support/GameHarness.h"

#include <functional>
#include <string>

namespace Quib
{
class Widget;
}

class BombMiniGame;
class GameFrame;
class MapScreen;
class MiniGameWidget;

namespace fullrun
{

class FullRunPlayer
{
public:
    explicit FullRunPlayer(gameharness::GameHarness& game) : mGame(game) {}

    // One action of the player, or one update while nothing takes input.
    void Step();
    // Steps until `done` holds (true) or `maxUpdates` updates have run, or the game shut down (false).
    bool PlayUntil(const std::function<bool()>& done, int maxUpdates);
    // What lies on top, what the player last did and how long ago, for a failure message.
    std::string Describe() const;

    // Mini-games solved by their scripted players, and skipped.
    int mSolved = 0;
    int mSkipped = 0;
    bool mBombDefused = false;

private:
    void OnMap(MapScreen& map);
    void OnScene(GameFrame& frame);
    void OnMiniGame(MiniGameWidget& game);
    void OnBomb(BombMiniGame& bomb);
    void Skip(MiniGameWidget& game);
    // A left click, handled by the updates that follow it.
    void ClickAt(int x, int y);
    void ClickOn(const Quib::Widget& widget);
    void PointAt(int x, int y);
    void Wait();

    // A minute of updates.
    static constexpr int kStallUpdates = 6000;

    gameharness::GameHarness& mGame;
    std::string mLastAction;
    int mUpdatesSinceAction = 0;
};

} // namespace fullrun
