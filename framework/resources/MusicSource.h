#pragma once

#include "framework/resources/SoundDecoding.h"
#include "platform/ModuleSource.h"
#include "platform/MusicStream.h"

#include <memory>
#include <string>

namespace Quib
{

// Music files named "wav", "ogg" or "mp3" (in any case) are streams; any
// other name holds a tracker module.
bool IsStreamMusicName(const std::string& fileName);

// A streamed music source for an Ogg Vorbis or MP3 file, or a WAV file decoded
// at once. Null, with the reason in `error`, for anything else.
std::unique_ptr<platform::PcmSource> OpenMusicSource(const std::string& fileName, std::string& error);

// A tracker module read whole into memory, rendered at `samplesPerSecond`.
// Null, with the reason in `error`, when it cannot be read or played.
std::unique_ptr<platform::ModulePcmSource> OpenModuleSource(const std::string& fileName,
                                                            uint32_t samplesPerSecond, std::string& error);

// A whole music file (WAV, Ogg Vorbis or MP3, told apart by content) decoded into memory.
bool LoadMusicSample(const std::string& fileName, DecodedSound& sound, std::string& error);

} // namespace Quib
