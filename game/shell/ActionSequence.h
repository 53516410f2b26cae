#pragma once

#include "game/shell/CompositeAction.h"

// Runs its children one after the other. The hand-over costs one update:
// when a child ends in update n, the next starts in update n + 1 and is first
// updated in update n + 2; the sequence ends in the update after its last
// child ended. An empty sequence ends inside Start.
class ActionSequence : public CompositeAction
{
public:
    ActionSequence() = default;

    void Start(ActionListener* listener, int id) override;
    void Update() override;
    std::unique_ptr<Action> Clone() const override;

private:
    ActionSequence(const ActionSequence&) = default;

    int32_t mCurrent = 0;
};
