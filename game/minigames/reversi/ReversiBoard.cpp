#include "game/minigames/reversi/ReversiBoard.h"

ReversiBoard::ReversiBoard()
{
    Reset();
}

int ReversiBoard::GetNeighbourIndex(int cell, int direction)
{
    static constexpr int kRow[8] = {-1, 1, 0, 0, -1, -1, 1, 1};
    static constexpr int kColumn[8] = {0, 0, 1, -1, 1, -1, 1, -1};
    if (cell < 0 || cell >= kCells || direction < 0 || direction > 7)
        return -2;
    const int row = cell / kSize + kRow[direction];
    const int column = cell % kSize + kColumn[direction];
    if (row < 0 || row >= kSize || column < 0 || column >= kSize)
        return -2;
    return row * kSize + column;
}

int ReversiBoard::CountDiscs(int colour) const
{
    int count = 0;
    for (int c : mColours)
        count += c == colour;
    return count;
}

int ReversiBoard::CountLegalMoves() const
{
    int count = 0;
    for (bool legal : mLegal)
        count += legal;
    return count;
}

void ReversiBoard::MarkLegalMoves(int colour)
{
    mLegal.fill(false);
    for (int cell = 0; cell < kCells; ++cell)
    {
        if (mColours[std::size_t(cell)] != colour)
            continue;
        for (int direction = 0; direction < 8; ++direction)
        {
            int walked = 0;
            for (int at = GetNeighbourIndex(cell, direction); at >= 0; at = GetNeighbourIndex(at, direction))
            {
                const int here = mColours[std::size_t(at)];
                if (here == colour)
                    break;
                if (here == kEmpty)
                {
                    if (walked > 0)
                        mLegal[std::size_t(at)] = true;
                    break;
                }
                ++walked;
            }
        }
    }
}

std::vector<int> ReversiBoard::PlaceDisc(int cell, int colour)
{
    mColours[std::size_t(cell)] = colour;
    std::vector<int> turned;
    for (int direction = 0; direction < 8; ++direction)
    {
        std::vector<int> run;
        for (int at = GetNeighbourIndex(cell, direction); at >= 0; at = GetNeighbourIndex(at, direction))
        {
            const int here = mColours[std::size_t(at)];
            if (here == colour)
            {
                turned.insert(turned.end(), run.begin(), run.end());
                break;
            }
            if (here == kEmpty)
                break;
            run.push_back(at);
        }
    }
    for (int at : turned)
        mColours[std::size_t(at)] = colour;
    return turned;
}

std::vector<int> ReversiBoard::PlayerMove(int cell)
{
    if (cell < 0 || cell >= kCells || mComputerTurn || mOutcome != Outcome::Playing ||
        !mLegal[std::size_t(cell)])
        return {};
    std::vector<int> turned = PlaceDisc(cell, kPlayer);
    MarkLegalMoves(kComputer);
    mComputerTurn = true;
    return turned;
}

std::vector<int> ReversiBoard::PlayComputerTurn()
{
    std::vector<int> played;
    if (!mComputerTurn || mOutcome != Outcome::Playing)
        return played;
    for (;;)
    {
        for (int cell = 0; cell < kCells; ++cell)
            if (mLegal[std::size_t(cell)])
            {
                PlaceDisc(cell, kComputer);
                played.push_back(cell);
                break;
            }
        MarkLegalMoves(kPlayer);
        if (CountLegalMoves() > 0)
        {
            mComputerTurn = false;
            return played;
        }
        MarkLegalMoves(kComputer);
        if (CountLegalMoves() == 0)
            break;
    }
    const int player = CountDiscs(kPlayer);
    const int computer = CountDiscs(kComputer);
    mOutcome = player > computer ? Outcome::Solved : player == computer ? Outcome::Draw : Outcome::Lost;
    return played;
}

bool ReversiBoard::Reset()
{
    if (mOutcome == Outcome::Solved)
        return false;
    std::array<int, kCells> start;
    start.fill(kEmpty);
    start[27] = start[36] = kPlayer;
    start[28] = start[35] = kComputer;
    SetPosition(start);
    return true;
}

void ReversiBoard::SetPosition(const std::array<int, kCells>& colours)
{
    mColours = colours;
    mOutcome = Outcome::Playing;
    mComputerTurn = false;
    MarkLegalMoves(kPlayer);
}
