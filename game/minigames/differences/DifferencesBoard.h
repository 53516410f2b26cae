#pragma once

#include "game/minigames/common/AlphaMask.h"
#include "game/minigames/differences/DifferenceScene.h"

#include <string>
#include <vector>

// The find-the-differences rules over a read scene and its pieces' visible
// pixels. Pieces are kept sorted by layer (stable); a click marks a piece and
// its partner, and ten marked pairs solve the game.
class DifferencesBoard
{
public:
    static constexpr int kPairsToSolve = 10;
    // Board coordinates of the pieces start this far into the game widget.
    static constexpr int kPictureOffsetX = 14;
    static constexpr int kPictureOffsetY = 12;

    enum class ClickResult
    {
        Miss,      // no clickable piece under the point, or its partner was found already
        NoPartner, // a piece without a partner: nothing happens, no sound
        Found
    };

    // masks[i] holds the visible pixels of scene piece i (file order). A piece
    // whose picture is missing (empty mask) is dropped; it is reported in
    // GetProblems(), as is a clickable piece whose partner is missing, not
    // clickable or does not lead back to it (such a piece still takes clicks:
    // silently without a partner, else by its group ids).
    DifferencesBoard(DifferenceScene scene, std::vector<AlphaMask> masks);

    int GetPieceCount() const { return int(mPieces.size()); }
    const DifferencePiece& GetPiece(int index) const { return mPieces[size_t(index)].mPiece; }
    const AlphaMask& GetMask(int index) const { return mPieces[size_t(index)].mMask; }
    bool IsFound(int index) const { return mPieces[size_t(index)].mFound; }
    // Where the piece stood in the scene file (and in the masks given).
    int GetFileIndex(int index) const { return mPieces[size_t(index)].mFileIndex; }
    int GetFoundCount() const { return mFoundCount; }
    bool IsSolved() const { return mFoundCount >= kPairsToSolve; }
    // The number of pairs whose two pieces lead to each other and can be clicked.
    int CountCompletePairs() const;
    const std::vector<std::string>& GetProblems() const { return mProblems; }

    // The uppermost unfound clickable piece with a visible pixel at the game
    // widget's point, -1 when none.
    int HitTest(int x, int y) const;
    // The partner by group ids, -1 when none.
    int FindPartner(int index) const;
    ClickResult Click(int x, int y);
    void Reset();

private:
    struct Entry
    {
        DifferencePiece mPiece;
        AlphaMask mMask;
        bool mFound = false;
        int mFileIndex = 0;
    };

    std::vector<Entry> mPieces;
    std::vector<std::string> mProblems;
    int mFoundCount = 0;
};
