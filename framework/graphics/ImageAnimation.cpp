#include "framework/graphics/ImageAnimation.h"

#include <algorithm>
#include <cstddef>
#include <limits>
#include <numeric>

namespace Quib
{
namespace
{

// Delays come straight from the manifest; an animation longer than the largest
// time simply never wraps.
int32_t ClampedTime(int64_t total)
{
    return int32_t(std::min<int64_t>(total, std::numeric_limits<int32_t>::max()));
}

} // namespace

void ImageAnimation::SetFrameDelay(int32_t index, int32_t delay)
{
    if (index < 0)
        return;
    if (size_t(index) >= mFrameDelays.size())
        mFrameDelays.resize(size_t(index) + 1, 0);
    mFrameDelays[size_t(index)] = delay;
}

void ImageAnimation::BuildTiming(int32_t frameCount, int32_t beginDelay, int32_t endDelay)
{
    mFrameCount = frameCount > 0 ? frameCount : 1;
    if (mFrameDelay <= 0)
        mFrameDelay = 1;

    if (mType == ANIMATION_PINGPONG && mFrameCount > 1)
    {
        mFrameMap.clear();
        for (int32_t i = 0; i < frameCount; ++i)
            mFrameMap.push_back(i);
        for (int32_t i = frameCount - 2; i >= 1; --i)
            mFrameMap.push_back(i);
    }
    if (!mFrameMap.empty())
        mFrameCount = int32_t(mFrameMap.size());

    if (beginDelay > 0)
        SetFrameDelay(0, beginDelay);
    if (endDelay > 0)
        SetFrameDelay(mFrameCount - 1, endDelay);

    if (!mFrameDelays.empty())
    {
        mFrameDelays.resize(size_t(mFrameCount), 0);
        for (int32_t& delay : mFrameDelays)
        {
            if (delay <= 0)
                delay = mFrameDelay;
        }
        mTotalTime = ClampedTime(std::accumulate(mFrameDelays.begin(), mFrameDelays.end(), int64_t(0)));
    }
    else
    {
        mTotalTime = ClampedTime(int64_t(mFrameCount) * mFrameDelay);
    }

    if (!mFrameMap.empty())
        mFrameMap.resize(size_t(mFrameCount));
}

} // namespace Quib
