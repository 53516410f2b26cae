#include "game/play/hud/ItemNameList.h"

#include "framework/graphics/Graphics.h"
#include "game/play/SceneFile.h"
#include "tests/game/play/hud/HudTestSupport.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{

using hudtest::FakeListFonts;
using hudtest::FakeOwner;
using shelltest::FakeGameTime;

constexpr uint32_t kWhite = 0xFFFFFFFF;
constexpr uint32_t kGrey = 0xFF969696;
constexpr uint32_t kBlack = 0xFF000000;

struct ItemList : ::testing::Test
{
    ItemList()
    {
        list.mOwner = &owner;
        list.Resize(0, 304, 110, 194);
        list.SetListMode(kFullListMode);
    }
    void Frame(uint32_t ms = 10)
    {
        time.Advance(ms);
        list.UpdateFraction(1.0f);
    }
    void Frames(int count)
    {
        for (int i = 0; i < count; ++i)
            Frame();
    }
    std::vector<size_t> TypedLengths() const
    {
        std::vector<size_t> lengths;
        for (const auto& entry : list.mEntries)
            lengths.push_back(entry->mTyped.size());
        return lengths;
    }
    uint32_t Draw(int x, int y)
    {
        screen = hudtest::BlackScreen(110, 194);
        Quib::Graphics g(screen.get());
        list.Draw(&g);
        return screen->GetBits()[y * 110 + x];
    }

    FakeGameTime time;
    FakeListFonts fonts;
    FakeOwner owner;
    ItemNameList list;
    std::unique_ptr<Quib::MemoryImage> screen;
};

TEST_F(ItemList, FullListNamesLineUpOnTheLeftAndTheTitleLineIsCentredWithTheCountLeft)
{
    for (const char* name : {"Key", "Teapot", "Quill"})
        list.AddLeft(name);
    // 10-pixel font: a line every 12 pixels, the first baseline at 14.
    ASSERT_EQ(list.mEntries.size(), 3u);
    for (int n = 0; n < 3; ++n)
    {
        EXPECT_EQ(list.mEntries[size_t(n)]->mX, 2);
        EXPECT_EQ(list.mEntries[size_t(n)]->mY, 14 + 12 * n);
    }

    ItemNameList title;
    title.mOwner = &owner;
    title.Resize(0, 304, 110, 194);
    owner.mItemsLeft = 10;
    title.AddCentred("Ten coins");
    // 110 / 2 - 54 / 2 - 5 and 194 / 3 + 14.
    EXPECT_EQ(title.mEntries[0]->mX, 23);
    EXPECT_EQ(title.mEntries[0]->mY, 78);
    EXPECT_EQ(title.mRemaining, 10);
}

TEST_F(ItemList, NamesTypeInFromTheTopAndOutFromTheBottomWithoutReadingPastAShortList)
{
    for (const char* name : {"Key", "Teapot", "Quill"})
        list.AddLeft(name);
    list.TypeIn();
    EXPECT_TRUE(list.mShown);
    std::vector<int> firstLetterAt(3, -1);
    for (int frame = 0; frame < 60; ++frame)
    {
        Frame();
        const std::vector<size_t> lengths = TypedLengths();
        for (size_t i = 0; i < 3; ++i)
            if (lengths[i] > 0 && firstLetterAt[i] < 0)
                firstLetterAt[i] = frame;
    }
    EXPECT_EQ(TypedLengths(), (std::vector<size_t>{3, 6, 5}));
    EXPECT_LT(firstLetterAt[0], firstLetterAt[1]);
    EXPECT_LT(firstLetterAt[1], firstLetterAt[2]);

    // Three names, not the twelve of a full scene: the type-out starts at the last one held.
    list.TypeOut();
    EXPECT_FALSE(list.mShown);
    std::vector<int> goneAt(3, -1);
    for (int frame = 0; frame < 60; ++frame)
    {
        Frame();
        const std::vector<size_t> lengths = TypedLengths();
        for (size_t i = 0; i < 3; ++i)
            if (lengths[i] == 0 && goneAt[i] < 0)
                goneAt[i] = frame;
    }
    EXPECT_EQ(TypedLengths(), (std::vector<size_t>{0, 0, 0}));
    EXPECT_GT(goneAt[0], goneAt[1]);
    EXPECT_GT(goneAt[1], goneAt[2]);
}

TEST_F(ItemList, AFoundNameIsStruckLetterByLetterAndOnlyTheFirstOfTwoEqualNames)
{
    for (const char* name : {"Key", "Cup", "Key"})
        list.AddLeft(name);
    list.TypeIn();
    Frames(60);

    list.MarkFound("Lamp");
    for (const auto& entry : list.mEntries)
        EXPECT_EQ(entry->mState, ItemNameEntry::kStillToFind);

    list.MarkFound("Key");
    EXPECT_EQ(list.mEntries[0]->mState, ItemNameEntry::kFound);
    EXPECT_EQ(list.mEntries[2]->mState, ItemNameEntry::kStillToFind);
    std::vector<size_t> struck;
    for (int frame = 0; frame < 20; ++frame)
    {
        Frame();
        struck.push_back(list.mEntries[0]->mTyped.size());
        EXPECT_EQ(list.mEntries[0]->mTyped + list.mEntries[0]->mRest, "Key");
    }
    EXPECT_EQ(struck.front(), 0u);
    EXPECT_EQ(struck.back(), 3u);
    EXPECT_TRUE(std::is_sorted(struck.begin(), struck.end()));
    EXPECT_FALSE(list.mEntries[0]->mStrike->IsRunning());

    // Grey letters and a grey line through them, between the letters too;
    // the name still to find stays white with nothing between its letters.
    const int strikeY = 14 - 4;
    EXPECT_EQ(Draw(2, 10), kGrey);
    EXPECT_EQ(Draw(2 + 5, strikeY), kGrey);
    EXPECT_EQ(Draw(2, 26 + 12 - 4), kWhite);
    EXPECT_EQ(Draw(2 + 5, 26 + 12 - 4), kBlack);
}

TEST_F(ItemList, ANameFoundBeforeItTypesInGrowsGreyAndStruck)
{
    list.AddLeft("Teapot");
    list.SetFoundQuiet("Teapot");
    EXPECT_EQ(list.mEntries[0]->mState, ItemNameEntry::kFound);
    list.TypeIn();
    while (list.mEntries[0]->mTyped.size() < 2)
        Frame(1);
    ASSERT_LT(list.mEntries[0]->mTyped.size(), 6u);
    EXPECT_EQ(Draw(2, 10), kGrey);
    EXPECT_EQ(Draw(2 + 5, 10), kGrey);
    // The last letter has not come yet.
    EXPECT_EQ(Draw(2 + 5 * 6 + 1, 8), kBlack);
}

TEST_F(ItemList, TheCountLeftShowsOnlyInTheTenItemsVisitWhileTheNamesAreShown)
{
    struct Case
    {
        const char* name;
        int32_t mode;
        bool typedIn;
        uint32_t expected;
    };
    const Case cases[] = {
        {"ten-items visit, shown", kTenItemsListMode, true, kWhite},
        {"ten-items visit, not typed in yet", kTenItemsListMode, false, kBlack},
        {"full list", kFullListMode, true, kBlack},
    };
    for (const Case& c : cases)
    {
        ItemNameList count;
        count.mOwner = &owner;
        count.Resize(0, 304, 110, 194);
        count.SetListMode(c.mode);
        owner.mItemsLeft = 7;
        count.AddCentred("Coins");
        if (c.typedIn)
            count.TypeIn();
        screen = hudtest::BlackScreen(110, 194);
        Quib::Graphics g(screen.get());
        count.Draw(&g);
        // "7" is 6 wide, so x = -trunc(11 * 0.5 - 55) = 49 and the baseline 4 + 97.
        EXPECT_EQ(screen->GetBits()[(101 - 4) * 110 + 50], c.expected) << c.name;
    }
}

} // namespace
