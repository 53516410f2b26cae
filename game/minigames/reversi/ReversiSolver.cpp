#include "game/minigames/reversi/ReversiSolver.h"

#include <algorithm>
#include <utility>

namespace
{

bool FindWin(const ReversiBoard& board, std::vector<int>& line, int& budget)
{
    if (board.GetOutcome() == ReversiBoard::Outcome::Solved)
        return true;
    if (board.GetOutcome() != ReversiBoard::Outcome::Playing || --budget < 0)
        return false;
    std::vector<std::pair<int, ReversiBoard>> next;
    for (int cell = 0; cell < ReversiBoard::kCells; ++cell)
    {
        if (!board.IsLegal(cell))
            continue;
        ReversiBoard after = board;
        after.PlayerMove(cell);
        after.PlayComputerTurn();
        next.emplace_back(cell, after);
    }
    std::stable_sort(
        next.begin(), next.end(),
        [](const auto& a, const auto& b)
        { return a.second.CountDiscs(ReversiBoard::kPlayer) > b.second.CountDiscs(ReversiBoard::kPlayer); });
    for (const auto& [cell, after] : next)
    {
        line.push_back(cell);
        if (FindWin(after, line, budget))
            return true;
        line.pop_back();
    }
    return false;
}

} // namespace

std::optional<std::vector<int>> FindReversiWin(const ReversiBoard& start, int budget)
{
    std::vector<int> line;
    if (!FindWin(start, line, budget))
        return std::nullopt;
    return line;
}
