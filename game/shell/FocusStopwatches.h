#pragma once

// A screen whose stopwatches measure the player's own time: the application
// stops them while its window is out of focus and starts them again after.
class FocusStopwatches
{
public:
    virtual ~FocusStopwatches() = default;
    // Each stopwatch stops only when it runs.
    virtual void StopStopwatches() = 0;
    // Each stopwatch starts only when it does not run.
    virtual void StartStopwatches() = 0;
};
