#include "game/minigames/typewriter/TypewriterWord.h"
#include "platform/Random.h"

#include <gtest/gtest.h>

namespace
{

const std::vector<std::string> kWords = {"MANOR", "CLUE",   "BUTLER", "LANTERN", "CELLAR",
                                         "ALIBI", "POISON", "LEDGER", "TOWER",   "WITNESS"};

} // namespace

TEST(TypewriterWordTest, ChoosesByTheRandomDrawModuloTen)
{
    for (unsigned seed : {1u, 2u, 500u})
    {
        platform::srand(seed);
        const int draw = platform::rand();
        platform::srand(seed);
        EXPECT_EQ(TypewriterWord::Choose(kWords).GetWord(), kWords[size_t(draw % 10)]);
    }
}

TEST(TypewriterWordTest, UnplayableWordsAreSkippedWithAMessage)
{
    struct Case
    {
        std::string word;
        bool playable;
    } cases[] = {{"CLUE", true},    {"clue", false},     {"CLÜE", false},
                 {"", false},       {"A B", false},      {"Z", true},
                 {"ABCDEFG", true}, {"ABCDEFGH", false}, {"error::not found MINIGAME_WORD_3", false}};
    for (const Case& c : cases)
        EXPECT_EQ(TypewriterWord::IsPlayable(c.word), c.playable) << c.word;

    std::vector<std::string> words(10, "bad");
    words[7] = "TOWER";
    platform::srand(1); // the first draw is 41: word 1
    TypewriterWord chosen = TypewriterWord::Choose(words);
    EXPECT_EQ(chosen.GetWord(), "TOWER");
    EXPECT_EQ(chosen.GetProblems().size(), 6u);

    TypewriterWord none = TypewriterWord::Choose(std::vector<std::string>(10, "x"));
    EXPECT_FALSE(none.HasWord());
    EXPECT_FALSE(none.GetProblems().empty());
    EXPECT_EQ(none.Type('A'), TypewriterWord::KeyResult::Refused);
    EXPECT_FALSE(none.IsSolved());
}

TEST(TypewriterWordTest, AFullWrongTextWaitsForReset)
{
    TypewriterWord word("CLUE");
    EXPECT_EQ(word.Type('C'), TypewriterWord::KeyResult::Typed);
    EXPECT_EQ(word.Type('X'), TypewriterWord::KeyResult::Typed);
    EXPECT_EQ(word.Type('U'), TypewriterWord::KeyResult::Typed);
    EXPECT_EQ(word.Type('E'), TypewriterWord::KeyResult::Typed);
    EXPECT_EQ(word.GetTyped(), "CXUE");
    EXPECT_EQ(word.Type('A'), TypewriterWord::KeyResult::Refused);
    EXPECT_FALSE(word.IsSolved());
    word.Reset();
    EXPECT_EQ(word.GetTyped(), "");
    EXPECT_EQ(word.Type('a'), TypewriterWord::KeyResult::Refused);
    for (char c : std::string("CLU"))
        word.Type(c);
    EXPECT_EQ(word.Type('E'), TypewriterWord::KeyResult::Solved);
    EXPECT_TRUE(word.IsSolved());
    EXPECT_EQ(word.Type('E'), TypewriterWord::KeyResult::Refused);
}
