#include "game/minigames/scramble/LetterScrambleBoard.h"
#include "platform/Random.h"

#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <regex>
#include <sstream>

namespace
{

using S = LetterScrambleBoard::SelectResult;

std::vector<std::string> ContentWords()
{
    std::ifstream file(std::string(ORVELLAN_SOURCE_DIR) + "/content/properties/Strings.xml");
    std::stringstream text;
    text << file.rdbuf();
    const std::string all = text.str();
    std::vector<std::string> words;
    const std::regex entry("<MINIGAME_WORD_[0-9] value=\"([^\"]*)\"");
    for (auto it = std::sregex_iterator(all.begin(), all.end(), entry); it != std::sregex_iterator(); ++it)
        words.push_back((*it)[1]);
    return words;
}

void Swap(LetterScrambleBoard& board, int a, int b)
{
    ASSERT_EQ(board.Select(a), S::Selected);
    ASSERT_EQ(board.Select(b), S::Swapping);
    board.FinishSwap();
}

// Puts each place's letter right with one exchange, as a player would.
void SolveByExchanges(LetterScrambleBoard& board)
{
    const std::string& word = board.GetWord();
    if (board.GetLetters() == word)
    {
        // Reading the word from the start does not count until a swap has been made.
        EXPECT_FALSE(board.IsSolved());
        Swap(board, 0, 1);
        if (!board.IsSolved())
            Swap(board, 0, 1);
        return;
    }
    for (int place = 0; place < board.GetTileCount(); ++place)
        if (board.GetLetter(place) != word[size_t(place)])
            for (int other = place + 1; other < board.GetTileCount(); ++other)
                if (board.GetLetter(other) == word[size_t(place)])
                {
                    Swap(board, place, other);
                    break;
                }
}

} // namespace

TEST(LetterScrambleBoardTest, EveryWordShuffledAndResetCanBeSolved)
{
    const std::vector<std::string> words = ContentWords();
    ASSERT_EQ(words.size(), 10u);
    for (const std::string& word : words)
        for (unsigned seed = 0; seed < 100; ++seed)
        {
            platform::srand(seed);
            LetterScrambleBoard board(word);
            std::string sorted = board.GetScrambled(), expected = word;
            std::sort(sorted.begin(), sorted.end());
            std::sort(expected.begin(), expected.end());
            ASSERT_EQ(sorted, expected) << word;
            EXPECT_FALSE(board.IsSolved());
            std::string once = board.GetLetters();
            std::swap(once.front(), once.back());
            if (once != word)
            {
                Swap(board, 0, board.GetTileCount() - 1);
                ASSERT_TRUE(board.Reset());
            }
            ASSERT_EQ(board.GetLetters(), board.GetScrambled());
            SolveByExchanges(board);
            EXPECT_TRUE(board.IsSolved()) << word << " seed " << seed;
            EXPECT_FALSE(board.Reset());
            EXPECT_EQ(board.Select(0), S::Ignored);
        }
}

TEST(LetterScrambleBoardTest, ChoosesAndShufflesWithTheClassicSequence)
{
    const std::vector<std::string> words{"MANOR", "CLOCK", "RAVEN"};
    platform::srand(3);
    const int pick = platform::rand() % 3;
    std::string expected = words[size_t(pick)];
    for (int i = 0; i < 15; ++i)
    {
        const int b = platform::rand() % 5;
        int c = platform::rand() % 5;
        if (b == c && c > 1)
            --c;
        std::swap(expected[size_t(b)], expected[size_t(c)]);
    }
    platform::srand(3);
    const LetterScrambleBoard board = LetterScrambleBoard::Choose(words);
    EXPECT_EQ(board.GetWord(), words[size_t(pick)]);
    EXPECT_EQ(board.GetScrambled(), expected);
    EXPECT_EQ(board.TileX(0), 434 - 5 * 13);
    EXPECT_EQ(board.TileX(1) - board.TileX(0), 26);
}

TEST(LetterScrambleBoardTest, SelectionClicksAndTheirGuards)
{
    LetterScrambleBoard board("ABCD");
    EXPECT_EQ(board.Select(2), S::Selected);
    EXPECT_TRUE(board.IsSelected(2));
    EXPECT_EQ(board.Select(2), S::Deselected);
    EXPECT_EQ(board.GetFirst(), -1);
    EXPECT_EQ(board.Select(9), S::Ignored);
    board.Select(0);
    EXPECT_EQ(board.Select(3), S::Swapping);
    EXPECT_FALSE(board.IsSelected(0));
    // A third tile cannot be chosen while two are moving; Reset still works and the swap completes.
    EXPECT_EQ(board.Select(1), S::Ignored);
    const std::string before = board.GetLetters();
    EXPECT_TRUE(board.Reset());
    board.FinishSwap();
    std::string swapped = before;
    std::swap(swapped[0], swapped[3]);
    EXPECT_EQ(board.GetLetters(), swapped);
    EXPECT_FALSE(board.IsSwapping());
}

TEST(LetterScrambleBoardTest, ShortAndEmptyWordsNeverSolve)
{
    LetterScrambleBoard empty(std::string{});
    EXPECT_EQ(empty.GetTileCount(), 0);
    EXPECT_EQ(empty.Select(0), S::Ignored);
    EXPECT_FALSE(empty.IsSolved());
    LetterScrambleBoard one("A");
    EXPECT_EQ(one.Select(0), S::Selected);
    EXPECT_EQ(one.Select(0), S::Deselected);
    EXPECT_FALSE(one.IsSolved());
    EXPECT_EQ(LetterScrambleBoard::Choose({}).GetTileCount(), 0);
}

TEST(LetterScrambleBoardTest, SwapPathsRunOnAHalfCircle)
{
    // Neighbours: radius 13; the first tile on the left goes below the row (+y), from the right above.
    const auto right = BuildSwapPath(100, 126);
    EXPECT_EQ(right[0].mX, 0);
    EXPECT_EQ(right[0].mY, 0);
    // The degree factor falls just short of a right angle, so the top of the arc truncates to 12.
    EXPECT_EQ(right[6].mX, 12);
    EXPECT_EQ(right[6].mY, 12);
    EXPECT_EQ(right[10].mX, 24);
    EXPECT_EQ(right[10].mY, 6);
    EXPECT_EQ(right[11].mX, 26);
    EXPECT_EQ(right[11].mY, 0);
    const auto left = BuildSwapPath(126, 100);
    EXPECT_EQ(left[6].mX, -12);
    EXPECT_EQ(left[6].mY, -12);
    EXPECT_EQ(left[11].mX, -26);
    // An odd distance: the radius is truncated toward zero.
    EXPECT_EQ(BuildSwapPath(0, 79)[6].mX, 38);
    EXPECT_EQ(BuildSwapPath(79, 0)[6].mX, -38);
    EXPECT_EQ(BuildSwapPath(0, 79)[10].mX, 72);
    EXPECT_EQ(BuildSwapPath(79, 0)[11].mX, -79);
}
