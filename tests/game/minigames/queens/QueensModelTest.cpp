#include "game/minigames/queens/QueensBoard.h"

#include <gtest/gtest.h>

namespace
{

using B = QueensBoard::Button;
using R = QueensBoard::Result;

void Carry(QueensBoard& board, int queen, int cell)
{
    ASSERT_EQ(board.ClickStrip(queen, B::Left), R::Taken);
    ASSERT_EQ(board.ClickCell(cell, B::Left), R::Placed);
}

} // namespace

TEST(QueensBoardTest, CarryingFromTheStripAndBack)
{
    QueensBoard board(4);
    EXPECT_EQ(board.ClickStrip(0, B::Left), R::Taken);
    EXPECT_EQ(board.GetCarried(), 0);
    EXPECT_EQ(board.ClickStrip(1, B::Left), R::Nothing); // one queen at a time
    EXPECT_EQ(board.ClickStrip(0, B::Left), R::Placed);  // back to its own place
    EXPECT_TRUE(board.IsInStrip(0));
    board.ClickStrip(2, B::Left);
    EXPECT_EQ(board.ClickStrip(3, B::Right), R::Placed); // right click sends it home with a sound
    EXPECT_TRUE(board.IsInStrip(2));
    board.ClickStrip(2, B::Left);
    EXPECT_EQ(board.ClickCell(5, B::Right), R::ReturnedQuiet);
    board.ClickStrip(2, B::Left);
    EXPECT_EQ(board.ClickElsewhere(B::Right), R::ReturnedQuiet);
    EXPECT_EQ(board.ClickElsewhere(B::Left), R::Nothing);
    EXPECT_EQ(board.GetCarried(), -1);
}

TEST(QueensBoardTest, QueensMoveBetweenCellsAndOccupiedCellsRefuse)
{
    QueensBoard board(4);
    Carry(board, 0, 5);
    EXPECT_EQ(board.ClickStrip(0, B::Left), R::Nothing); // its place is empty while it stands on the board
    board.ClickStrip(1, B::Left);
    EXPECT_EQ(board.ClickCell(5, B::Left), R::Nothing); // occupied: still carried
    EXPECT_EQ(board.GetCarried(), 1);
    board.ClickStrip(1, B::Left);
    EXPECT_EQ(board.ClickCell(5, B::Left), R::Taken);
    EXPECT_EQ(board.QueenOnCell(5), -1);
    EXPECT_EQ(board.ClickCell(10, B::Left), R::Placed);
    EXPECT_EQ(board.CellOfQueen(0), 10);
    EXPECT_EQ(board.ClickCell(3, B::Left), R::Nothing);
}

TEST(QueensBoardTest, SolvedOnlyWithEveryQueenSafe)
{
    QueensBoard board(4);
    // Rows 0..3 at columns 1, 3, 0, 2 is safe; start with the last queen attacking.
    Carry(board, 0, 0 * 4 + 1);
    Carry(board, 1, 1 * 4 + 3);
    Carry(board, 2, 2 * 4 + 0);
    Carry(board, 3, 3 * 4 + 3);
    EXPECT_FALSE(board.IsSolved());
    ASSERT_EQ(board.ClickCell(3 * 4 + 3, B::Left), R::Taken);
    ASSERT_EQ(board.ClickCell(3 * 4 + 2, B::Left), R::Placed);
    EXPECT_TRUE(board.IsSolved());
    EXPECT_EQ(board.ClickCell(3 * 4 + 2, B::Left), R::Nothing);
}

TEST(QueensBoardTest, ResetAndSizes)
{
    QueensBoard board(5);
    EXPECT_EQ(board.GetSize(), 5);
    Carry(board, 0, 7);
    board.ClickStrip(1, B::Left);
    board.Reset();
    EXPECT_EQ(board.GetCarried(), -1);
    for (int q = 0; q < 5; ++q)
        EXPECT_TRUE(board.IsInStrip(q));
    EXPECT_EQ(board.QueenOnCell(7), -1);
    for (int size : {0, 3, 6, -1})
        EXPECT_EQ(QueensBoard(size).GetSize(), 4);
}

TEST(QueensBoardTest, TheSolverPlacesEveryBoardOfTheGame)
{
    for (int size : {4, 5})
    {
        std::optional<std::vector<int>> columns = SolveQueens(size);
        ASSERT_TRUE(columns.has_value());
        QueensBoard board(size);
        for (int row = 0; row < size; ++row)
            Carry(board, row, row * size + (*columns)[size_t(row)]);
        EXPECT_TRUE(board.IsSolved()) << size;
    }
    EXPECT_FALSE(SolveQueens(3).has_value());
}
