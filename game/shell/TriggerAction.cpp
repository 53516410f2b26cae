#include "game/shell/TriggerAction.h"

void TriggerAction::Update()
{
    if (!mRunning)
        return;
    mCommand->Execute();
    Finish();
}

std::unique_ptr<Action> TriggerAction::Clone() const
{
    return std::unique_ptr<Action>(new TriggerAction(*this));
}
