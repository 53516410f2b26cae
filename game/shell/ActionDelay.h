#pragma once

#include "game/shell/Action.h"
#include "game/shell/ActionTimer.h"

// Ends in the first update in which its duration of game time has passed.
class ActionDelay : public Action
{
public:
    explicit ActionDelay(ActionTimer timer) : mTimer(timer) {}

    void Start(ActionListener* listener, int id) override;
    void Update() override;
    std::unique_ptr<Action> Clone() const override;

private:
    ActionTimer mTimer;
};
