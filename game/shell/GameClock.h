#pragma once

#include "framework/foundation/HiResTimer.h"

#include <cstdint>

// The one pausable millisecond clock that every timed action reads. The
// application pauses it while the window is out of focus, so delays and
// tweens stand still meanwhile. It measures on the platform clock, which
// tests replace by a fake one.
class GameClock
{
public:
    // Created running on the first call.
    static GameClock& GetInstance();
    // The program entry ends the clock's life after the run loop; a later
    // GetInstance makes a fresh one.
    static void DeleteInstance();

    GameClock();

    int64_t GetTime();
    // Pausing a paused clock, or resuming a running one, changes nothing: a
    // second stop would count the last run twice, a second start would drop it.
    void Pause();
    void Resume();
    void Reset();
    bool IsRunning() const { return mRunning; }

private:
    bool mRunning = true;
    int64_t mAccumulated = 0;
    Quib::HiResTimer mTimer;
};

extern GameClock* gGameClock;
