#include "framework/resources/Mp3Sound.h"
#include "platform/Mp3Decoder.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace
{

// The streamed path: a few blocks from the start, then again after seeks.
void streamSome(const uint8_t* data, size_t size)
{
    auto decoder = std::make_unique<platform::Mp3Decoder>();
    std::string error;
    if (!decoder->open(std::make_unique<platform::MemoryAudioSource>(std::vector<uint8_t>(data, data + size)),
                       error))
        return;
    platform::Mp3PcmSource source(std::move(decoder));
    const platform::AudioFormat format = source.format();
    if (format.channels < 1 || format.channels > 2 || format.bitsPerSample != 16)
        std::abort();
    std::vector<int16_t> block(4096 * 2);
    for (const uint64_t frame : {uint64_t(0), uint64_t(size), uint64_t(1152)})
    {
        source.seek(frame);
        for (int i = 0; i < 4; ++i)
            if (source.read(block.data(), 4096) > 4096)
                std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Quib::DecodedSound sound;
    std::string error;
    if (Quib::ReadMp3Sound(
            std::make_unique<platform::MemoryAudioSource>(std::vector<uint8_t>(data, data + size)),
            "fuzz.mp3", sound, error))
    {
        if (!sound.format.isPlayable() || sound.bytes.empty() ||
            sound.bytes.size() % sound.format.blockAlign())
            std::abort();
    }
    else if (error.rfind("fuzz.mp3: ", 0) != 0)
        std::abort();
    streamSome(data, size);
    return 0;
}
