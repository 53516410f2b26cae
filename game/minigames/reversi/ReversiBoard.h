#pragma once

#include <array>
#include <cstddef>
#include <vector>

// Reversi on 8 x 8 against a computer that always takes the first legal cell
// in board order. The legal marks belong to the side to move. The game ends
// when neither side can move: more player discs solve it, equal is a draw,
// fewer a loss.
class ReversiBoard
{
public:
    static constexpr int kSize = 8;
    static constexpr int kCells = kSize * kSize;
    static constexpr int kEmpty = -1;
    static constexpr int kPlayer = 0;
    static constexpr int kComputer = 1;

    enum class Outcome
    {
        Playing,
        Solved,
        Draw,
        Lost
    };

    ReversiBoard();

    // 0 up, 1 down, 2 right, 3 left, 4 up-right, 5 up-left, 6 down-right,
    // 7 down-left; -2 off the board or for another direction.
    static int GetNeighbourIndex(int cell, int direction);

    // The cells the player's disc turned, empty when the move is refused (the
    // computer's turn, the game over, or a cell not marked).
    std::vector<int> PlayerMove(int cell);
    // The computer moves, and again at once while the player cannot; ends the
    // game when neither side can. Returns the cells it played on, in order.
    std::vector<int> PlayComputerTurn();
    // The starting position with the player to move; ignored once solved.
    bool Reset();

    int GetColour(int cell) const { return mColours[std::size_t(cell)]; }
    bool IsLegal(int cell) const { return mLegal[std::size_t(cell)]; }
    bool IsComputerTurn() const { return mComputerTurn; }
    Outcome GetOutcome() const { return mOutcome; }
    int CountDiscs(int colour) const;
    int CountLegalMoves() const;

    // For tests and positions set up by hand: the cells' colours, the player to move.
    void SetPosition(const std::array<int, kCells>& colours);

private:
    void MarkLegalMoves(int colour);
    std::vector<int> PlaceDisc(int cell, int colour);

    std::array<int, kCells> mColours{};
    std::array<bool, kCells> mLegal{};
    bool mComputerTurn = false;
    Outcome mOutcome = Outcome::Playing;
};
