#pragma once

#include "game/shell/CompositeAction.h"

// Runs its children side by side and ends in the update after the last of
// them ended. An empty group ends inside Start.
class ParalelAction : public CompositeAction
{
public:
    ParalelAction() = default;

    void Start(ActionListener* listener, int id) override;
    void Update() override;
    std::unique_ptr<Action> Clone() const override;

private:
    ParalelAction(const ParalelAction&) = default;
};
