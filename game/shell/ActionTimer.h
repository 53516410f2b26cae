#pragma once

#include <cstdint>

// The duration of a tween or delay and the game-clock time it started at.
class ActionTimer
{
public:
    explicit ActionTimer(int32_t durationMs) : mDuration(durationMs) {}

    void StartNow();
    // Game-clock milliseconds since StartNow. The difference is taken on the
    // low 32 bits without sign, so it stays right when those bits wrap.
    int32_t GetElapsed() const;
    int32_t GetDuration() const { return mDuration; }

private:
    int32_t mDuration;
    int64_t mStart = 0;
};
