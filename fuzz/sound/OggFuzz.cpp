// Decodes the input as a whole Ogg Vorbis sound, as sound effects are loaded.
#include "framework/resources/OggSound.h"
#include "platform/AudioByteSource.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    auto source = std::make_unique<platform::MemoryAudioSource>(std::vector<uint8_t>(data, data + size));
    Quib::DecodedSound sound;
    std::string error;
    if (Quib::ReadOggSound(std::move(source), "fuzz.ogg", sound, error))
    {
        if (!sound.format.isPlayable() || sound.bytes.size() % sound.format.blockAlign() != 0)
            std::abort();
    }
    else if (error.rfind("fuzz.ogg: ", 0) != 0)
        std::abort();
    return 0;
}
