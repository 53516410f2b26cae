#include "game/minigames/sokoban/SokobanSolver.h"

#include "game/minigames/sokoban/SokobanBoard.h"

#include <algorithm>
#include <map>
#include <queue>

namespace
{

using Cells = std::vector<int>; // a cell index per box, in box order

struct Visit
{
    Cells mCells;
    Cells mParent;
    SokobanMove mMove;
};

Cells Canonical(Cells cells)
{
    std::sort(cells.begin(), cells.end());
    return cells;
}

bool WallOnAxis(const SokobanCell& cell, int arrow)
{
    if (arrow == SokobanBoard::kPushRight || arrow == SokobanBoard::kPushLeft)
        return cell.mWallLeft || cell.mWallRight;
    return cell.mWallTop || cell.mWallBottom;
}

// The neighbour's index, -1 past the board's edge.
int Step(int cell, int arrow, bool forward)
{
    int column = cell % SokobanLevel::kColumns;
    int row = cell / SokobanLevel::kColumns;
    const int sign = forward ? 1 : -1;
    if (arrow == SokobanBoard::kPushRight || arrow == SokobanBoard::kPushLeft)
        column += (arrow == SokobanBoard::kPushRight ? 1 : -1) * sign;
    else
        row += (arrow == SokobanBoard::kPushDown ? 1 : -1) * sign;
    if (column < 0 || row < 0 || column >= SokobanLevel::kColumns || row >= SokobanLevel::kRows)
        return -1;
    return row * SokobanLevel::kColumns + column;
}

} // namespace

std::optional<std::vector<SokobanMove>> SolveSokoban(const SokobanLevel& level)
{
    std::vector<int> targets;
    for (int i = 0; i < SokobanLevel::kCells; ++i)
        if (level.mCells[size_t(i)].IsTarget())
            targets.push_back(i);
    if (level.mBoxes.empty() || targets.size() != level.mBoxes.size())
        return std::nullopt;

    SokobanBoard board(level);
    Cells start;
    for (const SokobanPoint& box : level.mBoxes)
    {
        const int cell = board.CellIndexAt(box.x, box.y);
        if (cell < 0 || !(SokobanBoard::CellOrigin(cell) == box))
            return std::nullopt;
        start.push_back(cell);
    }
    const Cells sorted = Canonical(start);
    if (std::adjacent_find(sorted.begin(), sorted.end()) != sorted.end())
        return std::nullopt;

    std::map<Cells, Visit> seen;
    std::queue<Cells> open;
    seen[Canonical(start)] = {start, {}, {}};
    open.push(Canonical(start));
    while (!open.empty())
    {
        const Cells key = open.front();
        open.pop();
        const Cells cells = seen[key].mCells;
        if (key == targets)
        {
            std::vector<SokobanMove> moves;
            for (Cells at = key; !seen[at].mParent.empty(); at = Canonical(seen[at].mParent))
                moves.push_back(seen[at].mMove);
            std::reverse(moves.begin(), moves.end());
            return moves;
        }
        for (size_t box = 0; box < cells.size(); ++box)
        {
            for (int arrow = SokobanBoard::kPushRight; arrow <= SokobanBoard::kPushUp; ++arrow)
            {
                if (WallOnAxis(level.mCells[size_t(cells[box])], arrow))
                    continue;
                const int target = Step(cells[box], arrow, true);
                const int behind = Step(cells[box], arrow, false);
                // A box pushed past the edge never comes back onto a target.
                if (target < 0)
                    continue;
                const bool blocked = std::any_of(
                    cells.begin(), cells.end(),
                    [&](int other) { return other == target || (behind >= 0 && other == behind); });
                if (blocked)
                    continue;
                Cells next = cells;
                next[box] = target;
                const Cells nextKey = Canonical(next);
                if (seen.count(nextKey))
                    continue;
                seen[nextKey] = {next, cells, {int(box), arrow}};
                open.push(nextKey);
            }
        }
    }
    return std::nullopt;
}
