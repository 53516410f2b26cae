#pragma once

#include "platform/AudioBuffer.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

namespace platform
{

// Attenuation in hundredths of a decibel (0 full, -10000 silent) as an amplitude factor.
float attenuationGain(int hundredths);

// Per-side factors for a pan in hundredths of a decibel: a positive pan
// attenuates the left side by that much, a negative pan the right side.
struct PanGains
{
    float left = 1.0f;
    float right = 1.0f;
};
PanGains panGains(int hundredths);

// Something the mixer adds to its output. Every call runs with the mixer's lock held.
class MixerChannel
{
public:
    virtual ~MixerChannel() = default;
    // Adds `frames` stereo frames into the interleaved accumulator.
    virtual void mixInto(float* stereo, size_t frames) = 0;
};

// The one software mixer: voices and music streams summed into interleaved
// 16-bit stereo. Its render runs on the audio device's thread (or in a test);
// the main and loading threads change voices under the same lock, which is
// held only for the length of one rendered block.
class Mixer
{
public:
    static constexpr uint32_t kOutputRate = 44100;

    explicit Mixer(uint32_t outputRate = kOutputRate);
    Mixer(const Mixer&) = delete;
    Mixer& operator=(const Mixer&) = delete;

    uint32_t outputRate() const { return mOutputRate; }

    // Fills `frames` interleaved stereo frames, scaled by the wave-out line volume.
    void render(int16_t* out, size_t frames);

    // The global volume of music streams, 0 to 100.
    void setStreamVolume(int percent);
    int streamVolume() const;

    std::unique_lock<std::mutex> lock() const { return std::unique_lock<std::mutex>(mMutex); }
    // Called with the lock held.
    void attach(MixerChannel* channel);
    void detach(MixerChannel* channel);
    int streamVolumeLocked() const { return mStreamVolume; }

private:
    const uint32_t mOutputRate;
    mutable std::mutex mMutex;
    std::vector<MixerChannel*> mChannels;
    std::vector<float> mAccumulator;
    int mStreamVolume = 100;
};

// One playing copy of a decoded sound, with its own position, attenuation,
// pan, linear gain, frequency and loop. Several voices share one buffer.
class Voice final : private MixerChannel
{
public:
    Voice(Mixer& mixer, std::shared_ptr<const AudioBuffer> buffer);
    ~Voice() override;
    Voice(const Voice&) = delete;
    Voice& operator=(const Voice&) = delete;

    // Plays from the current position; a looping play wraps to the loop start.
    void play(bool loop);
    // Halts and keeps the position.
    void stop();
    void setPosition(size_t frame);
    bool isPlaying() const;

    void setAttenuation(int hundredths);
    void setPan(int hundredths); // beyond +-10000 one side is silent
    void setGain(float linear);
    void setFrequency(uint32_t hz); // clamped to 1 Hz..1 MHz
    uint32_t frequency() const;
    int attenuation() const;
    int pan() const;
    float gain() const;
    void setLoopStart(size_t frame);

    const std::shared_ptr<const AudioBuffer>& buffer() const { return mBuffer; }

private:
    void mixInto(float* stereo, size_t frames) override;
    void updateGains();
    template <int Channels, int Bits> void mixFormat(float* stereo, size_t frames);

    Mixer& mMixer;
    const std::shared_ptr<const AudioBuffer> mBuffer;
    bool mPlaying = false;
    bool mLoop = false;
    uint64_t mPosition = 0; // frames, 32.32 fixed point
    uint32_t mFrequency;
    size_t mLoopStart = 0;
    int mAttenuation = 0;
    int mPan = 0;
    float mGain = 1.0f;
    float mLeft = 1.0f;
    float mRight = 1.0f;
};

} // namespace platform
