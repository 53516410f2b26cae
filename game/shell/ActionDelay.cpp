#include "game/shell/ActionDelay.h"

void ActionDelay::Start(ActionListener* listener, int id)
{
    mTimer.StartNow();
    Action::Start(listener, id);
}

void ActionDelay::Update()
{
    if (mRunning && mTimer.GetElapsed() >= mTimer.GetDuration())
        Finish();
}

std::unique_ptr<Action> ActionDelay::Clone() const
{
    return std::unique_ptr<Action>(new ActionDelay(*this));
}
