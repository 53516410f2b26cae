#include "game/records/LevelItemTable.h"
#include "game/records/PlayerProfile.h"
#include "game/records/SceneFileItem.h"
#include "platform/Random.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <set>

namespace
{

const std::string kDiary = "Diary page";

std::vector<std::string> Numbered(const std::string& stem, int count)
{
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i)
        names.push_back(stem + std::to_string(i));
    return names;
}

// The classic generator written out once more, so the test does not take the
// order of the draw from the code it checks.
class ClassicRand
{
public:
    explicit ClassicRand(uint32_t seed) : mState(seed) {}
    int Next()
    {
        mState = mState * 214013u + 2531011u;
        return int((mState >> 16) & 0x7FFF);
    }
    std::vector<std::string> Draw(const std::vector<std::string>& names, size_t wanted)
    {
        std::vector<std::string> drawn;
        while (drawn.size() < wanted)
        {
            const std::string& name = names[size_t(Next()) % names.size()];
            if (std::find(drawn.begin(), drawn.end(), name) == drawn.end())
                drawn.push_back(name);
        }
        return drawn;
    }

private:
    uint32_t mState;
};

std::vector<std::string> ItemNames(const SceneProgress& scene)
{
    std::vector<std::string> names;
    for (const SceneProgress::ItemEntry& item : scene.mItems)
    {
        EXPECT_FALSE(item.mTaken);
        names.push_back(item.mName);
    }
    return names;
}

class LevelPreparation : public ::testing::Test
{
protected:
    void SetCatalogue(const std::string& level, const std::string& scene, std::vector<std::string> names)
    {
        mCatalogue.FindLevel(level)->FindScene(scene)->mItemNames = std::move(names);
    }
    void Prepare(PlayerProfile& profile, int level, uint32_t seed)
    {
        profile.mLevel = level;
        profile.ResetLevelProgress();
        platform::srand(seed);
        profile.PrepareCurrentLevel({&mCatalogue, kDiary});
    }

    LevelItemTable mCatalogue;
};

TEST_F(LevelPreparation, DrawsTwelveDistinctItemsPreferringUnusedOnes)
{
    const auto twelve = Numbered("a", 12);
    const auto thirteen = Numbered("b", 13);
    const auto twenty = Numbered("c", 20);
    const auto twentyMore = Numbered("d", 20);
    SetCatalogue("Level6", "Scene14", twelve);
    SetCatalogue("Level6", "Scene15", thirteen);
    SetCatalogue("Level6", "Scene17", twenty);
    SetCatalogue("Level6", "Scene16", twentyMore);

    PlayerProfile profile;
    LevelItems& used = *profile.mUsedItems.FindLevel("Level6");
    // Fifteen of twenty used leaves five: too few, so the scene forgets them.
    used.FindScene("Scene17")->mItemNames = {twenty.begin(), twenty.begin() + 15};
    // Three used leaves seventeen to draw from.
    used.FindScene("Scene16")->mItemNames = {twentyMore.begin(), twentyMore.begin() + 3};
    Prepare(profile, 6, 77);

    ClassicRand expected(77);
    const std::vector<std::string> unusedMore(twentyMore.begin() + 3, twentyMore.end());
    const auto first = expected.Draw(twelve, 12);
    const auto second = expected.Draw(thirteen, 12);
    const auto third = expected.Draw(twenty, 12);
    const auto fourth = expected.Draw(unusedMore, 12);
    const LevelProgress& records = profile.mLevelProgress;
    EXPECT_EQ(ItemNames(records.mScenes[0]), first);
    EXPECT_EQ(std::set<std::string>(first.begin(), first.end()),
              std::set<std::string>(twelve.begin(), twelve.end()));
    EXPECT_EQ(ItemNames(records.mScenes[1]), second);
    EXPECT_EQ(ItemNames(records.mScenes[2]), third);
    EXPECT_EQ(ItemNames(records.mScenes[3]), fourth);

    EXPECT_EQ(used.FindScene("Scene14")->mItemNames, first);
    EXPECT_EQ(used.FindScene("Scene17")->mItemNames, third);
    std::vector<std::string> usedMore(twentyMore.begin(), twentyMore.begin() + 3);
    usedMore.insert(usedMore.end(), fourth.begin(), fourth.end());
    EXPECT_EQ(used.FindScene("Scene16")->mItemNames, usedMore);
}

TEST_F(LevelPreparation, ScenesWithFewItemsTakeAllOfThemAndFinish)
{
    const auto five = Numbered("e", 5);
    SetCatalogue("Level2", "Scene6", five);
    SetCatalogue("Level2", "Scene7", {"Only"});
    PlayerProfile profile;
    Prepare(profile, 2, 5);

    ClassicRand expected(5);
    EXPECT_EQ(ItemNames(*profile.mLevelProgress.FindScene("Scene6")), expected.Draw(five, 5));
    EXPECT_EQ(ItemNames(*profile.mLevelProgress.FindScene("Scene7")), std::vector<std::string>{"Only"});
    EXPECT_TRUE(profile.mLevelProgress.FindScene("Scene5")->mItems.empty());
}

TEST_F(LevelPreparation, ReturningLevelsDrawAgainstTheirOwnUsedItems)
{
    const auto names = Numbered("f", 14);
    SetCatalogue("Level1", "Scene2", names);
    SetCatalogue("Level5", "Scene2", names);
    PlayerProfile profile;
    Prepare(profile, 1, 9);
    const auto firstVisit = ItemNames(*profile.mLevelProgress.FindScene("Scene2"));
    ASSERT_EQ(firstVisit.size(), 12u);

    // Level 1 used twelve of fourteen, but level 5 keeps a list of its own.
    Prepare(profile, 5, 9);
    ClassicRand expected(9);
    EXPECT_EQ(ItemNames(*profile.mLevelProgress.FindScene("Scene2")), expected.Draw(names, 12));
    EXPECT_EQ(profile.mUsedItems.FindLevel("Level1")->FindScene("Scene2")->mItemNames, firstVisit);
    EXPECT_EQ(profile.mUsedItems.FindLevel("Level5")->FindScene("Scene2")->mItemNames.size(), 12u);

    // A second game on level 1 has two names left there: it forgets and draws from all fourteen.
    Prepare(profile, 1, 10);
    EXPECT_EQ(profile.mUsedItems.FindLevel("Level1")->FindScene("Scene2")->mItemNames,
              ItemNames(*profile.mLevelProgress.FindScene("Scene2")));
}

TEST_F(LevelPreparation, LevelOneOpensScene1WithTheDiaryPage)
{
    const auto names = Numbered("g", 15);
    for (const char* scene : {"Scene3", "Scene1", "Scene4", "Scene2"})
        SetCatalogue("Level1", scene, names);
    SetCatalogue("Level2", "Scene6", names);
    PlayerProfile profile;
    Prepare(profile, 1, 3);

    ClassicRand expected(3);
    const auto scene3 = expected.Draw(names, 12);
    auto scene1 = expected.Draw(names, 12);
    const auto drawnForScene1 = scene1;
    scene1[0] = kDiary;
    EXPECT_EQ(ItemNames(*profile.mLevelProgress.FindScene("Scene3")), scene3);
    EXPECT_EQ(ItemNames(*profile.mLevelProgress.FindScene("Scene1")), scene1);
    // The drawn name the diary replaced stays recorded as used.
    EXPECT_EQ(profile.mUsedItems.FindLevel("Level1")->FindScene("Scene1")->mItemNames, drawnForScene1);

    Prepare(profile, 2, 3);
    const auto level2 = ItemNames(*profile.mLevelProgress.FindScene("Scene6"));
    EXPECT_EQ(std::count(level2.begin(), level2.end(), kDiary), 0);
}

TEST_F(LevelPreparation, GroupItemsFollowTheRecordsByPosition)
{
    mCatalogue.FindLevel("Level3")->mScenes[0].mGroupItems = {{"Clock", 4}, {"Wheel", 7}};
    mCatalogue.FindLevel("Level3")->mScenes[2].mGroupItems = {{"Mill", 12}};
    PlayerProfile profile;
    Prepare(profile, 3, 1);
    const LevelProgress& records = profile.mLevelProgress;
    EXPECT_EQ(records.mScenes[0].mSceneName, "Scene10");
    EXPECT_EQ(records.mScenes[0].mGroupItems,
              (std::vector<SceneProgress::NamedEntry>{{"Clock", 4, false}, {"Wheel", 7, false}}));
    EXPECT_TRUE(records.mScenes[1].mGroupItems.empty());
    EXPECT_EQ(records.mScenes[2].mGroupItems, (std::vector<SceneProgress::NamedEntry>{{"Mill", 12, false}}));
}

TEST_F(LevelPreparation, ADamagedUsedLevelIsRebuilt)
{
    SetCatalogue("Level2", "Scene6", Numbered("h", 12));
    PlayerProfile profile;
    profile.mUsedItems.mLevels[1].mName = "Level2x";
    profile.mUsedItems.mLevels[1].mScenes.pop_back();
    Prepare(profile, 2, 4);
    EXPECT_EQ(ItemNames(*profile.mLevelProgress.FindScene("Scene6")).size(), 12u);
    const LevelItems* used = profile.mUsedItems.FindLevel("Level2");
    ASSERT_NE(used, nullptr);
    EXPECT_EQ(used->mScenes.size(), 3u);
    EXPECT_EQ(used->FindScene("Scene6")->mItemNames.size(), 12u);
}

TEST(SceneCatalogue, ReadsPlainItemsAndTheTenItemsGroup)
{
    LevelItemTable catalogue;
    catalogue.LoadSceneFiles(std::string(ORVELLAN_FIXTURES_DIR) + "/records");
    for (const char* level : {"Level1", "Level5"})
    {
        const SceneItems& scene = *catalogue.FindLevel(level)->FindScene("Scene3");
        EXPECT_EQ(scene.mItemNames, (std::vector<std::string>{"Lamp", "Key", "Lamp", "Cup"})) << level;
        EXPECT_EQ(scene.mGroupItems,
                  (std::vector<SceneItems::GroupItem>{{"Clock", 4}, {"Wheel", 7}, {"Mill", 12}}));
    }
    // A parse error ends the file; what came before it stays.
    EXPECT_EQ(catalogue.FindLevel("Level1")->FindScene("Scene1")->mItemNames,
              std::vector<std::string>{"Anchor"});
    EXPECT_TRUE(catalogue.FindLevel("Level1")->FindScene("Scene4")->mItemNames.empty());

    SceneItems other;
    other.LoadFromXml("Scene3", 2, std::string(ORVELLAN_FIXTURES_DIR) + "/records");
    EXPECT_EQ(other, SceneItems());
}

TEST(SceneCatalogue, ReadsIntegersAsASignAndLeadingDigits)
{
    const std::pair<const char*, int32_t> cases[] = {
        {"12", 12},
        {"-1", -1},
        {"+7", 7},
        {"-1abc", -1},
        {"abc", 0},
        {"", 0},
        {"-", 0},
        {" 5", 0},
        {"99999999999", INT32_MAX},
        {"-99999999999", INT32_MIN},
        {"3.9", 3},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(ParseSceneFileInteger(text), value) << text;
}

} // namespace
