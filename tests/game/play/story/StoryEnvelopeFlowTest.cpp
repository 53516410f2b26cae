#include "framework/graphics/Font.h"
#include "framework/graphics/Image.h"
#include "game/frontend/IntroScreen.h"
#include "game/play/story/StoryEnvelope.h"
#include "game/shell/ActionSequence.h"
#include "game/shell/MenuItem.h"
#include "game/shell/Resources.h"
#include "game/shell/StringTable.h"
#include "tests/game/play/story/StoryTestSupport.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace
{

using storytest::StoryGame;

// Where the envelope and the paper stand once risen.
float RisenEnvelopeY()
{
    return float(600 - IMAGE_ENVELOPE_DOWN->GetHeight() - 100);
}

TEST(StoryEnvelopeFlowTest, TheLetterRisesOutOfTheEnvelopeSettlesInFrontAndOnlyThenOffersOk)
{
    StoryGame story;
    gameharness::GameHarness& game = story.Game();
    StoryEnvelope* letter = story.OpenLetter("EnvelopeText1");
    EXPECT_EQ(letter->mLetterText, StringTable::GetInstance().Lookup("EnvelopeText1"));
    EXPECT_EQ(letter->mClickText, StringTable::GetInstance().Lookup("ClickAnywhere_text"));
    EXPECT_EQ(letter->mEnvelopeX, float(400 - IMAGE_ENVELOPE_DOWN->GetWidth() / 2));
    const int32_t lastCell = IMAGE_ENVELOPE_UP_STRIP->mRows * IMAGE_ENVELOPE_UP_STRIP->mColumns - 1;

    float highestPaper = 1000.0f;
    int32_t highestCell = 0;
    bool paperInFrontWhileHigh = false;
    int updates = 0;
    while (letter->IsAnimating() && updates++ < 300)
    {
        // OK is not there yet, and its callback refuses anyway.
        letter->OnOkClicked();
        EXPECT_FALSE(letter->mClosing->IsRunning());
        game.Update();
        highestPaper = std::min(highestPaper, letter->mPaperY);
        highestCell = std::max(highestCell, letter->mFlapCell);
        paperInFrontWhileHigh |= letter->mPaperInFront && letter->mPaperY < RisenEnvelopeY();
    }
    // About 1.35 s of opening, at 10 ms an update.
    EXPECT_GT(updates, 120);
    EXPECT_LT(updates, 160);
    EXPECT_FLOAT_EQ(highestPaper, RisenEnvelopeY() + 10 - StoryEnvelope::kPaperRise);
    EXPECT_EQ(highestCell, lastCell);
    EXPECT_TRUE(paperInFrontWhileHigh);
    EXPECT_FLOAT_EQ(letter->mEnvelopeY, RisenEnvelopeY());
    EXPECT_FLOAT_EQ(letter->mPaperY, RisenEnvelopeY() + 10);
    EXPECT_TRUE(letter->mPaperInFront);
    EXPECT_TRUE(letter->mFlapOpen);
    EXPECT_EQ(letter->mFadeColor.mAlpha, 100);
    EXPECT_EQ(letter->mOkButton->mX, 400 - IMAGE_BUTTON_STORY_SMALL_NORMAL1->GetWidth() / 2);
    EXPECT_EQ(letter->mOkButton->mY, 500);

    // A click beside the button does nothing; OK puts the letter away and leaves.
    game.Click(100, 100);
    game.Update(50);
    EXPECT_EQ(game.Top<StoryEnvelope>(), letter);
    const MenuItem& ok = *letter->mOkButton;
    story.ClickMiddle(ok.mX, ok.mY, ok.mWidth, ok.mHeight);
    ASSERT_TRUE(letter->mClosing->IsRunning());
    ASSERT_TRUE(game.RunUntil([&] { return !letter->mPaperInFront; }, 100));
    ASSERT_TRUE(game.RunUntil([&] { return !letter->mFlapOpen; }, 100));
    EXPECT_TRUE(game.RunUntil([&] { return game.Top<StoryEnvelope>() == nullptr; }, 200));
    EXPECT_NE(game.Top<IntroScreen>(), nullptr);
}

// The letter's black text stays between the margins of the paper it lies on.
TEST(StoryEnvelopeFlowTest, TheTextIsWrappedBetweenThePapersMargins)
{
    StoryGame story;
    gameharness::GameHarness& game = story.Game();
    StringTable::GetInstance().Set("STORY_TEST_LETTER",
                                   std::string(40, 'w') + " and " + std::string(12, 'm') +
                                       " a short word or two, over several lines of paper.");
    StoryEnvelope* letter = story.OpenLetter("STORY_TEST_LETTER");
    ASSERT_TRUE(game.RunUntil([&] { return !letter->IsAnimating(); }, 300));
    game.Update();
    const int32_t left = int32_t(letter->mEnvelopeX) + StoryEnvelope::kTextMargin;
    const int32_t right = left + letter->TextWidth();
    EXPECT_EQ(letter->TextWidth(), 690 - 2 * int32_t(letter->mEnvelopeX));
    const int32_t paperX = int32_t(letter->mEnvelopeX) + 9;
    const int32_t paperY = int32_t(letter->mPaperY);
    const int32_t lineHeight = FONT_STORY_ENVELOPE->GetLineSpacing();

    int32_t inked = 0, outside = 0, lowest = 0;
    for (int32_t y = paperY + 20; y < paperY + IMAGE_ENVELOPE_PAPER->GetHeight() - 10; ++y)
        for (int32_t x = paperX + 20; x < paperX + IMAGE_ENVELOPE_PAPER->GetWidth() - 20; ++x)
        {
            const uint32_t pixel = game.Pixel(x, y);
            const bool dark =
                ((pixel >> 16) & 0xFF) < 70 && ((pixel >> 8) & 0xFF) < 70 && (pixel & 0xFF) < 70;
            if (!dark)
                continue;
            ++inked;
            outside += x < left - 1 || x > right + 1;
            lowest = std::max(lowest, y);
        }
    EXPECT_GT(inked, 200);
    EXPECT_EQ(outside, 0);
    // The long word is broken and the rest wraps: several lines below the first baseline.
    EXPECT_GT(lowest, paperY + StoryEnvelope::kTextBaseline + 2 * lineHeight);
}

TEST(StoryEnvelopeFlowTest, ALetterWhoseResourcesFailToLoadReportsItAndTheProgramCloses)
{
    StoryGame story;
    story.Pack().Remove("images/story/envelope_paper.png");
    StoryEnvelope* letter = story.OpenLetter("EnvelopeText2");
    EXPECT_TRUE(letter->mLoadFailed);
    ASSERT_FALSE(story.Game().Messages().empty());
    EXPECT_NE(story.Game().Messages()[0].find("envelope_paper"), std::string::npos)
        << story.Game().Messages()[0];
    storytest::AnswerExitQuestionYes(story);
}

} // namespace
