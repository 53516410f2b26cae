#pragma once

#include "platform/AudioByteSource.h"
#include "platform/DecoderPcmSource.h"

#include <cstdint>
#include <memory>
#include <string>

namespace platform
{

// Ogg Vorbis to interleaved 16-bit little-endian PCM.
class OggDecoder
{
public:
    OggDecoder();
    ~OggDecoder();
    OggDecoder(const OggDecoder&) = delete;
    OggDecoder& operator=(const OggDecoder&) = delete;

    // False, with the reason in `error`, when the bytes are not a Vorbis stream
    // the mixer can play (1 or 2 channels).
    bool open(std::unique_ptr<AudioByteSource> source, std::string& error);
    bool isOpen() const;

    int channels() const;              // of the current link
    uint32_t samplesPerSecond() const; // of the current link
    int64_t totalFrames();             // of all links; negative when unknown
    // Decodes up to `bytes` bytes; 0 at the end, negative on a decoding error.
    long read(void* out, int bytes);
    bool seekFrame(int64_t frame);

private:
    struct State;
    std::unique_ptr<State> mState;
};

using OggPcmSource = DecoderPcmSource<OggDecoder>;

} // namespace platform
