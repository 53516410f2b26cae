#include "game/minigames/vessels/ValveTurn.h"

void ValveTurn::Update()
{
    if (mState == State::Still || ++mTick < 2)
        return;
    mTick = 0;
    if (mState == State::Opening)
    {
        mAngle -= 18.0f;
        if (mAngle <= kOpen)
        {
            mAngle = kOpen;
            mState = State::Still;
        }
        return;
    }
    mAngle += 18.0f;
    if (mAngle >= 0.0f)
    {
        mAngle = 0.0f;
        mState = State::Still;
    }
}
