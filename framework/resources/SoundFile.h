#pragma once

#include "platform/AudioByteSource.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace Quib
{

// Opens a sound file through the archive-aware file functions, so that it
// may lie in a mounted archive or on the disk. Null when it cannot be opened.
std::unique_ptr<platform::AudioByteSource> OpenSoundFile(const std::string& name);

// The last-write time (a FILETIME, 100 ns units since 1601) of the file that
// OpenSoundFile would read: the archive entry when an archive holds the name,
// else the disk file. Nothing when neither exists.
std::optional<uint64_t> SoundSourceWriteTime(const std::string& name);

} // namespace Quib
