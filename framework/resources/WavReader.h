#pragma once

#include "framework/resources/SoundDecoding.h"

#include <cstdint>
#include <functional>
#include <string>

namespace Quib
{

// Answers whether a decoded-sound cache may still be trusted: the named source
// file has the given last-write time (a FILETIME).
using SoundDependencyCheck = std::function<bool(const std::string& sourceName, uint64_t fileTime)>;

// Reads a RIFF/WAVE file of PCM, plain or a decoded-sound cache file with its
// "dep " and "xor " chunks. False with a message naming `fileName` when the
// file is not PCM WAVE, is truncated, or a dependency has changed.
bool ReadRiffWave(platform::AudioByteSource& source, const std::string& fileName,
                  const SoundDependencyCheck& dependencyCheck, DecodedSound& sound, std::string& error);

} // namespace Quib
