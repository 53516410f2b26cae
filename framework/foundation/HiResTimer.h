#pragma once

#include <cstdint>

namespace Quib
{

// A stopwatch in milliseconds on the platform clock's high-resolution counter.
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

} // namespace Quib
