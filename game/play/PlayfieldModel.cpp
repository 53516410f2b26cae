#include "game/play/PlayfieldModel.h"

#include <algorithm>
#include <cmath>

namespace
{

// Positions far outside the picture would not fit an int; they are clamped.
int32_t Truncated(float value)
{
    return int32_t(std::clamp(value, -1.0e6f, 1.0e6f));
}

} // namespace

void PlayfieldModel::Load(const std::vector<SceneItemRecord>& records, int32_t listMode, bool secondVisit,
                          const MaskSource& masks)
{
    mItems.clear();
    mListMode = listMode;
    mPiecesLeft = 0;
    for (const SceneItemRecord& record : records)
    {
        if (record.mTypeId == kDiaryPageTypeId && secondVisit)
            continue;
        PlayfieldItem item;
        item.mRecord = record;
        item.mKind = SceneItemKindOf(record, listMode);
        if (item.mKind == SceneItemKind::None)
            continue;
        if (secondVisit && item.mKind != SceneItemKind::Plain && item.mKind != SceneItemKind::Hint)
            continue;
        item.mMask = masks(SceneImageFileName(record.mImage));
        item.mWidth =
            item.mKind == SceneItemKind::Hint ? item.mMask.mWidth / kHintStripFrames : item.mMask.mWidth;
        item.mHeight = item.mMask.mHeight;
        item.mX = Truncated(record.mX);
        item.mY = Truncated(record.mY);
        if (item.mKind == SceneItemKind::Piece)
            ++mPiecesLeft;
        mItems.push_back(std::move(item));
    }
    std::stable_sort(mItems.begin(), mItems.end(),
                     [](const PlayfieldItem& a, const PlayfieldItem& b)
                     { return a.mRecord.mLayer < b.mRecord.mLayer; });
    // Pieces join the combined item whose major group id is their minor one.
    for (size_t c = 0; c < mItems.size(); ++c)
    {
        PlayfieldItem& combined = mItems[c];
        if (combined.mKind != SceneItemKind::Combined || combined.mRecord.mType == 0)
            continue;
        for (PlayfieldItem& piece : mItems)
            if (piece.mKind == SceneItemKind::Piece && piece.mRecord.mType != 0 &&
                piece.mRecord.mMinorGroupId == combined.mRecord.mMajorGroupId)
            {
                piece.mCombined = int32_t(c);
                ++combined.mMissing;
            }
    }
    // A piece without a combined item could never finish its flight: it stays out of play.
    for (PlayfieldItem& piece : mItems)
        if (piece.mKind == SceneItemKind::Piece && piece.mCombined < 0)
        {
            piece.mClickable = false;
            --mPiecesLeft;
        }
}

bool PlayfieldModel::StaysInPicture(PlayfieldItem& item)
{
    if (item.mKind == SceneItemKind::Combined)
        item.mClickable = false; // into the inventory: out of the picture
    return !item.mRemoved && item.mKind != SceneItemKind::Combined;
}

// An item is wanted once however often the record names it, so that the
// count of items left can reach zero.
void PlayfieldModel::BuildFullList(const std::vector<SceneListEntry>& entries)
{
    mItemsLeft = 0;
    for (PlayfieldItem& item : mItems)
    {
        if (!StaysInPicture(item))
            continue;
        if (item.mKind != SceneItemKind::Plain || item.mRecord.mType == 0)
            continue;
        for (const SceneListEntry& entry : entries)
            if (!entry.mTaken && entry.mName == item.mRecord.mName && !item.mWanted)
            {
                item.mWanted = true;
                ++mItemsLeft;
            }
    }
}

void PlayfieldModel::BuildTenItemsList(const std::vector<SceneListEntry>& entries)
{
    mItemsLeft = 0;
    for (PlayfieldItem& item : mItems)
    {
        if (!StaysInPicture(item))
            continue;
        if (item.mRecord.mTypeId != kTenItemsTypeId)
            continue;
        for (const SceneListEntry& entry : entries)
            if (entry.mName == item.mRecord.mName && entry.mGroupId == item.mRecord.mMajorGroupId)
            {
                if (entry.mTaken)
                    item.mRemoved = true;
                else
                {
                    item.mWanted = true;
                    ++mItemsLeft;
                }
                break;
            }
    }
}

int32_t PlayfieldModel::FindItemAt(int32_t x, int32_t y, bool ignoreAlpha) const
{
    for (size_t i = mItems.size(); i-- > 0;)
    {
        const PlayfieldItem& item = mItems[i];
        if (item.mRemoved || !item.mClickable)
            continue;
        if (x < item.mX || y < item.mY || x > item.mX + item.mWidth || y > item.mY + item.mHeight)
            continue;
        // The picture's own size decides: a point on the rectangle's far edge,
        // or outside a picture smaller than the rectangle, is a miss.
        const int64_t lx = x - item.mX, ly = y - item.mY;
        if (lx >= item.mWidth || ly >= item.mHeight || lx >= item.mMask.mWidth || ly >= item.mMask.mHeight)
            continue;
        if (ignoreAlpha || item.mMask.mAlpha[size_t(ly * item.mMask.mWidth + lx)] != 0)
            return int32_t(i);
    }
    return -1;
}

bool PlayfieldModel::HasLocation() const
{
    return std::any_of(mItems.begin(), mItems.end(),
                       [](const PlayfieldItem& item) { return item.mKind == SceneItemKind::Location; });
}

void PlayfieldModel::Collect(PlayfieldItem& item)
{
    item.mClickable = false;
    item.mRemoved = true;
    if (item.mWanted)
    {
        item.mWanted = false;
        mItemsLeft = std::max(0, mItemsLeft - 1);
    }
}

ClickOutcome PlayfieldModel::Click(int32_t x, int32_t y)
{
    const bool selected = IsHeldSelected();
    const int32_t index = FindItemAt(x, y, selected);
    if (index < 0)
        return ClickOutcome::Nothing;
    PlayfieldItem& item = mItems[size_t(index)];
    if (item.mWanted)
    {
        if (selected)
            return ClickOutcome::Nothing;
        Collect(item);
        return ClickOutcome::Found;
    }
    switch (item.mKind)
    {
    case SceneItemKind::Piece:
    {
        if (selected)
            return ClickOutcome::Nothing;
        if (!item.mVisible)
            return ClickOutcome::HiddenPiece;
        item.mClickable = false;
        item.mRemoved = true;
        mPiecesLeft = std::max(0, mPiecesLeft - 1);
        PlayfieldItem& combined = mItems[size_t(item.mCombined)];
        if (--combined.mMissing == 0 && !mMiniGameDone)
        {
            mHeld = true;
            mHeldSelected = false;
        }
        return ClickOutcome::PieceFound;
    }
    case SceneItemKind::Location:
        return selected && !mMiniGameDone ? ClickOutcome::MiniGameOpened : ClickOutcome::Nothing;
    case SceneItemKind::Hint:
        if (mHints >= kMaxHints)
            return ClickOutcome::Nothing;
        ++mHints;
        item.mClickable = false;
        item.mRemoved = true;
        return ClickOutcome::HintTaken;
    default:
        return ClickOutcome::Misclick;
    }
}

void PlayfieldModel::ToggleHeldSelection()
{
    if (mHeld)
        mHeldSelected = !mHeldSelected;
}

void PlayfieldModel::SetMiniGameDone()
{
    mMiniGameDone = true;
    mHeld = false;
    mHeldSelected = false;
}

void PlayfieldModel::RemoveTakenItems(const std::vector<std::string>& takenNames,
                                      const std::vector<std::string>& hintNames)
{
    const auto removeFirst = [this](const std::string& name, SceneItemKind kind)
    {
        for (PlayfieldItem& item : mItems)
            if (!item.mRemoved && item.mKind == kind && item.mRecord.mType != 0 && item.mRecord.mName == name)
            {
                item.mRemoved = true;
                item.mClickable = false;
                return;
            }
    };
    for (const std::string& name : takenNames)
        removeFirst(name, SceneItemKind::Plain);
    for (const std::string& name : hintNames)
        removeFirst(name, SceneItemKind::Hint);
}

bool PlayfieldModel::ReattachPiece(const std::string& name)
{
    for (PlayfieldItem& piece : mItems)
        if (!piece.mRemoved && piece.mKind == SceneItemKind::Piece && piece.mCombined >= 0 &&
            piece.mRecord.mName == name)
        {
            piece.mRemoved = true;
            piece.mClickable = false;
            PlayfieldItem& combined = mItems[size_t(piece.mCombined)];
            if (--combined.mMissing == 0 && !mMiniGameDone)
            {
                mHeld = true;
                mHeldSelected = false;
            }
            return true;
        }
    return false;
}
