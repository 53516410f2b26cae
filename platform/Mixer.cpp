#include "platform/Mixer.h"

#include "platform/AudioLineVolume.h"

#include <algorithm>
#include <cmath>

namespace platform
{

float attenuationGain(int hundredths)
{
    if (hundredths <= -10000)
        return 0.0f;
    if (hundredths >= 0)
        return 1.0f;
    return static_cast<float>(std::pow(10.0, hundredths / 2000.0));
}

PanGains panGains(int hundredths)
{
    PanGains gains;
    if (hundredths > 0)
        gains.left = attenuationGain(-hundredths);
    else if (hundredths < 0)
        gains.right = attenuationGain(hundredths);
    return gains;
}

Mixer::Mixer(uint32_t outputRate) : mOutputRate(outputRate) {}

void Mixer::render(int16_t* out, size_t frames)
{
    constexpr size_t kBlock = 1024;
    const float master = float(waveOutVolume()) / 65535.0f;
    std::lock_guard<std::mutex> guard(mMutex);
    mAccumulator.resize(kBlock * 2);
    while (frames > 0)
    {
        const size_t count = std::min(frames, kBlock);
        std::fill_n(mAccumulator.begin(), count * 2, 0.0f);
        for (MixerChannel* channel : mChannels)
            channel->mixInto(mAccumulator.data(), count);
        for (size_t i = 0; i < count * 2; ++i)
        {
            const float value = std::clamp(mAccumulator[i] * master, -32768.0f, 32767.0f);
            out[i] = static_cast<int16_t>(std::lrint(value));
        }
        out += count * 2;
        frames -= count;
    }
}

void Mixer::setStreamVolume(int percent)
{
    std::lock_guard<std::mutex> guard(mMutex);
    mStreamVolume = std::clamp(percent, 0, 100);
}

int Mixer::streamVolume() const
{
    std::lock_guard<std::mutex> guard(mMutex);
    return mStreamVolume;
}

void Mixer::attach(MixerChannel* channel)
{
    mChannels.push_back(channel);
}

void Mixer::detach(MixerChannel* channel)
{
    mChannels.erase(std::remove(mChannels.begin(), mChannels.end(), channel), mChannels.end());
}

Voice::Voice(Mixer& mixer, std::shared_ptr<const AudioBuffer> buffer)
    : mMixer(mixer), mBuffer(std::move(buffer)), mFrequency(mBuffer->format().samplesPerSecond)
{
    auto guard = mMixer.lock();
    mMixer.attach(this);
}

Voice::~Voice()
{
    auto guard = mMixer.lock();
    mMixer.detach(this);
}

void Voice::play(bool loop)
{
    auto guard = mMixer.lock();
    mLoop = loop;
    mPlaying = true;
}

void Voice::stop()
{
    auto guard = mMixer.lock();
    mPlaying = false;
}

void Voice::setPosition(size_t frame)
{
    auto guard = mMixer.lock();
    mPosition = uint64_t(std::min(frame, mBuffer->frames())) << 32;
}

bool Voice::isPlaying() const
{
    auto guard = mMixer.lock();
    return mPlaying;
}

void Voice::setAttenuation(int hundredths)
{
    auto guard = mMixer.lock();
    mAttenuation = hundredths;
    updateGains();
}

void Voice::setPan(int hundredths)
{
    auto guard = mMixer.lock();
    mPan = hundredths;
    updateGains();
}

void Voice::setGain(float linear)
{
    auto guard = mMixer.lock();
    mGain = std::max(linear, 0.0f);
    updateGains();
}

void Voice::setFrequency(uint32_t hz)
{
    auto guard = mMixer.lock();
    mFrequency = std::clamp<uint32_t>(hz, 1, 1000000);
}

uint32_t Voice::frequency() const
{
    auto guard = mMixer.lock();
    return mFrequency;
}

int Voice::attenuation() const
{
    auto guard = mMixer.lock();
    return mAttenuation;
}

float Voice::gain() const
{
    auto guard = mMixer.lock();
    return mGain;
}

int Voice::pan() const
{
    auto guard = mMixer.lock();
    return mPan;
}

void Voice::setLoopStart(size_t frame)
{
    auto guard = mMixer.lock();
    mLoopStart = frame < mBuffer->frames() ? frame : 0;
}

void Voice::updateGains()
{
    const float volume = attenuationGain(mAttenuation) * mGain;
    const PanGains pan = panGains(mPan);
    mLeft = volume * pan.left;
    mRight = volume * pan.right;
}

void Voice::mixInto(float* stereo, size_t frames)
{
    if (!mPlaying)
        return;
    const AudioFormat& format = mBuffer->format();
    if (format.channels == 1)
        format.bitsPerSample == 8 ? mixFormat<1, 8>(stereo, frames) : mixFormat<1, 16>(stereo, frames);
    else
        format.bitsPerSample == 8 ? mixFormat<2, 8>(stereo, frames) : mixFormat<2, 16>(stereo, frames);
}

namespace
{

template <int Bits> inline float sampleAt(const uint8_t* bytes, size_t index)
{
    if constexpr (Bits == 8)
        return (float(bytes[index]) - 128.0f) * 256.0f;
    else
        return float(int16_t(uint16_t(bytes[2 * index]) | uint16_t(bytes[2 * index + 1]) << 8));
}

} // namespace

template <int Channels, int Bits> void Voice::mixFormat(float* stereo, size_t frames)
{
    const uint8_t* bytes = mBuffer->bytes().data();
    const size_t count = mBuffer->frames();
    if (count == 0)
    {
        mPlaying = false;
        return;
    }
    const uint64_t step = (uint64_t(mFrequency) << 32) / mMixer.outputRate();
    const uint64_t lastStart = uint64_t(count - 1) << 32;
    const uint64_t end = uint64_t(count) << 32;
    const float left = mLeft;
    const float right = mRight;
    constexpr float kFraction = 1.0f / 4294967296.0f;

    auto frameAt = [&](size_t index, float& l, float& r)
    {
        l = sampleAt<Bits>(bytes, index * Channels);
        r = Channels == 2 ? sampleAt<Bits>(bytes, index * Channels + 1) : l;
    };

    size_t done = 0;
    while (done < frames)
    {
        if (mPosition >= end)
        {
            if (!mLoop)
            {
                mPlaying = false;
                mPosition = end;
                return;
            }
            const uint64_t loopLength = end - (uint64_t(mLoopStart) << 32);
            mPosition = (uint64_t(mLoopStart) << 32) + (mPosition - end) % loopLength;
        }
        if (mPosition < lastStart)
        {
            // The fast run: every frame has its successor inside the buffer.
            const size_t run =
                size_t(std::min<uint64_t>(frames - done, (lastStart - mPosition + step - 1) / step));
            uint64_t position = mPosition;
            float* out = stereo + done * 2;
            for (size_t i = 0; i < run; ++i, position += step, out += 2)
            {
                const size_t index = size_t(position >> 32);
                const float t = float(uint32_t(position)) * kFraction;
                float l0, r0, l1, r1;
                frameAt(index, l0, r0);
                frameAt(index + 1, l1, r1);
                out[0] += (l0 + (l1 - l0) * t) * left;
                out[1] += (r0 + (r1 - r0) * t) * right;
            }
            mPosition = position;
            done += run;
            continue;
        }
        // The last frame leans towards the loop start, or holds when the sound ends.
        float l0, r0, l1, r1;
        frameAt(count - 1, l0, r0);
        if (mLoop)
            frameAt(mLoopStart, l1, r1);
        else
            l1 = l0, r1 = r0;
        const float t = float(uint32_t(mPosition)) * kFraction;
        stereo[done * 2] += (l0 + (l1 - l0) * t) * left;
        stereo[done * 2 + 1] += (r0 + (r1 - r0) * t) * right;
        mPosition += step;
        ++done;
    }
}

} // namespace platform
