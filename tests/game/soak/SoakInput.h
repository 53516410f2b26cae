#pragma once

#include "tests/game/support/GameHarness.h"

#include <random>

namespace soak
{

// What one random input did, for the soak's bookkeeping.
struct InputSent
{
    // Updates run while the window was out of focus, which the game clock does not see.
    int unfocusedUpdates = 0;
    // A click, key or typed text (not a plain move or a wait).
    bool counts = false;
};

// One random input of a player: clicks weighted toward the controls on the
// screen and the items of a scene, plain clicks anywhere, right clicks,
// drags, keys, typed letters, moves, waits, the window losing and regaining
// the focus, and Alt+Enter.
class SoakInput
{
public:
    SoakInput(gameharness::GameHarness& game, std::mt19937& random) : mGame(game), mRandom(random) {}

    InputSent SendOne();

private:
    int Below(int bound) { return int(mRandom() % unsigned(bound)); }
    void ClickSomewhereUseful();
    void Drag();
    void PressRandomKey();
    void TypeLetters();

    gameharness::GameHarness& mGame;
    std::mt19937& mRandom;
};

} // namespace soak
