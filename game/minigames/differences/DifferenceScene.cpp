#include "game/minigames/differences/DifferenceScene.h"

#include "framework/resources/XMLParser.h"
#include "framework/resources/XMLStartTags.h"
#include "game/minigames/common/LevelAttributes.h"
#include "game/minigames/common/LevelFile.h"
#include "game/records/SceneItemAttributes.h"

namespace
{

bool IsPlainFileName(const std::string& name)
{
    return !name.empty() && name.find_first_of("/\\:") == std::string::npos && name != "." && name != "..";
}

bool Within(int value, int bound)
{
    return value >= -bound && value <= bound;
}

} // namespace

std::string DifferenceSceneFolder(const std::string& mode)
{
    const bool known = mode == "Mode1" || mode == "Mode2" || mode == "Mode3";
    return "content\\scenes\\Differences" + (known ? mode : std::string("Mode1")) + "\\";
}

DifferenceScene ReadDifferenceScene(const std::string& path)
{
    DifferenceScene scene;
    Quib::XMLParser parser;
    if (!OpenLevelFile(parser, path, scene.mProblems))
        return scene;
    const bool inScene = Quib::SkipPastStartTag(parser, "Scene");
    Quib::XMLItem item;
    while (inScene && Quib::ReadStartTag(parser, item))
    {
        const std::string where = path + ": line " + std::to_string(parser.GetLineNumber()) + ": ";
        if (item.mValue == "Screen")
        {
            const int width = LevelAttribute(item, "Width", scene.mScreenWidth);
            const int height = LevelAttribute(item, "Height", scene.mScreenHeight);
            if (width < 0 || width > DifferenceScene::kMaxCoordinate || height < 0 ||
                height > DifferenceScene::kMaxCoordinate)
            {
                scene.mProblems.push_back(where + "screen size out of range, ignored");
                continue;
            }
            scene.mScreenWidth = width;
            scene.mScreenHeight = height;
        }
        else if (item.mValue == "Item")
        {
            if (int(scene.mPieces.size()) >= DifferenceScene::kMaxPieces)
            {
                scene.mProblems.push_back(where + "more than 512 items; the rest are ignored");
                break;
            }
            DifferencePiece piece;
            ReadSceneItemAttributes(item, LevelInteger, piece);
            piece.mX = LevelAttribute(item, "x", 0);
            piece.mY = LevelAttribute(item, "y", 0);
            if (!IsPlainFileName(piece.mImage))
            {
                scene.mProblems.push_back(where + "item \"" + piece.mName +
                                          "\" names no picture inside the folder; ignored");
                continue;
            }
            if (!Within(piece.mX, DifferenceScene::kMaxCoordinate) ||
                !Within(piece.mY, DifferenceScene::kMaxCoordinate) ||
                !Within(piece.mLayer, DifferenceScene::kMaxLayer))
            {
                scene.mProblems.push_back(where + "item \"" + piece.mName + "\" lies out of range; ignored");
                continue;
            }
            if (piece.mMajorGroupId == 0 && piece.mMinorGroupId != 0)
                piece.mLayer -= 100;
            if (piece.mMajorGroupId == -1 && piece.mMinorGroupId != -1)
                piece.mX += scene.mScreenWidth;
            scene.mPieces.push_back(piece);
        }
    }
    NoteLevelFileError(parser, path, scene.mProblems);
    return scene;
}
