#pragma once

#include "game/minigames/vessels/VesselPair.h"

#include <string>

// The wine pitchers' two puzzles: the bottle is the first vessel, the glass the second.
struct WinePitchersMode
{
    std::string mName;
    int mBottleCapacity = 5;
    int mGlassCapacity = 3;
    int mTarget = 4;
    int mHelpNumber = 8;

    // "Mode1" and "Mode2"; any other name is "Mode1".
    static WinePitchersMode ByName(const std::string& name);
    VesselPair MakePair() const { return VesselPair(mBottleCapacity, mGlassCapacity, mTarget); }
};

// Pixel level of a liquid picture of the given height for contents out of capacity.
inline int LiquidLevel(int pictureHeight, int contents, int capacity)
{
    return pictureHeight * contents / capacity;
}
