#pragma once

#include <array>
#include <string>
#include <vector>

// One cell of the box-pushing board: walls on its own edges and its kind.
struct SokobanCell
{
    bool mWallTop = false;
    bool mWallBottom = false;
    bool mWallRight = false;
    bool mWallLeft = false;
    int mType = 0; // 1 marks a target cell

    bool IsTarget() const { return mType == 1; }
};

struct SokobanPoint
{
    int x = 0;
    int y = 0;
    bool operator==(const SokobanPoint&) const = default;
};

// A level as its file describes it: 8 x 8 cells row by row, and the boxes'
// screen positions in file order.
struct SokobanLevel
{
    static constexpr int kColumns = 8;
    static constexpr int kRows = 8;
    static constexpr int kCells = kColumns * kRows;
    // One box per cell at most: a file asking for more is beyond any board.
    static constexpr int kMaxBoxes = kCells;

    std::array<SokobanCell, kCells> mCells{};
    std::vector<SokobanPoint> mBoxes;
    // What was wrong with the file, one line each, with its name; empty when it read cleanly.
    std::vector<std::string> mProblems;
};

// The level file's name for a mode: "Sokoban_" + mode, anything but the three
// modes reading "Mode1".
std::string SokobanLevelName(const std::string& mode);

// Reads "Block<i>" and "Box<j>" start tags in order. Elements past the board's
// cells or boxes are ignored and reported; a file that cannot be opened gives
// an empty board.
SokobanLevel ReadSokobanLevel(const std::string& path);
