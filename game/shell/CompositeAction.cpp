#include "game/shell/CompositeAction.h"

CompositeAction::CompositeAction(const CompositeAction& other) : Action(other), ActionListener()
{
    for (const auto& child : other.mChildren)
    {
        auto copy = child->Clone();
        if (copy->mListener == &other)
            copy->mListener = this;
        mChildren.push_back(std::move(copy));
    }
}

void CompositeAction::Stop()
{
    for (auto& child : mChildren)
        child->Stop();
    mRunning = false;
}

void CompositeAction::Append(std::unique_ptr<Action> child)
{
    mChildren.push_back(std::move(child));
}
