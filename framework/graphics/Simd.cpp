#include "framework/graphics/Simd.h"

#include <atomic>

namespace Quib
{

namespace
{

SimdLevel Detect()
{
#if defined(__x86_64__) || defined(__i386__)
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx2"))
        return SimdLevel::Avx2;
    if (__builtin_cpu_supports("sse2"))
        return SimdLevel::Sse2;
#endif
    return SimdLevel::Scalar;
}

std::atomic<SimdLevel>& Active()
{
    static std::atomic<SimdLevel> level{DetectedSimdLevel()};
    return level;
}

} // namespace

SimdLevel DetectedSimdLevel()
{
    static const SimdLevel detected = Detect();
    return detected;
}

SimdLevel ActiveSimdLevel()
{
    return Active().load(std::memory_order_relaxed);
}

void SetSimdLevel(SimdLevel level)
{
    const SimdLevel detected = DetectedSimdLevel();
    Active().store(int(level) > int(detected) ? detected : level, std::memory_order_relaxed);
}

} // namespace Quib
