#include "framework/resources/Mp3Sound.h"

#include "platform/Mp3Decoder.h"

#include <algorithm>

namespace Quib
{

bool LooksLikeMp3(const uint8_t* bytes, size_t size)
{
    if (size >= 3 && bytes[0] == 'I' && bytes[1] == 'D' && bytes[2] == '3')
        return true;
    // Frame sync, a known MPEG version and layer, and a bit rate index other than "bad".
    return size >= 3 && bytes[0] == 0xFF && (bytes[1] & 0xE0) == 0xE0 && (bytes[1] & 0x18) != 0x08 &&
           (bytes[1] & 0x06) != 0 && (bytes[2] & 0xF0) != 0xF0;
}

bool ReadMp3Sound(std::unique_ptr<platform::AudioByteSource> source, const std::string& fileName,
                  DecodedSound& sound, std::string& error)
{
    platform::Mp3Decoder decoder;
    platform::AudioFormat format;
    if (!OpenSoundDecoder(decoder, std::move(source), fileName, format, error))
        return false;
    // An MP3 file states no exact length, so the output grows with what really decodes.
    constexpr size_t kChunk = 64 * 1024;
    std::vector<uint8_t> pcm;
    size_t filled = 0;
    for (;;)
    {
        if (filled == pcm.size())
        {
            if (pcm.size() >= kMaxSoundBytes)
            {
                error = fileName + ": sound too long";
                return false;
            }
            pcm.resize(size_t(std::min<uint64_t>(kMaxSoundBytes, std::max(pcm.size() * 2, kChunk))));
        }
        const long got = decoder.read(pcm.data() + filled, int(std::min(kChunk, pcm.size() - filled)));
        if (got < 0)
        {
            error = fileName + ": damaged MP3 stream";
            return false;
        }
        if (got == 0)
            break;
        filled += size_t(got);
    }
    pcm.resize(filled - filled % format.blockAlign());
    if (pcm.empty())
    {
        error = fileName + ": no MP3 audio";
        return false;
    }
    sound.format = format;
    sound.bytes = std::move(pcm);
    return true;
}

} // namespace Quib
