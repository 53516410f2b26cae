// Opens the input as a music file the way both music back ends do: as a
// stream (read in pieces, sought back and read again) and as a whole sample,
// which is also how a cached stream is read back. The first byte picks the
// file's extension.
#include "framework/resources/MusicSource.h"
#include "fuzz/FuzzScratchFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace
{

// Enough to reach a second page of a stream without decoding minutes of it.
constexpr size_t kMostFrames = 1 << 16;

void ReadSome(platform::PcmSource& source, std::vector<int16_t>& buffer)
{
    size_t total = 0;
    while (total < kMostFrames)
    {
        const size_t got = source.read(buffer.data(), buffer.size() / 2);
        if (got == 0)
            return;
        if (got > buffer.size() / 2)
            std::abort();
        total += got;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    static const FuzzScratchFile ogg("orvellan-fuzz-music", ".ogg");
    static const FuzzScratchFile wav("orvellan-fuzz-music", ".wav");
    const FuzzScratchFile& file = data[0] % 2 == 0 ? ogg : wav;
    const std::string& path = file.Write(data + 1, size - 1);

    std::string error;
    if (auto stream = Quib::OpenMusicSource(path, error))
    {
        const platform::AudioFormat format = stream->format();
        if (format.channels < 1 || format.channels > 2)
            std::abort();
        std::vector<int16_t> buffer(4096 * 2);
        ReadSome(*stream, buffer);
        stream->seek(0);
        ReadSome(*stream, buffer);
    }
    Quib::DecodedSound sound;
    Quib::LoadMusicSample(path, sound, error);
    return 0;
}
