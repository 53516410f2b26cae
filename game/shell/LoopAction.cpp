#include "game/shell/LoopAction.h"

LoopAction::LoopAction(std::unique_ptr<Action> body, int32_t repeatCount)
    : mBody(std::move(body)), mRepeatCount(repeatCount)
{
}

LoopAction::LoopAction(const LoopAction& other)
    : Action(other), ActionListener(), mBody(other.mBody->Clone()), mRepeatCount(other.mRepeatCount),
      mDoneCount(other.mDoneCount), mRestartDue(other.mRestartDue)
{
    if (mBody->mListener == &other)
        mBody->mListener = this;
}

void LoopAction::Start(ActionListener* listener, int id)
{
    mDoneCount = 0;
    mRestartDue = false;
    Action::Start(listener, id);
    StartBody();
}

void LoopAction::StartBody()
{
    mStartingBody = true;
    mBody->Start(this, -1);
    mStartingBody = false;
}

void LoopAction::Update()
{
    if (!mRunning)
        return;
    if (mRestartDue)
    {
        mRestartDue = false;
        StartBody();
        return;
    }
    mBody->Update();
}

void LoopAction::Stop()
{
    mBody->Stop();
    mRestartDue = false;
    mRunning = false;
}

std::unique_ptr<Action> LoopAction::Clone() const
{
    return std::unique_ptr<Action>(new LoopAction(*this));
}

void LoopAction::OnActionFinished(int)
{
    if (mRepeatCount != -1)
        ++mDoneCount;
    if (mRepeatCount != -1 && mDoneCount >= mRepeatCount)
    {
        Finish();
        return;
    }
    if (mStartingBody)
        mRestartDue = true;
    else
        StartBody();
}
