#include "framework/foundation/HiResTimer.h"

#include "platform/Clock.h"

#include <utility>

namespace Quib
{
namespace
{

std::function<int64_t()>& TimerSource()
{
    static std::function<int64_t()> source;
    return source;
}

int64_t Counter()
{
    return TimerSource() ? TimerSource()() : platform::clock().counter();
}

int64_t CounterFrequency()
{
    return TimerSource() ? 1000 : platform::clock().counterFrequency();
}

} // namespace

void SetTimerSource(std::function<int64_t()> milliseconds)
{
    TimerSource() = std::move(milliseconds);
}

void HiResTimer::Start()
{
    mRunning = true;
    mStartCount = Counter();
}

void HiResTimer::Update()
{
    const int64_t ticks = (Counter() - mStartCount) * 1000;
    mElapsedMs = double(ticks) / double(CounterFrequency());
}

void HiResTimer::Stop()
{
    if (!mRunning)
        return;
    Update();
    mRunning = false;
}

double HiResTimer::GetElapsedMs()
{
    if (mRunning)
        Update();
    return mElapsedMs;
}

} // namespace Quib
