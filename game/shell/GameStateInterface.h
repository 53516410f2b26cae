#pragma once

class GameStateStack;

// One state of the game-state stack. The stack tells it when it has been
// pushed (entered), popped (left), pushed over (covered) and popped back to
// (uncovered).
class GameStateInterface
{
public:
    virtual ~GameStateInterface() = default;
    virtual void OnEntered(GameStateStack* stack) = 0;
    virtual void OnLeft(GameStateStack* stack) = 0;
    virtual void OnCovered(GameStateStack* stack) = 0;
    virtual void OnUncovered(GameStateStack* stack) = 0;
};
