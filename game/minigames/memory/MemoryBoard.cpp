#include "game/minigames/memory/MemoryBoard.h"

#include "platform/Random.h"

#include <utility>

MemoryBoard::Mode MemoryBoard::ModeByName(const std::string& name)
{
    if (name == "Mode2")
        return {15, 6, 20};
    return {10, 5, 70};
}

MemoryBoard::MemoryBoard(int pairs) : mPairs(pairs > 0 ? pairs : 1)
{
    const int count = 2 * mPairs;
    std::vector<int> faces;
    for (int i = 0; i < count; ++i)
        faces.push_back(i < mPairs ? i : i - mPairs);
    for (int j = 0; j < count; ++j)
        std::swap(faces[size_t(j)], faces[size_t(platform::rand() % count)]);
    for (int face : faces)
        mCards.push_back({face, false, false, Flip::None});
}

MemoryBoard::ChooseResult MemoryBoard::Choose(int card)
{
    if (!Valid(card) || mComparing)
        return ChooseResult::Ignored;
    Card& chosen = mCards[size_t(card)];
    if (chosen.mFlip != Flip::None || chosen.mMatched)
        return ChooseResult::Ignored;
    if (chosen.mFaceUp)
    {
        if (mFirst == card)
            mFirst = -1;
        if (mSecond == card)
            mSecond = -1;
        chosen.mFaceUp = false;
        chosen.mFlip = Flip::Down;
        return ChooseResult::TurnedBack;
    }
    if (mFirst < 0)
        mFirst = card;
    else
    {
        mSecond = card;
        mComparing = true;
    }
    chosen.mFaceUp = true;
    chosen.mFlip = Flip::Up;
    return ChooseResult::TurnedUp;
}

MemoryBoard::CompareResult MemoryBoard::FlipFinished(int card)
{
    if (!Valid(card))
        return CompareResult::None;
    mCards[size_t(card)].mFlip = Flip::None;
    if (card != mSecond || mFirst < 0)
        return CompareResult::None;
    Card& first = mCards[size_t(mFirst)];
    Card& second = mCards[size_t(mSecond)];
    // The first choice may still be turning up when the second ends; it stays up either way.
    first.mFlip = first.mFlip == Flip::Up ? Flip::None : first.mFlip;
    CompareResult result;
    if (first.mFace == second.mFace)
    {
        first.mMatched = second.mMatched = true;
        ++mPairsFound;
        result = CompareResult::Pair;
    }
    else
    {
        for (Card* card : {&first, &second})
        {
            card->mFaceUp = false;
            card->mFlip = Flip::Down;
        }
        result = CompareResult::NoPair;
    }
    mFirst = mSecond = -1;
    mComparing = false;
    return result;
}

void MemoryBoard::Reset()
{
    for (Card& card : mCards)
    {
        card.mMatched = false;
        if (card.mFaceUp || card.mFlip == Flip::Up)
        {
            card.mFaceUp = false;
            card.mFlip = Flip::Down;
        }
    }
    mFirst = mSecond = -1;
    mPairsFound = 0;
    mComparing = false;
}
