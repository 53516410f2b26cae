#include "game/records/HighScoreList.h"

#include "tests/game/records/RecordsTestSupport.h"

#include <gtest/gtest.h>

namespace
{

HighScoreEntry Time(int hours, int minutes = 0, int seconds = 0, int milliseconds = 0)
{
    return {"X", hours, minutes, seconds, milliseconds};
}

TEST(HighScoreList, DefaultTableRunsFromOneToTenHours)
{
    const HighScoreList list("Player");
    ASSERT_EQ(list.GetCount(), 10);
    EXPECT_EQ(*list.GetAt(0), (HighScoreEntry{"Player0", 1, 0, 0, 0}));
    EXPECT_EQ(*list.GetAt(9), (HighScoreEntry{"Player9", 10, 0, 0, 0}));
    EXPECT_EQ(list.GetAt(10), nullptr);
    EXPECT_EQ(list.GetAt(-1), nullptr);
}

TEST(HighScoreList, RanksACandidateAfterEqualTimes)
{
    const HighScoreList defaults("P");
    HighScoreList reset("P");
    reset.Reset();
    HighScoreList partly("P");
    partly.Reset();
    partly.SetAt(0, Time(2));
    partly.SetAt(1, Time(5));

    struct Case
    {
        const char* name;
        const HighScoreList& list;
        HighScoreEntry candidate;
        int rank;
    };
    const Case cases[] = {
        {"zero time", defaults, Time(0), 0},
        {"shorter than all", defaults, Time(0, 59, 59, 999), 0},
        {"equal to the third", defaults, Time(3), 3},
        {"just over the third", defaults, Time(3, 0, 0, 1), 3},
        {"equal to the last", defaults, Time(10), -1},
        {"worse than all ten", defaults, Time(11), -1},
        {"empty table", reset, Time(500), 0},
        {"first empty place", partly, Time(7), 2},
        {"between two", partly, Time(4, 59), 1},
        {"beyond 32-bit milliseconds", defaults, Time(600), -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.list.FindRank(c.candidate), c.rank) << c.name;

    // 600 hours exceed 32-bit milliseconds; compared in 64 bits they rank after 500.
    reset.SetAt(0, Time(600));
    EXPECT_EQ(reset.FindRank(Time(500)), 0);
}

TEST(HighScoreList, InsertKeepsTenEntries)
{
    HighScoreList list("P");
    EXPECT_EQ(list.Insert({"Bert", 2, 30, 0, 0}), 2);
    EXPECT_EQ(list.GetCount(), 10);
    EXPECT_EQ(list.GetAt(2)->mName, "Bert");
    EXPECT_EQ(list.GetAt(9)->mName, "P8");
    EXPECT_EQ(list.Insert(Time(20)), -1);
    EXPECT_EQ(list.GetAt(9)->mName, "P8");
}

TEST(HighScoreList, ReadsBackWhatItWrote)
{
    HighScoreList list("P");
    list.Insert({"J\xFCrgen", 0, 12, 34, 567});
    Quib::Buffer buffer;
    list.Write(buffer);
    HighScoreList read("Other");
    read.Read(buffer);
    EXPECT_EQ(read, list);
}

TEST(HighScoreList, LoadedEntriesTakeThePlacesTheFileGivesThem)
{
    Quib::Buffer buffer;
    HighScoreList scrambled("P");
    scrambled.SetAt(0, {"Slow", 9, 0, 0, 0});
    scrambled.SetAt(1, {"Empty", 0, 0, 0, 0});
    scrambled.SetAt(4, {"Fast", 0, 1, 0, 0});
    scrambled.Write(buffer);
    // Twelve entries announced: the two beyond the table are dropped.
    buffer.PutText("Extra");

    Quib::Buffer damaged;
    damaged.PutU16(12);
    buffer.GetU16();
    while (!buffer.ReadExhausted())
        damaged.PutU8(buffer.GetU8());
    HighScoreList read("P");
    read.Read(damaged);
    EXPECT_EQ(read, scrambled);
}

// A table cut short reads empty entries for what is missing; the defaults
// stay only where the file announces no entry at all.
TEST(HighScoreList, ACutTableReadsEmptyPlacesForTheMissingEntries)
{
    HighScoreList written("P");
    written.SetAt(0, {"Ada", 0, 30, 0, 0});
    Quib::Buffer whole;
    written.Write(whole);
    // The count, then "Ada" (2 + 3 bytes) and its four Shorts: 15 bytes.
    const std::vector<uint8_t> bytes(whole.Bytes(), whole.Bytes() + whole.ByteCount());
    struct Case
    {
        size_t length;
        int filledPlaces;
        bool defaults;
    };
    // One byte of the count still reads as ten (its high byte past the end is 0).
    const Case cases[] = {{0, 0, true}, {1, 0, false}, {2, 0, false}, {15, 1, false}, {9, 0, false}};
    for (const Case& c : cases)
    {
        Quib::Buffer cut;
        cut.AssignBytes(bytes.data(), c.length);
        HighScoreList read("P");
        read.Read(cut);
        ASSERT_EQ(read.GetCount(), 10) << c.length;
        if (c.defaults)
        {
            EXPECT_EQ(read, HighScoreList("P")) << c.length;
            continue;
        }
        for (int i = 0; i < 10; ++i)
            EXPECT_EQ(read.GetAt(i)->Total() != 0, i < c.filledPlaces) << c.length << " place " << i;
    }
}

TEST(HighScoreList, HoursBeyondTheShortLimitKeepTheirPlace)
{
    HighScoreList list("P");
    list.Reset();
    list.SetAt(0, Time(1));
    list.SetAt(1, Time(70000));
    Quib::Buffer buffer;
    list.Write(buffer);
    HighScoreList read("P");
    read.Read(buffer);
    EXPECT_EQ(read.GetAt(0)->mHours, 1);
    EXPECT_EQ(read.GetAt(1)->mHours, 32767);
}

} // namespace
