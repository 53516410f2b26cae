#pragma once

// Told when the misclick mouse has finished its run across the screen.
class MouseRunOwner
{
public:
    virtual ~MouseRunOwner() = default;
    virtual void EndMouseRun() = 0;
};
