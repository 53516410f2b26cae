#pragma once

#include "framework/resources/SoundDecoding.h"

#include <memory>
#include <string>

namespace Quib
{

// True when the bytes begin as an MP3 file does: an ID3 tag or an MPEG audio frame header.
bool LooksLikeMp3(const uint8_t* bytes, size_t size);

// Decodes a whole MP3 file to 16-bit PCM in the layout of its first frame.
// False with a message naming `fileName` when it holds no MPEG audio, fails
// to decode, or decodes to more than the sound size limit.
bool ReadMp3Sound(std::unique_ptr<platform::AudioByteSource> source, const std::string& fileName,
                  DecodedSound& sound, std::string& error);

} // namespace Quib
