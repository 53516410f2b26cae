#include "framework/resources/WavReader.h"

#include <cstdio>
#include <cstring>

namespace Quib
{

namespace
{

class LittleEndianReader
{
public:
    explicit LittleEndianReader(platform::AudioByteSource& source) : mSource(source) {}

    bool bytes(void* out, size_t count) { return mSource.read(out, count) == count; }
    bool u8(uint8_t& value) { return bytes(&value, 1); }
    bool u16(uint16_t& value)
    {
        uint8_t b[2];
        if (!bytes(b, 2))
            return false;
        value = uint16_t(b[0] | b[1] << 8);
        return true;
    }
    bool u32(uint32_t& value)
    {
        uint8_t b[4];
        if (!bytes(b, 4))
            return false;
        value = uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
        return true;
    }
    bool u64(uint64_t& value)
    {
        uint32_t low = 0, high = 0;
        if (!u32(low) || !u32(high))
            return false;
        value = uint64_t(high) << 32 | low;
        return true;
    }
    bool tag(char (&out)[4]) { return bytes(out, 4); }

private:
    platform::AudioByteSource& mSource;
};

bool fail(std::string& error, const std::string& fileName, const char* reason)
{
    error = fileName + ": " + reason;
    return false;
}

} // namespace

bool ReadRiffWave(platform::AudioByteSource& source, const std::string& fileName,
                  const SoundDependencyCheck& dependencyCheck, DecodedSound& sound, std::string& error)
{
    LittleEndianReader in(source);
    char tag[4];
    uint32_t ignored = 0;
    if (!in.tag(tag) || std::memcmp(tag, "RIFF", 4) != 0 || !in.u32(ignored) || !in.tag(tag) ||
        std::memcmp(tag, "WAVE", 4) != 0)
        return fail(error, fileName, "not a RIFF/WAVE file");

    platform::AudioFormat format; // a "data" chunk before any "fmt " plays with these
    uint8_t key = 0;
    for (;;)
    {
        uint32_t size = 0;
        if (!in.tag(tag))
            return fail(error, fileName, "no \"data\" chunk");
        if (!in.u32(size))
            return fail(error, fileName, "truncated chunk header");
        const int64_t start = source.tell();
        if (start < 0)
            return fail(error, fileName, "cannot tell the read position");

        if (std::memcmp(tag, "fmt ", 4) == 0)
        {
            uint16_t formatTag = 0, channels = 0, blockAlign = 0, bits = 0;
            uint32_t rate = 0, bytesPerSecond = 0;
            if (!in.u16(formatTag) || !in.u16(channels) || !in.u32(rate) || !in.u32(bytesPerSecond) ||
                !in.u16(blockAlign) || !in.u16(bits))
                return fail(error, fileName, "truncated \"fmt \" chunk");
            if (formatTag != 1)
                return fail(error, fileName, "not PCM");
            format.channels = channels;
            format.samplesPerSecond = rate;
            format.bitsPerSample = bits;
            if (!format.isPlayable())
                return fail(error, fileName, "unsupported PCM layout");
        }
        else if (std::memcmp(tag, "dep ", 4) == 0)
        {
            uint16_t length = 0;
            if (!in.u16(length))
                return fail(error, fileName, "truncated \"dep \" chunk");
            // The name field is read as at most 255 bytes; a longer name then
            // misreads the time and the cache counts as stale.
            std::string name(length > 255 ? 255 : length, '\0');
            uint64_t time = 0;
            if (!in.bytes(name.data(), name.size()) || !in.u64(time))
                return fail(error, fileName, "truncated \"dep \" chunk");
            if (!dependencyCheck || !dependencyCheck(name, time))
                return fail(error, fileName, "its source has changed");
        }
        else if (std::memcmp(tag, "xor ", 4) == 0)
        {
            if (!in.u8(key))
                return fail(error, fileName, "truncated \"xor \" chunk");
        }
        else if (std::memcmp(tag, "data", 4) == 0)
        {
            const int64_t remaining = RemainingBytes(source);
            if (remaining < 0 || uint64_t(remaining) < size)
                return fail(error, fileName, "truncated \"data\" chunk");
            if (size > kMaxSoundBytes)
                return fail(error, fileName, "sound too long");
            std::vector<uint8_t> bytes(size);
            if (!in.bytes(bytes.data(), size))
                return fail(error, fileName, "truncated \"data\" chunk");
            if (key != 0)
                for (uint8_t& b : bytes)
                    b ^= key;
            sound.format = format;
            sound.bytes = std::move(bytes);
            return true;
        }
        if (!source.seek(start + int64_t(size), SEEK_SET))
            return fail(error, fileName, "chunk runs past the end");
    }
}

} // namespace Quib
