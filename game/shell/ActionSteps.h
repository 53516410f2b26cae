#pragma once

#include "game/shell/ActionDelay.h"
#include "game/shell/ActionSequence.h"
#include "game/shell/ParalelAction.h"
#include "game/shell/RelIncrementator.h"
#include "game/shell/Setter.h"

#include <memory>

// Short names for building a screen's timed actions step by step.
namespace steps
{

template <class T> std::unique_ptr<Action> Set(T* target, T value)
{
    return std::make_unique<Setter<T>>(target, value);
}

// Moves the target by delta over the milliseconds of game time.
template <class T> std::unique_ptr<Action> Tween(T* target, T delta, int milliseconds)
{
    return std::make_unique<RelIncrementator<T>>(ActionTimer(milliseconds), target, delta);
}

inline std::unique_ptr<Action> Wait(int milliseconds)
{
    return std::make_unique<ActionDelay>(ActionTimer(milliseconds));
}

template <class... Actions> std::unique_ptr<ParalelAction> Together(Actions... actions)
{
    auto group = std::make_unique<ParalelAction>();
    (group->Append(std::move(actions)), ...);
    return group;
}

template <class... Actions> std::unique_ptr<ActionSequence> InOrder(Actions... actions)
{
    auto sequence = std::make_unique<ActionSequence>();
    (sequence->Append(std::move(actions)), ...);
    return sequence;
}

} // namespace steps
