#pragma once

// What a trigger runs once.
class ActionCommand
{
public:
    virtual ~ActionCommand() = default;
    virtual void Execute() = 0;
};
