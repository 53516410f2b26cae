#pragma once

#include <cstdint>

// How a game button or a widget group fades: its alpha moves by 3 per update
// between 0 and 255, so a whole fade takes 85 updates.
enum FadeState : int32_t
{
    FADE_IN = 0,
    FADE_OUT = 1,
    FADE_IDLE = 2,
};

// One pass of a fade standing for `fraction` updates; at either end the fade
// stops. True when a fade-out has just ended.
bool StepFade(float& alpha, int32_t& state, float fraction);
