#pragma once

#include "platform/AudioBuffer.h"
#include "platform/Mixer.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace platform
{

// Decoded music, pulled a block at a time by the mixer thread.
class PcmSource
{
public:
    virtual ~PcmSource() = default;
    // Always 16 bits, 1 or 2 channels.
    virtual AudioFormat format() const = 0;
    // Reads up to `frames` interleaved frames; 0 at the end or on error.
    virtual size_t read(int16_t* out, size_t frames) = 0;
    virtual bool seek(uint64_t frame) = 0;
    // Tracker modules repeat, move by order and scale their own loudness;
    // other sources ignore these.
    virtual void setLooping(bool /*loop*/) {}
    virtual bool seekOrder(int /*order*/) { return false; }
    virtual void setAmplification(int /*percent*/) {}
};

// A source over sound already decoded in memory.
class BufferPcmSource : public PcmSource
{
public:
    // The buffer must hold 16-bit samples of 1 or 2 channels.
    explicit BufferPcmSource(std::shared_ptr<const AudioBuffer> buffer) : mBuffer(std::move(buffer)) {}
    AudioFormat format() const override { return mBuffer->format(); }
    size_t read(int16_t* out, size_t frames) override;
    bool seek(uint64_t frame) override;

private:
    std::shared_ptr<const AudioBuffer> mBuffer;
    size_t mFrame = 0;
};

// A channel of music streamed into the mixer: played, looped, paused,
// stopped, with a volume of 0 to 100 under the mixer's global stream volume.
// Decoding happens on the mixer thread, under the mixer's lock.
class MusicStream final : private MixerChannel
{
public:
    enum class State
    {
        Stopped = 0,
        Playing = 1,
        Paused = 3
    };

    MusicStream(Mixer& mixer, std::unique_ptr<PcmSource> source);
    ~MusicStream() override;
    MusicStream(const MusicStream&) = delete;
    MusicStream& operator=(const MusicStream&) = delete;

    // Plays from the start when `restart` is set, else from where it stopped or paused.
    void play(bool restart, bool loop);
    // Plays on from where it stopped or paused, keeping the loop setting.
    void resume();
    // Plays from the start, keeping the loop setting.
    void restart();
    // Whether the next play loops, until a play says otherwise.
    void setLooping(bool loop);
    void stop(); // keeps the position
    void pause();
    State state() const;
    void setVolume(int percent); // clamped to 0..100
    int volume() const;
    // A byte position in the decoded 16-bit output.
    bool setPosition(uint64_t byte);
    // The start of an order of a tracker module; false, with the position
    // kept, for an order the module does not have or a source that has none.
    bool setOrder(int order);
    // A tracker module's loudness in percent of its own; other sources ignore it.
    void setAmplification(int percent);

private:
    void mixInto(float* stereo, size_t frames) override;
    bool refill();
    void restartLocked();

    Mixer& mMixer;
    std::unique_ptr<PcmSource> mSource;
    const AudioFormat mFormat;
    const uint64_t mStep;
    State mState = State::Stopped;
    bool mLoop = false;
    int mVolume = 100;
    std::vector<int16_t> mBlock;
    size_t mBlockFrames = 0;
    uint64_t mPosition = 0; // within the block, frames in 32.32 fixed point
};

} // namespace platform
