#pragma once

#include "framework/widgets/Widget.h"
#include "game/shell/GameStateInterface.h"

// The base of every full screen: a widget that is a game state. It is in the
// widget manager's tree while it is the top of the stack, out of it while
// covered, and queued for deferred deletion once it has left.
class ScreenBase : public Quib::Widget, public GameStateInterface
{
public:
    ScreenBase() = default;
    ~ScreenBase() override = default;

    void OnEntered(GameStateStack* stack) override;
    void OnLeft(GameStateStack* stack) override;
    void OnCovered(GameStateStack* stack) override;
    void OnUncovered(GameStateStack* stack) override;
};
