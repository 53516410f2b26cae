#pragma once

#include <cstdint>

namespace platform
{

// The volume of the wave-out line, 0 to 65535, the last gain stage of
// everything the mixer plays. It lives for the process whether or not an
// audio device could be opened, like a system mixer control would.
uint32_t waveOutVolume();
void setWaveOutVolume(uint32_t value); // values above 65535 are taken as 65535

} // namespace platform
