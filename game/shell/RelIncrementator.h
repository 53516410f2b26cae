#pragma once

#include "game/shell/Action.h"
#include "game/shell/ActionTimer.h"

#include <algorithm>

// A linear tween that moves its target by a delta over a duration of game
// time, starting from whatever the target holds when it starts. Its last
// write is always exactly start + delta, however long the frames were.
template <class T> class RelIncrementator : public Action
{
public:
    RelIncrementator(ActionTimer timer, T* target, T delta) : mTarget(target), mDelta(delta), mTimer(timer) {}

    void Start(ActionListener* listener, int id) override
    {
        mTimer.StartNow();
        mStartValue = *mTarget;
        Action::Start(listener, id);
    }
    void Update() override
    {
        if (!mRunning)
            return;
        const int32_t duration = mTimer.GetDuration();
        if (duration > 0)
        {
            // Bounded so that a long frame cannot push the value beyond what
            // the type holds; the end value is written exactly below anyway.
            const double fraction = std::clamp(double(mTimer.GetElapsed()) / duration, 0.0, 1.0);
            *mTarget = T(double(mStartValue) + double(mDelta) * fraction);
        }
        if (mTimer.GetElapsed() >= duration)
        {
            *mTarget = T(mStartValue + mDelta);
            Finish();
        }
    }
    std::unique_ptr<Action> Clone() const override
    {
        return std::unique_ptr<Action>(new RelIncrementator(*this));
    }

private:
    T mStartValue{};
    T* mTarget;
    T mDelta;
    ActionTimer mTimer;
};
