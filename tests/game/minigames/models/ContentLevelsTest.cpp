// The levels and puzzles the game ships, read from the authored content and
// solved by the games' own rules.
#include "game/minigames/matches/MatchesRules.h"
#include "game/minigames/matches/MatchesSolver.h"
#include "game/minigames/sokoban/SokobanBoard.h"
#include "game/minigames/sokoban/SokobanSolver.h"
#include "tests/game/minigames/models/LevelFileSupport.h"

#include <gtest/gtest.h>

TEST(ContentLevels, EveryBoxPushingLevelIsSolvedByItsPushes)
{
    struct Case
    {
        const char* mode;
        size_t boxes;
        size_t fewestPushes;
    } cases[] = {{"Mode1", 3, 20}, {"Mode2", 4, 25}, {"Mode3", 4, 25}};
    for (const Case& c : cases)
    {
        SokobanLevel level = ReadSokobanLevel(ContentFolder() + "/xml/" + SokobanLevelName(c.mode) + ".xml");
        EXPECT_TRUE(level.mProblems.empty()) << c.mode;
        EXPECT_EQ(level.mBoxes.size(), c.boxes) << c.mode;
        std::optional<std::vector<SokobanMove>> moves = SolveSokoban(level);
        ASSERT_TRUE(moves.has_value()) << c.mode;
        EXPECT_GE(moves->size(), c.fewestPushes) << c.mode; // a puzzle, not a formality
        SokobanBoard board(level);
        EXPECT_FALSE(board.IsSolved());
        for (const SokobanMove& move : *moves)
            ASSERT_EQ(board.Push(move.mBox, move.mArrow), SokobanBoard::PushResult::Moved) << c.mode;
        EXPECT_TRUE(board.IsSolved()) << c.mode;
    }
}

TEST(ContentLevels, EveryAcceptedMatchLayoutTakesExactlyTheAllowedMoves)
{
    for (const char* name : {"Fish", "Squares5to4"})
    {
        const MatchesPuzzleInfo info = MatchesPuzzleByName(name);
        MatchesLayoutRead start = ReadMatchesLayout(ContentFolder() + "/xml/" + name + ".xml");
        ASSERT_TRUE(start.mLayout.has_value()) << name;
        EXPECT_TRUE(start.mProblems.empty()) << name;
        for (int v = 1; v <= info.mSolutionCount; ++v)
        {
            const std::string file =
                ContentFolder() + "/xml/" + name + "Solution" + std::to_string(v) + ".xml";
            MatchesLayoutRead solution = ReadMatchesLayout(file);
            ASSERT_TRUE(solution.mLayout.has_value()) << file;
            std::optional<std::vector<MatchMove>> moves =
                SolveMatches(start.mLayout->mState, solution.mLayout->mState, info.mMoves);
            ASSERT_TRUE(moves.has_value()) << file;
            EXPECT_EQ(int(moves->size()), info.mMoves) << file;
            MatchesRules rules(*start.mLayout, {*solution.mLayout}, info.mMoves);
            MatchesRules::Result last = MatchesRules::Result::Refused;
            for (const MatchMove& move : *moves)
            {
                EXPECT_EQ(rules.Click(move.mFromCell, move.mFromSlot), MatchesRules::Result::Taken);
                last = rules.Click(move.mToCell, move.mToSlot);
            }
            EXPECT_EQ(last, MatchesRules::Result::Solved) << file;
        }
    }
}
