#pragma once

#include "game/shell/Action.h"
#include "game/shell/ActionListener.h"

#include <memory>
#include <vector>

// An action made of owned child actions. Composites poll their children's
// running flags rather than counting their notifications.
class CompositeAction : public Action, public ActionListener
{
public:
    void Stop() override;
    void OnActionFinished(int) override {}

    void Append(std::unique_ptr<Action> child);
    size_t GetChildCount() const { return mChildren.size(); }
    Action& GetChild(size_t index) { return *mChildren[index]; }

protected:
    CompositeAction() = default;
    // Clones every child; children that listened to the original listen to the copy.
    CompositeAction(const CompositeAction& other);

    std::vector<std::unique_ptr<Action>> mChildren;
};
