#include "framework/resources/OggSound.h"

#include "platform/OggDecoder.h"

#include <algorithm>
#include <cstdio>

namespace Quib
{

namespace
{

// Vorbis readers silently stop at the last whole page, so a cut file would
// pass for a shorter sound. A complete file ends with a whole end-of-stream page.
bool endsWithWholeFinalPage(platform::AudioByteSource& source)
{
    constexpr int64_t kLargestPage = 27 + 255 + 255 * 255;
    const int64_t size = RemainingBytes(source);
    if (size < 27)
        return false;
    const int64_t tailSize = std::min(size, kLargestPage);
    std::vector<uint8_t> tail(static_cast<size_t>(tailSize));
    const bool read =
        source.seek(size - tailSize, SEEK_CUR) && source.read(tail.data(), tail.size()) == tail.size();
    if (!read || !source.seek(0, SEEK_SET))
        return false;
    for (size_t start = tail.size() - 27 + 1; start-- > 0;)
    {
        const uint8_t* page = tail.data() + start;
        if (page[0] != 'O' || page[1] != 'g' || page[2] != 'g' || page[3] != 'S' || page[4] != 0)
            continue;
        const size_t segments = page[26];
        if (start + 27 + segments > tail.size())
            continue;
        size_t body = 0;
        for (size_t i = 0; i < segments; ++i)
            body += page[27 + i];
        if (start + 27 + segments + body == tail.size())
            return (page[5] & 0x04) != 0;
    }
    return false;
}

} // namespace

bool ReadOggSound(std::unique_ptr<platform::AudioByteSource> source, const std::string& fileName,
                  DecodedSound& sound, std::string& error)
{
    const int64_t inputSize = RemainingBytes(*source);
    if (!endsWithWholeFinalPage(*source))
    {
        error = fileName + ": truncated Ogg stream";
        return false;
    }
    platform::OggDecoder decoder;
    platform::AudioFormat format;
    if (!OpenSoundDecoder(decoder, std::move(source), fileName, format, error))
        return false;
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

    // The stated length only bounds the output: memory is taken up front for
    // what the file's size can plausibly decode to, and grows with what really does.
    constexpr uint64_t kMostBytesPerInputByte = 256;
    const size_t plausible =
        size_t(std::min<uint64_t>(total, uint64_t(std::max<int64_t>(inputSize, 0)) * kMostBytesPerInputByte));
    constexpr size_t kChunk = 64 * 1024;
    std::vector<uint8_t> pcm(plausible);
    size_t filled = 0;
    while (filled < total)
    {
        if (filled == pcm.size())
            pcm.resize(std::min(total, std::max(pcm.size() * 2, filled + kChunk)));
        const long got = decoder.read(pcm.data() + filled, int(std::min(kChunk, pcm.size() - filled)));
        if (got <= 0)
            break;
        filled += size_t(got);
    }
    pcm.resize(filled);
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
