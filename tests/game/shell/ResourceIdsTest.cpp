#include "game/shell/Resources.h"

#include <gtest/gtest.h>

namespace
{

TEST(ResourceIdsTest, NamesAndIdsTranslateBothWaysAndRefuseWhatIsNoIdentifier)
{
    struct Case
    {
        int32_t id;
        const char* name;
    };
    for (const Case& c : {Case{0, "FONT_ITEM_LABELS"}, Case{9, "IMAGE_LEGAL_TITLE"},
                          Case{549, "AMBIENT_SOUND_1"}, Case{570, "SFX_CLOCK_LAST_30SECS"}})
    {
        EXPECT_EQ(GetResourceNameById(c.id), c.name);
        EXPECT_EQ(GetResourceIdByName(c.name), c.id);
    }
    for (int32_t id : {-1, 571, INT32_MIN, INT32_MAX})
        EXPECT_EQ(GetResourceNameById(id), "") << id;
    for (const char* name : {"font_item_labels", "", "IMAGE_NOTHING", "FONT_ITEM_LABELS "})
        EXPECT_EQ(GetResourceIdByName(name), kResourceCount) << name;
}

TEST(ResourceIdsTest, TableEntryIsTheGlobalOfItsIdAndOutOfRangeReadsNothing)
{
    ASSERT_EQ(kResourceCount, 571);
    EXPECT_EQ(std::get<Quib::Image**>(gResourceTable[IMAGE_GUI_CLOCK_ID]), &IMAGE_GUI_CLOCK);
    EXPECT_EQ(std::get<int32_t*>(gResourceTable[SFX_CLOCK_LAST_30SECS_ID]), &SFX_CLOCK_LAST_30SECS);
    EXPECT_EQ(std::get<Quib::Font**>(gResourceTable[FONT_ITEM_LABELS_ID]), &FONT_ITEM_LABELS);

    const int32_t saved = SFX_HINT_USED;
    SFX_HINT_USED = 17;
    EXPECT_EQ(std::get<int32_t>(GetResourceById(SFX_HINT_USED_ID)), 17);
    SFX_HINT_USED = saved;
    EXPECT_TRUE(std::holds_alternative<Quib::Image*>(GetResourceById(IMAGE_LEGAL_TITLE_ID)));
    for (int32_t id : {-1, 571, 100000})
        EXPECT_TRUE(std::holds_alternative<std::monostate>(GetResourceById(id))) << id;
}

TEST(ResourceIdsTest, KindsFollowTheNamePrefixes)
{
    int images = 0, sounds = 0, fonts = 0;
    for (const ResourceName& entry : kResourceNames)
    {
        const std::string_view name = entry.name;
        switch (entry.kind)
        {
        case ResourceKind::Image:
            ++images;
            EXPECT_TRUE(name.starts_with("IMAGE_") || name.starts_with("PARTICLE_")) << name;
            break;
        case ResourceKind::Sound:
            ++sounds;
            EXPECT_TRUE(name.starts_with("SFX_") || name.starts_with("AMBIENT_SOUND_")) << name;
            break;
        case ResourceKind::Font:
            ++fonts;
            EXPECT_TRUE(name.starts_with("FONT_")) << name;
            break;
        }
    }
    EXPECT_EQ(images, 484);
    EXPECT_EQ(sounds, 78);
    EXPECT_EQ(fonts, 9);
}

TEST(ResourceIdsTest, TwentyNineGroupsCoverEveryIdOnceWithTheirFetchFunctions)
{
    struct Expected
    {
        const char* name;
        int32_t first, count;
        bool (*fetch)(Quib::ResourceManager*);
    };
    const Expected expected[] = {
        {"Init", 0, 9, &FetchGroupInit},
        {"LegalScreens", 9, 2, &FetchGroupLegalScreens},
        {"IntroSequence", 11, 27, &FetchGroupIntroSequence},
        {"PuzzleScreen", 38, 33, &FetchGroupPuzzleScreen},
        {"MG_Puzzle", 71, 5, &FetchGroupMgPuzzle},
        {"MG_PuzzleEN", 76, 48, &FetchGroupMgPuzzleEN},
        {"MG_Rotating", 124, 10, &FetchGroupMgRotating},
        {"MG_Typewriter", 134, 108, &FetchGroupMgTypewriter},
        {"MG_Matches", 242, 6, &FetchGroupMgMatches},
        {"MG_Reversi", 248, 5, &FetchGroupMgReversi},
        {"MG_Sokoban", 253, 10, &FetchGroupMgSokoban},
        {"MG_WinePitchers", 263, 20, &FetchGroupMgWinePitchers},
        {"MG_ToManyQueens", 283, 8, &FetchGroupMgToManyQueens},
        {"MG_Memory", 291, 19, &FetchGroupMgMemory},
        {"MG_LetterScramble", 310, 3, &FetchGroupMgLetterScramble},
        {"MG_Clock", 313, 28, &FetchGroupMgClock},
        {"MG_Osciloscope", 341, 5, &FetchGroupMgOsciloscope},
        {"MG_TableNeighbours", 346, 9, &FetchGroupMgTableNeighbours},
        {"MG_Tanks", 355, 11, &FetchGroupMgTanks},
        {"MG_FindDifferences", 366, 3, &FetchGroupMgFindDifferences},
        {"StoryDialog", 369, 20, &FetchGroupStoryDialog},
        {"StoryEnvelope", 389, 7, &FetchGroupStoryEnvelope},
        {"MG_Bomb", 396, 39, &FetchGroupMgBomb},
        {"Diary", 435, 15, &FetchGroupDiary},
        {"Map", 450, 7, &FetchGroupMap},
        {"Options", 457, 8, &FetchGroupOptions},
        {"PlayerNameEntry", 465, 3, &FetchGroupPlayerNameEntry},
        {"Credits", 468, 3, &FetchGroupCredits},
        {"GameResources", 471, 100, &FetchGroupGameResources},
    };
    ASSERT_EQ(kResourceGroups.size(), std::size(expected));
    for (size_t i = 0; i < kResourceGroups.size(); ++i)
    {
        EXPECT_EQ(kResourceGroups[i].name, expected[i].name);
        EXPECT_EQ(kResourceGroups[i].first, expected[i].first) << expected[i].name;
        EXPECT_EQ(kResourceGroups[i].count, expected[i].count) << expected[i].name;
        EXPECT_EQ(kResourceGroups[i].fetch, expected[i].fetch) << expected[i].name;
    }
}

TEST(ResourceIdsTest, RunsReachTheirMembersByArithmetic)
{
    EXPECT_EQ(GetResourceNameById(kTypewriterKeysUp.At('Q' - 'A')), "IMAGE_MG_KEY_Q_UP");
    EXPECT_EQ(70 + 'Q', IMAGE_MG_KEY_Q_UP_ID);
    EXPECT_EQ(96 + 'Z', IMAGE_MG_KEY_Z_DOWN_ID);
    EXPECT_EQ(122 + 'A', IMAGE_MG_KEY_A_OVER_ID);
    EXPECT_EQ(GetResourceNameById(kMorseLetters.At(25)), "IMAGE_MG_MORSE_Z");
    EXPECT_EQ(GetResourceNameById(kJigsawPieces.At(23)), "IMAGE_MG_PUZZLE_PIECE24");
    EXPECT_EQ(GetResourceNameById(kJigsawLastPieces.At(0)), "IMAGE_MG_PUZZLE_PIECE1_LAST");
    EXPECT_EQ(GetResourceNameById(kMemoryCards.At(14)), "IMAGE_MG_MEMORY_CARD_BIKE");
    EXPECT_EQ(GetResourceNameById(kBombDigits.At(7)), "IMAGE_MG_BOMB_NUM_7");
    EXPECT_EQ(GetResourceNameById(kAmbientLoops.At(7)), "AMBIENT_SOUND_10");
    EXPECT_EQ(GetResourceNameById(kAmbientLoops.At(18)), "AMBIENT_SOUND_22");
}

TEST(ResourceIdsTest, AnAmbientIndexOutsideTheLoopsHasNoSound)
{
    const int32_t first = AMBIENT_SOUND_1, last = AMBIENT_SOUND_22;
    AMBIENT_SOUND_1 = 40;
    AMBIENT_SOUND_22 = 58;
    EXPECT_EQ(AmbientLoopSoundId(0), 40);
    EXPECT_EQ(AmbientLoopSoundId(18), 58);
    for (int32_t index : {-1, 19, 1000, INT32_MIN})
        EXPECT_EQ(AmbientLoopSoundId(index), -1) << index;
    AMBIENT_SOUND_1 = first;
    AMBIENT_SOUND_22 = last;
}

} // namespace
