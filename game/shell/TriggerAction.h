#pragma once

#include "game/shell/Action.h"
#include "game/shell/ActionCommand.h"

#include <memory>

// Runs its command in the first update after the start, then ends.
class TriggerAction : public Action
{
public:
    explicit TriggerAction(std::unique_ptr<ActionCommand> command) : mCommand(std::move(command)) {}

    void Update() override;
    // A command cannot be copied, so a copy of a trigger shares it.
    std::unique_ptr<Action> Clone() const override;

private:
    std::shared_ptr<ActionCommand> mCommand;
};
