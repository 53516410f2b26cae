#include "game/shell/FadeState.h"

namespace
{

constexpr float kStepPerUpdate = 3.0f;

} // namespace

bool StepFade(float& alpha, int32_t& state, float fraction)
{
    if (state == FADE_IN)
    {
        alpha += kStepPerUpdate * fraction;
        if (alpha > 255.0f)
        {
            alpha = 255.0f;
            state = FADE_IDLE;
        }
        return false;
    }
    if (state != FADE_OUT)
        return false;
    alpha -= kStepPerUpdate * fraction;
    if (alpha >= 0.0f)
        return false;
    alpha = 0.0f;
    state = FADE_IDLE;
    return true;
}
