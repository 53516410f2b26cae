#pragma once

#include "game/shell/Action.h"
#include "game/shell/ActionListener.h"

#include <memory>

// Runs its owned body again and again: forever with a repeat count of -1,
// when it never tells its listener, else that many times. The body is started
// again inside the update in which it ended.
class LoopAction : public Action, public ActionListener
{
public:
    explicit LoopAction(std::unique_ptr<Action> body, int32_t repeatCount = -1);

    void Start(ActionListener* listener, int id) override;
    void Update() override;
    void Stop() override;
    std::unique_ptr<Action> Clone() const override;
    void OnActionFinished(int id) override;

private:
    LoopAction(const LoopAction& other);

    void StartBody();

    std::unique_ptr<Action> mBody;
    int32_t mRepeatCount;
    int32_t mDoneCount = 0;
    // A body that ends inside its own Start (an empty sequence) would be
    // restarted from within that Start without end; it waits for the next
    // update instead, so every round of the loop costs at least one update.
    bool mStartingBody = false;
    bool mRestartDue = false;
};
