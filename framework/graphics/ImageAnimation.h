#pragma once

#include <cstdint>
#include <vector>

namespace Quib
{

enum AnimationType : int32_t
{
    ANIMATION_NONE = 0,
    ANIMATION_ONCE = 1,
    ANIMATION_PINGPONG = 2,
    ANIMATION_LOOP = 3,
};

// Timing of an image whose grid cells are the frames of an animation. Durations are in
// whatever unit the reader counts (the animated widget counts update ticks).
class ImageAnimation
{
public:
    int32_t mType = ANIMATION_NONE;
    int32_t mFrameDelay = 1;
    int32_t mFrameCount = 1;
    std::vector<int32_t> mFrameDelays; // empty: every step lasts mFrameDelay
    std::vector<int32_t> mFrameMap;    // empty: step n shows cell n
    int32_t mTotalTime = 0;

    void SetFrameDelay(int32_t index, int32_t delay);
    void BuildTiming(int32_t frameCount, int32_t beginDelay, int32_t endDelay);
};

} // namespace Quib
