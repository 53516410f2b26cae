#include "framework/foundation/HiResTimer.h"

#include "platform/Clock.h"

namespace Quib
{

void HiResTimer::Start()
{
    mRunning = true;
    mStartCount = platform::clock().counter();
}

void HiResTimer::Update()
{
    const int64_t ticks = (platform::clock().counter() - mStartCount) * 1000;
    mElapsedMs = double(ticks) / double(platform::clock().counterFrequency());
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
