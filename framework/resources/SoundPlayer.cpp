#include "framework/resources/SoundPlayer.h"

#include "framework/resources/SoundInstance.h"
#include "framework/resources/SoundManager.h"

namespace Quib
{

SoundPlayer::SoundPlayer(SoundManager* soundManager) : mSoundManager(soundManager) {}

void SoundPlayer::StartLoop(int soundId)
{
    if (mLoops.count(soundId) != 0)
        return;
    SoundInstance* instance = mSoundManager->CreateInstance(soundId);
    if (!instance)
        return;
    instance->Play(true, false);
    mLoops[soundId] = instance;
}

void SoundPlayer::StopLoop(int soundId)
{
    const auto found = mLoops.find(soundId);
    if (found == mLoops.end())
        return;
    found->second->Discard();
    mLoops.erase(found);
}

void SoundPlayer::SetLoopVolume(int soundId, double volume)
{
    const auto found = mLoops.find(soundId);
    if (found != mLoops.end())
        found->second->SetVolume(volume);
}

void SoundPlayer::SetAllLoopsVolume(double volume)
{
    for (auto& [id, instance] : mLoops)
        instance->SetVolume(volume);
}

} // namespace Quib
