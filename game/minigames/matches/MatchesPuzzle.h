#pragma once

#include "game/minigames/matches/MatchesBoardState.h"

#include <optional>
#include <string>
#include <vector>

// One puzzle file: the board's size and a layout of exactly columns x rows cells.
struct MatchesLayout
{
    static constexpr int kMaxSide = 6; // the board picture holds six cells each way

    int mColumns = 6;
    int mRows = 6;
    MatchesBoardState mState;
};

struct MatchesLayoutRead
{
    std::optional<MatchesLayout> mLayout; // none when the file cannot be opened
    std::vector<std::string> mProblems;
};

// Reads the "Game" element's "Blocks" and "Block" start tags. A size beyond the
// board is refused (the file gives no layout); a file with fewer "Block"
// elements than cells has the rest left empty, one with more has them ignored,
// each reported.
MatchesLayoutRead ReadMatchesLayout(const std::string& path);

// A puzzle by its name: its moves, help number and solution file count; any
// other name plays "Fish" with its first solution only.
struct MatchesPuzzleInfo
{
    std::string mName;
    int mSolutionCount = 0;
    int mMoves = 0;
    int mHelpNumber = 0;
};
MatchesPuzzleInfo MatchesPuzzleByName(const std::string& name);
// "xml\" + base name + ".xml" under the data folder.
std::string MatchesFileName(const std::string& baseName);
