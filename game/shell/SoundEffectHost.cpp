#include "game/shell/SoundEffectHost.h"

SoundEffectHost* gSoundEffectHost = nullptr;
