#include "game/minigames/matches/MatchesBoardState.h"

MatchSticks* MatchesBoardState::GetCell(int index)
{
    return index >= 0 && size_t(index) < mCells.size() ? &mCells[size_t(index)] : nullptr;
}

const MatchSticks* MatchesBoardState::GetCell(int index) const
{
    return index >= 0 && size_t(index) < mCells.size() ? &mCells[size_t(index)] : nullptr;
}

void MatchesBoardState::SetStickBit(MatchSticks& sticks, int bit, int value)
{
    if (bit < 0 || bit >= kSlotCount)
        return;
    sticks.set(size_t(bit), value == 1);
}

int MatchesBoardState::CountSticks() const
{
    int count = 0;
    for (const MatchSticks& cell : mCells)
        count += int(cell.count());
    return count;
}
