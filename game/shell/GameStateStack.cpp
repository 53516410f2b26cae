#include "game/shell/GameStateStack.h"

#include <cstddef>

void PushGameState(GameStateInterface* state, GameStateStack* stack)
{
    if (GameStateInterface* top = stack->Top())
        top->OnCovered(stack);
    stack->mStates.push_back(state);
    if (state != nullptr)
        state->OnEntered(stack);
}

void PopGameState(GameStateStack* stack)
{
    if (stack->mStates.empty())
        return;
    // Off the stack before it is told, so that whatever it pushes from OnLeft lands above the new top.
    GameStateInterface* left = stack->mStates.back();
    stack->mStates.pop_back();
    if (left != nullptr)
        left->OnLeft(stack);
    if (GameStateInterface* top = stack->Top())
        top->OnUncovered(stack);
}

void ClearGameStates(GameStateStack* stack)
{
    // Each state is told while it is still in the vector.
    for (std::size_t i = stack->mStates.size(); i-- > 0;)
        if (GameStateInterface* state = stack->mStates[i])
            state->OnLeft(stack);
    stack->mStates.clear();
}
