#pragma once

// The two-vessel measuring rules shared by the wine pitchers and the tanks:
// fill either vessel, empty either, or pour one into the other until the
// source is empty or the destination full. Solved as soon as either vessel
// holds the target.
class VesselPair
{
public:
    enum class Operation
    {
        FillFirst,
        FillSecond,
        EmptyFirst,
        EmptySecond,
        PourFirstIntoSecond,
        PourSecondIntoFirst
    };
    static constexpr int kOperationCount = 6;

    // Contents start empty unless given; they are kept within the capacities.
    VesselPair(int firstCapacity, int secondCapacity, int target, int first = 0, int second = 0);

    // False, changing nothing, where the operation has nothing to do (filling a
    // full vessel, emptying an empty one, pouring from empty or into full).
    bool Apply(Operation operation);
    void Reset() { mFirst = mSecond = 0; }

    bool IsSolved() const { return mFirst == mTarget || mSecond == mTarget; }
    int GetFirst() const { return mFirst; }
    int GetSecond() const { return mSecond; }
    int GetFirstCapacity() const { return mFirstCapacity; }
    int GetSecondCapacity() const { return mSecondCapacity; }
    int GetTarget() const { return mTarget; }

private:
    int mFirstCapacity;
    int mSecondCapacity;
    int mTarget;
    int mFirst = 0;
    int mSecond = 0;
};
