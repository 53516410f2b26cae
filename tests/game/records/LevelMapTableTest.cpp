#include "game/records/LevelMapTable.h"

#include <gtest/gtest.h>
#include <map>
#include <vector>

namespace
{

std::vector<int> SceneIds(const LevelMapEntry& level)
{
    std::vector<int> ids;
    for (const SceneMarker& marker : level.mMarkers)
        ids.push_back(marker.mSceneId);
    return ids;
}

TEST(LevelMapTable, HoldsNineteenLevelsWithEveryScene)
{
    const LevelMapTable& table = *LevelMapTable::GetInstance();
    ASSERT_EQ(table.GetLevelCount(), 19);
    std::map<int, int> visits;
    int markers = 0;
    for (const LevelMapEntry& level : table.mLevels)
    {
        for (const SceneMarker& marker : level.mMarkers)
            ++visits[marker.mSceneId];
        markers += level.GetMarkerCount();
    }
    EXPECT_EQ(markers, 61);
    for (int scene = 1; scene <= 30; ++scene)
        EXPECT_EQ(visits[scene], 2) << scene;
    EXPECT_EQ(visits[31], 1);
    EXPECT_EQ(table.GetLevel(19), nullptr);
    EXPECT_EQ(table.GetLevel(-1), nullptr);
}

TEST(LevelMapTable, ReturningLevelsRepeatTheirFirstVisit)
{
    const LevelMapTable& table = *LevelMapTable::GetInstance();
    const std::pair<int, int> returns[] = {{5, 1},  {7, 2},   {9, 3},   {11, 4}, {12, 6},
                                           {14, 8}, {15, 10}, {17, 13}, {18, 16}};
    for (auto [level, first] : returns)
    {
        const LevelMapEntry& again = *table.GetLevel(level - 1);
        const LevelMapEntry& original = *table.GetLevel(first - 1);
        EXPECT_EQ(SceneIds(again), SceneIds(original)) << level;
        EXPECT_EQ(again.mArea, original.mArea);
        EXPECT_EQ(again.mScrollX, original.mScrollX);
        for (int i = 0; i < again.GetMarkerCount(); ++i)
        {
            EXPECT_TRUE(again.GetMarker(i)->mRevisit);
            EXPECT_FALSE(original.GetMarker(i)->mRevisit);
            EXPECT_EQ(again.GetMarker(i)->mX, original.GetMarker(i)->mX);
            EXPECT_EQ(again.GetMarker(i)->mStoryKey, original.GetMarker(i)->mStoryKey + "replay");
        }
    }
}

TEST(LevelMapTable, KeepsTheFixedOrderAndPositions)
{
    const LevelMapTable& table = *LevelMapTable::GetInstance();
    EXPECT_EQ(SceneIds(*table.GetLevel(0)), (std::vector<int>{3, 1, 4, 2}));
    EXPECT_EQ(SceneIds(*table.GetLevel(18)), (std::vector<int>{31}));
    const SceneMarker& first = *table.GetLevel(0)->GetMarker(0);
    EXPECT_EQ(first.SceneName(), "Scene3");
    EXPECT_EQ(first.mStoryKey, "Story3");
    EXPECT_EQ(first.mX, -36);
    EXPECT_EQ(first.mY, 404);
    EXPECT_EQ(table.GetLevel(4)->GetMarker(0)->mStoryKey, "Story3replay");
    EXPECT_EQ(table.GetLevel(15)->mScrollX, -780);
    EXPECT_EQ(table.GetLevel(15)->mArea, 9);
    EXPECT_EQ(table.GetLevel(0)->GetMarker(4), nullptr);
}

} // namespace
