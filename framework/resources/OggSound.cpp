#include "framework/resources/OggSound.h"

#include "platform/OggDecoder.h"

#include <algorithm>

namespace Quib
{

bool ReadOggSound(std::unique_ptr<platform::AudioByteSource> source, const std::string& fileName,
                  DecodedSound& sound, std::string& error)
{
    platform::OggDecoder decoder;
    std::string reason;
    if (!decoder.open(std::move(source), reason))
    {
        error = fileName + ": " + reason;
        return false;
    }
    platform::AudioFormat format;
    format.channels = uint16_t(decoder.channels());
    format.samplesPerSecond = decoder.samplesPerSecond();
    format.bitsPerSample = 16;
    if (!format.isPlayable())
    {
        error = fileName + ": unsupported rate";
        return false;
    }
    const int64_t frames = decoder.totalFrames();
    if (frames < 0)
    {
        error = fileName + ": unknown length";
        return false;
    }
    if (uint64_t(frames) > kMaxSoundBytes / format.blockAlign())
    {
        error = fileName + ": sound too long";
        return false;
    }
    const size_t total = size_t(frames) * format.blockAlign();

    // The stated length only bounds the output; memory grows with what really decodes.
    constexpr size_t kChunk = 64 * 1024;
    std::vector<uint8_t> pcm;
    pcm.reserve(std::min(total, size_t(16) << 20));
    while (pcm.size() < total)
    {
        const size_t offset = pcm.size();
        const size_t wanted = std::min(kChunk, total - offset);
        pcm.resize(offset + wanted);
        const long got = decoder.read(pcm.data() + offset, int(wanted));
        if (got <= 0)
        {
            pcm.resize(offset);
            break;
        }
        pcm.resize(offset + size_t(got));
    }
    if (pcm.size() != total)
    {
        error = fileName + ": ends before its stated length";
        return false;
    }
    sound.format = format;
    sound.bytes = std::move(pcm);
    return true;
}

} // namespace Quib
