#include "game/minigames/memory/MemoryBoard.h"
#include "platform/Random.h"

#include <gtest/gtest.h>
#include <map>

namespace
{

// Two cards of the same face and one of another.
struct Pick
{
    int a = -1, b = -1, other = -1;
};

Pick FindPair(const MemoryBoard& board)
{
    Pick pick;
    for (int i = 0; i < board.GetCardCount() && pick.b < 0; ++i)
        for (int j = i + 1; j < board.GetCardCount(); ++j)
            if (board.GetFace(i) == board.GetFace(j) && !board.IsMatched(i))
            {
                pick.a = i;
                pick.b = j;
                break;
            }
    for (int k = 0; k < board.GetCardCount(); ++k)
        if (board.GetFace(k) != board.GetFace(pick.a))
        {
            pick.other = k;
            break;
        }
    return pick;
}

} // namespace

TEST(MemoryBoardTest, DealsEveryFaceTwiceTheSameWayForASeed)
{
    for (int pairs : {10, 15})
    {
        platform::srand(42);
        MemoryBoard first(pairs);
        platform::srand(42);
        MemoryBoard second(pairs);
        std::map<int, int> counts;
        for (int card = 0; card < first.GetCardCount(); ++card)
        {
            EXPECT_EQ(first.GetFace(card), second.GetFace(card));
            ++counts[first.GetFace(card)];
        }
        EXPECT_EQ(first.GetCardCount(), 2 * pairs);
        EXPECT_EQ(int(counts.size()), pairs);
        for (const auto& [face, count] : counts)
            EXPECT_EQ(count, 2) << face;
    }
    EXPECT_EQ(MemoryBoard::ModeByName("Mode2").mPairs, 15);
    EXPECT_EQ(MemoryBoard::ModeByName("Mode2").mColumns, 6);
    EXPECT_EQ(MemoryBoard::ModeByName("Mode7").mPairs, 10);
    EXPECT_EQ(MemoryBoard::ModeByName("Mode7").mLeftOffset, 70);
}

TEST(MemoryBoardTest, APairStaysUpAndAnythingElseTurnsBackAtOnce)
{
    platform::srand(5);
    MemoryBoard board(10);
    Pick pick = FindPair(board);
    EXPECT_EQ(board.Choose(pick.a), MemoryBoard::ChooseResult::TurnedUp);
    EXPECT_EQ(board.Choose(pick.a), MemoryBoard::ChooseResult::Ignored); // still turning
    board.FlipFinished(pick.a);
    EXPECT_EQ(board.Choose(pick.other), MemoryBoard::ChooseResult::TurnedUp);
    EXPECT_TRUE(board.IsComparing());
    EXPECT_EQ(board.Choose(pick.b), MemoryBoard::ChooseResult::Ignored); // two chosen: wait
    EXPECT_EQ(board.FlipFinished(pick.other), MemoryBoard::CompareResult::NoPair);
    // The comparison turns both back down; other cards take clicks at once,
    // the two only when their flip down has ended.
    for (int card : {pick.a, pick.other})
    {
        EXPECT_FALSE(board.IsFaceUp(card));
        EXPECT_EQ(board.GetFlip(card), MemoryBoard::Flip::Down);
    }
    EXPECT_FALSE(board.IsComparing());
    EXPECT_EQ(board.Choose(pick.b), MemoryBoard::ChooseResult::TurnedUp);
    EXPECT_EQ(board.Choose(pick.a), MemoryBoard::ChooseResult::Ignored);
    board.FlipFinished(pick.a);
    board.FlipFinished(pick.other);
    EXPECT_EQ(board.Choose(pick.a), MemoryBoard::ChooseResult::TurnedUp);
    EXPECT_EQ(board.FlipFinished(pick.b), MemoryBoard::CompareResult::None); // the first choice
    EXPECT_EQ(board.FlipFinished(pick.a), MemoryBoard::CompareResult::Pair);
    EXPECT_TRUE(board.IsMatched(pick.a));
    EXPECT_TRUE(board.IsFaceUp(pick.b));
    EXPECT_EQ(board.GetPairsFound(), 1);
    EXPECT_EQ(board.Choose(pick.a), MemoryBoard::ChooseResult::Ignored);
}

// Reset while two cards that made no pair are still turning down leaves them
// turning down and clears everything else.
TEST(MemoryBoardTest, ResetDuringTheTurnBackKeepsTheFlipDown)
{
    platform::srand(7);
    MemoryBoard board(10);
    Pick pick = FindPair(board);
    board.Choose(pick.a);
    board.FlipFinished(pick.a);
    board.Choose(pick.other);
    ASSERT_EQ(board.FlipFinished(pick.other), MemoryBoard::CompareResult::NoPair);
    board.Reset();
    for (int card : {pick.a, pick.other})
    {
        EXPECT_FALSE(board.IsFaceUp(card));
        EXPECT_EQ(board.GetFlip(card), MemoryBoard::Flip::Down);
    }
    EXPECT_EQ(board.GetFirstChoice(), -1);
    EXPECT_FALSE(board.IsComparing());
}

TEST(MemoryBoardTest, AFirstChoiceCanBePutBack)
{
    platform::srand(6);
    MemoryBoard board(10);
    EXPECT_EQ(board.Choose(3), MemoryBoard::ChooseResult::TurnedUp);
    board.FlipFinished(3);
    EXPECT_EQ(board.Choose(3), MemoryBoard::ChooseResult::TurnedBack);
    EXPECT_EQ(board.GetFirstChoice(), -1);
    EXPECT_FALSE(board.IsFaceUp(3));
    EXPECT_EQ(board.Choose(-1), MemoryBoard::ChooseResult::Ignored);
    EXPECT_EQ(board.Choose(20), MemoryBoard::ChooseResult::Ignored);
}

TEST(MemoryBoardTest, ResetDuringFlipsTurnsEverythingDownAndKeepsTheDeal)
{
    platform::srand(8);
    MemoryBoard board(10);
    Pick pick = FindPair(board);
    board.Choose(pick.a);
    board.FlipFinished(pick.a);
    board.Choose(pick.b);
    board.FlipFinished(pick.b); // a pair found
    Pick next = FindPair(board);
    board.Choose(next.a); // still turning up when Reset comes
    std::vector<int> faces;
    for (int card = 0; card < board.GetCardCount(); ++card)
        faces.push_back(board.GetFace(card));
    board.Reset();
    EXPECT_EQ(board.GetPairsFound(), 0);
    EXPECT_EQ(board.GetFirstChoice(), -1);
    EXPECT_FALSE(board.IsComparing());
    for (int card : {pick.a, pick.b, next.a})
    {
        EXPECT_FALSE(board.IsFaceUp(card));
        EXPECT_FALSE(board.IsMatched(card));
        EXPECT_EQ(board.GetFlip(card), MemoryBoard::Flip::Down);
    }
    for (int card = 0; card < board.GetCardCount(); ++card)
        EXPECT_EQ(board.GetFace(card), faces[size_t(card)]);
}

TEST(MemoryBoardTest, TheLastPairSolves)
{
    platform::srand(9);
    MemoryBoard board(10);
    for (int pair = 0; pair < 10; ++pair)
    {
        Pick pick = FindPair(board);
        board.Choose(pick.a);
        board.Choose(pick.b);
        board.FlipFinished(pick.a);
        EXPECT_EQ(board.FlipFinished(pick.b), MemoryBoard::CompareResult::Pair);
    }
    EXPECT_TRUE(board.IsSolved());
}
