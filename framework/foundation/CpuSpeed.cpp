#include "framework/foundation/CpuSpeed.h"

#include "platform/Clock.h"

namespace Quib
{

namespace
{
int64_t gCpuSpeed = 0;
}

int64_t ReadTimeStamp()
{
    return platform::clock().counter();
}

// The time stamps come from the same counter whose frequency the clock reports,
// so the rate is known exactly; spinning against that counter to measure it
// would only cost time (and never end on a clock that tests advance by hand).
int64_t MeasureCpuSpeed()
{
    const int64_t frequency = platform::clock().counterFrequency();
    return frequency > 0 ? frequency : 0;
}

int64_t GetCpuSpeed()
{
    if (gCpuSpeed <= 0)
    {
        gCpuSpeed = MeasureCpuSpeed();
        if (gCpuSpeed <= 0)
            gCpuSpeed = 1;
    }
    return gCpuSpeed;
}

} // namespace Quib
