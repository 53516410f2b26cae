#include "framework/resources/SoundCache.h"
#include "framework/resources/WavReader.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

// Reads the input as a decoded-sound cache file; whatever it accepts must
// survive a write and a second read unchanged.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string recordedName;
    uint64_t recordedTime = 0;
    const auto trust = [&](const std::string& name, uint64_t time)
    {
        recordedName = name;
        recordedTime = time;
        return true;
    };
    platform::MemoryAudioSource source(std::vector<uint8_t>(data, data + size));
    Quib::DecodedSound sound;
    std::string error;
    if (!Quib::ReadRiffWave(source, "fuzz.wav", trust, sound, error))
        return 0;

    const auto rewritten = Quib::BuildSoundCacheFile(sound.format, sound.bytes, recordedName, recordedTime);
    platform::MemoryAudioSource again(rewritten);
    Quib::DecodedSound second;
    const auto exact = [&](const std::string& name, uint64_t time)
    { return name == recordedName && time == recordedTime; };
    if (!Quib::ReadRiffWave(again, "fuzz.wav", exact, second, error) || second.bytes != sound.bytes ||
        second.format.channels != sound.format.channels ||
        second.format.samplesPerSecond != sound.format.samplesPerSecond ||
        second.format.bitsPerSample != sound.format.bitsPerSample)
        std::abort();
    return 0;
}
