#pragma once

// A vessel's drawn liquid level moving to a new height: one step every second
// update, 21 steps from start to target and one more to settle. The contents
// change at once; input waits for the level.
class VesselLevel
{
public:
    static constexpr int kSteps = 20;

    explicit VesselLevel(int level = 0) : mLevel(level) {}

    void MoveTo(int level);
    // Returns true in the update in which the level comes to rest.
    bool Update();

    int GetLevel() const { return mLevel; }
    bool IsMoving() const { return mMoving; }

private:
    int mLevel;
    int mStart = 0;
    int mDelta = 0;
    int mStep = 0;
    int mTick = 0;
    bool mMoving = false;
};
