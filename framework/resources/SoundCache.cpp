#include "framework/resources/SoundCache.h"

namespace Quib
{

namespace
{

void put(std::vector<uint8_t>& out, const char* tag)
{
    out.insert(out.end(), tag, tag + 4);
}

void put16(std::vector<uint8_t>& out, uint16_t value)
{
    out.push_back(uint8_t(value));
    out.push_back(uint8_t(value >> 8));
}

void put32(std::vector<uint8_t>& out, uint32_t value)
{
    put16(out, uint16_t(value));
    put16(out, uint16_t(value >> 16));
}

void putHeaderAndFormat(std::vector<uint8_t>& out, const platform::AudioFormat& format, size_t pcmSize)
{
    put(out, "RIFF");
    put32(out, uint32_t(pcmSize + 36));
    put(out, "WAVE");
    put(out, "fmt ");
    put32(out, 16);
    put16(out, 1);
    put16(out, format.channels);
    put32(out, format.samplesPerSecond);
    put32(out, format.bytesPerSecond());
    put16(out, uint16_t(format.blockAlign()));
    put16(out, format.bitsPerSample);
}

} // namespace

bool IsCacheableSoundName(const std::string& name)
{
    return name.size() > 2 && name[0] != '\\' && name[0] != '/' && name[1] != ':';
}

std::string SoundCacheFileName(const std::string& sharedDataFolder, const std::string& name)
{
    return sharedDataFolder + "cached\\" + name + ".wav";
}

std::vector<uint8_t> BuildSoundCacheFile(const platform::AudioFormat& format, const std::vector<uint8_t>& pcm,
                                         const std::string& sourceName, uint64_t sourceFileTime)
{
    std::vector<uint8_t> out;
    out.reserve(pcm.size() + 71 + sourceName.size());
    putHeaderAndFormat(out, format, pcm.size());
    put(out, "dep ");
    put32(out, uint32_t(sourceName.size() + 10));
    put16(out, uint16_t(sourceName.size()));
    out.insert(out.end(), sourceName.begin(), sourceName.end());
    put32(out, uint32_t(sourceFileTime));
    put32(out, uint32_t(sourceFileTime >> 32));
    put(out, "xor ");
    put32(out, 1);
    out.push_back(kSoundCacheKey);
    put(out, "data");
    put32(out, uint32_t(pcm.size()));
    for (uint8_t b : pcm)
        out.push_back(b ^ kSoundCacheKey);
    return out;
}

std::vector<uint8_t> BuildPlainWaveFile(const platform::AudioFormat& format, const std::vector<uint8_t>& pcm)
{
    std::vector<uint8_t> out;
    out.reserve(pcm.size() + 44);
    putHeaderAndFormat(out, format, pcm.size());
    put(out, "data");
    put32(out, uint32_t(pcm.size()));
    out.insert(out.end(), pcm.begin(), pcm.end());
    return out;
}

} // namespace Quib
