#pragma once

#include "game/minigames/sokoban/SokobanLevel.h"

#include <vector>

// The box-pushing rules on screen coordinates: boxes are 60 x 60 at their top
// left corners, cells 60 x 60 from the board's origin. A push needs the box's
// own cell free of walls on the push axis and no box at the target or behind.
class SokobanBoard
{
public:
    static constexpr int kCellSize = 60;
    static constexpr int kOriginX = 150;
    static constexpr int kOriginY = 30;

    // Arrow kinds by the side of the box they sit on; each pushes the other way.
    enum Arrow
    {
        kPushRight = 0,
        kPushLeft = 1,
        kPushDown = 2,
        kPushUp = 3
    };
    enum class PushResult
    {
        Moved,
        NoCell,   // the box lies off the board
        BoxInWay, // a box at the target or behind
        Wall      // the box's own cell has a wall on that axis
    };

    explicit SokobanBoard(SokobanLevel level);

    // The cell index under a point, -1 off the board. The far edges belong to
    // no cell: a point there lies past the last column or row.
    int CellIndexAt(int x, int y) const;
    // The first box whose rectangle holds the point, -1 when none.
    int BoxAt(int x, int y) const;
    // Where a push would send the box, and the point behind it.
    static SokobanPoint PushTarget(SokobanPoint box, int arrow);
    static SokobanPoint PushBehind(SokobanPoint box, int arrow);

    PushResult Push(int box, int arrow);
    bool IsArrowDimmed(int box, int arrow) const;
    bool IsSolved() const;
    // Every box back at its file position; walls and targets stay.
    void Reset();

    const std::vector<SokobanPoint>& GetBoxes() const { return mBoxes; }
    const SokobanLevel& GetLevel() const { return mLevel; }
    static SokobanPoint CellOrigin(int index);

private:
    bool WallOnAxis(const SokobanCell& cell, int arrow) const;

    SokobanLevel mLevel;
    std::vector<SokobanPoint> mBoxes;
};
