#pragma once

#include "game/minigames/vessels/VesselLevel.h"
#include "game/minigames/vessels/VesselPair.h"
#include "game/minigames/vessels/WinePitchersMode.h"

// The wine pitchers with their guards: no arrow acts while either level moves
// or once solved; a fill or an empty moves its own vessel's level, a pour both.
class WinePitchersBoard
{
public:
    // Heights of the bottle's and the glass's liquid pictures.
    WinePitchersBoard(const WinePitchersMode& mode, int bottleHeight, int glassHeight);

    // True when the operation acted (the pour sound plays).
    bool Apply(VesselPair::Operation operation);
    // Each vessel holding something is emptied, its level moving to 0 from
    // where it stands. Ignored once solved.
    bool Reset();
    // Solved is tested whenever a vessel's level stands still.
    void Update();

    bool IsSolved() const { return mSolved; }
    bool IsMoving() const { return mBottleLevel.IsMoving() || mGlassLevel.IsMoving(); }
    const VesselPair& GetVessels() const { return mVessels; }
    int GetBottleLevel() const { return mBottleLevel.GetLevel(); }
    int GetGlassLevel() const { return mGlassLevel.GetLevel(); }

private:
    void UpdateLevel(VesselLevel& level);

    VesselPair mVessels;
    int mBottleHeight;
    int mGlassHeight;
    VesselLevel mBottleLevel;
    VesselLevel mGlassLevel;
    bool mSolved = false;
};
