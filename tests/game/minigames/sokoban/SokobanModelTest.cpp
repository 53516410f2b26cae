#include "game/minigames/sokoban/SokobanBoard.h"
#include "game/minigames/sokoban/SokobanSolver.h"
#include "tests/game/minigames/models/LevelFileSupport.h"

#include <gtest/gtest.h>

namespace
{

SokobanPoint CellCorner(int column, int row)
{
    return SokobanBoard::CellOrigin(row * 8 + column);
}

// A level of plain cells with the given boxes and targets.
SokobanLevel OpenLevel(std::vector<SokobanPoint> boxes, std::vector<int> targets)
{
    SokobanLevel level;
    level.mBoxes = std::move(boxes);
    for (int cell : targets)
        level.mCells[size_t(cell)].mType = 1;
    return level;
}

} // namespace

TEST(SokobanLevelFile, ReadsWallsTargetsAndBoxesInOrder)
{
    LevelFolder folder;
    const std::string path = folder.Write("level.xml", R"(<Level>
  <Block0 n="1" s="0" r="yes" l="1" type="1"/>
  <Block1 r="1" type="0"/>
  <Block5 n="1"/>
  <Block2 s="1"/>
  <Box0 x="150" y="30"/>
  <Box2 x="1" y="1"/>
  <Box1 x="210"/>
</Level>)");
    SokobanLevel level = ReadSokobanLevel(path);
    EXPECT_TRUE(level.mProblems.empty());
    EXPECT_TRUE(level.mCells[0].mWallTop);
    EXPECT_FALSE(level.mCells[0].mWallBottom); // "0" is no wall
    EXPECT_FALSE(level.mCells[0].mWallRight);  // nor is anything but 1
    EXPECT_TRUE(level.mCells[0].mWallLeft);
    EXPECT_TRUE(level.mCells[0].IsTarget());
    EXPECT_TRUE(level.mCells[1].mWallRight);
    EXPECT_TRUE(level.mCells[2].mWallBottom); // Block5 was out of order and ignored
    EXPECT_FALSE(level.mCells[5].mWallTop);
    ASSERT_EQ(level.mBoxes.size(), 2u); // Box2 before Box1 was ignored
    EXPECT_EQ(level.mBoxes[0], (SokobanPoint{150, 30}));
    EXPECT_EQ(level.mBoxes[1], (SokobanPoint{210, 0}));
}

TEST(SokobanLevelFile, FaultyFilesAreReportedAndStayInBounds)
{
    LevelFolder folder;
    std::string many = "<L>";
    for (int i = 0; i < 70; ++i)
        many += "<Block" + std::to_string(i) + " n=\"1\"/><Box" + std::to_string(i) + " x=\"150\" y=\"30\"/>";
    many += "</L>";
    SokobanLevel crowded = ReadSokobanLevel(folder.Write("many.xml", many));
    EXPECT_EQ(crowded.mBoxes.size(), 64u);
    EXPECT_EQ(crowded.mProblems.size(), 2u);
    EXPECT_TRUE(crowded.mCells[63].mWallTop);

    SokobanLevel missing = ReadSokobanLevel(folder.PathOf("none.xml"));
    ASSERT_EQ(missing.mProblems.size(), 1u);
    EXPECT_NE(missing.mProblems[0].find("none.xml"), std::string::npos);
    EXPECT_TRUE(missing.mBoxes.empty());
    EXPECT_FALSE(SokobanBoard(missing).IsSolved());

    SokobanLevel broken =
        ReadSokobanLevel(folder.Write("broken.xml", "<L><Block0 n=\"1\"/><Box0 x=\"150\" <<<"));
    EXPECT_TRUE(broken.mCells[0].mWallTop);
    EXPECT_FALSE(broken.mProblems.empty());

    SokobanLevel huge =
        ReadSokobanLevel(folder.Write("huge.xml", "<L><Box0 x=\"99999999999999\" y=\"-99999999999\"/></L>"));
    ASSERT_EQ(huge.mBoxes.size(), 1u);
    SokobanBoard board(huge);
    EXPECT_EQ(board.Push(0, SokobanBoard::kPushLeft), SokobanBoard::PushResult::NoCell);
}

TEST(SokobanLevelFile, ModesNameTheirFiles)
{
    EXPECT_EQ(SokobanLevelName("Mode2"), "Sokoban_Mode2");
    EXPECT_EQ(SokobanLevelName("Mode3"), "Sokoban_Mode3");
    EXPECT_EQ(SokobanLevelName("Mode4"), "Sokoban_Mode1");
}

TEST(SokobanBoardRules, PushesMoveOneCellEachWay)
{
    struct Case
    {
        int arrow;
        SokobanPoint expected;
    } cases[] = {{SokobanBoard::kPushRight, CellCorner(4, 3)},
                 {SokobanBoard::kPushLeft, CellCorner(2, 3)},
                 {SokobanBoard::kPushDown, CellCorner(3, 4)},
                 {SokobanBoard::kPushUp, CellCorner(3, 2)}};
    for (const Case& c : cases)
    {
        SokobanBoard board(OpenLevel({CellCorner(3, 3)}, {}));
        EXPECT_EQ(board.Push(0, c.arrow), SokobanBoard::PushResult::Moved);
        EXPECT_EQ(board.GetBoxes()[0], c.expected) << c.arrow;
    }
}

TEST(SokobanBoardRules, WallsOfTheBoxCellBlockTheirWholeAxis)
{
    SokobanLevel level = OpenLevel({CellCorner(3, 3)}, {});
    level.mCells[3 * 8 + 3].mWallLeft = true;
    SokobanBoard board(level);
    EXPECT_EQ(board.Push(0, SokobanBoard::kPushRight), SokobanBoard::PushResult::Wall);
    EXPECT_EQ(board.Push(0, SokobanBoard::kPushLeft), SokobanBoard::PushResult::Wall);
    EXPECT_TRUE(board.IsArrowDimmed(0, SokobanBoard::kPushRight));
    EXPECT_FALSE(board.IsArrowDimmed(0, SokobanBoard::kPushDown));
    EXPECT_EQ(board.Push(0, SokobanBoard::kPushDown), SokobanBoard::PushResult::Moved);

    // The target cell's walls are not examined.
    SokobanLevel into = OpenLevel({CellCorner(3, 3)}, {});
    into.mCells[3 * 8 + 4].mWallLeft = into.mCells[3 * 8 + 4].mWallRight = true;
    SokobanBoard intoWall(into);
    EXPECT_EQ(intoWall.Push(0, SokobanBoard::kPushRight), SokobanBoard::PushResult::Moved);
    EXPECT_EQ(intoWall.Push(0, SokobanBoard::kPushLeft), SokobanBoard::PushResult::Wall);
}

TEST(SokobanBoardRules, ABoxAheadOrBehindRefusesThePush)
{
    SokobanBoard behind(OpenLevel({CellCorner(3, 3), CellCorner(2, 3)}, {}));
    EXPECT_EQ(behind.Push(0, SokobanBoard::kPushRight), SokobanBoard::PushResult::BoxInWay);
    EXPECT_TRUE(behind.IsArrowDimmed(0, SokobanBoard::kPushLeft));
    EXPECT_EQ(behind.Push(0, SokobanBoard::kPushUp), SokobanBoard::PushResult::Moved);

    SokobanBoard ahead(OpenLevel({CellCorner(3, 3), CellCorner(3, 4)}, {}));
    EXPECT_EQ(ahead.Push(0, SokobanBoard::kPushDown), SokobanBoard::PushResult::BoxInWay);
    EXPECT_EQ(ahead.GetBoxes()[0], CellCorner(3, 3));
}

TEST(SokobanBoardRules, SolvedNeedsEveryTargetAndNoSpareBox)
{
    SokobanBoard exact(OpenLevel({CellCorner(1, 1)}, {1 * 8 + 1}));
    EXPECT_TRUE(exact.IsSolved());
    SokobanBoard spare(OpenLevel({CellCorner(1, 1), CellCorner(4, 4)}, {1 * 8 + 1}));
    EXPECT_FALSE(spare.IsSolved());
    SokobanBoard uncovered(OpenLevel({CellCorner(1, 2)}, {1 * 8 + 1}));
    EXPECT_FALSE(uncovered.IsSolved());
    SokobanBoard none(OpenLevel({}, {}));
    EXPECT_FALSE(none.IsSolved());
}

TEST(SokobanBoardRules, ResetRestoresBoxesAndKeepsWalls)
{
    SokobanLevel level = OpenLevel({CellCorner(3, 3), CellCorner(5, 5)}, {});
    level.mCells[0].mWallTop = true;
    SokobanBoard board(level);
    board.Push(0, SokobanBoard::kPushDown);
    board.Push(1, SokobanBoard::kPushLeft);
    board.Reset();
    EXPECT_EQ(board.GetBoxes(), level.mBoxes);
    EXPECT_TRUE(board.GetLevel().mCells[0].mWallTop);
}

TEST(SokobanBoardRules, PointsAreFoundInsideTheBoardOnly)
{
    SokobanBoard board(OpenLevel({CellCorner(7, 0)}, {}));
    EXPECT_EQ(board.CellIndexAt(150, 30), 0);
    EXPECT_EQ(board.CellIndexAt(629, 30), 7);
    // The far edge is past the last column, not the next row's first cell.
    EXPECT_EQ(board.CellIndexAt(630, 30), -1);
    EXPECT_EQ(board.CellIndexAt(149, 30), -1);
    EXPECT_EQ(board.CellIndexAt(150, 510), -1);
    EXPECT_EQ(board.BoxAt(570, 30), 0);
    EXPECT_EQ(board.BoxAt(629, 89), 0);
    EXPECT_EQ(board.BoxAt(630, 30), -1);
    // A box pushed off the board has no cell: its arrows stay lit and do nothing.
    board.Push(0, SokobanBoard::kPushRight);
    EXPECT_EQ(board.Push(0, SokobanBoard::kPushLeft), SokobanBoard::PushResult::NoCell);
    EXPECT_FALSE(board.IsArrowDimmed(0, SokobanBoard::kPushLeft));
}

TEST(SokobanSolverTest, FindsShortestPushesThatSolveTheBoard)
{
    SokobanLevel level = OpenLevel({CellCorner(2, 2), CellCorner(5, 5)}, {2 * 8 + 4, 6 * 8 + 5});
    std::optional<std::vector<SokobanMove>> moves = SolveSokoban(level);
    ASSERT_TRUE(moves.has_value());
    EXPECT_EQ(moves->size(), 3u);
    SokobanBoard board(level);
    for (const SokobanMove& move : *moves)
        ASSERT_EQ(board.Push(move.mBox, move.mArrow), SokobanBoard::PushResult::Moved);
    EXPECT_TRUE(board.IsSolved());
}

TEST(SokobanSolverTest, RefusesLevelsThatCannotBeSolved)
{
    // Walled in on both axes.
    SokobanLevel stuck = OpenLevel({CellCorner(2, 2)}, {5});
    stuck.mCells[2 * 8 + 2].mWallLeft = stuck.mCells[2 * 8 + 2].mWallTop = true;
    EXPECT_FALSE(SolveSokoban(stuck).has_value());
    EXPECT_FALSE(SolveSokoban(OpenLevel({CellCorner(2, 2)}, {})).has_value());
    EXPECT_FALSE(SolveSokoban(OpenLevel({{155, 30}}, {1})).has_value());
    EXPECT_FALSE(SolveSokoban(OpenLevel({CellCorner(1, 1), CellCorner(1, 1)}, {1, 2})).has_value());
}
