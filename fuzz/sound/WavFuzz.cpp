#include "framework/resources/WavReader.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    platform::MemoryAudioSource source(std::vector<uint8_t>(data, data + size));
    Quib::DecodedSound sound;
    std::string error;
    const auto check = [](const std::string& name, uint64_t time) { return name.size() % 2 == time % 2; };
    if (Quib::ReadRiffWave(source, "fuzz.wav", check, sound, error))
    {
        if (!sound.format.isPlayable() || sound.bytes.size() > size)
            std::abort();
    }
    else if (error.rfind("fuzz.wav: ", 0) != 0)
        std::abort();
    return 0;
}
