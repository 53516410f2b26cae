#pragma once

#include "framework/resources/SoundDecoding.h"
#include "platform/MusicStream.h"

#include <memory>
#include <string>

namespace Quib
{

// A streamed music source for an Ogg Vorbis file, or a WAV file decoded at
// once. Null, with the reason in `error`, for anything else.
std::unique_ptr<platform::PcmSource> OpenMusicSource(const std::string& fileName, std::string& error);

// A whole music file (WAV or Ogg Vorbis, told apart by content) decoded into memory.
bool LoadMusicSample(const std::string& fileName, DecodedSound& sound, std::string& error);

} // namespace Quib
