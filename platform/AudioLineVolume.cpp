#include "platform/AudioLineVolume.h"

#include <algorithm>
#include <atomic>

namespace platform
{

namespace
{
std::atomic<uint32_t> gWaveOutVolume{65535};
}

uint32_t waveOutVolume()
{
    return gWaveOutVolume.load(std::memory_order_relaxed);
}

void setWaveOutVolume(uint32_t value)
{
    gWaveOutVolume.store(std::min<uint32_t>(value, 65535), std::memory_order_relaxed);
}

} // namespace platform
