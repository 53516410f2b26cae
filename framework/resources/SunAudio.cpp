#include "framework/resources/SunAudio.h"

#include <cstdio>
#include <cstring>

namespace Quib
{

int16_t DecodeMuLaw(uint8_t byte)
{
    const int sign = byte >= 0x80 ? 1 : -1;
    const int w = byte | 0x80;
    int m;
    if (w >= 0xF0)
        m = 510 - 2 * w;
    else if (w >= 0xE0)
        m = 988 - 4 * w;
    else if (w >= 0xD0)
        m = 1880 - 8 * w;
    else if (w >= 0xC0)
        m = (221 - w) * 16;
    else if (w >= 0xB0)
        m = (206 - w) * 32;
    else if (w >= 0xA0)
        m = 12192 - 64 * w;
    else if (w >= 0x90)
        m = 22368 - 128 * w;
    else
        m = 40672 - 256 * w;
    return int16_t(sign * m * 4);
}

namespace
{

bool readBigEndian(platform::AudioByteSource& source, uint32_t& value)
{
    uint8_t b[4];
    if (source.read(b, 4) != 4)
        return false;
    value = uint32_t(b[0]) << 24 | uint32_t(b[1]) << 16 | uint32_t(b[2]) << 8 | b[3];
    return true;
}

bool fail(std::string& error, const std::string& fileName, const char* reason)
{
    error = fileName + ": " + reason;
    return false;
}

} // namespace

bool ReadSunAudio(platform::AudioByteSource& source, const std::string& fileName, DecodedSound& sound,
                  std::string& error)
{
    char magic[4];
    if (source.read(magic, 4) != 4 || std::memcmp(magic, ".snd", 4) != 0)
        return fail(error, fileName, "not a Sun audio file");
    uint32_t offset = 0, size = 0, encoding = 0, rate = 0, channels = 0;
    if (!readBigEndian(source, offset) || !readBigEndian(source, size) || !readBigEndian(source, encoding) ||
        !readBigEndian(source, rate) || !readBigEndian(source, channels))
        return fail(error, fileName, "truncated header");
    if (encoding != 1 && encoding != 2)
        return fail(error, fileName, "unsupported encoding");
    if (offset < 24 || !source.seek(offset, SEEK_SET))
        return fail(error, fileName, "data offset out of range");

    const bool muLaw = encoding == 1;
    platform::AudioFormat format;
    format.channels = uint16_t(channels > 0xFFFF ? 0 : channels);
    format.samplesPerSecond = rate;
    format.bitsPerSample = muLaw ? 16 : 8;
    if (!format.isPlayable())
        return fail(error, fileName, "unsupported channel count or rate");

    const int64_t remaining = RemainingBytes(source);
    if (remaining < 0 || uint64_t(remaining) < size)
        return fail(error, fileName, "truncated data");
    if (uint64_t(size) * (muLaw ? 2 : 1) > kMaxSoundBytes)
        return fail(error, fileName, "sound too long");
    std::vector<uint8_t> raw(size);
    if (source.read(raw.data(), size) != size)
        return fail(error, fileName, "truncated data");

    std::vector<uint8_t> pcm;
    if (muLaw)
    {
        pcm.resize(size_t(size) * 2);
        for (size_t i = 0; i < raw.size(); ++i)
        {
            const uint16_t sample = uint16_t(DecodeMuLaw(raw[i]));
            pcm[2 * i] = uint8_t(sample);
            pcm[2 * i + 1] = uint8_t(sample >> 8);
        }
    }
    else
    {
        // Sun linear samples are signed; 8-bit PCM buffers are unsigned around 128.
        pcm = std::move(raw);
        for (uint8_t& b : pcm)
            b ^= 0x80;
    }
    sound.format = format;
    sound.bytes = std::move(pcm);
    return true;
}

} // namespace Quib
