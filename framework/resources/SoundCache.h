#pragma once

#include "platform/AudioBuffer.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Quib
{

// The one-byte key that scrambles the PCM of a decoded-sound cache file.
constexpr uint8_t kSoundCacheKey = 0x5D;

// A name gets a cache file only when it is relative: longer than two
// characters, not starting with a separator, and without a drive colon.
bool IsCacheableSoundName(const std::string& name);

// sharedDataFolder + "cached\" + name + ".wav".
std::string SoundCacheFileName(const std::string& sharedDataFolder, const std::string& name);

// The bytes of a decoded-sound cache file: a RIFF/WAVE file whose "dep "
// chunk records the source name and its write time and whose PCM is XORed
// with the key of its "xor " chunk.
std::vector<uint8_t> BuildSoundCacheFile(const platform::AudioFormat& format, const std::vector<uint8_t>& pcm,
                                         const std::string& sourceName, uint64_t sourceFileTime);

// A plain RIFF/WAVE file of PCM.
std::vector<uint8_t> BuildPlainWaveFile(const platform::AudioFormat& format, const std::vector<uint8_t>& pcm);

} // namespace Quib
