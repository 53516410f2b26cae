#pragma once

#include <string>
#include <vector>

// One picture piece of a difference scene as its file gives it, after the
// reader's adjustments (pieces of group 0 sink 100 layers, right-half pieces
// move by the screen width).
struct DifferencePiece
{
    int mMajorGroupId = -2;
    int mMinorGroupId = -2;
    std::string mName;
    std::string mImage; // a file name inside the scene's folder
    int mX = 0;
    int mY = 0;
    int mLayer = 0;
    int mType = 0; // 0 = decoration, anything else = half of a difference
};

struct DifferenceScene
{
    // Bounds that keep every position and layer far from overflow and the
    // piece list from growing without limit.
    static constexpr int kMaxPieces = 512;
    static constexpr int kMaxCoordinate = 4096;
    static constexpr int kMaxLayer = 100000;

    int mScreenWidth = 0;
    int mScreenHeight = 0;
    std::vector<DifferencePiece> mPieces; // file order
    std::vector<std::string> mProblems;
};

// The scene's folder for a mode: "content\scenes\Differences" + mode + "\",
// anything but the three modes reading "Mode1".
std::string DifferenceSceneFolder(const std::string& mode);

// Reads the "Scene" element's "Screen" and "Item" start tags. A piece whose
// picture name leaves the folder or whose numbers lie beyond the bounds is
// refused and reported; a file that cannot be opened gives no pieces.
DifferenceScene ReadDifferenceScene(const std::string& path);
