#pragma once

#include "game/minigames/vessels/VesselPair.h"

// The tanks and valves: the left tank (7) is the first vessel, the right (5)
// the second, 6 units to measure. An empty tank still shows its base column.
struct TanksPuzzle
{
    static constexpr int kLeftCapacity = 7;
    static constexpr int kRightCapacity = 5;
    static constexpr int kTarget = 6;
    static constexpr int kLeftBase = 25;
    static constexpr int kRightBase = 26;
    static constexpr int kHelpNumber = 22;

    static VesselPair MakePair() { return VesselPair(kLeftCapacity, kRightCapacity, kTarget); }
    // Water picture height minus the base column gives the range.
    static int LeftRange(int waterHeight) { return waterHeight - kLeftBase; }
    static int RightRange(int waterHeight) { return waterHeight - kRightBase; }
    static int ColumnHeight(int contents, int capacity, int range, int base)
    {
        return base + range * contents / capacity;
    }
};
