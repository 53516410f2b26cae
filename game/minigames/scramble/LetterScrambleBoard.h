#pragma once

#include <array>
#include <string>
#include <vector>

// The letter-scramble rules: the word's letters shuffled onto a row of tiles;
// two selected tiles exchange letters; solved when the row reads the word.
// The tiles never move in the row, only their letters change.
class LetterScrambleBoard
{
public:
    // Picks words[rand % count] and shuffles it with the same generator.
    static LetterScrambleBoard Choose(const std::vector<std::string>& words);
    // L + 10 exchanges of rand % L with rand % L. An empty word gives no tiles
    // and a board that can never be solved.
    explicit LetterScrambleBoard(std::string word);

    enum class SelectResult
    {
        Ignored,
        Selected,   // the click sound
        Deselected, // the click sound
        Swapping    // the switch sound: the view moves both tiles, then calls FinishSwap
    };
    SelectResult Select(int tile);
    // The movement has ended: the two letters exchange and the row is tested.
    void FinishSwap();
    // Each tile gets its shuffled letter back; a selection and a swap in
    // progress stay. Ignored once solved.
    bool Reset();

    bool IsSolved() const { return mSolved; }
    bool IsSwapping() const { return mSecond >= 0; }
    int GetTileCount() const { return int(mLetters.size()); }
    char GetLetter(int tile) const { return mLetters[std::size_t(tile)]; }
    const std::string& GetLetters() const { return mLetters; }
    const std::string& GetWord() const { return mWord; }
    const std::string& GetScrambled() const { return mScrambled; }
    int GetFirst() const { return mFirst; }
    int GetSecond() const { return mSecond; }
    bool IsSelected(int tile) const { return tile == mFirst && mSecond < 0; }

    // Tile i's left edge, the row centred on x 434 with tiles 26 px apart.
    int TileX(int tile) const { return 434 - GetTileCount() * 13 + 26 * tile; }

private:
    std::string mWord;
    std::string mScrambled;
    std::string mLetters;
    int mFirst = -1;
    int mSecond = -1;
    bool mSolved = false;
};

// The 12 offsets of the first tile on its half circle from x a to x b; the
// second tile moves by their negatives.
struct SwapOffset
{
    int mX = 0;
    int mY = 0;
};
std::array<SwapOffset, 12> BuildSwapPath(int a, int b);
