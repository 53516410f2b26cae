#include "game/play/diary/DiaryLayout.h"

#include <gtest/gtest.h>

namespace
{

// Ten pixels a character, so that widths read as character counts.
int32_t TenPerCharacter(const std::string& text)
{
    return int32_t(text.size()) * 10;
}

TEST(DiaryLayoutTest, TextsBreakAtTheLastSpaceOnceTheWidthIsReachedAndNewlinesLeaveAnEmptyLine)
{
    struct Case
    {
        const char* text;
        int32_t width;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"short", 100, {"short"}},
        {"one two three four", 80, {"one two", "three", "four"}},
        {"first\nsecond", 1000, {"first", "", "second"}},
        // A word wider than the column stays whole on its line.
        {"a unbreakablewordthatgoeson end", 60, {"a", "unbreakablewordthatgoeson", "end"}},
        {"unbreakablewordthatgoeson", 60, {"unbreakablewordthatgoeson"}},
        {"tab\tseparated words", 80, {"tab", "separated", "words"}},
        {"one two three", 130, {"one two three"}},
        {"", 100, {""}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DiaryLayout::WrapText(c.text, c.width, TenPerCharacter), c.lines) << c.text;
}

class DiaryPagesTest : public ::testing::Test
{
protected:
    std::vector<DiaryEntry> Build(int32_t count)
    {
        return DiaryLayout::BuildPages(mTexts, count, mEarly, mLate,
                                       [](Quib::Font*, const std::string& text)
                                       { return TenPerCharacter(text); });
    }

    std::map<std::string, std::string> mTexts;
    // Tags only: the layout never reads a font, it hands it to the measure.
    char mEarlyTag = 0, mLateTag = 0;
    Quib::Font* mEarly = reinterpret_cast<Quib::Font*>(&mEarlyTag);
    Quib::Font* mLate = reinterpret_cast<Quib::Font*>(&mLateTag);
};

TEST_F(DiaryPagesTest, AnEmptyDiaryShowsTwoEmptyPagesNumberedZeroAndOne)
{
    const std::vector<DiaryEntry> pages = Build(0);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[0].mPageNumber, 0);
    EXPECT_EQ(pages[1].mPageNumber, 1);
    EXPECT_EQ(pages[0].mLines, std::vector<std::string>{""});
}

TEST_F(DiaryPagesTest, LongTextsRunOverSeveralPagesAndAnOddCountGetsAnEmptyPageAfter)
{
    // 45 one-word lines: pages of 20, 20 and 5, then one empty page.
    std::string text;
    for (int i = 0; i < 45; ++i)
        text += (i ? " " : "") + std::string("word") + std::to_string(i);
    mTexts["ENTRY1"] = text;
    const std::vector<DiaryEntry> pages = DiaryLayout::BuildPages(mTexts, 1, mEarly, mLate,
                                                                  [](Quib::Font*, const std::string& part)
                                                                  { return int32_t(part.size()) * 100; });
    ASSERT_EQ(pages.size(), 4u);
    EXPECT_EQ(pages[0].mLines.size(), 20u);
    EXPECT_EQ(pages[1].mLines.size(), 20u);
    EXPECT_EQ(pages[2].mLines.size(), 5u);
    EXPECT_EQ(pages[2].mLines.back(), "word44");
    for (int32_t i = 0; i < 4; ++i)
        EXPECT_EQ(pages[size_t(i)].mPageNumber, i + 1);
    EXPECT_EQ(pages[3].mLines, std::vector<std::string>{""});
}

TEST_F(DiaryPagesTest, OnlyTheProfilesEntriesUpToSixtyOneAreShownAndTheHandChangesAtTheFiftySecond)
{
    for (int k = 1; k <= 70; ++k)
        mTexts["ENTRY" + std::to_string(k)] = "note " + std::to_string(k);
    mTexts.erase("ENTRY5");

    EXPECT_EQ(Build(3).size(), 4u);
    const std::vector<DiaryEntry> all = Build(70);
    // 61 entries less the missing fifth: an even count, so no empty page follows.
    ASSERT_EQ(all.size(), 60u);
    EXPECT_EQ(all[3].mLines[0], "note 4");
    EXPECT_EQ(all[4].mLines[0], "note 6");
    EXPECT_EQ(all[50].mFont, mEarly);
    EXPECT_EQ(all[50].mLines[0], "note 52");
    EXPECT_EQ(all[51].mFont, mLate);
    EXPECT_EQ(all[51].mLines[0], "note 53");
    EXPECT_EQ(all[59].mLines[0], "note 61");
    EXPECT_EQ(all[59].mPageNumber, 60);
}

} // namespace
