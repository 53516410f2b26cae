#pragma once

#include "framework/foundation/HiResTimer.h"

#include <cstdint>

// Counts quick misclicks on the playfield: a misclick two seconds or more
// after the one before starts the count afresh at 0, each quicker one adds 1,
// and the fourth such sends the mouse running. Misclicks during a run are
// not counted.
class MisclickCounter
{
public:
    static constexpr double kQuickMs = 2000.0;
    static constexpr int32_t kRunAt = 4;

    MisclickCounter();

    // True when this misclick starts the mouse run.
    bool OnMisclick();
    // A click on a piece the player cannot see yet counts, with no more to it.
    void CountHiddenClick() { ++mMisclickCount; }
    void EndMouseRun() { mMouseRunning = false; }
    bool IsMouseRunning() const { return mMouseRunning; }
    int32_t GetCount() const { return mMisclickCount; }

private:
    Quib::HiResTimer mMisclickTimer;
    bool mMouseRunning = false;
    int32_t mMisclickCount = 0;
};
