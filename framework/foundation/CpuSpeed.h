#pragma once

#include <cstdint>

namespace Quib
{

// Ticks per second of the time stamps the profiler takes (the platform clock's
// counter); 0 when there is no counter.
int64_t MeasureCpuSpeed();
// Measured once and cached; never 0, so it is always safe to divide by.
int64_t GetCpuSpeed();
// The time stamp the profiler takes.
int64_t ReadTimeStamp();

} // namespace Quib
