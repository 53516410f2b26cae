#pragma once

#include <cstdint>
#include <functional>

namespace Quib
{

// A stopwatch in milliseconds on the platform clock's high-resolution counter,
// or on the time source installed below.
class HiResTimer
{
public:
    void Start();
    void Stop();
    void Update();
    // Measures first while running; a stopped timer keeps the time it stopped at.
    double GetElapsedMs();
    bool IsRunning() const { return mRunning; }

private:
    int64_t mStartCount = 0;
    double mElapsedMs = 0.0;
    bool mRunning = false;
};

// Makes every timer read whole milliseconds from `milliseconds` instead of the
// platform clock; an empty function restores the clock. A recorded demo runs
// its timers on the logic updates, so that a replay finds the same times at
// the same updates at whatever speed it runs. Install it while no timer runs
// and no other thread reads one.
void SetTimerSource(std::function<int64_t()> milliseconds);

} // namespace Quib
