#include "game/minigames/sokoban/SokobanLevel.h"

#include "framework/resources/XMLParser.h"
#include "framework/resources/XMLStartTags.h"
#include "game/minigames/common/LevelAttributes.h"
#include "game/minigames/common/LevelFile.h"

namespace
{

void ReadWall(const Quib::XMLItem& item, const char* name, bool& wall)
{
    if (HasLevelAttribute(item, name))
        wall = LevelAttribute(item, name, 0) == 1;
}

} // namespace

std::string SokobanLevelName(const std::string& mode)
{
    if (mode == "Mode1" || mode == "Mode2" || mode == "Mode3")
        return "Sokoban_" + mode;
    return "Sokoban_Mode1";
}

SokobanLevel ReadSokobanLevel(const std::string& path)
{
    SokobanLevel level;
    Quib::XMLParser parser;
    if (!OpenLevelFile(parser, path, level.mProblems))
        return level;
    int blocks = 0;
    int boxes = 0;
    bool cellsReported = false;
    bool boxesReported = false;
    Quib::XMLItem item;
    while (Quib::ReadStartTag(parser, item))
    {
        if (item.mValue == "Block" + std::to_string(blocks))
        {
            if (blocks >= SokobanLevel::kCells)
            {
                if (!cellsReported)
                    level.mProblems.push_back(path + ": more than 64 cells; the rest are ignored");
                cellsReported = true;
                ++blocks;
                continue;
            }
            SokobanCell& cell = level.mCells[size_t(blocks++)];
            ReadWall(item, "n", cell.mWallTop);
            ReadWall(item, "s", cell.mWallBottom);
            ReadWall(item, "r", cell.mWallRight);
            ReadWall(item, "l", cell.mWallLeft);
            cell.mType = LevelAttribute(item, "type", cell.mType);
        }
        else if (item.mValue == "Box" + std::to_string(boxes))
        {
            ++boxes;
            if (int(level.mBoxes.size()) >= SokobanLevel::kMaxBoxes)
            {
                if (!boxesReported)
                    level.mProblems.push_back(path + ": more than 64 boxes; the rest are ignored");
                boxesReported = true;
                continue;
            }
            level.mBoxes.push_back({LevelAttribute(item, "x", 0), LevelAttribute(item, "y", 0)});
        }
    }
    NoteLevelFileError(parser, path, level.mProblems);
    return level;
}
