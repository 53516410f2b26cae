#include "game/minigames/matches/MatchesRules.h"

MatchesRules::MatchesRules(MatchesLayout start, std::vector<MatchesLayout> solutions, int moves)
    : mStart(std::move(start)), mMoves(moves)
{
    for (size_t i = 0; i < solutions.size(); ++i)
    {
        if (solutions[i].mColumns != mStart.mColumns || solutions[i].mRows != mStart.mRows)
        {
            mProblems.push_back("solution " + std::to_string(i + 1) + " is a board of another size; ignored");
            continue;
        }
        mSolutions.push_back(std::move(solutions[i]));
    }
    Reset();
}

bool MatchesRules::HasStick(int cell, int slot) const
{
    const MatchSticks* sticks = mBoard.GetCell(cell);
    return sticks != nullptr && slot >= 0 && slot < kSlotCount && sticks->test(size_t(slot));
}

MatchesRules::Result MatchesRules::Click(int cell, int slot)
{
    MatchSticks* sticks = mBoard.GetCell(cell);
    if (mSolved || mMovesLeft <= 0 || sticks == nullptr || slot < 0 || slot >= kSlotCount)
        return Result::Refused;
    if (!IsHolding())
    {
        if (!sticks->test(size_t(slot)))
            return Result::Refused;
        sticks->reset(size_t(slot));
        mHeldCell = cell;
        mHeldSlot = slot;
        return Result::Taken;
    }
    if (sticks->test(size_t(slot)))
        return Result::Refused;
    sticks->set(size_t(slot));
    mHeldCell = -1;
    mHeldSlot = -1;
    --mMovesLeft;
    for (const MatchesLayout& solution : mSolutions)
        mSolved = mSolved || mBoard.Equals(solution.mState);
    return mSolved ? Result::Solved : Result::Placed;
}

void MatchesRules::Reset()
{
    mBoard = mStart.mState;
    mMovesLeft = mMoves;
    mHeldCell = -1;
    mHeldSlot = -1;
    mSolved = false;
}
