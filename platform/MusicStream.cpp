#include "platform/MusicStream.h"

#include <algorithm>
#include <cstring>

namespace platform
{

namespace
{
constexpr size_t kBlockFrames = 4096;
}

size_t BufferPcmSource::read(int16_t* out, size_t frames)
{
    const size_t count = std::min(frames, mBuffer->frames() - std::min(mFrame, mBuffer->frames()));
    const size_t blockAlign = mBuffer->format().blockAlign();
    // An empty sound has no bytes to copy from at all.
    if (count > 0)
        std::memcpy(out, mBuffer->bytes().data() + mFrame * blockAlign, count * blockAlign);
    mFrame += count;
    return count;
}

bool BufferPcmSource::seek(uint64_t frame)
{
    if (frame > mBuffer->frames())
        return false;
    mFrame = size_t(frame);
    return true;
}

MusicStream::MusicStream(Mixer& mixer, std::unique_ptr<PcmSource> source)
    : mMixer(mixer), mSource(std::move(source)), mFormat(mSource->format()),
      mStep((uint64_t(std::max<uint32_t>(mFormat.samplesPerSecond, 1)) << 32) / mixer.outputRate()),
      mBlock((kBlockFrames + 1) * std::max<uint16_t>(mFormat.channels, 1))
{
    auto guard = mMixer.lock();
    mMixer.attach(this);
}

MusicStream::~MusicStream()
{
    auto guard = mMixer.lock();
    mMixer.detach(this);
}

void MusicStream::restartLocked()
{
    mSource->seek(0);
    mBlockFrames = 0;
    mPosition = 0;
}

void MusicStream::play(bool restart, bool loop)
{
    auto guard = mMixer.lock();
    if (restart)
        restartLocked();
    mLoop = loop;
    mSource->setLooping(loop);
    mState = State::Playing;
}

void MusicStream::resume()
{
    auto guard = mMixer.lock();
    mState = State::Playing;
}

void MusicStream::restart()
{
    auto guard = mMixer.lock();
    restartLocked();
    mState = State::Playing;
}

void MusicStream::setLooping(bool loop)
{
    auto guard = mMixer.lock();
    mLoop = loop;
    mSource->setLooping(loop);
}

void MusicStream::stop()
{
    auto guard = mMixer.lock();
    mState = State::Stopped;
}

void MusicStream::pause()
{
    auto guard = mMixer.lock();
    if (mState == State::Playing)
        mState = State::Paused;
}

MusicStream::State MusicStream::state() const
{
    auto guard = mMixer.lock();
    return mState;
}

void MusicStream::setVolume(int percent)
{
    auto guard = mMixer.lock();
    mVolume = std::clamp(percent, 0, 100);
}

int MusicStream::volume() const
{
    auto guard = mMixer.lock();
    return mVolume;
}

bool MusicStream::setPosition(uint64_t byte)
{
    auto guard = mMixer.lock();
    mBlockFrames = 0;
    mPosition = 0;
    return mSource->seek(byte / mFormat.blockAlign());
}

bool MusicStream::setOrder(int order)
{
    auto guard = mMixer.lock();
    if (!mSource->seekOrder(order))
        return false;
    mBlockFrames = 0;
    mPosition = 0;
    return true;
}

void MusicStream::setAmplification(int percent)
{
    auto guard = mMixer.lock();
    mSource->setAmplification(percent);
}

bool MusicStream::refill()
{
    const size_t channels = mFormat.channels;
    const size_t index = size_t(mPosition >> 32);
    const size_t consumed = std::min(index, mBlockFrames);
    const size_t carried = mBlockFrames - consumed;
    std::memmove(mBlock.data(), mBlock.data() + consumed * channels, carried * channels * sizeof(int16_t));
    mPosition -= uint64_t(consumed) << 32;
    size_t got = mSource->read(mBlock.data() + carried * channels, kBlockFrames + 1 - carried);
    if (got == 0 && mLoop && mSource->seek(0))
        got = mSource->read(mBlock.data() + carried * channels, kBlockFrames + 1 - carried);
    mBlockFrames = carried + got;
    return got > 0;
}

void MusicStream::mixInto(float* stereo, size_t frames)
{
    if (mState != State::Playing || mFormat.channels < 1 || mFormat.channels > 2)
        return;
    const float gain = float(mVolume) / 100.0f * float(mMixer.streamVolumeLocked()) / 100.0f;
    constexpr float kFraction = 1.0f / 4294967296.0f;
    const bool stereoSource = mFormat.channels == 2;
    size_t done = 0;
    while (done < frames)
    {
        if ((mPosition >> 32) + 1 >= mBlockFrames)
        {
            if (!refill())
            {
                mState = State::Stopped;
                restartLocked();
                return;
            }
            continue;
        }
        const uint64_t lastStart = uint64_t(mBlockFrames - 1) << 32;
        const size_t run =
            size_t(std::min<uint64_t>(frames - done, (lastStart - mPosition + mStep - 1) / mStep));
        float* out = stereo + done * 2;
        uint64_t position = mPosition;
        for (size_t i = 0; i < run; ++i, position += mStep, out += 2)
        {
            const size_t index = size_t(position >> 32);
            const float t = float(uint32_t(position)) * kFraction;
            if (stereoSource)
            {
                const int16_t* s = mBlock.data() + index * 2;
                out[0] += (s[0] + (s[2] - s[0]) * t) * gain;
                out[1] += (s[1] + (s[3] - s[1]) * t) * gain;
            }
            else
            {
                const int16_t* s = mBlock.data() + index;
                const float value = (s[0] + (s[1] - s[0]) * t) * gain;
                out[0] += value;
                out[1] += value;
            }
        }
        mPosition = position;
        done += run;
    }
}

} // namespace platform
