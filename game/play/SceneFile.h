#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One "Item" element of a scene file, with the file format's default for every
// attribute the element lacks.
struct SceneItemRecord
{
    std::string mName;
    std::string mImage;
    int32_t mLayer = 0;
    int32_t mMajorGroupId = -2;
    int32_t mMinorGroupId = -2;
    float mX = 0;
    float mY = 0;
    float mAngle = 0;
    int32_t mRed = 0;
    int32_t mGreen = 0;
    int32_t mBlue = 0;
    int32_t mAlpha = 0;
    int32_t mType = 0;
    int32_t mTypeId = 0;
};

// What an item is, by its two group ids (and, in the ten-items visit, its type id).
enum class SceneItemKind
{
    None, // a pair of group ids that names no kind: the element makes nothing
    Plain,
    Piece,
    Combined,
    Location,
    Hint
};

constexpr int32_t kPlainGroupId = -1;
constexpr int32_t kHintGroupId = 999;
constexpr int32_t kDiaryPageTypeId = 789;
constexpr int32_t kTenItemsTypeId = 777;
constexpr int32_t kHintStripFrames = 24;
constexpr int32_t kTenItemsListMode = 0;
constexpr int32_t kFullListMode = 1;

SceneItemKind SceneItemKindOf(const SceneItemRecord& item, int32_t listMode);

// "Scene10Items.xml" for the ten-items visit, "Scene.xml" for the full list.
std::string SceneFileName(int32_t listMode);

// The picture the game loads for an item: the first ".png" becomes ".jpg".
std::string SceneImageFileName(const std::string& image);

// A decimal number; text that does not begin with one, or out of range, reads as 0.
float ParseSceneDecimal(const std::string& text);

// The items of a scene file in document order: everything before the first
// "Scene" start tag is passed over, then every "Item" start tag at any depth
// is one item. False when the file cannot be opened; a parse error ends the
// reading and keeps what was read before it.
bool ReadSceneFile(const std::string& path, std::vector<SceneItemRecord>& items);
