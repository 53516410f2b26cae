#include "game/records/PlayerProfile.h"

#include "tests/game/records/RecordsTestSupport.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace
{

PlayerProfile NewProfile()
{
    PlayerProfile profile;
    profile.mName = "Anna";
    profile.mFileName = "Anna0";
    return profile;
}

// A profile in the middle of level 2, with something in every record.
PlayerProfile PlayedProfile()
{
    PlayerProfile profile;
    profile.mTimedPlay = true;
    profile.mGameInProgress = true;
    profile.mFileName = "Juergen0";
    profile.mName = "J\xFCrgen";
    profile.mLevel = 2;
    profile.ResetLevelProgress();
    profile.mHints = 4;
    profile.mDiaryPages = 3;
    profile.mDiaryOpened = true;

    SceneProgress& scene = *profile.mLevelProgress.FindScene("Scene6");
    scene.mDoneFirstVisit = true;
    scene.SetClock(0, 7, 30, 250);
    scene.mMiniGameDone = true;
    scene.mListMode = 1;
    scene.AddItem("Lamp");
    scene.AddItem("Key");
    scene.MarkItemTaken("Key");
    scene.AddPiece("Cog");
    scene.AddHintItem("Owl");
    scene.mGroupItems.push_back({"Wheel", 5, false});
    scene.MarkGroupItemTaken("Wheel", 5);

    profile.mUsedItems.FindLevel("Level1")->FindScene("Scene3")->mItemNames = {"Lamp", "Key"};
    profile.mUsedItems.FindLevel("Level2")->FindScene("Scene6")->mItemNames = {"Vase"};
    profile.mWallpaperUnlocks.SetIfClear("Scene1", true);
    profile.mTutorialFlags.Set(0);
    profile.mTutorialFlags.Set(11);
    profile.mStoryFlags.MarkSceneStoryShown("Scene3", false);
    profile.mStoryFlags.MarkSceneStoryShown("Scene1", true);
    profile.mStoryFlags.MarkCutsceneShown("Cutscene0_1");
    profile.mStoryFlags.MarkCutsceneShown("Cutscene19_2");
    profile.mPlayTime = TimeValue(1, 2, 3, 4);
    return profile;
}

PlayerProfile Loaded(const std::vector<uint8_t>& bytes)
{
    Quib::Buffer buffer = BufferOf(bytes);
    PlayerProfile profile;
    profile.Load(buffer);
    return profile;
}

// The golden files were worked out by hand from the file layout (field by
// field, in the order of its tables), not produced by this code.
TEST(PlayerProfileFile, NewProfileMatchesTheLayoutByteForByte)
{
    EXPECT_EQ(BytesOf(NewProfile().Save()), RecordsFixture("profile-new.omsg"));
}

TEST(PlayerProfileFile, PlayedProfileMatchesTheLayoutByteForByte)
{
    EXPECT_EQ(BytesOf(PlayedProfile().Save()), RecordsFixture("profile-after-play.omsg"));
}

TEST(PlayerProfileFile, NewProfileReadsBackEqual)
{
    const PlayerProfile original = NewProfile();
    const PlayerProfile loaded = Loaded(BytesOf(original.Save()));
    EXPECT_EQ(loaded.mLevelProgress, original.mLevelProgress);
    EXPECT_EQ(loaded.mUsedItems, original.mUsedItems);
    EXPECT_EQ(loaded.mWallpaperUnlocks, original.mWallpaperUnlocks);
    EXPECT_EQ(loaded.mTutorialFlags, original.mTutorialFlags);
    EXPECT_EQ(loaded.mStoryFlags, original.mStoryFlags);
    EXPECT_EQ(loaded.mName, "Anna");
    EXPECT_EQ(loaded.mFileName, "Anna0");
    EXPECT_EQ(loaded.mHints, 6);
    EXPECT_TRUE(loaded.mStoryFlags.IsSceneStoryShown("Scene31", false));
    EXPECT_TRUE(loaded.mStoryFlags.IsSceneStoryShown("Scene31", true));
    EXPECT_FALSE(loaded.mStoryFlags.IsSceneStoryShown("Scene30", false));
}

TEST(PlayerProfileFile, PlayedProfileReadsBackEqualBehindItsLevelsRecords)
{
    const PlayerProfile original = PlayedProfile();
    const PlayerProfile loaded = Loaded(BytesOf(original.Save()));
    EXPECT_EQ(loaded.mName, "J\xFCrgen");
    EXPECT_EQ(loaded.mLevel, 2);
    EXPECT_EQ(loaded.mHints, 4);
    EXPECT_EQ(loaded.mDiaryPages, 3);
    EXPECT_TRUE(loaded.mTimedPlay && loaded.mGameInProgress && loaded.mDiaryOpened);
    EXPECT_EQ(loaded.mUsedItems, original.mUsedItems);
    EXPECT_EQ(loaded.mWallpaperUnlocks, original.mWallpaperUnlocks);
    EXPECT_EQ(loaded.mTutorialFlags, original.mTutorialFlags);
    EXPECT_EQ(loaded.mStoryFlags, original.mStoryFlags);
    EXPECT_EQ(loaded.mPlayTime, original.mPlayTime);
    // The level's three records come first; the fourth record of the new
    // profile's level 1 stays behind them with its defaults.
    ASSERT_EQ(loaded.mLevelProgress.GetSceneCount(), 4);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(loaded.mLevelProgress.mScenes[size_t(i)], original.mLevelProgress.mScenes[size_t(i)]);
    EXPECT_EQ(loaded.mLevelProgress.mScenes[3], SceneProgress("Scene2"));
    // Saved again, the file holds what was read.
    EXPECT_EQ(BytesOf(Loaded(BytesOf(loaded.Save())).Save()), BytesOf(loaded.Save()));
}

TEST(PlayerProfileFile, TruncatedFilesLoadWhatTheyHold)
{
    const std::vector<uint8_t> whole = RecordsFixture("profile-after-play.omsg");
    for (size_t length = 0; length <= whole.size(); ++length)
    {
        const PlayerProfile loaded = Loaded({whole.begin(), whole.begin() + std::ptrdiff_t(length)});
        ASSERT_EQ(loaded.mLevelProgress.GetSceneCount(), 4) << length;
        ASSERT_EQ(loaded.mUsedItems.mLevels.size(), 19u);
        ASSERT_EQ(loaded.mWallpaperUnlocks.mEntries.size(), 31u);
        ASSERT_EQ(loaded.mStoryFlags.mSceneStories.size(), 31u);
        ASSERT_EQ(loaded.mStoryFlags.mCutscenes.size(), 15u);
        ASSERT_GE(loaded.mLevel, 1);
        ASSERT_LE(loaded.mLevel, 19);
        for (const SceneProgress& scene : loaded.mLevelProgress.mScenes)
            ASSERT_LE(scene.mItems.size(), 2u) << length;
    }
    // Cut inside the wallpapers: those read keep their flag, the rest stay locked, time is zero.
    const PlayerProfile early = Loaded({whole.begin(), whole.begin() + 1200});
    EXPECT_TRUE(early.mWallpaperUnlocks.mEntries[0].mUnlocked);
    EXPECT_EQ(early.mPlayTime, TimeValue());
    EXPECT_FALSE(early.mTutorialFlags.IsSet(0));
}

// Past the end of the data every read gives zeros, and a counted list still
// reads as many entries as its count announced: empty ones.
TEST(PlayerProfileFile, ACountCutOffFromItsEntriesReadsEmptyEntries)
{
    PlayerProfile profile = NewProfile();
    for (int i = 0; i < 12; ++i)
        profile.mLevelProgress.mScenes[0].AddItem("Item" + std::to_string(i));
    const std::vector<uint8_t> whole = BytesOf(profile.Save());
    // The item count (12) followed by the first name, "Item0".
    const std::vector<uint8_t> countAndFirst = {12, 0, 5, 0, 'I', 't', 'e', 'm', '0'};
    const auto at = std::search(whole.begin(), whole.end(), countAndFirst.begin(), countAndFirst.end());
    ASSERT_NE(at, whole.end());

    const PlayerProfile cut = Loaded({whole.begin(), at + 2});
    const SceneProgress& scene = cut.mLevelProgress.mScenes[0];
    ASSERT_EQ(scene.mItems.size(), 12u);
    for (const SceneProgress::ItemEntry& item : scene.mItems)
        EXPECT_EQ(item, SceneProgress::ItemEntry{});
    EXPECT_TRUE(scene.mPieces.empty() && scene.mHintItems.empty() && scene.mGroupItems.empty());
    // The records after the cut read their zeros: no name matches, nothing is unlocked.
    EXPECT_EQ(cut.mLevelProgress.mScenes[1].mSceneName, "");
    EXPECT_EQ(cut.mPlayTime, TimeValue());
}

TEST(PlayerProfileFile, SignedShortsAndOverlongTextsReadAsTheyStand)
{
    PlayerProfile profile = NewProfile();
    profile.mDiaryPages = -1;
    const PlayerProfile negative = Loaded(BytesOf(profile.Save()));
    EXPECT_EQ(negative.mDiaryPages, -1);

    // One flipped byte makes the first scene name's length run past the end:
    // the name keeps the bytes that are there, and saving it back does not
    // fill the file with the zeros beyond them.
    std::vector<uint8_t> bytes = RecordsFixture("profile-new.omsg");
    constexpr size_t kFirstSceneNameLength = 26;
    bytes[kFirstSceneNameLength + 1] = 0x7F;
    const PlayerProfile damaged = Loaded(bytes);
    EXPECT_EQ(damaged.mLevelProgress.mScenes[0].mSceneName.size(), bytes.size() - kFirstSceneNameLength - 2);
    EXPECT_LT(damaged.Save().ByteCount(), 3 * bytes.size());
}

struct Damage
{
    const char* name;
    // Where the Short goes, counted from the end when negative.
    std::ptrdiff_t offset;
    int16_t value;
};

TEST(PlayerProfileFile, DamagedCountsNeverReachOutsideTheRecords)
{
    const std::vector<uint8_t> whole = RecordsFixture("profile-new.omsg");
    Quib::Buffer stories;
    StoryFlags().Write(stories);
    const std::ptrdiff_t storyStart = -8 - std::ptrdiff_t(stories.ByteCount());
    const std::ptrdiff_t tutorialStart = storyStart - 14;
    const std::ptrdiff_t usedStart = 24 + 2 + 4 * 31;
    const Damage damages[] = {
        {"scene records", 24, 0x7FFF},     {"scene records negative", 24, -1},
        {"used levels", usedStart, 200},   {"tutorial flags", tutorialStart, 0x7FFF},
        {"scene stories", storyStart, 90}, {"level", 15, 0x7FFF},
        {"level negative", 15, -5},        {"first scene name length", 26, 0x7FFF},
    };
    for (const Damage& damage : damages)
    {
        std::vector<uint8_t> bytes = whole;
        const size_t at =
            size_t(damage.offset < 0 ? std::ptrdiff_t(bytes.size()) + damage.offset : damage.offset);
        bytes[at] = uint8_t(damage.value);
        bytes[at + 1] = uint8_t(uint16_t(damage.value) >> 8);
        const PlayerProfile loaded = Loaded(bytes);
        EXPECT_EQ(loaded.mLevelProgress.GetSceneCount(), 4) << damage.name;
        EXPECT_EQ(loaded.mUsedItems.mLevels.size(), 19u) << damage.name;
        EXPECT_EQ(loaded.mStoryFlags.mSceneStories.size(), 31u) << damage.name;
        EXPECT_GE(loaded.mLevel, 1) << damage.name;
        EXPECT_LE(loaded.mLevel, 19) << damage.name;
        Loaded(BytesOf(loaded.Save()));
    }
}

TEST(PlayerProfileFile, AWallpaperNameThatDoesNotMatchKeepsTheRestInStep)
{
    PlayerProfile profile = NewProfile();
    profile.mWallpaperUnlocks.SetIfClear("Scene2", true);
    profile.mTutorialFlags.Set(5);
    profile.mPlayTime = TimeValue(3, 4, 5, 6);
    std::vector<uint8_t> bytes = BytesOf(profile.Save());
    // "Scene1" of the first wallpaper entry becomes "Scene9": same length.
    Quib::Buffer wallpapers;
    WallpaperUnlocks().Write(wallpapers);
    Quib::Buffer tail;
    profile.mTutorialFlags.Write(tail);
    profile.mStoryFlags.Write(tail);
    profile.mPlayTime.Write(tail);
    const size_t wallpaperStart = bytes.size() - tail.ByteCount() - wallpapers.ByteCount();
    ASSERT_EQ(bytes[wallpaperStart + 2 + 5], uint8_t('1'));
    bytes[wallpaperStart + 2 + 5] = '9';
    bytes[wallpaperStart + 2 + 6] = 1;

    const PlayerProfile loaded = Loaded(bytes);
    EXPECT_FALSE(loaded.mWallpaperUnlocks.mEntries[0].mUnlocked);
    EXPECT_TRUE(loaded.mWallpaperUnlocks.mEntries[1].mUnlocked);
    EXPECT_TRUE(loaded.mTutorialFlags.IsSet(5));
    EXPECT_EQ(loaded.mPlayTime, TimeValue(3, 4, 5, 6));
}

TEST(PlayerProfileFile, PlayTimeBeyondTheShortLimitStaysAtTheLimit)
{
    PlayerProfile profile = NewProfile();
    profile.mPlayTime = TimeValue(40000, 59, 59, 999);
    Quib::Buffer saved = profile.Save();
    PlayerProfile loaded;
    loaded.Load(saved);
    EXPECT_EQ(loaded.mPlayTime, TimeValue(32767, 59, 59, 999));
}

TEST(PlayerProfile, ResetStartsANewGameButKeepsTimeAndUsedItems)
{
    PlayerProfile profile = PlayedProfile();
    profile.Reset({});
    EXPECT_EQ(profile.mLevel, 1);
    EXPECT_EQ(profile.mHints, 6);
    EXPECT_EQ(profile.mDiaryPages, 0);
    EXPECT_FALSE(profile.mDiaryOpened);
    EXPECT_FALSE(profile.mGameInProgress);
    EXPECT_EQ(profile.mLevelProgress.GetScene(0)->mSceneName, "Scene3");
    EXPECT_EQ(profile.mLevelProgress.GetSceneCount(), 4);
    EXPECT_EQ(profile.mStoryFlags, StoryFlags());
    EXPECT_EQ(profile.mTutorialFlags, TutorialFlags());
    EXPECT_EQ(profile.mWallpaperUnlocks, WallpaperUnlocks());
    EXPECT_EQ(profile.mPlayTime, TimeValue(1, 2, 3, 4));
    EXPECT_EQ(profile.mUsedItems, PlayedProfile().mUsedItems);
    EXPECT_EQ(profile.mName, "J\xFCrgen");
    EXPECT_TRUE(profile.mTimedPlay);
}

TEST(SceneProgress, KeepsItsEntriesByName)
{
    SceneProgress scene("Scene4");
    scene.SetFirstItem("Diary");
    EXPECT_TRUE(scene.mItems.empty());
    scene.AddItem("Cup");
    scene.AddItem("Cup");
    scene.MarkItemTaken("Cup");
    EXPECT_TRUE(scene.GetItem(0)->mTaken);
    EXPECT_FALSE(scene.GetItem(1)->mTaken);
    EXPECT_EQ(scene.GetItem(2), nullptr);
    scene.mGroupItems = {{"Gear", 1, false}, {"Gear", 2, false}};
    scene.MarkGroupItemTaken("Gear", 2);
    EXPECT_FALSE(scene.GetGroupItem(0)->mTaken);
    EXPECT_TRUE(scene.GetGroupItem(1)->mTaken);
    scene.AddPiece("Wing");
    EXPECT_EQ(scene.GetPieceNameAt(0), "Wing");
    EXPECT_EQ(scene.GetPieceNameAt(1), "");
    scene.mDoneFirstVisit = scene.mDoneSecondVisit = scene.mMiniGameDone = true;
    scene.SetClock(0, 1, 2, 3);
    scene.mListMode = 1;
    scene.Reset();
    EXPECT_FALSE(scene.GetItem(0)->mTaken || scene.GetGroupItem(1)->mTaken);
    EXPECT_FALSE(scene.mDoneFirstVisit || scene.mMiniGameDone);
    EXPECT_TRUE(scene.mDoneSecondVisit);
    EXPECT_EQ(scene.mListMode, 1);
    EXPECT_EQ(scene.mClock[1], 10);
    EXPECT_EQ(scene.mPieces.size(), 1u);
}

TEST(ProfileFlags, IgnoreIndexesAndNamesTheyDoNotHold)
{
    TutorialFlags tutorials;
    tutorials.Set(12);
    tutorials.Set(-1);
    EXPECT_EQ(tutorials, TutorialFlags());
    EXPECT_FALSE(tutorials.IsSet(12));

    WallpaperUnlocks wallpapers;
    EXPECT_EQ(wallpapers.At(31), nullptr);
    wallpapers.SetIfClear("Scene5", true);
    wallpapers.SetIfClear("Scene5", false);
    EXPECT_TRUE(wallpapers.At(4)->mUnlocked);

    StoryFlags stories;
    stories.MarkCutsceneShown("Cutscene11");
    stories.MarkSceneStoryShown("scene1", false);
    EXPECT_EQ(stories, StoryFlags());
    EXPECT_EQ(stories.mCutscenes[13].mName, "Cutscene19_1");
}

} // namespace
