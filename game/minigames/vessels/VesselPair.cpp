#include "game/minigames/vessels/VesselPair.h"

#include <algorithm>

VesselPair::VesselPair(int firstCapacity, int secondCapacity, int target, int first, int second)
    : mFirstCapacity(std::max(firstCapacity, 1)), mSecondCapacity(std::max(secondCapacity, 1)),
      mTarget(target), mFirst(std::clamp(first, 0, mFirstCapacity)),
      mSecond(std::clamp(second, 0, mSecondCapacity))
{
}

namespace
{

bool Pour(int& from, int& into, int intoCapacity)
{
    if (from == 0 || into == intoCapacity)
        return false;
    const int moved = std::min(from, intoCapacity - into);
    from -= moved;
    into += moved;
    return true;
}

bool SetTo(int& contents, int value)
{
    if (contents == value)
        return false;
    contents = value;
    return true;
}

} // namespace

bool VesselPair::Apply(Operation operation)
{
    switch (operation)
    {
    case Operation::FillFirst:
        return SetTo(mFirst, mFirstCapacity);
    case Operation::FillSecond:
        return SetTo(mSecond, mSecondCapacity);
    case Operation::EmptyFirst:
        return SetTo(mFirst, 0);
    case Operation::EmptySecond:
        return SetTo(mSecond, 0);
    case Operation::PourFirstIntoSecond:
        return Pour(mFirst, mSecond, mSecondCapacity);
    case Operation::PourSecondIntoFirst:
        return Pour(mSecond, mFirst, mFirstCapacity);
    }
    return false;
}
