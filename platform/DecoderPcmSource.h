#pragma once

#include "platform/MusicStream.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <memory>

namespace platform
{

// A music stream's source over a decoder of 16-bit interleaved PCM that has
// channels(), samplesPerSecond(), read(out, bytes) and seekFrame(frame).
template <typename Decoder> class DecoderPcmSource : public PcmSource
{
public:
    explicit DecoderPcmSource(std::unique_ptr<Decoder> decoder) : mDecoder(std::move(decoder))
    {
        mFormat.channels = uint16_t(mDecoder->channels());
        mFormat.samplesPerSecond = mDecoder->samplesPerSecond();
        mFormat.bitsPerSample = 16;
    }

    AudioFormat format() const override { return mFormat; }

    size_t read(int16_t* out, size_t frames) override
    {
        // A stream whose later part changes the layout ends where the change begins.
        if (mDecoder->channels() != mFormat.channels)
            return 0;
        const size_t blockAlign = mFormat.blockAlign();
        const size_t wanted = std::min<size_t>(frames * blockAlign, INT_MAX / blockAlign * blockAlign);
        auto* bytes = reinterpret_cast<char*>(out);
        size_t got = 0;
        while (got < wanted)
        {
            const long result = mDecoder->read(bytes + got, int(wanted - got));
            if (result <= 0)
                break;
            got += size_t(result);
        }
        return got / blockAlign;
    }

    bool seek(uint64_t frame) override { return mDecoder->seekFrame(int64_t(frame)); }

private:
    std::unique_ptr<Decoder> mDecoder;
    AudioFormat mFormat;
};

} // namespace platform
