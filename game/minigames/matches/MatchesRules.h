#pragma once

#include "game/minigames/matches/MatchesPuzzle.h"

#include <string>
#include <vector>

// The match-stick rules: take a stick out of any slot, put it into any free
// slot; every placement costs a move and is compared with every accepted
// layout. Out of moves and unsolved, the board waits for Reset.
class MatchesRules
{
public:
    // Solutions of another size than the start are refused and reported.
    MatchesRules(MatchesLayout start, std::vector<MatchesLayout> solutions, int moves);

    // Playable when there is a start layout with cells and at least one solution.
    bool IsPlayable() const { return mStart.mState.GetCellCount() > 0 && !mSolutions.empty(); }
    const std::vector<std::string>& GetProblems() const { return mProblems; }

    enum class Result
    {
        Refused,
        Taken,
        Placed,
        Solved
    };
    // Takes the stick of a slot when nothing is held, or places the held one
    // into a free slot.
    Result Click(int cell, int slot);
    void Reset();

    bool IsSolved() const { return mSolved; }
    bool IsHolding() const { return mHeldCell >= 0; }
    int GetHeldCell() const { return mHeldCell; }
    int GetHeldSlot() const { return mHeldSlot; }
    int GetMovesLeft() const { return mMovesLeft; }
    int GetColumns() const { return mStart.mColumns; }
    int GetRows() const { return mStart.mRows; }
    const MatchesBoardState& GetBoard() const { return mBoard; }
    bool HasStick(int cell, int slot) const;

private:
    MatchesLayout mStart;
    std::vector<MatchesLayout> mSolutions;
    std::vector<std::string> mProblems;
    MatchesBoardState mBoard;
    int mMoves = 0;
    int mMovesLeft = 0;
    int mHeldCell = -1;
    int mHeldSlot = -1;
    bool mSolved = false;
};
