#pragma once

#include "framework/resources/SoundDecoding.h"

#include <memory>
#include <string>

namespace Quib
{

// Decodes a whole Ogg Vorbis file to 16-bit PCM in the layout of its first
// link. False with a message naming `fileName` when it is not Ogg Vorbis,
// claims more than the sound size limit, or ends before its stated length.
bool ReadOggSound(std::unique_ptr<platform::AudioByteSource> source, const std::string& fileName,
                  DecodedSound& sound, std::string& error);

} // namespace Quib
