#include "game/minigames/matches/MatchesPuzzle.h"

#include "framework/resources/XMLParser.h"
#include "framework/resources/XMLStartTags.h"
#include "game/minigames/common/LevelAttributes.h"
#include "game/minigames/common/LevelFile.h"

namespace
{

const char* const kSlotAttributes[kSlotCount] = {"UP", "DOWN", "RIGHT", "LEFT", "LtoR", "RtoL"};

} // namespace

MatchesPuzzleInfo MatchesPuzzleByName(const std::string& name)
{
    if (name == "Squares5to4")
        return {name, 4, 2, 19};
    if (name == "Fish")
        return {name, 2, 3, 5};
    return {"Fish", 1, 3, 5};
}

std::string MatchesFileName(const std::string& baseName)
{
    return "xml\\" + baseName + ".xml";
}

MatchesLayoutRead ReadMatchesLayout(const std::string& path)
{
    MatchesLayoutRead read;
    Quib::XMLParser parser;
    if (!OpenLevelFile(parser, path, read.mProblems))
        return read;
    MatchesLayout layout;
    std::vector<MatchSticks> cells;
    const bool inGame = Quib::SkipPastStartTag(parser, "Game");
    Quib::XMLItem item;
    while (inGame && Quib::ReadStartTag(parser, item))
    {
        if (item.mValue == "Blocks")
        {
            layout.mColumns = LevelAttribute(item, "H", layout.mColumns);
            layout.mRows = LevelAttribute(item, "V", layout.mRows);
        }
        else if (item.mValue == "Block")
        {
            if (cells.size() >= size_t(MatchesLayout::kMaxSide * MatchesLayout::kMaxSide))
                continue;
            MatchSticks sticks;
            for (int bit = 0; bit < kSlotCount; ++bit)
                MatchesBoardState::SetStickBit(sticks, bit, LevelAttribute(item, kSlotAttributes[bit], 0));
            cells.push_back(sticks);
        }
    }
    NoteLevelFileError(parser, path, read.mProblems);
    if (layout.mColumns < 1 || layout.mRows < 1 || layout.mColumns > MatchesLayout::kMaxSide ||
        layout.mRows > MatchesLayout::kMaxSide)
    {
        read.mProblems.push_back(path + ": a board of " + std::to_string(layout.mColumns) + " x " +
                                 std::to_string(layout.mRows) + " cells does not fit; the file is refused");
        return read;
    }
    const size_t wanted = size_t(layout.mColumns) * size_t(layout.mRows);
    if (cells.size() < wanted)
        read.mProblems.push_back(path + ": " + std::to_string(cells.size()) + " cells for a board of " +
                                 std::to_string(wanted) + "; the rest are left empty");
    else if (cells.size() > wanted)
        read.mProblems.push_back(path + ": " + std::to_string(cells.size()) + " cells for a board of " +
                                 std::to_string(wanted) + "; the extra ones are ignored");
    cells.resize(wanted);
    for (const MatchSticks& sticks : cells)
        layout.mState.AppendCell(sticks);
    read.mLayout = std::move(layout);
    return read;
}
