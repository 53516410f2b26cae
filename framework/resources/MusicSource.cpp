#include "framework/resources/MusicSource.h"

#include "framework/resources/Mp3Sound.h"
#include "framework/resources/OggSound.h"
#include "framework/resources/SoundFile.h"
#include "framework/resources/WavReader.h"
#include "platform/Mp3Decoder.h"
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

// Larger than any tracker module made for a game; the whole file is held in memory.
constexpr int64_t kMaxModuleBytes = int64_t(64) << 20;

template <typename Decoder, typename Source>
std::unique_ptr<platform::PcmSource> openStream(const std::string& fileName, std::string& error)
{
    auto source = OpenSoundFile(fileName);
    if (!source)
    {
        error = fileName + ": cannot be opened";
        return nullptr;
    }
    auto decoder = std::make_unique<Decoder>();
    platform::AudioFormat format;
    if (!OpenSoundDecoder(*decoder, std::move(source), fileName, format, error))
        return nullptr;
    return std::make_unique<Source>(std::move(decoder));
}

} // namespace

bool IsStreamMusicName(const std::string& fileName)
{
    const std::string extension = lowerExtension(fileName);
    return extension == "wav" || extension == "ogg" || extension == "mp3";
}

std::unique_ptr<platform::PcmSource> OpenMusicSource(const std::string& fileName, std::string& error)
{
    const std::string extension = lowerExtension(fileName);
    if (extension == "ogg")
        return openStream<platform::OggDecoder, platform::OggPcmSource>(fileName, error);
    if (extension == "mp3")
        return openStream<platform::Mp3Decoder, platform::Mp3PcmSource>(fileName, error);
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

std::unique_ptr<platform::ModulePcmSource> OpenModuleSource(const std::string& fileName,
                                                            uint32_t samplesPerSecond, std::string& error)
{
    auto source = OpenSoundFile(fileName);
    if (!source)
    {
        error = fileName + ": cannot be opened";
        return nullptr;
    }
    const int64_t size = RemainingBytes(*source);
    if (size < 0 || size > kMaxModuleBytes)
    {
        error = fileName + (size < 0 ? ": cannot be read" : ": too large for a tracker module");
        return nullptr;
    }
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    if (source->read(bytes.data(), bytes.size()) != bytes.size())
    {
        error = fileName + ": cannot be read";
        return nullptr;
    }
    std::string reason;
    auto module = platform::ModulePcmSource::open(std::move(bytes), samplesPerSecond, reason);
    if (!module)
        error = fileName + ": " + reason;
    return module;
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
    if (read && LooksLikeMp3(reinterpret_cast<const uint8_t*>(magic), 4))
        return ReadMp3Sound(std::move(source), fileName, sound, error);
    return ReadRiffWave(*source, fileName, nullptr, sound, error);
}

} // namespace Quib
