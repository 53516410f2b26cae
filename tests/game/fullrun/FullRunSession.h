#pragma once

#include "tests/game/fullrun/FullRunPlayer.h"
#include "tests/game/support/GameHarness.h"
#include "tests/game/support/KeptFolder.h"

#include <memory>
#include <string>

class MapScreen;
struct PlayerProfile;

namespace fullrun
{

// One player's game over several starts of the program: a data folder that
// outlives each start, the game harness of the current start and the scripted
// player on it.
class FullRunSession
{
public:
    FullRunSession();
    ~FullRunSession();

    // Starts the program, passes the intro, names the player on the first
    // start, and presses Play (resuming a game in progress) until the level
    // map stands on top; false when it never gets there.
    bool Start();
    // Leaves the map with its exit button for the main menu, which saves the game.
    bool LeaveToMainMenu();
    // Closes the window and confirms the question, as a player ending the
    // program in the middle of anything; the program saves on its way out.
    bool CloseWindow();
    // Ends the program.
    void Stop();

    gameharness::GameHarness& Game() { return *mGame; }
    // The data folder every start of the program reads and saves into.
    const std::string& DataFolder() const { return mFolder.path; }
    FullRunPlayer& Player() { return *mPlayer; }
    PlayerProfile& Profile();
    // The level map wherever it lies on the stack; null when there is none.
    MapScreen* Map();
    // The map on top with nothing of it moving and its buttons shown.
    bool MapAtRest();
    // Mini-games solved by their scripted players and skipped, over every start.
    int Solved() const { return mSolvedBefore + (mPlayer ? mPlayer->mSolved : 0); }
    int Skipped() const { return mSkippedBefore + (mPlayer ? mPlayer->mSkipped : 0); }

private:
    gameharness::KeptFolder mFolder{"orvellan-full-run"};
    std::unique_ptr<gameharness::GameHarness> mGame;
    std::unique_ptr<FullRunPlayer> mPlayer;
    int mSolvedBefore = 0;
    int mSkippedBefore = 0;
};

} // namespace fullrun
