#pragma once

#include "platform/AudioBuffer.h"
#include "platform/AudioByteSource.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Quib
{

// PCM as the sound readers produce it, before it becomes a shared buffer.
struct DecodedSound
{
    platform::AudioFormat format;
    std::vector<uint8_t> bytes;
};

// No reader produces more PCM than this (about 100 minutes of 44.1 kHz stereo).
constexpr uint64_t kMaxSoundBytes = uint64_t(1) << 30;

// The byte count from the current position to the end; -1 when the source cannot seek.
int64_t RemainingBytes(platform::AudioByteSource& source);

} // namespace Quib
