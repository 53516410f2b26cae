#include "game/minigames/matches/MatchesSolver.h"

namespace
{

int Misplaced(const MatchesBoardState& from, const MatchesBoardState& to)
{
    int count = 0;
    for (size_t i = 0; i < from.GetCellCount(); ++i)
        count += int((*from.GetCell(int(i)) & ~*to.GetCell(int(i))).count());
    return count;
}

bool Search(MatchesBoardState& board, const MatchesBoardState& goal, int budget, std::vector<MatchMove>& path)
{
    const int estimate = Misplaced(board, goal);
    if (estimate == 0)
        return true;
    if (estimate > budget)
        return false;
    const int cells = int(board.GetCellCount());
    for (int from = 0; from < cells; ++from)
        for (int fromSlot = 0; fromSlot < kSlotCount; ++fromSlot)
        {
            if (!board.GetCell(from)->test(size_t(fromSlot)))
                continue;
            board.GetCell(from)->reset(size_t(fromSlot));
            for (int to = 0; to < cells; ++to)
                for (int toSlot = 0; toSlot < kSlotCount; ++toSlot)
                {
                    if (board.GetCell(to)->test(size_t(toSlot)) || (to == from && toSlot == fromSlot))
                        continue;
                    board.GetCell(to)->set(size_t(toSlot));
                    path.push_back({from, fromSlot, to, toSlot});
                    if (Search(board, goal, budget - 1, path))
                        return true;
                    path.pop_back();
                    board.GetCell(to)->reset(size_t(toSlot));
                }
            board.GetCell(from)->set(size_t(fromSlot));
        }
    return false;
}

} // namespace

std::optional<std::vector<MatchMove>> SolveMatches(const MatchesBoardState& from, const MatchesBoardState& to,
                                                   int maxMoves)
{
    if (from.GetCellCount() != to.GetCellCount() || from.CountSticks() != to.CountSticks())
        return std::nullopt;
    for (int budget = 0; budget <= maxMoves; ++budget)
    {
        MatchesBoardState board = from;
        std::vector<MatchMove> path;
        if (Search(board, to, budget, path))
            return path;
    }
    return std::nullopt;
}
