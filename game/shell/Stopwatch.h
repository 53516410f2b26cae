#pragma once

#include "framework/foundation/HiResTimer.h"
#include "game/records/TimeValue.h"

#include <cstdint>
#include <memory>

// Measures real time spent somewhere (a scene visit, a mini-game, the waits
// before tutorials) and, with a limit, counts down. It reads the platform
// clock, not the game clock: its owners stop and start it themselves.
class Stopwatch
{
public:
    Stopwatch();
    Stopwatch(const Stopwatch&) = delete;
    Stopwatch& operator=(const Stopwatch&) = delete;

    void Start();
    void Stop();
    // Only a running stopwatch starts again from zero.
    void Restart();
    void SetLimit(int32_t hours, int32_t minutes, int32_t seconds, int32_t milliseconds);
    int32_t GetElapsedMs();
    TimeValue GetElapsed();
    TimeValue GetRemaining();
    bool IsExpired();
    // Owners free the timer when they go; every query then reads zero and
    // Start, Stop and Restart do nothing.
    void FreeTimer();
    bool IsRunning() const { return mRunning; }

private:
    double RunningMs();
    double RemainingMs();

    double mLimit = 0.0;
    double mAccumulated = 0.0;
    std::unique_ptr<Quib::HiResTimer> mTimer;
    bool mRunning = false;
};
