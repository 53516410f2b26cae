#include "game/minigames/vessels/WinePitchersBoard.h"

WinePitchersBoard::WinePitchersBoard(const WinePitchersMode& mode, int bottleHeight, int glassHeight)
    : mVessels(mode.MakePair()), mBottleHeight(bottleHeight), mGlassHeight(glassHeight)
{
}

bool WinePitchersBoard::Apply(VesselPair::Operation operation)
{
    if (IsMoving() || mSolved)
        return false;
    const int bottle = mVessels.GetFirst();
    const int glass = mVessels.GetSecond();
    if (!mVessels.Apply(operation))
        return false;
    const bool pour = operation == VesselPair::Operation::PourFirstIntoSecond ||
                      operation == VesselPair::Operation::PourSecondIntoFirst;
    if (pour || mVessels.GetFirst() != bottle)
        mBottleLevel.MoveTo(LiquidLevel(mBottleHeight, mVessels.GetFirst(), mVessels.GetFirstCapacity()));
    if (pour || mVessels.GetSecond() != glass)
        mGlassLevel.MoveTo(LiquidLevel(mGlassHeight, mVessels.GetSecond(), mVessels.GetSecondCapacity()));
    return true;
}

bool WinePitchersBoard::Reset()
{
    if (mSolved)
        return false;
    if (mVessels.GetFirst() > 0)
    {
        mVessels.Apply(VesselPair::Operation::EmptyFirst);
        mBottleLevel.MoveTo(0);
    }
    if (mVessels.GetSecond() > 0)
    {
        mVessels.Apply(VesselPair::Operation::EmptySecond);
        mGlassLevel.MoveTo(0);
    }
    return true;
}

void WinePitchersBoard::UpdateLevel(VesselLevel& level)
{
    if (level.IsMoving())
        level.Update();
    else
        mSolved = mVessels.IsSolved();
}

void WinePitchersBoard::Update()
{
    UpdateLevel(mBottleLevel);
    UpdateLevel(mGlassLevel);
}
