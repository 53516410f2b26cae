#pragma once

#include "game/shell/GameStateInterface.h"

#include <string>
#include <vector>

// The game's full screens, topmost last. The stack holds pointers only: whoever
// opens a screen allocates it, and a screen that has left is deleted by the
// application's deferred deletion.
class GameStateStack
{
public:
    GameStateStack() = default;

    bool Empty() const { return mStates.empty(); }
    // The topmost state, or null on an empty stack (null entries are allowed).
    GameStateInterface* Top() const { return mStates.empty() ? nullptr : mStates.back(); }
    const std::vector<GameStateInterface*>& States() const { return mStates; }

    std::vector<GameStateInterface*> mStates;
};

// Covers the old top, appends the state and tells it it has been entered.
void PushGameState(GameStateInterface* state, GameStateStack* stack);
// Takes the top off, tells it it has left, then uncovers the new top. Nothing on an empty stack.
void PopGameState(GameStateStack* stack);
// Tells every state from the top down that it has left, then empties the stack.
void ClearGameStates(GameStateStack* stack);
// The class name of the state, "none" for no state: what the log says of a screen.
std::string GameStateName(const GameStateInterface* state);
