#pragma once

#include <array>
#include <cstddef>

// The rotating-tiles rules: 4 x 4 tiles that stand on grid places, each turned
// by a quarter-turn count. A tile at its own place and upright is locked for
// good: it takes no turn and no exchange. Solved when every tile is home and upright.
class RotatingBoard
{
public:
    static constexpr int kColumns = 4;
    static constexpr int kRows = 4;
    static constexpr int kTiles = kColumns * kRows;

    struct Tile
    {
        int mOriginalIndex = 0; // the place the tile belongs to
        int mQuarterTurns = 0;  // 0..3, counter-clockwise quarter turns (angle = 90 x turns)
    };

    // A solved board, every tile home and upright.
    RotatingBoard();
    // The start of a game: each tile's angle drawn with rand % 4 in tile order,
    // then six disjoint pairs of places exchanged, drawn from the shrinking pool.
    static RotatingBoard Shuffled();

    const Tile& TileAt(int place) const { return mPlaces[size_t(place)]; }
    int AngleAt(int place) const { return 90 * mPlaces[size_t(place)].mQuarterTurns; }
    bool IsLocked(int place) const;

    // direction +1 turns by +90 degrees, -1 by -90; false when refused.
    bool Turn(int place, int direction);
    // Exchanges the tiles of two places; false when either is locked or they are the same.
    bool Swap(int first, int second);
    bool IsSolved() const;
    // Back to the layout the game started with (the shuffle's result).
    void Reset();

private:
    static bool Valid(int place) { return place >= 0 && place < kTiles; }

    std::array<Tile, kTiles> mPlaces{};
    std::array<Tile, kTiles> mStart{};
};
