#include "game/minigames/rotating/RotatingBoard.h"

#include "platform/Random.h"

#include <utility>
#include <vector>

RotatingBoard::RotatingBoard()
{
    for (int i = 0; i < kTiles; ++i)
        mPlaces[size_t(i)] = {i, 0};
    mStart = mPlaces;
}

RotatingBoard RotatingBoard::Shuffled()
{
    RotatingBoard board;
    for (Tile& tile : board.mPlaces)
        tile.mQuarterTurns = platform::rand() % 4;

    std::vector<int> pool;
    for (int i = 0; i < kTiles; ++i)
        pool.push_back(i);
    std::vector<std::pair<int, int>> pairs;
    for (size_t k = 0; k < pool.size(); ++k)
    {
        size_t at = size_t(platform::rand()) % pool.size();
        const int a = pool[at];
        pool.erase(pool.begin() + std::ptrdiff_t(at));
        at = size_t(platform::rand()) % pool.size();
        const int b = pool[at];
        pool.erase(pool.begin() + std::ptrdiff_t(at));
        pairs.push_back({a, b});
    }
    for (const auto& [a, b] : pairs)
        std::swap(board.mPlaces[size_t(a)], board.mPlaces[size_t(b)]);
    board.mStart = board.mPlaces;
    return board;
}

bool RotatingBoard::IsLocked(int place) const
{
    return Valid(place) && mPlaces[size_t(place)].mOriginalIndex == place &&
           mPlaces[size_t(place)].mQuarterTurns == 0;
}

bool RotatingBoard::Turn(int place, int direction)
{
    if (!Valid(place) || IsLocked(place) || (direction != 1 && direction != -1))
        return false;
    Tile& tile = mPlaces[size_t(place)];
    tile.mQuarterTurns = (tile.mQuarterTurns + direction + 4) % 4;
    return true;
}

bool RotatingBoard::Swap(int first, int second)
{
    if (!Valid(first) || !Valid(second) || first == second || IsLocked(first) || IsLocked(second))
        return false;
    std::swap(mPlaces[size_t(first)], mPlaces[size_t(second)]);
    return true;
}

bool RotatingBoard::IsSolved() const
{
    for (int i = 0; i < kTiles; ++i)
        if (!IsLocked(i))
            return false;
    return true;
}

void RotatingBoard::Reset()
{
    mPlaces = mStart;
}
