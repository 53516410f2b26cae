#include "game/minigames/typewriter/TypewriterWord.h"

#include "platform/Random.h"

bool TypewriterWord::IsPlayable(const std::string& word)
{
    if (word.empty() || word.size() > kMaxLength)
        return false;
    for (char c : word)
        if (c < 'A' || c > 'Z')
            return false;
    return true;
}

TypewriterWord::TypewriterWord(std::string word)
{
    if (IsPlayable(word))
        mWord = std::move(word);
    else
        mProblems.push_back("word \"" + word + "\" is not 1 to 7 capital letters A to Z");
}

TypewriterWord TypewriterWord::Choose(const std::vector<std::string>& words)
{
    TypewriterWord chosen;
    const int draw = platform::rand();
    if (words.empty())
    {
        chosen.mProblems.push_back("no words to choose from");
        return chosen;
    }
    const size_t first = size_t(draw) % words.size();
    for (size_t step = 0; step < words.size(); ++step)
    {
        const std::string& word = words[(first + step) % words.size()];
        if (IsPlayable(word))
        {
            chosen.mWord = word;
            return chosen;
        }
        chosen.mProblems.push_back("word \"" + word + "\" is not 1 to 7 capital letters A to Z; skipped");
    }
    chosen.mProblems.push_back("no playable word");
    return chosen;
}

TypewriterWord::KeyResult TypewriterWord::Type(char letter)
{
    if (!HasWord() || letter < 'A' || letter > 'Z' || IsSolved() || mTyped.size() >= mWord.size())
        return KeyResult::Refused;
    mTyped += letter;
    return IsSolved() ? KeyResult::Solved : KeyResult::Typed;
}
