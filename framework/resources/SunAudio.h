#pragma once

#include "framework/resources/SoundDecoding.h"

#include <cstdint>
#include <string>

namespace Quib
{

// One 8-bit µ-law byte as a 16-bit sample (0xFF gives 0, 0x80 gives 31,616).
int16_t DecodeMuLaw(uint8_t byte);

// Reads a Sun audio (".snd") file of 8-bit µ-law, decoded to 16 bits, or of
// 8-bit linear PCM. False with a message naming `fileName` otherwise.
bool ReadSunAudio(platform::AudioByteSource& source, const std::string& fileName, DecodedSound& sound,
                  std::string& error);

} // namespace Quib
