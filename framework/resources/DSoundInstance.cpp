#include "framework/resources/DSoundInstance.h"

#include "framework/resources/DSoundManager.h"

#include <algorithm>
#include <cmath>

namespace Quib
{

DSoundInstance::DSoundInstance(std::shared_ptr<const platform::AudioBuffer> sourceBuffer,
                               DSoundManager* manager)
    : mManager(manager)
{
    if (sourceBuffer && manager->Mixer())
    {
        mVoice = std::make_unique<platform::Voice>(*manager->Mixer(), std::move(sourceBuffer));
        mBaseFrequency = mVoice->frequency();
    }
    ApplyVolume();
}

void DSoundInstance::ApplyVolume()
{
    if (mVoice)
        mVoice->setAttenuation(
            DSoundManager::VolumeToDecibels(mVolume * mBaseVolume * mManager->EffectsVolume()));
}

void DSoundInstance::ApplyPan()
{
    if (mVoice)
        mVoice->setPan(mPan + mBasePan);
}

void DSoundInstance::Discard()
{
    Stop();
    mDiscarded = true;
}

void DSoundInstance::SetVolumeFactor(double factor)
{
    mBaseVolume = factor;
    ApplyVolume();
}

void DSoundInstance::SetPanOffset(int pan)
{
    mBasePan = pan;
    ApplyPan();
}

void DSoundInstance::ShiftPitch(double semitones)
{
    if (!mVoice)
        return;
    const double frequency =
        std::clamp(mBaseFrequency * std::pow(1.0594630943592953, semitones), 100.0, 100000.0);
    mVoice->setFrequency(uint32_t(frequency));
}

void DSoundInstance::SetVolume(double volume)
{
    mVolume = volume;
    ApplyVolume();
}

void DSoundInstance::SetPan(int pan)
{
    mPan = pan;
    ApplyPan();
}

bool DSoundInstance::Play(bool loop, bool autoRelease)
{
    Stop();
    mHasPlayed = true;
    mAutoRelease = autoRelease;
    if (!mVoice)
        return false;
    mVoice->play(loop);
    return true;
}

void DSoundInstance::Stop()
{
    if (!mVoice)
        return;
    mVoice->stop();
    mVoice->setPosition(0);
    mAutoRelease = false;
}

bool DSoundInstance::IsPlaying()
{
    return mHasPlayed && mVoice && mVoice->isPlaying();
}

bool DSoundInstance::IsDiscarded()
{
    if (!mDiscarded && mAutoRelease && mHasPlayed && !IsPlaying())
        Discard();
    return mDiscarded;
}

double DSoundInstance::GetVolume()
{
    return mVolume;
}

} // namespace Quib
