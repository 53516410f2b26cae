#include "game/minigames/rotating/RotatingBoard.h"
#include "platform/Random.h"

#include <gtest/gtest.h>
#include <set>

TEST(RotatingBoardTest, ShuffleRepeatsForASeedAndExchangesSixPairs)
{
    for (unsigned seed : {1u, 7u, 12345u})
    {
        platform::srand(seed);
        RotatingBoard first = RotatingBoard::Shuffled();
        platform::srand(seed);
        RotatingBoard second = RotatingBoard::Shuffled();
        int home = 0;
        std::set<int> tiles;
        for (int place = 0; place < RotatingBoard::kTiles; ++place)
        {
            EXPECT_EQ(first.TileAt(place).mOriginalIndex, second.TileAt(place).mOriginalIndex);
            EXPECT_EQ(first.AngleAt(place), second.AngleAt(place));
            EXPECT_GE(first.AngleAt(place), 0);
            EXPECT_LE(first.AngleAt(place), 270);
            home += first.TileAt(place).mOriginalIndex == place;
            tiles.insert(first.TileAt(place).mOriginalIndex);
        }
        EXPECT_EQ(home, 4) << seed; // six disjoint pairs leave four places untouched
        EXPECT_EQ(tiles.size(), 16u);
    }
}

TEST(RotatingBoardTest, ShuffleDrawsAnglesFirstInTileOrder)
{
    platform::srand(99);
    int expected[RotatingBoard::kTiles];
    for (int& turns : expected)
        turns = platform::rand() % 4;
    platform::srand(99);
    RotatingBoard board = RotatingBoard::Shuffled();
    for (int place = 0; place < RotatingBoard::kTiles; ++place)
    {
        const RotatingBoard::Tile& tile = board.TileAt(place);
        EXPECT_EQ(tile.mQuarterTurns, expected[tile.mOriginalIndex]);
    }
}

TEST(RotatingBoardTest, TurnsWrapAndLockedTilesRefuseEverything)
{
    RotatingBoard board;
    EXPECT_TRUE(board.IsSolved());
    EXPECT_TRUE(board.IsLocked(0));
    EXPECT_FALSE(board.Turn(0, 1));
    EXPECT_FALSE(board.Swap(0, 1));

    platform::srand(3);
    RotatingBoard shuffled = RotatingBoard::Shuffled();
    int open = -1;
    for (int place = 0; place < RotatingBoard::kTiles && open < 0; ++place)
        if (!shuffled.IsLocked(place) && shuffled.TileAt(place).mOriginalIndex != place)
            open = place;
    ASSERT_GE(open, 0);
    const int angle = shuffled.AngleAt(open);
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(shuffled.Turn(open, -1));
    EXPECT_EQ(shuffled.AngleAt(open), angle);
    EXPECT_FALSE(shuffled.Turn(open, 2));
    EXPECT_FALSE(shuffled.Swap(open, open));
    EXPECT_FALSE(shuffled.Turn(16, 1));
}

TEST(RotatingBoardTest, ATileHomeButTurnedStaysUnlockedUntilUpright)
{
    platform::srand(11);
    RotatingBoard board = RotatingBoard::Shuffled();
    // Bring every tile home by exchanges, then upright by turns.
    for (int place = 0; place < RotatingBoard::kTiles; ++place)
    {
        if (board.TileAt(place).mOriginalIndex == place)
            continue;
        int from = place + 1;
        while (board.TileAt(from).mOriginalIndex != place)
            ++from;
        ASSERT_TRUE(board.Swap(place, from));
        if (board.TileAt(place).mQuarterTurns != 0)
        {
            EXPECT_FALSE(board.IsLocked(place));
        }
    }
    for (int place = 0; place < RotatingBoard::kTiles; ++place)
        while (!board.IsLocked(place))
            ASSERT_TRUE(board.Turn(place, 1));
    EXPECT_TRUE(board.IsSolved());

    // Reset brings the shuffled start back, its locks with it, so it can be solved again.
    board.Reset();
    EXPECT_FALSE(board.IsSolved());
    platform::srand(11);
    RotatingBoard fresh = RotatingBoard::Shuffled();
    for (int place = 0; place < RotatingBoard::kTiles; ++place)
    {
        EXPECT_EQ(board.TileAt(place).mOriginalIndex, fresh.TileAt(place).mOriginalIndex);
        EXPECT_EQ(board.IsLocked(place), fresh.IsLocked(place));
    }
}
