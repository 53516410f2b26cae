#pragma once

#include "game/play/SceneFile.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// The alpha of an item's whole picture at the picture's own size.
struct ItemMask
{
    int32_t mWidth = 0;
    int32_t mHeight = 0;
    std::vector<uint8_t> mAlpha;
};

// One item of the picture as play sees it: where it is, what it is, and
// whether it is still there.
struct PlayfieldItem
{
    SceneItemRecord mRecord;
    SceneItemKind mKind = SceneItemKind::Plain;
    int32_t mX = 0, mY = 0, mWidth = 0, mHeight = 0;
    ItemMask mMask;
    bool mClickable = true;
    bool mVisible = true;
    bool mRemoved = false;
    bool mWanted = false;
    int32_t mCombined = -1; // a piece's combined item, by index
    int32_t mMissing = 0;   // a combined item's pieces still to come
};

// An entry of the scene record's list: a name to find (and its group in the
// ten-items visit) and whether it has been taken.
struct SceneListEntry
{
    std::string mName;
    int32_t mGroupId = -1;
    bool mTaken = false;
};

enum class ClickOutcome
{
    Nothing,        // no item there, or one that takes no click now
    Found,          // a listed item
    PieceFound,     // a piece of the usable object
    HintTaken,      // a hidden hint, added to the counter
    HiddenPiece,    // a piece not yet shown: it takes the click and gives nothing
    MiniGameOpened, // the usable object used on its place
    Misclick        // an item that is not wanted
};

// The bookkeeping of a scene's playfield without pictures or animation: the
// items of its scene file, the list, the pieces and the usable object, the
// hints, and the clicks on them. Collections end at once.
class PlayfieldModel
{
public:
    static constexpr int32_t kMaxHints = 6;

    using MaskSource = std::function<ItemMask(const std::string& imageFile)>;

    // Makes the items of a scene file as the playfield does, sorted by layer;
    // a second visit keeps only plain and hint items and no diary page.
    void Load(const std::vector<SceneItemRecord>& records, int32_t listMode, bool secondVisit,
              const MaskSource& masks);
    // The full list: every item named by an untaken entry is wanted.
    void BuildFullList(const std::vector<SceneListEntry>& entries);
    // The ten-items visit: members of the group whose entries are untaken.
    void BuildTenItemsList(const std::vector<SceneListEntry>& entries);

    // The clickable item whose picture is not transparent at the point, top
    // layer first; with ignoreAlpha the rectangles alone count.
    int32_t FindItemAt(int32_t x, int32_t y, bool ignoreAlpha) const;
    ClickOutcome Click(int32_t x, int32_t y);
    // A left click on the held usable object toggles its selection.
    void ToggleHeldSelection();
    // A solved or skipped mini-game consumes the usable object.
    void SetMiniGameDone();
    // A right click, or the scene screen covered: the usable object is put down.
    void DeselectHeld() { mHeldSelected = false; }

    // What the player's record already holds leaves the picture: the first
    // plain item of each taken name and the first hint item of each collected
    // hint's name.
    void RemoveTakenItems(const std::vector<std::string>& takenNames,
                          const std::vector<std::string>& hintNames);
    // A piece collected on an earlier visit rejoins its combined item, which
    // makes the usable object once complete (unless the mini-game is done).
    // False when no piece of that name is in the picture.
    bool ReattachPiece(const std::string& name);
    // Shows or hides an item. A hidden item is still hit where its picture
    // is, so it keeps the click from the items below it; a hidden piece gives
    // nothing for it.
    void SetItemVisible(size_t index, bool visible) { mItems[index].mVisible = visible; }

    const std::vector<PlayfieldItem>& Items() const { return mItems; }
    int32_t ItemsLeft() const { return mItemsLeft; }
    int32_t PiecesLeft() const { return mPiecesLeft; }
    int32_t Hints() const { return mHints; }
    void SetHints(int32_t hints) { mHints = hints; }
    bool HasHeldItem() const { return mHeld; }
    bool IsHeldSelected() const { return mHeld && mHeldSelected; }
    bool IsMiniGameDone() const { return mMiniGameDone; }
    bool HasLocation() const;
    // The list is done and, on a full list where the scene has a place for
    // its usable object, the mini-game too.
    bool IsFinished() const
    {
        return mItemsLeft == 0 && (mListMode == kTenItemsListMode || mMiniGameDone || !HasLocation());
    }

private:
    static bool StaysInPicture(PlayfieldItem& item);
    void Collect(PlayfieldItem& item);

    std::vector<PlayfieldItem> mItems;
    int32_t mListMode = kFullListMode;
    int32_t mItemsLeft = 0;
    int32_t mPiecesLeft = 0;
    int32_t mHints = 0;
    bool mHeld = false;
    bool mHeldSelected = false;
    bool mMiniGameDone = false;
};
