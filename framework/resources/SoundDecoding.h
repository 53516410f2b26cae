#pragma once

#include "platform/AudioBuffer.h"
#include "platform/AudioByteSource.h"

#include <cstdint>
#include <memory>
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

// Opens a decoder of 16-bit PCM on a sound file's bytes and gives the layout it
// decodes to. False with a message naming `fileName` when the bytes are not the
// decoder's format or the layout cannot be played.
template <typename Decoder>
bool OpenSoundDecoder(Decoder& decoder, std::unique_ptr<platform::AudioByteSource> source,
                      const std::string& fileName, platform::AudioFormat& format, std::string& error)
{
    std::string reason;
    if (!decoder.open(std::move(source), reason))
    {
        error = fileName + ": " + reason;
        return false;
    }
    format.channels = uint16_t(decoder.channels());
    format.samplesPerSecond = decoder.samplesPerSecond();
    format.bitsPerSample = 16;
    if (!format.isPlayable())
    {
        error = fileName + ": unsupported rate";
        return false;
    }
    return true;
}

} // namespace Quib
