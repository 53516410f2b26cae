#pragma once

// Told when a timed action ends, with the id the action was started with.
// Screens use the ids as the steps of small state machines.
class ActionListener
{
public:
    virtual ~ActionListener() = default;
    virtual void OnActionFinished(int id) = 0;
};
