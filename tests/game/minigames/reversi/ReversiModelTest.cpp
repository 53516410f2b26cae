#include "game/minigames/reversi/ReversiBoard.h"
#include "game/minigames/reversi/ReversiSolver.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace
{

using Outcome = ReversiBoard::Outcome;

std::vector<int> LegalCells(const ReversiBoard& board)
{
    std::vector<int> cells;
    for (int cell = 0; cell < ReversiBoard::kCells; ++cell)
        if (board.IsLegal(cell))
            cells.push_back(cell);
    return cells;
}

std::array<int, ReversiBoard::kCells> Colours(const ReversiBoard& board, bool swapped)
{
    std::array<int, ReversiBoard::kCells> colours{};
    for (int cell = 0; cell < ReversiBoard::kCells; ++cell)
    {
        const int colour = board.GetColour(cell);
        colours[size_t(cell)] = swapped && colour != ReversiBoard::kEmpty ? 1 - colour : colour;
    }
    return colours;
}

// The same position with the colours exchanged, so the computer's moves can be tried as the player's.
ReversiBoard Swapped(const ReversiBoard& board)
{
    ReversiBoard swapped;
    swapped.SetPosition(Colours(board, true));
    return swapped;
}

std::vector<int> LegalCellsOf(const ReversiBoard& board, int colour)
{
    ReversiBoard probe;
    probe.SetPosition(Colours(board, colour == ReversiBoard::kComputer));
    return LegalCells(probe);
}

// How many discs each of the computer's legal cells would turn.
std::vector<int> Turns(const ReversiBoard& board, const std::vector<int>& cells)
{
    std::vector<int> turns;
    for (int cell : cells)
    {
        ReversiBoard probe = Swapped(board);
        turns.push_back(int(probe.PlayerMove(cell).size()));
    }
    return turns;
}

} // namespace

TEST(ReversiBoardTest, NeighboursInTheirEightDirections)
{
    struct Case
    {
        int mCell, mDirection, mNeighbour;
    };
    const Case cases[] = {{27, 0, 19}, {27, 1, 35}, {27, 2, 28}, {27, 3, 26},  {27, 4, 20},
                          {27, 5, 18}, {27, 6, 36}, {27, 7, 34}, {0, 0, -2},   {0, 3, -2},
                          {0, 5, -2},  {7, 2, -2},  {7, 4, -2},  {63, 1, -2},  {63, 6, -2},
                          {56, 7, -2}, {56, 4, 49}, {27, 8, -2}, {27, -1, -2}, {64, 0, -2}};
    for (const Case& c : cases)
        EXPECT_EQ(ReversiBoard::GetNeighbourIndex(c.mCell, c.mDirection), c.mNeighbour)
            << c.mCell << " dir " << c.mDirection;
}

TEST(ReversiBoardTest, StartsWithFourMarkedCellsForThePlayer)
{
    ReversiBoard board;
    EXPECT_EQ(LegalCells(board), (std::vector<int>{20, 29, 34, 43}));
    EXPECT_EQ(board.CountDiscs(ReversiBoard::kPlayer), 2);
    EXPECT_EQ(board.CountDiscs(ReversiBoard::kComputer), 2);
    EXPECT_FALSE(board.IsComputerTurn());
    // An unmarked cell does nothing.
    EXPECT_TRUE(board.PlayerMove(0).empty());
    EXPECT_FALSE(board.IsComputerTurn());
}

TEST(ReversiBoardTest, TheComputerTakesTheLowestLegalCellNotTheBest)
{
    // Over whole games of players who always take the first, the last or a middle legal cell.
    bool passedOverABetterCell = false;
    for (int strategy = 0; strategy < 3; ++strategy)
    {
        ReversiBoard board;
        while (board.GetOutcome() == Outcome::Playing)
        {
            const std::vector<int> mine = LegalCells(board);
            ASSERT_FALSE(mine.empty());
            const size_t pick = strategy == 0 ? 0 : strategy == 1 ? mine.size() - 1 : mine.size() / 2;
            ASSERT_FALSE(board.PlayerMove(mine[pick]).empty());
            // No click during the computer's pause.
            EXPECT_TRUE(board.PlayerMove(mine[pick]).empty());
            const std::vector<int> theirs = LegalCells(board);
            const std::vector<int> turns = Turns(board, theirs);
            const std::vector<int> played = board.PlayComputerTurn();
            if (!theirs.empty())
            {
                ASSERT_FALSE(played.empty());
                EXPECT_EQ(played.front(), theirs.front());
                passedOverABetterCell =
                    passedOverABetterCell || *std::max_element(turns.begin(), turns.end()) > turns.front();
            }
            if (board.GetOutcome() == Outcome::Playing)
            {
                // The computer moved again for as long as the player could not.
                EXPECT_FALSE(board.IsComputerTurn());
                EXPECT_GT(board.CountLegalMoves(), 0);
            }
            else
            {
                EXPECT_EQ(LegalCellsOf(board, ReversiBoard::kComputer), std::vector<int>{});
                EXPECT_EQ(LegalCellsOf(board, ReversiBoard::kPlayer), std::vector<int>{});
            }
        }
    }
    EXPECT_TRUE(passedOverABetterCell);
}

TEST(ReversiBoardTest, AFullBoardOfThirtyTwoEachIsADraw)
{
    std::array<int, ReversiBoard::kCells> position;
    position.fill(ReversiBoard::kComputer);
    position[0] = ReversiBoard::kEmpty;
    position[2] = position[8] = position[9] = ReversiBoard::kPlayer;
    for (int cell = 10, extra = 0; extra < 27; ++cell)
        if (cell != 1)
        {
            position[size_t(cell)] = ReversiBoard::kPlayer;
            ++extra;
        }
    ReversiBoard board;
    board.SetPosition(position);
    ASSERT_EQ(LegalCells(board), (std::vector<int>{0}));
    board.PlayerMove(0);
    board.PlayComputerTurn();
    EXPECT_EQ(board.CountDiscs(ReversiBoard::kPlayer), 32);
    EXPECT_EQ(board.CountDiscs(ReversiBoard::kComputer), 32);
    EXPECT_EQ(board.GetOutcome(), Outcome::Draw);
    EXPECT_TRUE(board.IsComputerTurn());
    EXPECT_TRUE(board.PlayerMove(0).empty());
    EXPECT_TRUE(board.Reset());
    EXPECT_EQ(board.GetOutcome(), Outcome::Playing);
    EXPECT_EQ(board.CountLegalMoves(), 4);
}

TEST(ReversiBoardTest, ASearchedLineBeatsTheComputer)
{
    const std::optional<std::vector<int>> line = FindReversiWin(ReversiBoard(), 200000);
    ASSERT_TRUE(line.has_value());
    ReversiBoard board;
    for (int cell : *line)
    {
        ASSERT_FALSE(board.PlayerMove(cell).empty()) << cell;
        board.PlayComputerTurn();
    }
    EXPECT_EQ(board.GetOutcome(), Outcome::Solved);
    EXPECT_GT(board.CountDiscs(ReversiBoard::kPlayer), board.CountDiscs(ReversiBoard::kComputer));
    EXPECT_FALSE(board.Reset());
}
