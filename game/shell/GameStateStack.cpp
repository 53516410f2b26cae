#include "game/shell/GameStateStack.h"

#include <cstddef>
#include <cstdlib>
#include <cxxabi.h>
#include <memory>
#include <typeinfo>

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

std::string GameStateName(const GameStateInterface* state)
{
    if (state == nullptr)
        return "none";
    const char* mangled = typeid(*state).name();
    int status = 0;
    const std::unique_ptr<char, decltype(&std::free)> name(
        abi::__cxa_demangle(mangled, nullptr, nullptr, &status), &std::free);
    return status == 0 && name ? std::string(name.get()) : std::string(mangled);
}
