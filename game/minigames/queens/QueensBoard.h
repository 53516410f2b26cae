#pragma once

#include <optional>
#include <vector>

// The queens rules: N queens wait in a strip; the player carries one at a time
// onto the N x N board and off again. Solved when all N stand on the board and
// no two share a row, a column or a diagonal.
class QueensBoard
{
public:
    // Any size but 4 or 5 plays as 4.
    explicit QueensBoard(int size);

    enum class Button
    {
        Left,
        Right
    };
    enum class Result
    {
        Nothing,
        Taken,        // a queen picked up (pick sound)
        Placed,       // a queen put down on the board or back into the strip (place sound)
        ReturnedQuiet // a carried queen sent back to the strip without a sound
    };

    Result ClickStrip(int queen, Button button);
    Result ClickCell(int cell, Button button);
    // A click on the game outside the strip and the board.
    Result ClickElsewhere(Button button);
    void Reset();

    int GetSize() const { return mSize; }
    int GetCarried() const { return mCarried; }
    bool IsInStrip(int queen) const;
    // The queen on a cell, -1 when empty.
    int QueenOnCell(int cell) const { return mCells[size_t(cell)]; }
    int CellOfQueen(int queen) const;
    bool IsSolved() const { return mSolved; }
    // The test on the current board, whatever the solved flag says.
    bool CheckSolved() const;

private:
    bool ValidQueen(int queen) const { return queen >= 0 && queen < mSize; }
    bool ValidCell(int cell) const { return cell >= 0 && cell < mSize * mSize; }

    int mSize = 4;
    std::vector<int> mCells;  // queen index per cell, -1 when empty
    std::vector<bool> mTaken; // out of the strip: carried or on the board
    int mCarried = -1;
    bool mSolved = false;
};

// One non-attacking placement for the board, as a column per row; none when
// there is no such placement.
std::optional<std::vector<int>> SolveQueens(int size);
