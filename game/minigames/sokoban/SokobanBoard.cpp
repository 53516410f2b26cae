#include "game/minigames/sokoban/SokobanBoard.h"

SokobanBoard::SokobanBoard(SokobanLevel level) : mLevel(std::move(level)), mBoxes(mLevel.mBoxes) {}

SokobanPoint SokobanBoard::CellOrigin(int index)
{
    return {kOriginX + kCellSize * (index % SokobanLevel::kColumns),
            kOriginY + kCellSize * (index / SokobanLevel::kColumns)};
}

int SokobanBoard::CellIndexAt(int x, int y) const
{
    if (x < kOriginX || y < kOriginY)
        return -1;
    const int column = (x - kOriginX) / kCellSize;
    const int row = (y - kOriginY) / kCellSize;
    if (column >= SokobanLevel::kColumns || row >= SokobanLevel::kRows)
        return -1;
    return row * SokobanLevel::kColumns + column;
}

int SokobanBoard::BoxAt(int x, int y) const
{
    if (x < kOriginX || y < kOriginY || x > kOriginX + SokobanLevel::kColumns * kCellSize ||
        y > kOriginY + SokobanLevel::kRows * kCellSize)
        return -1;
    for (size_t i = 0; i < mBoxes.size(); ++i)
        if (x >= mBoxes[i].x && x < mBoxes[i].x + kCellSize && y >= mBoxes[i].y &&
            y < mBoxes[i].y + kCellSize)
            return int(i);
    return -1;
}

SokobanPoint SokobanBoard::PushTarget(SokobanPoint box, int arrow)
{
    switch (arrow)
    {
    case kPushRight:
        return {box.x + kCellSize, box.y};
    case kPushLeft:
        return {box.x - kCellSize, box.y};
    case kPushDown:
        return {box.x, box.y + kCellSize};
    default:
        return {box.x, box.y - kCellSize};
    }
}

SokobanPoint SokobanBoard::PushBehind(SokobanPoint box, int arrow)
{
    SokobanPoint target = PushTarget(box, arrow);
    return {2 * box.x - target.x, 2 * box.y - target.y};
}

bool SokobanBoard::WallOnAxis(const SokobanCell& cell, int arrow) const
{
    if (arrow == kPushRight || arrow == kPushLeft)
        return cell.mWallLeft || cell.mWallRight;
    return cell.mWallTop || cell.mWallBottom;
}

SokobanBoard::PushResult SokobanBoard::Push(int box, int arrow)
{
    if (box < 0 || box >= int(mBoxes.size()) || arrow < kPushRight || arrow > kPushUp)
        return PushResult::NoCell;
    const SokobanPoint at = mBoxes[size_t(box)];
    const int cell = CellIndexAt(at.x, at.y);
    if (cell < 0)
        return PushResult::NoCell;
    const SokobanPoint target = PushTarget(at, arrow);
    const SokobanPoint behind = PushBehind(at, arrow);
    if (BoxAt(target.x, target.y) >= 0 || BoxAt(behind.x, behind.y) >= 0)
        return PushResult::BoxInWay;
    if (WallOnAxis(mLevel.mCells[size_t(cell)], arrow))
        return PushResult::Wall;
    mBoxes[size_t(box)] = target;
    return PushResult::Moved;
}

bool SokobanBoard::IsArrowDimmed(int box, int arrow) const
{
    if (box < 0 || box >= int(mBoxes.size()))
        return false;
    const SokobanPoint at = mBoxes[size_t(box)];
    const int cell = CellIndexAt(at.x, at.y);
    if (cell < 0)
        return false;
    if (WallOnAxis(mLevel.mCells[size_t(cell)], arrow))
        return true;
    // A neighbour on either side of the axis stops both arrows of that axis.
    const SokobanPoint ahead = PushTarget(at, arrow);
    const SokobanPoint behind = PushBehind(at, arrow);
    return BoxAt(ahead.x, ahead.y) >= 0 || BoxAt(behind.x, behind.y) >= 0;
}

bool SokobanBoard::IsSolved() const
{
    if (mBoxes.empty())
        return false;
    size_t targets = 0;
    for (int i = 0; i < SokobanLevel::kCells; ++i)
    {
        if (!mLevel.mCells[size_t(i)].IsTarget())
            continue;
        ++targets;
        const SokobanPoint corner = CellOrigin(i);
        bool covered = false;
        for (const SokobanPoint& box : mBoxes)
            covered = covered || box == corner;
        if (!covered)
            return false;
    }
    return targets == mBoxes.size();
}

void SokobanBoard::Reset()
{
    mBoxes = mLevel.mBoxes;
}
