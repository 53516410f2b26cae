#include "game/minigames/vessels/WinePitchersBoard.h"

#include <gtest/gtest.h>

namespace
{

using Op = VesselPair::Operation;

void Settle(WinePitchersBoard& board)
{
    for (int update = 0; update < 200 && board.IsMoving(); ++update)
        board.Update();
    board.Update();
}

} // namespace

TEST(WinePitchersBoardTest, ArrowsWaitForTheLevelsAndTheLineSolves)
{
    WinePitchersBoard board(WinePitchersMode::ByName("Mode1"), 200, 120);
    struct Step
    {
        Op mOperation;
        int mBottleLevel, mGlassLevel;
    };
    const Step line[] = {{Op::FillFirst, 200, 0},  {Op::PourFirstIntoSecond, 80, 120},
                         {Op::EmptySecond, 80, 0}, {Op::PourFirstIntoSecond, 0, 80},
                         {Op::FillFirst, 200, 80}, {Op::PourFirstIntoSecond, 160, 120}};
    for (const Step& step : line)
    {
        EXPECT_FALSE(board.IsSolved());
        ASSERT_TRUE(board.Apply(step.mOperation));
        // Any arrow during the level's movement does nothing.
        EXPECT_FALSE(board.Apply(Op::EmptyFirst));
        Settle(board);
        EXPECT_EQ(board.GetBottleLevel(), step.mBottleLevel);
        EXPECT_EQ(board.GetGlassLevel(), step.mGlassLevel);
    }
    EXPECT_TRUE(board.IsSolved());
    EXPECT_EQ(board.GetVessels().GetFirst(), 4);
    EXPECT_FALSE(board.Apply(Op::EmptyFirst));
    EXPECT_FALSE(board.Reset());
}

TEST(WinePitchersBoardTest, ResetDuringAPourTakesBothLevelsDownFromWhereTheyStand)
{
    WinePitchersBoard board(WinePitchersMode::ByName("Mode2"), 210, 150);
    ASSERT_TRUE(board.Apply(Op::FillFirst));
    Settle(board);
    ASSERT_TRUE(board.Apply(Op::PourFirstIntoSecond));
    for (int i = 0; i < 20; ++i)
        board.Update();
    const int bottle = board.GetBottleLevel();
    const int glass = board.GetGlassLevel();
    EXPECT_GT(bottle, 60);
    EXPECT_LT(bottle, 210);
    EXPECT_GT(glass, 0);
    EXPECT_TRUE(board.Reset());
    board.Update();
    board.Update();
    EXPECT_EQ(board.GetBottleLevel(), bottle);
    EXPECT_EQ(board.GetGlassLevel(), glass);
    Settle(board);
    EXPECT_EQ(board.GetBottleLevel(), 0);
    EXPECT_EQ(board.GetGlassLevel(), 0);
    EXPECT_EQ(board.GetVessels().GetFirst() + board.GetVessels().GetSecond(), 0);
    EXPECT_FALSE(board.IsSolved());
}
