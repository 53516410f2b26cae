#pragma once

#include "platform/AudioByteSource.h"
#include "platform/DecoderPcmSource.h"

#include <cstdint>
#include <memory>
#include <string>

namespace platform
{

// MPEG audio (MP3) to interleaved 16-bit little-endian PCM. The layout of the
// first frame holds for the whole stream; a stream that changes it ends there.
class Mp3Decoder
{
public:
    Mp3Decoder();
    ~Mp3Decoder();
    Mp3Decoder(const Mp3Decoder&) = delete;
    Mp3Decoder& operator=(const Mp3Decoder&) = delete;

    // False, with the reason in `error`, when the bytes hold no MPEG audio frame.
    bool open(std::unique_ptr<AudioByteSource> source, std::string& error);

    int channels() const;
    uint32_t samplesPerSecond() const;
    // Decodes up to `bytes` bytes (whole frames of samples); 0 at the end,
    // negative on a decoding error.
    long read(void* out, int bytes);
    bool seekFrame(int64_t frame);

private:
    struct State;
    std::unique_ptr<State> mState;
};

using Mp3PcmSource = DecoderPcmSource<Mp3Decoder>;

} // namespace platform
