#include "game/shell/ParalelAction.h"

void ParalelAction::Start(ActionListener* listener, int id)
{
    Action::Start(listener, id);
    for (size_t i = 0; i < mChildren.size(); ++i)
        mChildren[i]->Start(this, int(i));
    if (mChildren.empty())
        Finish();
}

void ParalelAction::Update()
{
    if (!mRunning)
        return;
    bool anyRunning = false;
    for (auto& child : mChildren)
    {
        if (!child->IsRunning())
            continue;
        anyRunning = true;
        child->Update();
    }
    if (!anyRunning)
        Finish();
}

std::unique_ptr<Action> ParalelAction::Clone() const
{
    return std::unique_ptr<Action>(new ParalelAction(*this));
}
