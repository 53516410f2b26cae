#pragma once

#include <string>
#include <vector>

// The memory-cards rules. Each card is face down, turning, face up or matched;
// turning is the picture's flip, which the view reports finished. Two chosen
// cards are compared when the second has turned up: a pair stays up; any other
// two turn back down at once (the second was seen while it turned up).
class MemoryBoard
{
public:
    struct Mode
    {
        int mPairs = 10;
        int mColumns = 5;
        int mLeftOffset = 70;
    };
    // "Mode1": 10 pairs in 5 columns; "Mode2": 15 in 6; anything else as "Mode1".
    static Mode ModeByName(const std::string& name);

    // Deals 2 x pairs cards: faces 0..P-1 twice, then for each j a swap with rand % 2P.
    explicit MemoryBoard(int pairs);

    enum class Flip
    {
        None,
        Up,
        Down
    };
    enum class ChooseResult
    {
        Ignored,
        TurnedUp,
        TurnedBack // a first choice put back
    };
    enum class CompareResult
    {
        None,
        Pair,
        NoPair
    };

    ChooseResult Choose(int card);
    // The view's flip of the card has ended. When it was the second choice's
    // turn up, the two are compared.
    CompareResult FlipFinished(int card);
    // Every card face down, turning ones turned back; choices and pairs cleared.
    // The faces stay where they were dealt.
    void Reset();

    int GetCardCount() const { return int(mCards.size()); }
    int GetFace(int card) const { return mCards[size_t(card)].mFace; }
    bool IsFaceUp(int card) const { return mCards[size_t(card)].mFaceUp; }
    bool IsMatched(int card) const { return mCards[size_t(card)].mMatched; }
    Flip GetFlip(int card) const { return mCards[size_t(card)].mFlip; }
    int GetPairsFound() const { return mPairsFound; }
    int GetPairCount() const { return mPairs; }
    bool IsComparing() const { return mComparing; }
    bool IsSolved() const { return mPairsFound == mPairs; }
    int GetFirstChoice() const { return mFirst; }
    int GetSecondChoice() const { return mSecond; }

private:
    struct Card
    {
        int mFace = 0;
        bool mFaceUp = false;
        bool mMatched = false;
        Flip mFlip = Flip::None;
    };
    bool Valid(int card) const { return card >= 0 && card < int(mCards.size()); }

    std::vector<Card> mCards;
    int mPairs = 0;
    int mPairsFound = 0;
    int mFirst = -1;
    int mSecond = -1;
    bool mComparing = false;
};
