#include "game/minigames/vessels/TanksBoard.h"

namespace
{

VesselPair::Operation OperationOf(TanksBoard::Valve valve)
{
    using V = TanksBoard::Valve;
    using O = VesselPair::Operation;
    switch (valve)
    {
    case V::FillLeft:
        return O::FillFirst;
    case V::FillRight:
        return O::FillSecond;
    case V::EmptyLeft:
        return O::EmptyFirst;
    case V::EmptyRight:
        return O::EmptySecond;
    case V::PourRightIntoLeft:
        return O::PourSecondIntoFirst;
    case V::PourLeftIntoRight:
        return O::PourFirstIntoSecond;
    }
    return O::FillFirst;
}

} // namespace

TanksBoard::TanksBoard(int leftRange, int rightRange) : mLeftRange(leftRange), mRightRange(rightRange) {}

int TanksBoard::LeftTarget() const
{
    return TanksPuzzle::ColumnHeight(mTanks.GetFirst(), TanksPuzzle::kLeftCapacity, mLeftRange,
                                     TanksPuzzle::kLeftBase);
}

int TanksBoard::RightTarget() const
{
    return TanksPuzzle::ColumnHeight(mTanks.GetSecond(), TanksPuzzle::kRightCapacity, mRightRange,
                                     TanksPuzzle::kRightBase);
}

bool TanksBoard::ClickValve(Valve valve)
{
    ValveTurn& turn = mValves[std::size_t(valve)];
    if (!turn.IsStill() || IsMoving())
        return false;
    const int left = mTanks.GetFirst();
    const int right = mTanks.GetSecond();
    const auto operation = OperationOf(valve);
    if (!mTanks.Apply(operation))
        return false;
    const bool pour = valve == Valve::PourRightIntoLeft || valve == Valve::PourLeftIntoRight;
    if (pour || mTanks.GetFirst() != left)
        mLeftLevel.MoveTo(LeftTarget());
    if (pour || mTanks.GetSecond() != right)
        mRightLevel.MoveTo(RightTarget());
    turn.Open();
    return true;
}

bool TanksBoard::Reset()
{
    if (mSolved || IsMoving())
        return false;
    if (mTanks.GetFirst() > 0)
    {
        mTanks.Apply(VesselPair::Operation::EmptyFirst);
        mLeftLevel.MoveTo(TanksPuzzle::kLeftBase);
        mValves[std::size_t(Valve::EmptyLeft)].Open();
    }
    if (mTanks.GetSecond() > 0)
    {
        mTanks.Apply(VesselPair::Operation::EmptySecond);
        mRightLevel.MoveTo(TanksPuzzle::kRightBase);
        mValves[std::size_t(Valve::EmptyRight)].Open();
    }
    return true;
}

void TanksBoard::CloseValves(bool left)
{
    mValves[std::size_t(left ? Valve::FillLeft : Valve::FillRight)].Close();
    mValves[std::size_t(left ? Valve::EmptyLeft : Valve::EmptyRight)].Close();
    mValves[std::size_t(Valve::PourRightIntoLeft)].Close();
    mValves[std::size_t(Valve::PourLeftIntoRight)].Close();
}

void TanksBoard::Update()
{
    for (ValveTurn& valve : mValves)
        valve.Update();
    if (!mLeftLevel.IsMoving())
        mSolved = mTanks.IsSolved();
    else if (mLeftLevel.Update())
    {
        CloseValves(true);
        return;
    }
    if (!mRightLevel.IsMoving())
        mSolved = mTanks.IsSolved();
    else if (mRightLevel.Update())
    {
        CloseValves(false);
        return;
    }
    mSolved = mTanks.IsSolved();
}
