#include "game/shell/SoundEffectHost.h"

SoundEffectHost* gSoundEffectHost = nullptr;

void PlayGameSound(int32_t soundId)
{
    if (gSoundEffectHost != nullptr)
        gSoundEffectHost->PlaySoundEffect(soundId);
}
