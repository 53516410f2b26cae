#include "framework/resources/SunAudio.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    platform::MemoryAudioSource source(std::vector<uint8_t>(data, data + size));
    Quib::DecodedSound sound;
    std::string error;
    if (Quib::ReadSunAudio(source, "fuzz.au", sound, error))
    {
        // At most two output bytes per input byte.
        if (!sound.format.isPlayable() || sound.bytes.size() > 2 * size)
            std::abort();
    }
    else if (error.rfind("fuzz.au: ", 0) != 0)
        std::abort();
    return 0;
}
