#pragma once

#include "game/shell/Action.h"

// Writes a value when started and ends in the next update: one step of a
// sequence that puts something in place.
template <class T> class Setter : public Action
{
public:
    Setter(T* target, T value) : mTarget(target), mValue(value) {}

    void Start(ActionListener* listener, int id) override
    {
        *mTarget = mValue;
        Action::Start(listener, id);
    }
    void Update() override
    {
        if (mRunning)
            Finish();
    }
    std::unique_ptr<Action> Clone() const override { return std::unique_ptr<Action>(new Setter(*this)); }

private:
    T* mTarget;
    T mValue;
};
