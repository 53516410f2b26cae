#pragma once

#include <cstdint>
#include <memory>

class ActionListener;

// A small timed step of an animation. Its owner calls Update regularly (as a
// rule once per pass of its widget's update); the action reads the pausable
// game clock, and when it ends it tells its listener the id it was started
// with. The running flag is already clear when the listener is told, so the
// listener may start the action again.
class Action
{
public:
    virtual ~Action() = default;
    Action& operator=(const Action&) = delete;

    // Does nothing while the action is not running.
    virtual void Update() {}
    // Subclasses prepare first, then call this.
    virtual void Start(ActionListener* listener, int id);
    // Ends the action without telling anyone.
    virtual void Stop();
    // A copy with every field, listener, id, running flag and timer included.
    virtual std::unique_ptr<Action> Clone() const = 0;

    bool IsRunning() const { return mRunning; }
    int32_t GetId() const { return mId; }
    ActionListener* GetListener() const { return mListener; }

protected:
    Action() = default;
    Action(const Action&) = default;

    void Finish();

    int32_t mId = 0;
    ActionListener* mListener = nullptr;
    bool mRunning = false;

    friend class CompositeAction;
    friend class LoopAction;
};

// `first`, then `next`: a sequence that owns both. When `first` is already a
// sequence, `next` joins its children instead, so chaining three actions
// gives one sequence of three.
std::unique_ptr<Action> Then(std::unique_ptr<Action> first, std::unique_ptr<Action> next);
// `first` beside `other`: a parallel group that owns both; a group that is
// `first` takes `other` in as one more child.
std::unique_ptr<Action> Parallel(std::unique_ptr<Action> first, std::unique_ptr<Action> other);
