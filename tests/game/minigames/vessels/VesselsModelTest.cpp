#include "game/minigames/vessels/TanksBoard.h"
#include "game/minigames/vessels/VesselLevel.h"
#include "game/minigames/vessels/VesselSolver.h"
#include "game/minigames/vessels/WinePitchersMode.h"

#include <gtest/gtest.h>
#include <vector>

namespace
{

using Op = VesselPair::Operation;
using Valve = TanksBoard::Valve;

bool AnyValveTurning(const TanksBoard& board)
{
    for (int v = 0; v < TanksBoard::kValveCount; ++v)
        if (!board.GetValve(Valve(v)).IsStill())
            return true;
    return false;
}

void Settle(TanksBoard& board)
{
    for (int update = 0; update < 500 && (board.IsMoving() || AnyValveTurning(board)); ++update)
        board.Update();
    board.Update();
}

} // namespace

TEST(VesselPairTest, OperationsActOnlyWhereThereIsSomethingToDo)
{
    struct Case
    {
        int mFirst, mSecond;
        Op mOperation;
        bool mActs;
        int mAfterFirst, mAfterSecond;
    };
    const Case cases[] = {
        {5, 0, Op::FillFirst, false, 5, 0},
        {0, 3, Op::FillSecond, false, 0, 3},
        {0, 2, Op::EmptyFirst, false, 0, 2},
        {2, 0, Op::EmptySecond, false, 2, 0},
        {0, 1, Op::PourFirstIntoSecond, false, 0, 1},
        {4, 3, Op::PourFirstIntoSecond, false, 4, 3},
        {5, 1, Op::PourSecondIntoFirst, false, 5, 1},
        {2, 0, Op::PourSecondIntoFirst, false, 2, 0},
        {5, 1, Op::PourFirstIntoSecond, true, 3, 3},
        {4, 3, Op::PourSecondIntoFirst, true, 5, 2},
        {1, 2, Op::PourFirstIntoSecond, true, 0, 3},
        {1, 2, Op::PourSecondIntoFirst, true, 3, 0},
        {1, 2, Op::FillFirst, true, 5, 2},
        {1, 2, Op::EmptySecond, true, 1, 0},
    };
    for (const Case& c : cases)
    {
        VesselPair pair(5, 3, 4, c.mFirst, c.mSecond);
        EXPECT_EQ(pair.Apply(c.mOperation), c.mActs)
            << c.mFirst << "," << c.mSecond << " op " << int(c.mOperation);
        EXPECT_EQ(pair.GetFirst(), c.mAfterFirst);
        EXPECT_EQ(pair.GetSecond(), c.mAfterSecond);
    }
}

TEST(VesselPairTest, TheBottleMeasuresFourInTheFirstPuzzle)
{
    VesselPair pair = WinePitchersMode::ByName("Mode1").MakePair();
    struct Step
    {
        Op mOperation;
        int mBottle, mGlass;
    };
    const Step line[] = {{Op::FillFirst, 5, 0},   {Op::PourFirstIntoSecond, 2, 3},
                         {Op::EmptySecond, 2, 0}, {Op::PourFirstIntoSecond, 0, 2},
                         {Op::FillFirst, 5, 2},   {Op::PourFirstIntoSecond, 4, 3}};
    for (const Step& step : line)
    {
        EXPECT_FALSE(pair.IsSolved());
        ASSERT_TRUE(pair.Apply(step.mOperation));
        EXPECT_EQ(pair.GetFirst(), step.mBottle);
        EXPECT_EQ(pair.GetSecond(), step.mGlass);
    }
    EXPECT_TRUE(pair.IsSolved());
    pair.Reset();
    EXPECT_EQ(pair.GetFirst() + pair.GetSecond(), 0);
}

TEST(WinePitchersModeTest, ModesAndTheirPuzzlesAreSolvable)
{
    struct Case
    {
        const char* mName;
        const char* mMode;
        int mBottle, mGlass, mTarget, mHelp;
        size_t mShortest;
    };
    // The second puzzle is solved only in the bottle: the glass holds 5 at most.
    const Case cases[] = {{"Mode1", "Mode1", 5, 3, 4, 8, 6},
                          {"Mode2", "Mode2", 7, 5, 6, 18, 10},
                          {"Mode9", "Mode1", 5, 3, 4, 8, 6},
                          {"", "Mode1", 5, 3, 4, 8, 6}};
    for (const Case& c : cases)
    {
        const WinePitchersMode mode = WinePitchersMode::ByName(c.mName);
        EXPECT_EQ(mode.mName, c.mMode);
        EXPECT_EQ(mode.mBottleCapacity, c.mBottle);
        EXPECT_EQ(mode.mGlassCapacity, c.mGlass);
        EXPECT_EQ(mode.mTarget, c.mTarget);
        EXPECT_EQ(mode.mHelpNumber, c.mHelp);
        const auto line = SolveVessels(mode.MakePair());
        ASSERT_TRUE(line) << c.mName;
        EXPECT_EQ(line->size(), c.mShortest) << c.mName;
        VesselPair pair = mode.MakePair();
        for (Op op : *line)
            ASSERT_TRUE(pair.Apply(op));
        EXPECT_TRUE(pair.IsSolved());
    }
    EXPECT_EQ(LiquidLevel(200, 3, 7), 85);
    EXPECT_EQ(LiquidLevel(200, 7, 7), 200);
}

TEST(VesselSolverTest, FindsNoLineWhereTheTargetCannotBeMeasured)
{
    // Both capacities even: an odd amount can never be measured.
    EXPECT_FALSE(SolveVessels(VesselPair(6, 4, 3)));
    // Larger than either vessel.
    EXPECT_FALSE(SolveVessels(VesselPair(5, 3, 9)));
    const auto none = SolveVessels(VesselPair(5, 3, 4, 4, 0));
    ASSERT_TRUE(none);
    EXPECT_TRUE(none->empty());
}

TEST(VesselLevelTest, TakesTwentyOneStepsAndOneToSettle)
{
    VesselLevel level;
    level.MoveTo(100);
    std::vector<int> seen;
    int updates = 0;
    while (!level.Update())
    {
        ++updates;
        if (updates % 2 == 0)
            seen.push_back(level.GetLevel());
        ASSERT_LT(updates, 100);
    }
    ++updates;
    EXPECT_EQ(updates, 44);
    ASSERT_EQ(seen.size(), 21u);
    EXPECT_EQ(seen.front(), 0);
    EXPECT_EQ(seen[1], 5);
    EXPECT_EQ(seen.back(), 100);
    EXPECT_FALSE(level.IsMoving());
    level.MoveTo(33);
    for (int i = 0; i < 4; ++i)
        level.Update();
    EXPECT_EQ(level.GetLevel(), 100 - 67 / 20);
}

TEST(TanksBoardTest, TheScriptedLineSolvesOnceTheLastLevelSettles)
{
    TanksBoard board(175, 126);
    EXPECT_EQ(board.GetLeftHeight(), TanksPuzzle::kLeftBase);
    EXPECT_EQ(board.GetRightHeight(), TanksPuzzle::kRightBase);
    struct Step
    {
        Valve mValve;
        int mLeft, mRight;
    };
    const Step line[] = {{Valve::FillLeft, 7, 0},   {Valve::PourLeftIntoRight, 2, 5},
                         {Valve::EmptyRight, 2, 0}, {Valve::PourLeftIntoRight, 0, 2},
                         {Valve::FillLeft, 7, 2},   {Valve::PourLeftIntoRight, 4, 5},
                         {Valve::EmptyRight, 4, 0}, {Valve::PourLeftIntoRight, 0, 4},
                         {Valve::FillLeft, 7, 4},   {Valve::PourLeftIntoRight, 6, 5}};
    for (const Step& step : line)
    {
        EXPECT_FALSE(board.IsSolved());
        ASSERT_TRUE(board.ClickValve(step.mValve));
        EXPECT_EQ(board.GetTanks().GetFirst(), step.mLeft);
        EXPECT_EQ(board.GetTanks().GetSecond(), step.mRight);
        EXPECT_FALSE(board.GetValve(step.mValve).IsStill());
        // Nothing reacts while a level moves.
        EXPECT_FALSE(board.ClickValve(Valve::EmptyLeft));
        EXPECT_FALSE(board.Reset());
        Settle(board);
        EXPECT_EQ(board.GetLeftHeight(), TanksPuzzle::ColumnHeight(step.mLeft, 7, 175, 25));
        EXPECT_EQ(board.GetRightHeight(), TanksPuzzle::ColumnHeight(step.mRight, 5, 126, 26));
    }
    EXPECT_TRUE(board.IsSolved());
    EXPECT_FALSE(board.Reset());
    const auto line2 = SolveVessels(TanksPuzzle::MakePair());
    ASSERT_TRUE(line2);
    EXPECT_EQ(line2->size(), 10u);
}

TEST(TanksBoardTest, ValvesTurnBackAfterTheLevelAndResetKeepsTheBaseColumn)
{
    TanksBoard board(175, 126);
    ASSERT_TRUE(board.ClickValve(Valve::FillRight));
    EXPECT_FALSE(board.ClickValve(Valve::FillRight));
    while (board.IsMoving())
        board.Update();
    // The valve is turning back now and takes no clicks until it is closed.
    EXPECT_FALSE(board.GetValve(Valve::FillRight).IsStill());
    EXPECT_FALSE(board.ClickValve(Valve::EmptyRight));
    Settle(board);
    EXPECT_EQ(board.GetValve(Valve::FillRight).GetAngle(), 0.0f);
    EXPECT_EQ(board.GetRightHeight(), 26 + 126);
    ASSERT_TRUE(board.ClickValve(Valve::PourRightIntoLeft));
    Settle(board);
    EXPECT_EQ(board.GetTanks().GetFirst(), 5);
    ASSERT_TRUE(board.Reset());
    EXPECT_FALSE(board.GetValve(Valve::EmptyLeft).IsStill());
    EXPECT_TRUE(board.GetValve(Valve::EmptyRight).IsStill()); // the right tank was already empty
    Settle(board);
    EXPECT_EQ(board.GetLeftHeight(), TanksPuzzle::kLeftBase);
    EXPECT_EQ(board.GetRightHeight(), TanksPuzzle::kRightBase);
    EXPECT_EQ(board.GetTanks().GetFirst() + board.GetTanks().GetSecond(), 0);
}

TEST(ValveTurnTest, AFullTurnTakesTenUpdates)
{
    ValveTurn valve;
    valve.Open();
    int updates = 0;
    while (!valve.IsStill())
    {
        valve.Update();
        ++updates;
    }
    EXPECT_EQ(updates, 10);
    EXPECT_EQ(valve.GetAngle(), ValveTurn::kOpen);
    valve.Close();
    valve.Update();
    valve.Update();
    EXPECT_EQ(valve.GetAngle(), -72.0f);
}
