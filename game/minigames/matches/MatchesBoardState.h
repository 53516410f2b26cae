#pragma once

#include <bitset>
#include <vector>

// The six stick slots of a cell, as bits of its stick set.
enum MatchSlot
{
    kSlotTop = 0,
    kSlotBottom = 1,
    kSlotRight = 2,
    kSlotLeft = 3,
    kSlotLeftToRight = 4,
    kSlotRightToLeft = 5,
    kSlotCount = 6
};

using MatchSticks = std::bitset<kSlotCount>;

// One layout of the match-stick board: a stick set per cell, row by row.
class MatchesBoardState
{
public:
    MatchesBoardState() = default;
    explicit MatchesBoardState(size_t cells) : mCells(cells) {}

    size_t GetCellCount() const { return mCells.size(); }
    // The cell's stick set, or null when the index lies outside the layout.
    MatchSticks* GetCell(int index);
    const MatchSticks* GetCell(int index) const;
    void AppendCell(MatchSticks sticks) { mCells.push_back(sticks); }
    // Sets the bit for a value of 1, clears it otherwise; a bit above 5 changes nothing.
    static void SetStickBit(MatchSticks& sticks, int bit, int value);
    bool Equals(const MatchesBoardState& other) const { return mCells == other.mCells; }
    int CountSticks() const;
    void Clear() { mCells.clear(); }

private:
    std::vector<MatchSticks> mCells;
};
