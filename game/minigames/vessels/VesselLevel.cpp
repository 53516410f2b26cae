#include "game/minigames/vessels/VesselLevel.h"

void VesselLevel::MoveTo(int level)
{
    mStart = mLevel;
    mDelta = level - mLevel;
    mStep = 0;
    mTick = 0;
    mMoving = true;
}

bool VesselLevel::Update()
{
    if (!mMoving || ++mTick < 2)
        return false;
    mTick = 0;
    if (mStep <= kSteps)
    {
        mLevel = mStart + mDelta * mStep / kSteps;
        ++mStep;
        return false;
    }
    mLevel = mStart + mDelta;
    mStep = 0;
    mMoving = false;
    return true;
}
