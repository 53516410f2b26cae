#include "game/shell/ActionSequence.h"

void ActionSequence::Start(ActionListener* listener, int id)
{
    mCurrent = 0;
    Action::Start(listener, id);
    if (mChildren.empty())
        Finish();
    else
        mChildren[0]->Start(this, 0);
}

void ActionSequence::Update()
{
    if (!mRunning)
        return;
    if (size_t(mCurrent) < mChildren.size() && mChildren[mCurrent]->IsRunning())
    {
        mChildren[mCurrent]->Update();
        return;
    }
    ++mCurrent;
    if (size_t(mCurrent) < mChildren.size())
        mChildren[mCurrent]->Start(this, mCurrent);
    else
        Finish();
}

std::unique_ptr<Action> ActionSequence::Clone() const
{
    return std::unique_ptr<Action>(new ActionSequence(*this));
}
