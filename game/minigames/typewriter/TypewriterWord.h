#pragma once

#include <string>
#include <vector>

// The Morse typewriter's rules: the player types letters until the text is as
// long as the word; it is then either the word (solved) or waits for Reset.
class TypewriterWord
{
public:
    // Every letter needs a Morse card and a key, and the card row must fit the board.
    static constexpr size_t kMaxLength = 7;
    static bool IsPlayable(const std::string& word);

    // Picks words[rand % count]. A word that is not playable is reported and
    // the next playable one (in list order, wrapping) is taken instead; with
    // none at all the game has no word and every key is refused.
    static TypewriterWord Choose(const std::vector<std::string>& words);
    explicit TypewriterWord(std::string word);
    TypewriterWord() = default;

    enum class KeyResult
    {
        Refused, // no word, not a letter, solved, or the text is full
        Typed,
        Solved
    };
    KeyResult Type(char letter);
    void Reset() { mTyped.clear(); }

    bool HasWord() const { return !mWord.empty(); }
    bool IsSolved() const { return HasWord() && mTyped == mWord; }
    const std::string& GetWord() const { return mWord; }
    const std::string& GetTyped() const { return mTyped; }
    const std::vector<std::string>& GetProblems() const { return mProblems; }

private:
    std::string mWord;
    std::string mTyped;
    std::vector<std::string> mProblems;
};
