#include "game/minigames/queens/QueensBoard.h"

#include <cstdlib>

QueensBoard::QueensBoard(int size) : mSize(size == 4 || size == 5 ? size : 4)
{
    Reset();
}

void QueensBoard::Reset()
{
    mCells.assign(size_t(mSize * mSize), -1);
    mTaken.assign(size_t(mSize), false);
    mCarried = -1;
}

bool QueensBoard::IsInStrip(int queen) const
{
    return ValidQueen(queen) && !mTaken[size_t(queen)];
}

int QueensBoard::CellOfQueen(int queen) const
{
    for (size_t i = 0; i < mCells.size(); ++i)
        if (mCells[i] == queen)
            return int(i);
    return -1;
}

QueensBoard::Result QueensBoard::ClickStrip(int queen, Button button)
{
    if (mSolved || !ValidQueen(queen))
        return Result::Nothing;
    if (button == Button::Right)
        return ClickElsewhere(button) == Result::ReturnedQuiet ? Result::Placed : Result::Nothing;
    if (queen == mCarried)
    {
        mTaken[size_t(queen)] = false;
        mCarried = -1;
        return Result::Placed;
    }
    if (mCarried < 0 && !mTaken[size_t(queen)])
    {
        mTaken[size_t(queen)] = true;
        mCarried = queen;
        return Result::Taken;
    }
    return Result::Nothing;
}

QueensBoard::Result QueensBoard::ClickCell(int cell, Button button)
{
    if (mSolved || !ValidCell(cell))
        return Result::Nothing;
    if (button == Button::Right)
        return ClickElsewhere(button);
    int& standing = mCells[size_t(cell)];
    if (mCarried >= 0)
    {
        if (standing >= 0)
            return Result::Nothing;
        standing = mCarried;
        mCarried = -1;
        mSolved = CheckSolved();
        return Result::Placed;
    }
    if (standing < 0)
        return Result::Nothing;
    mCarried = standing;
    standing = -1;
    return Result::Taken;
}

QueensBoard::Result QueensBoard::ClickElsewhere(Button button)
{
    if (mSolved || button != Button::Right || mCarried < 0)
        return Result::Nothing;
    mTaken[size_t(mCarried)] = false;
    mCarried = -1;
    return Result::ReturnedQuiet;
}

bool QueensBoard::CheckSolved() const
{
    std::vector<int> columnOfRow(size_t(mSize), -1);
    int placed = 0;
    for (int cell = 0; cell < mSize * mSize; ++cell)
    {
        if (mCells[size_t(cell)] < 0)
            continue;
        ++placed;
        const int row = cell / mSize;
        if (columnOfRow[size_t(row)] >= 0)
            return false;
        columnOfRow[size_t(row)] = cell % mSize;
    }
    if (placed != mSize)
        return false;
    for (int a = 0; a < mSize; ++a)
        for (int b = a + 1; b < mSize; ++b)
        {
            const int ca = columnOfRow[size_t(a)], cb = columnOfRow[size_t(b)];
            if (ca == cb || std::abs(ca - cb) == b - a)
                return false;
        }
    return true;
}

namespace
{

bool Place(int size, int row, std::vector<int>& columns)
{
    if (row == size)
        return true;
    for (int column = 0; column < size; ++column)
    {
        bool safe = true;
        for (int earlier = 0; earlier < row; ++earlier)
            safe = safe && columns[size_t(earlier)] != column &&
                   std::abs(columns[size_t(earlier)] - column) != row - earlier;
        if (!safe)
            continue;
        columns[size_t(row)] = column;
        if (Place(size, row + 1, columns))
            return true;
    }
    return false;
}

} // namespace

std::optional<std::vector<int>> SolveQueens(int size)
{
    std::vector<int> columns(size_t(size > 0 ? size : 0), -1);
    if (size <= 0 || !Place(size, 0, columns))
        return std::nullopt;
    return columns;
}
