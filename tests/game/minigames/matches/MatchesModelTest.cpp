#include "game/minigames/matches/MatchesRules.h"
#include "game/minigames/matches/MatchesSolver.h"
#include "tests/game/minigames/models/LevelFileSupport.h"

#include <gtest/gtest.h>

namespace
{

// A 2 x 1 board file; each cell given by its attributes.
std::string BoardFile(const std::string& first, const std::string& second)
{
    return "<Game><Blocks H=\"2\" V=\"1\"/><Block " + first + "/><Block " + second + "/></Game>";
}

MatchesLayout Layout(int columns, int rows, std::vector<MatchSticks> cells)
{
    MatchesLayout layout;
    layout.mColumns = columns;
    layout.mRows = rows;
    for (MatchSticks sticks : cells)
        layout.mState.AppendCell(sticks);
    return layout;
}

} // namespace

TEST(MatchesPuzzleFile, ReadsSlotsInBitOrder)
{
    LevelFolder folder;
    MatchesLayoutRead read = ReadMatchesLayout(folder.Write(
        "p.xml", "<Root><Block UP=\"1\"/><Game>" +
                     BoardFile("UP=\"1\" DOWN=\"0\" RtoL=\"1\"", "LEFT=\"1\" LtoR=\"1\" RIGHT=\"2\"") +
                     "</Game></Root>"));
    ASSERT_TRUE(read.mLayout.has_value());
    EXPECT_TRUE(read.mProblems.empty());
    EXPECT_EQ(read.mLayout->mColumns, 2);
    EXPECT_EQ(read.mLayout->mRows, 1);
    ASSERT_EQ(read.mLayout->mState.GetCellCount(), 2u);
    EXPECT_EQ(read.mLayout->mState.GetCell(0)->to_string(), "100001");
    EXPECT_EQ(read.mLayout->mState.GetCell(1)->to_string(), "011000");
    EXPECT_EQ(read.mLayout->mState.GetCell(2), nullptr);
}

TEST(MatchesPuzzleFile, ShortLongAndOversizedFilesStayInBounds)
{
    LevelFolder folder;
    MatchesLayoutRead shortRead =
        ReadMatchesLayout(folder.Write("short.xml", "<Game><Block UP=\"1\"/></Game>"));
    ASSERT_TRUE(shortRead.mLayout.has_value());
    EXPECT_EQ(shortRead.mLayout->mState.GetCellCount(), 36u);
    EXPECT_EQ(shortRead.mLayout->mState.CountSticks(), 1);
    EXPECT_EQ(shortRead.mProblems.size(), 1u);

    MatchesLayoutRead longRead = ReadMatchesLayout(folder.Write(
        "long.xml",
        "<Game><Blocks H=\"2\" V=\"1\"/><Block UP=\"1\"/><Block UP=\"1\"/><Block UP=\"1\"/></Game>"));
    ASSERT_TRUE(longRead.mLayout.has_value());
    EXPECT_EQ(longRead.mLayout->mState.GetCellCount(), 2u);
    EXPECT_EQ(longRead.mProblems.size(), 1u);

    for (const char* size : {"H=\"7\" V=\"6\"", "H=\"0\"", "V=\"-3\"", "H=\"99999999999\""})
    {
        MatchesLayoutRead refused =
            ReadMatchesLayout(folder.Write("big.xml", std::string("<Game><Blocks ") + size + "/></Game>"));
        EXPECT_FALSE(refused.mLayout.has_value()) << size;
        EXPECT_EQ(refused.mProblems.size(), 1u) << size;
    }
    EXPECT_FALSE(ReadMatchesLayout(folder.PathOf("missing.xml")).mLayout.has_value());
}

TEST(MatchesPuzzleFile, PuzzlesByName)
{
    struct Case
    {
        const char* name;
        const char* plays;
        int solutions, moves, help;
    } cases[] = {
        {"Fish", "Fish", 2, 3, 5}, {"Squares5to4", "Squares5to4", 4, 2, 19}, {"Whale", "Fish", 1, 3, 5}};
    for (const Case& c : cases)
    {
        MatchesPuzzleInfo info = MatchesPuzzleByName(c.name);
        EXPECT_EQ(info.mName, c.plays);
        EXPECT_EQ(info.mSolutionCount, c.solutions);
        EXPECT_EQ(info.mMoves, c.moves);
        EXPECT_EQ(info.mHelpNumber, c.help);
    }
    EXPECT_EQ(MatchesFileName("FishSolution2"), "xml\\FishSolution2.xml");
}

TEST(MatchesRulesTest, EveryPlacementCostsAMoveAndIsCompared)
{
    MatchesLayout start = Layout(2, 1, {MatchSticks("000001"), MatchSticks("000000")});
    MatchesLayout goal = Layout(2, 1, {MatchSticks("000000"), MatchSticks("000001")});
    MatchesRules rules(start, {goal}, 2);
    ASSERT_TRUE(rules.IsPlayable());
    EXPECT_EQ(rules.Click(1, kSlotTop), MatchesRules::Result::Refused); // nothing there to take
    EXPECT_EQ(rules.Click(0, kSlotTop), MatchesRules::Result::Taken);
    EXPECT_EQ(rules.GetMovesLeft(), 2);                                // taking is free
    EXPECT_EQ(rules.Click(0, kSlotTop), MatchesRules::Result::Placed); // put back: still a move
    EXPECT_EQ(rules.GetMovesLeft(), 1);
    EXPECT_EQ(rules.Click(0, kSlotTop), MatchesRules::Result::Taken);
    EXPECT_EQ(rules.Click(1, kSlotTop), MatchesRules::Result::Solved);
    EXPECT_TRUE(rules.IsSolved());
    EXPECT_EQ(rules.Click(1, kSlotTop), MatchesRules::Result::Refused);
}

TEST(MatchesRulesTest, OutOfMovesTheBoardWaitsForReset)
{
    MatchesLayout start = Layout(2, 1, {MatchSticks("000011"), MatchSticks("000000")});
    MatchesLayout goal = Layout(2, 1, {MatchSticks("000000"), MatchSticks("000011")});
    MatchesRules rules(start, {goal}, 1);
    EXPECT_EQ(rules.Click(0, kSlotTop), MatchesRules::Result::Taken);
    EXPECT_EQ(rules.Click(0, kSlotBottom), MatchesRules::Result::Refused); // the held stick needs a free slot
    // A stick from an edge slot becomes a diagonal one: the slot decides.
    EXPECT_EQ(rules.Click(1, kSlotLeftToRight), MatchesRules::Result::Placed);
    EXPECT_EQ(rules.GetMovesLeft(), 0);
    EXPECT_EQ(rules.Click(0, kSlotBottom), MatchesRules::Result::Refused);
    EXPECT_TRUE(rules.HasStick(1, kSlotLeftToRight));
    rules.Reset();
    EXPECT_EQ(rules.GetMovesLeft(), 1);
    EXPECT_TRUE(rules.HasStick(0, kSlotTop));
    EXPECT_FALSE(rules.HasStick(1, kSlotLeftToRight));
}

TEST(MatchesRulesTest, SolutionsOfAnotherSizeAreRefused)
{
    MatchesLayout start = Layout(2, 1, {MatchSticks("000001"), MatchSticks("000000")});
    MatchesRules rules(start, {Layout(1, 1, {MatchSticks("000001")})}, 3);
    EXPECT_FALSE(rules.IsPlayable());
    EXPECT_EQ(rules.GetProblems().size(), 1u);
    MatchesRules empty(MatchesLayout{6, 6, MatchesBoardState()}, {}, 3);
    EXPECT_FALSE(empty.IsPlayable());
    EXPECT_EQ(empty.Click(0, 0), MatchesRules::Result::Refused);
}

TEST(MatchesSolverTest, FindsTheFewestMovesWithinTheAllowance)
{
    MatchesBoardState from(4), to(4);
    from.GetCell(0)->set(kSlotTop);
    from.GetCell(1)->set(kSlotLeft);
    from.GetCell(2)->set(kSlotLeftToRight);
    to.GetCell(0)->set(kSlotTop);
    to.GetCell(3)->set(kSlotRight);
    to.GetCell(3)->set(kSlotBottom);
    std::optional<std::vector<MatchMove>> moves = SolveMatches(from, to, 3);
    ASSERT_TRUE(moves.has_value());
    ASSERT_EQ(moves->size(), 2u);
    MatchesBoardState board = from;
    for (const MatchMove& move : *moves)
    {
        board.GetCell(move.mFromCell)->reset(size_t(move.mFromSlot));
        board.GetCell(move.mToCell)->set(size_t(move.mToSlot));
    }
    EXPECT_TRUE(board.Equals(to));
    EXPECT_FALSE(SolveMatches(from, to, 1).has_value());
    to.GetCell(3)->reset(kSlotBottom);
    EXPECT_FALSE(SolveMatches(from, to, 3).has_value()); // one stick short
}
