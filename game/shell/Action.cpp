#include "game/shell/Action.h"

#include "game/shell/ActionListener.h"
#include "game/shell/ActionSequence.h"
#include "game/shell/ParalelAction.h"

void Action::Start(ActionListener* listener, int id)
{
    mListener = listener;
    mId = id;
    mRunning = true;
}

void Action::Stop()
{
    mRunning = false;
}

void Action::Finish()
{
    mRunning = false;
    if (mListener)
        mListener->OnActionFinished(mId);
}

namespace
{

template <class Group>
std::unique_ptr<Action> Join(std::unique_ptr<Action> first, std::unique_ptr<Action> other)
{
    if (auto* group = dynamic_cast<Group*>(first.get()))
    {
        group->Append(std::move(other));
        return first;
    }
    auto group = std::make_unique<Group>();
    group->Append(std::move(first));
    group->Append(std::move(other));
    return group;
}

} // namespace

std::unique_ptr<Action> Then(std::unique_ptr<Action> first, std::unique_ptr<Action> next)
{
    return Join<ActionSequence>(std::move(first), std::move(next));
}

std::unique_ptr<Action> Parallel(std::unique_ptr<Action> first, std::unique_ptr<Action> other)
{
    return Join<ParalelAction>(std::move(first), std::move(other));
}
