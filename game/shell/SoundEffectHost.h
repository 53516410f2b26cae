#pragma once

#include <cstdint>

// Plays the game's one-shot sounds at the options' sound volume. The game's
// application object is the one host; tests install a recording one.
class SoundEffectHost
{
public:
    virtual ~SoundEffectHost() = default;
    virtual void PlaySoundEffect(int32_t soundId) = 0;
};

// The host in force, or null when none plays sounds.
extern SoundEffectHost* gSoundEffectHost;

// Plays the sound through the host in force; nothing without one.
void PlayGameSound(int32_t soundId);
