#include "game/shell/Stopwatch.h"

#include <cmath>
#include <limits>

namespace
{

// Truncates toward zero; a stopwatch left running for weeks saturates
// instead of wrapping into a negative time.
int32_t ToMilliseconds32(double milliseconds)
{
    constexpr double lowest = std::numeric_limits<int32_t>::min();
    constexpr double highest = std::numeric_limits<int32_t>::max();
    if (std::isnan(milliseconds))
        return 0;
    return int32_t(std::fmin(std::fmax(std::trunc(milliseconds), lowest), highest));
}

} // namespace

Stopwatch::Stopwatch() : mTimer(std::make_unique<Quib::HiResTimer>()) {}

// A freed timer is never running, so this reads no freed timer.
double Stopwatch::RunningMs()
{
    return mRunning ? mTimer->GetElapsedMs() : 0.0;
}

double Stopwatch::RemainingMs()
{
    return mLimit - mAccumulated - RunningMs();
}

void Stopwatch::Start()
{
    if (mRunning || !mTimer)
        return;
    mTimer->Start();
    mRunning = true;
}

void Stopwatch::Stop()
{
    if (!mRunning || !mTimer)
        return;
    mTimer->Stop();
    mAccumulated += mTimer->GetElapsedMs();
    mRunning = false;
}

void Stopwatch::Restart()
{
    if (!mRunning || !mTimer)
        return;
    mTimer->Stop();
    mAccumulated = 0.0;
    mTimer->Start();
}

void Stopwatch::SetLimit(int32_t hours, int32_t minutes, int32_t seconds, int32_t milliseconds)
{
    mLimit = TimeValue(hours, minutes, seconds, milliseconds).ToMilliseconds();
}

int32_t Stopwatch::GetElapsedMs()
{
    if (!mTimer)
        return 0;
    return ToMilliseconds32(mAccumulated + RunningMs());
}

TimeValue Stopwatch::GetElapsed()
{
    return TimeValue::FromMilliseconds(GetElapsedMs());
}

TimeValue Stopwatch::GetRemaining()
{
    if (!mTimer)
        return TimeValue();
    return TimeValue::FromMilliseconds(ToMilliseconds32(RemainingMs()));
}

bool Stopwatch::IsExpired()
{
    return RemainingMs() <= 0.0;
}

void Stopwatch::FreeTimer()
{
    mTimer.reset();
    mRunning = false;
}
