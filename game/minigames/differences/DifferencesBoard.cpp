#include "game/minigames/differences/DifferencesBoard.h"

#include <algorithm>

DifferencesBoard::DifferencesBoard(DifferenceScene scene, std::vector<AlphaMask> masks)
    : mProblems(std::move(scene.mProblems))
{
    for (size_t i = 0; i < scene.mPieces.size(); ++i)
    {
        AlphaMask mask = i < masks.size() ? std::move(masks[i]) : AlphaMask();
        if (mask.GetWidth() == 0)
        {
            mProblems.push_back("item \"" + scene.mPieces[i].mName + "\": picture \"" +
                                scene.mPieces[i].mImage + "\" is missing; the item is left out");
            continue;
        }
        mPieces.push_back({std::move(scene.mPieces[i]), std::move(mask), false, int(i)});
    }
    std::stable_sort(mPieces.begin(), mPieces.end(),
                     [](const Entry& a, const Entry& b) { return a.mPiece.mLayer < b.mPiece.mLayer; });

    for (size_t i = 0; i < mPieces.size(); ++i)
    {
        if (mPieces[i].mPiece.mType == 0)
            continue;
        const int partner = FindPartner(int(i));
        if (partner < 0 || FindPartner(partner) != int(i) || mPieces[size_t(partner)].mPiece.mType == 0)
            mProblems.push_back("item \"" + mPieces[i].mPiece.mName +
                                "\" has no clickable partner that leads back to it");
    }
    if (CountCompletePairs() < kPairsToSolve)
        mProblems.push_back("only " + std::to_string(CountCompletePairs()) +
                            " complete pairs: the game cannot be solved");
}

int DifferencesBoard::CountCompletePairs() const
{
    int pairs = 0;
    for (size_t i = 0; i < mPieces.size(); ++i)
    {
        const DifferencePiece& piece = mPieces[i].mPiece;
        if (piece.mType == 0 || piece.mMinorGroupId != -1)
            continue;
        const int partner = FindPartner(int(i));
        if (partner >= 0 && FindPartner(partner) == int(i) && mPieces[size_t(partner)].mPiece.mType != 0)
            ++pairs;
    }
    return pairs;
}

int DifferencesBoard::FindPartner(int index) const
{
    if (index < 0 || index >= int(mPieces.size()))
        return -1;
    const DifferencePiece& piece = mPieces[size_t(index)].mPiece;
    for (size_t i = 0; i < mPieces.size(); ++i)
    {
        const DifferencePiece& other = mPieces[i].mPiece;
        if (piece.mMajorGroupId == -1 && piece.mMinorGroupId != -1 &&
            other.mMajorGroupId == piece.mMinorGroupId)
            return int(i);
        if (piece.mMinorGroupId == -1 && piece.mMajorGroupId != -1 &&
            other.mMinorGroupId == piece.mMajorGroupId)
            return int(i);
    }
    return -1;
}

int DifferencesBoard::HitTest(int x, int y) const
{
    const int a = x - kPictureOffsetX;
    const int b = y - kPictureOffsetY;
    for (size_t i = mPieces.size(); i-- > 0;)
    {
        const Entry& entry = mPieces[i];
        if (entry.mFound || entry.mPiece.mType == 0)
            continue;
        if (entry.mMask.IsOpaqueAt(a - entry.mPiece.mX, b - entry.mPiece.mY))
            return int(i);
    }
    return -1;
}

DifferencesBoard::ClickResult DifferencesBoard::Click(int x, int y)
{
    if (IsSolved())
        return ClickResult::NoPartner;
    const int piece = HitTest(x, y);
    if (piece < 0)
        return ClickResult::Miss;
    const int partner = FindPartner(piece);
    if (partner < 0)
        return ClickResult::NoPartner;
    if (mPieces[size_t(partner)].mFound)
        return ClickResult::Miss;
    mPieces[size_t(piece)].mFound = true;
    mPieces[size_t(partner)].mFound = true;
    ++mFoundCount;
    return ClickResult::Found;
}

void DifferencesBoard::Reset()
{
    for (Entry& entry : mPieces)
        if (entry.mPiece.mType != 0)
            entry.mFound = false;
    mFoundCount = 0;
}
