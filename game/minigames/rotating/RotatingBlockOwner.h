#pragma once

namespace Quib
{
class Image;
}

class RotatingBlock;

// What a tile asks of the game it lies in and what it tells it; the game
// implements it, so that a tile knows nothing else of the game.
class RotatingBlockOwner
{
public:
    virtual bool IsTileLocked(const RotatingBlock& tile) const = 0;
    // The model's angle of the tile, 0, 90, 180 or 270.
    virtual int TileAngle(const RotatingBlock& tile) const = 0;
    virtual Quib::Image* TilePicture() const = 0;
    // False once the game is leaving or solved.
    virtual bool TakesTileInput() const = 0;
    virtual bool IsExchanging() const = 0;
    // Whether the tile is one of the two being exchanged.
    virtual bool IsTileExchanging(const RotatingBlock& tile) const = 0;
    virtual void OnTileClicked(RotatingBlock& tile) = 0;
    virtual void OnTileTurned(const RotatingBlock& tile, int direction) = 0;
    // A tile that locks leaves the selection.
    virtual void OnTileLocked(const RotatingBlock& tile) = 0;

protected:
    ~RotatingBlockOwner() = default;
};
