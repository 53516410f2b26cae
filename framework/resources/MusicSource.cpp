#include "framework/resources/MusicSource.h"

#include "framework/resources/OggSound.h"
#include "framework/resources/SoundFile.h"
#include "framework/resources/WavReader.h"
#include "platform/OggDecoder.h"

#include <cstdio>
#include <cstring>

namespace Quib
{

namespace
{

// Music streams carry 16-bit samples; 8-bit WAV music is widened once.
std::shared_ptr<const platform::AudioBuffer> toSixteenBits(DecodedSound&& sound)
{
    if (sound.format.bitsPerSample == 16)
        return std::make_shared<const platform::AudioBuffer>(sound.format, std::move(sound.bytes));
    std::vector<uint8_t> wide(sound.bytes.size() * 2);
    for (size_t i = 0; i < sound.bytes.size(); ++i)
    {
        const uint16_t sample = uint16_t((int(sound.bytes[i]) - 128) * 256);
        wide[2 * i] = uint8_t(sample);
        wide[2 * i + 1] = uint8_t(sample >> 8);
    }
    platform::AudioFormat format = sound.format;
    format.bitsPerSample = 16;
    return std::make_shared<const platform::AudioBuffer>(format, std::move(wide));
}

std::string lowerExtension(const std::string& fileName)
{
    const size_t dot = fileName.rfind('.');
    std::string extension = dot == std::string::npos ? std::string() : fileName.substr(dot + 1);
    for (char& c : extension)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return extension;
}

} // namespace

std::unique_ptr<platform::PcmSource> OpenMusicSource(const std::string& fileName, std::string& error)
{
    const std::string extension = lowerExtension(fileName);
    if (extension == "ogg")
    {
        auto source = OpenSoundFile(fileName);
        if (!source)
        {
            error = fileName + ": cannot be opened";
            return nullptr;
        }
        auto decoder = std::make_unique<platform::OggDecoder>();
        std::string reason;
        if (!decoder->open(std::move(source), reason))
        {
            error = fileName + ": " + reason;
            return nullptr;
        }
        if (decoder->samplesPerSecond() == 0)
        {
            error = fileName + ": unsupported rate";
            return nullptr;
        }
        return std::make_unique<platform::OggPcmSource>(std::move(decoder));
    }
    if (extension == "wav")
    {
        DecodedSound sound;
        if (!LoadMusicSample(fileName, sound, error))
            return nullptr;
        return std::make_unique<platform::BufferPcmSource>(toSixteenBits(std::move(sound)));
    }
    error = fileName + ": no decoder for this kind of music file";
    return nullptr;
}

bool LoadMusicSample(const std::string& fileName, DecodedSound& sound, std::string& error)
{
    auto source = OpenSoundFile(fileName);
    if (!source)
    {
        error = fileName + ": cannot be opened";
        return false;
    }
    char magic[4] = {};
    const bool read = source->read(magic, 4) == 4 && source->seek(0, SEEK_SET);
    if (read && std::memcmp(magic, "OggS", 4) == 0)
        return ReadOggSound(std::move(source), fileName, sound, error);
    return ReadRiffWave(*source, fileName, nullptr, sound, error);
}

} // namespace Quib
