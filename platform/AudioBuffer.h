#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform
{

// The layout of interleaved PCM samples: 8-bit unsigned or 16-bit signed little-endian.
struct AudioFormat
{
    uint16_t channels = 1;
    uint32_t samplesPerSecond = 22050;
    uint16_t bitsPerSample = 16;

    uint32_t blockAlign() const { return uint32_t(channels) * bitsPerSample / 8; }
    uint32_t bytesPerSecond() const { return blockAlign() * samplesPerSecond; }
    // The mixer plays 1 or 2 channels of 8 or 16 bits at 1 Hz to 1 MHz.
    bool isPlayable() const
    {
        return (channels == 1 || channels == 2) && (bitsPerSample == 8 || bitsPerSample == 16) &&
               samplesPerSecond >= 1 && samplesPerSecond <= 1000000;
    }
};

// A decoded sound. It is filled by one thread and then only read, so the
// loading thread, the main thread and the mixer thread can share it through a
// shared_ptr to const without a lock.
class AudioBuffer
{
public:
    AudioBuffer(AudioFormat format, std::vector<uint8_t> bytes) : mFormat(format), mBytes(std::move(bytes)) {}

    const AudioFormat& format() const { return mFormat; }
    const std::vector<uint8_t>& bytes() const { return mBytes; }
    size_t frames() const { return mFormat.blockAlign() ? mBytes.size() / mFormat.blockAlign() : 0; }

private:
    AudioFormat mFormat;
    std::vector<uint8_t> mBytes;
};

} // namespace platform
