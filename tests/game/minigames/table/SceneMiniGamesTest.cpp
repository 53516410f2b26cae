#include "game/minigames/table/SceneMiniGames.h"

#include <gtest/gtest.h>

TEST(SceneMiniGamesTest, EveryScenePlaysItsGame)
{
    const auto& table = SceneMiniGames();
    for (int i = 0; i < kSceneMiniGameCount; ++i)
    {
        const SceneMiniGame& entry = table[size_t(i)];
        EXPECT_EQ(entry.mScene, i + 1);
        EXPECT_EQ(std::string(entry.mSceneName), "Scene" + std::to_string(i + 1));
        EXPECT_EQ(FindSceneMiniGame(entry.mLevelName, entry.mSceneName), &entry);
    }
    struct Case
    {
        const char* level;
        const char* scene;
        MiniGameKind kind;
        const char* text;
        int number, x, y;
    } cases[] = {{"Level1", "Scene1", MiniGameKind::Jigsaw, "", 1, 0, 0},
                 {"Level1", "Scene3", MiniGameKind::FindDifferences, "Mode1", 0, 150, 20},
                 {"Level2", "Scene5", MiniGameKind::MatchSticks, "Fish", 0, 0, 0},
                 {"Level5", "Scene15", MiniGameKind::BoxPushing, "Mode2", 0, 150, 30},
                 {"Level5", "Scene16", MiniGameKind::WaveMatching, "", 0, 150, 20},
                 {"Level6", "Scene19", MiniGameKind::MatchSticks, "Squares5to4", 0, 0, 0},
                 {"Level8", "Scene26", MiniGameKind::Queens, "", 5, 0, 0},
                 {"Level9", "Scene30", MiniGameKind::MemoryCards, "Mode2", 0, 0, 0},
                 {"Level10", "Scene31", MiniGameKind::Jigsaw, "", 2, 0, 0}};
    for (const Case& c : cases)
    {
        const SceneMiniGame* entry = FindSceneMiniGame(c.level, c.scene);
        ASSERT_NE(entry, nullptr) << c.scene;
        EXPECT_EQ(entry->mKind, c.kind) << c.scene;
        EXPECT_STREQ(entry->mTextArgument, c.text);
        EXPECT_EQ(entry->mNumberArgument, c.number);
        EXPECT_EQ(entry->mX, c.x);
        EXPECT_EQ(entry->mY, c.y);
    }
    EXPECT_EQ(FindSceneMiniGame("Level2", "Scene1"), nullptr); // names are matched together, exactly
    EXPECT_EQ(FindSceneMiniGame("level1", "Scene1"), nullptr);
}

TEST(SceneMiniGamesTest, TheGalleryReplaysScenesOneToThirty)
{
    for (int index = 0; index < kGalleryMiniGameCount; ++index)
        EXPECT_EQ(GalleryMiniGame(index), &SceneMiniGames()[size_t(index)]);
    EXPECT_EQ(GalleryMiniGame(30), nullptr);
    EXPECT_EQ(GalleryMiniGame(-1), nullptr);
}
