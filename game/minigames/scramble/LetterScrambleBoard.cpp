#include "game/minigames/scramble/LetterScrambleBoard.h"

#include "platform/Random.h"

#include <cmath>
#include <utility>

LetterScrambleBoard LetterScrambleBoard::Choose(const std::vector<std::string>& words)
{
    if (words.empty())
        return LetterScrambleBoard(std::string());
    return LetterScrambleBoard(words[std::size_t(platform::rand()) % words.size()]);
}

LetterScrambleBoard::LetterScrambleBoard(std::string word) : mWord(std::move(word)), mScrambled(mWord)
{
    const int length = int(mWord.size());
    if (length > 0)
        for (int i = 0; i < length + 10; ++i)
        {
            const int b = platform::rand() % length;
            int c = platform::rand() % length;
            if (b == c && c > 1)
                --c;
            std::swap(mScrambled[std::size_t(b)], mScrambled[std::size_t(c)]);
        }
    mLetters = mScrambled;
}

LetterScrambleBoard::SelectResult LetterScrambleBoard::Select(int tile)
{
    if (mSolved || mSecond >= 0 || tile < 0 || tile >= GetTileCount())
        return SelectResult::Ignored;
    if (mFirst < 0)
    {
        mFirst = tile;
        return SelectResult::Selected;
    }
    if (mFirst == tile)
    {
        mFirst = -1;
        return SelectResult::Deselected;
    }
    mSecond = tile;
    return SelectResult::Swapping;
}

void LetterScrambleBoard::FinishSwap()
{
    if (mSecond < 0)
        return;
    std::swap(mLetters[std::size_t(mFirst)], mLetters[std::size_t(mSecond)]);
    mFirst = mSecond = -1;
    mSolved = !mWord.empty() && mLetters == mWord;
}

bool LetterScrambleBoard::Reset()
{
    if (mSolved)
        return false;
    mLetters = mScrambled;
    return true;
}

std::array<SwapOffset, 12> BuildSwapPath(int a, int b)
{
    // Truncated toward zero: half the distance, signed.
    const int r = -((a - b) / 2);
    std::array<SwapOffset, 12> path{};
    for (int i = 0; i <= 10; ++i)
    {
        const double t = i * 180 / 12 * 0.017452898;
        path[std::size_t(i)] = {int(r - r * std::cos(t)), int(r * std::sin(t))};
    }
    path[11] = {b - a, 0};
    return path;
}
