#include "framework/foundation/Rect.h"
#include "framework/graphics/Image.h"
#include "game/frontend/IntroScreen.h"
#include "game/play/story/StoryDialog.h"
#include "game/shell/CustomDialog.h"
#include "game/shell/GameStateStack.h"
#include "game/shell/MenuItem.h"
#include "game/shell/Resources.h"
#include "game/shell/StringTable.h"
#include "tests/game/play/story/StoryTestSupport.h"

#include <gtest/gtest.h>

namespace
{

using storytest::Script;
using storytest::StoryGame;

// The detective summoned off the left edge by the block of that number.
std::string SummonDetective(int block)
{
    return "<Block" + std::to_string(block) +
           R"( type="SummonCharacter" x="-200" y="300" flip="no" textureId="IMAGE_STORY_DETECTIVE" needWait="no"/>)";
}

void ClickOk(StoryGame& story, StoryDialog& dialog)
{
    const MenuItem& ok = *dialog.mOkButton;
    story.ClickMiddle(ok.mX, ok.mY, ok.mWidth, ok.mHeight);
}

bool StoryGone(StoryGame& story, int updates)
{
    gameharness::GameHarness& game = story.Game();
    return game.RunUntil([&] { return game.Top<StoryDialog>() == nullptr; }, updates) &&
           game.Top<IntroScreen>() != nullptr;
}

TEST(StoryDialogFlowTest, APortraitMovesInTheBubbleWaitsForItAndTheScriptWaitsForOk)
{
    StoryGame story({{"Walk", Script(SummonDetective(0) + R"(
        <Block1 type="MoveCharacter" id="0" x="20" y="310" duration="500" needWait="no"/>
        <Block2 type="ShowText" x="190" y="60" w="420" h="200" duration="300" textId="STORY_TEST_TEXT" nameId="STORY_TEST_NAME" arrow="left" needWait="yes"/>
        <Block3 type="WaitUser" needWait="yes"/>
        <Block4 type="HideText" needWait="no" duration="200"/>)")}});
    StringTable::GetInstance().Set("STORY_TEST_NAME", "Mr. Graves");
    StringTable::GetInstance().Set("STORY_TEST_TEXT", "The master is not to be disturbed.");
    gameharness::GameHarness& game = story.Game();

    StoryDialog* dialog = story.OpenStory("Walk");
    ASSERT_EQ(game.Top<StoryDialog>(), dialog);
    ASSERT_EQ(dialog->mCharacters.size(), 1u);
    EXPECT_EQ(dialog->mCharacters[0].mPicture, IMAGE_STORY_DETECTIVE);
    EXPECT_EQ(dialog->mCharacters[0].mX, -200);

    // The bubble waits for the move: halfway through there is none yet.
    game.Update(25);
    EXPECT_FALSE(dialog->mShownText);
    EXPECT_GT(dialog->mCharacters[0].mX, -200);
    EXPECT_LT(dialog->mCharacters[0].mX, 20);

    ASSERT_TRUE(game.RunUntil([&] { return dialog->mShownText.has_value(); }, 100));
    EXPECT_EQ(dialog->mCharacters[0].mX, 20);
    EXPECT_EQ(dialog->mCharacters[0].mY, 310);
    EXPECT_EQ(*dialog->mShownText, "Mr. Graves:\n\nThe master is not to be disturbed.");
    EXPECT_EQ(dialog->mTextArrow, STORY_ARROW_LEFT);
    // The waiting bubble puts OK at its bottom middle.
    EXPECT_EQ(dialog->mOkButton->mX, 190 + 210 - IMAGE_BUTTON_STORY_SMALL_OVER2->GetWidth() / 2);
    EXPECT_EQ(dialog->mOkButton->mY, 60 + 200 - 45);

    ASSERT_TRUE(game.RunUntil([&] { return dialog->IsWaitingForOk(); }, 100));
    EXPECT_EQ(dialog->mTextAlpha, 255);
    game.Update(300);
    EXPECT_EQ(game.Top<StoryDialog>(), dialog);
    EXPECT_EQ(dialog->mNextBlock, 4u);
    // The screen itself takes no clicks.
    game.Click(400, 500);
    game.Update(5);
    EXPECT_TRUE(dialog->IsWaitingForOk());

    ClickOk(story, *dialog);
    EXPECT_FALSE(dialog->IsWaitingForOk());
    game.Update(5);
    EXPECT_LT(dialog->mTextAlpha, 255);
    EXPECT_TRUE(StoryGone(story, 100));
}

TEST(StoryDialogFlowTest, ABubbleWithoutWaitReplacesTheOneStillFadingIn)
{
    StoryGame story({{"Two", Script(R"(
        <Block0 type="ShowText" x="10" y="10" w="300" h="150" duration="1000" textId="STORY_TEST_A" nameId="" arrow="" needWait="no"/>
        <Block1 type="ShowText" x="400" y="20" w="300" h="150" duration="1000" textId="STORY_TEST_B" nameId="" arrow="" needWait="no"/>
        <Block2 type="WaitUser" needWait="yes" x="300" y="500"/>)")}});
    StringTable::GetInstance().Set("STORY_TEST_A", "first");
    StringTable::GetInstance().Set("STORY_TEST_B", "second");
    gameharness::GameHarness& game = story.Game();

    StoryDialog* dialog = story.OpenStory("Two");
    ASSERT_TRUE(game.RunUntil([&] { return dialog->mNextBlock == 2; }, 5));
    EXPECT_EQ(dialog->mShownText, "second");
    EXPECT_EQ(dialog->mTextX, 400);
    EXPECT_LT(dialog->mTextAlpha, 255);
    // OK waits for both fades; then it stands where the waiting block puts it.
    game.Update(50);
    EXPECT_FALSE(dialog->IsWaitingForOk());
    ASSERT_TRUE(game.RunUntil([&] { return dialog->IsWaitingForOk(); }, 150));
    EXPECT_EQ(dialog->mOkButton->mX, 300);
    EXPECT_EQ(dialog->mOkButton->mY, 500);
    ClickOk(story, *dialog);
    EXPECT_TRUE(StoryGone(story, 10));
}

TEST(StoryDialogFlowTest, NoBlockStartsDuringAFadeAndTheScreenStaysBlackUntilItIsFadedBack)
{
    StoryGame story({{"Fades", Script(R"(
        <Block0 type="ShowPicture" x="200" y="150" textureId="IMAGE_STORY_HOSPITAL_SCENE"/>
        <Block1 type="FadeInScreen"/>)" +
                                      SummonDetective(2) +
                                      R"(
        <Block3 type="FadeOutScreen"/>
        <Block4 type="WaitUser" needWait="yes" x="355" y="550"/>)")}});
    gameharness::GameHarness& game = story.Game();

    StoryDialog* dialog = story.OpenStory("Fades");
    ASSERT_EQ(dialog->mPicture, IMAGE_STORY_HOSPITAL_SCENE);
    game.Update();
    const uint32_t pictureCentre = game.Pixel(400, 300);
    EXPECT_NE(pictureCentre, 0xFF000000u);

    game.Update(100);
    EXPECT_TRUE(dialog->mCharacters.empty());
    EXPECT_GT(dialog->mFadeColor.mAlpha, 0);
    EXPECT_LT(dialog->mFadeColor.mAlpha, 255);
    ASSERT_TRUE(game.RunUntil([&] { return !dialog->mCharacters.empty(); }, 150));
    EXPECT_EQ(dialog->mFadeColor.mAlpha, 255);
    EXPECT_EQ(game.Pixel(400, 300), 0xFF000000u);

    ASSERT_TRUE(game.RunUntil([&] { return dialog->IsWaitingForOk(); }, 250));
    EXPECT_EQ(dialog->mFadeColor.mAlpha, 0);
    game.Update();
    EXPECT_EQ(game.Pixel(400, 300), pictureCentre);
    ClickOk(story, *dialog);
    EXPECT_TRUE(StoryGone(story, 10));
}

TEST(StoryDialogFlowTest, BlocksNamingWhatTheGameDoesNotHaveAreReportedAndSkipped)
{
    StoryGame story({{"Bad", Script(R"(
        <Block0 type="SummonCharacter" x="1" y="2" flip="no" textureId="IMAGE_STORY_NOBODY" needWait="no"/>
        <Block1 type="MoveCharacter" id="0" x="20" y="310" duration="50" needWait="no"/>
        <Block2 type="ShowText" x="0" y="0" w="300" h="150" duration="10" textId="STORY_NO_SUCH_TEXT" nameId="" arrow="" needWait="no"/>
        <Block3 type="ShowText" x="0" y="0" w="300" h="150" duration="10" textId="ClickAnywhere_text" nameId="STORY_NO_SUCH_NAME" arrow="" needWait="no"/>
        <Block4 type="PlaySound" soundId="SFX_NO_SUCH_SOUND"/>
        <Block5 type="PlaySound" soundId="IMAGE_STORY_BUTLER"/>
        <Block6 type="ShowPicture" x="0" y="0" textureId="FONT_ITEM_LABELS"/>
        <Block7 type="Dance"/>
        <Block8 type="SummonCharacter" x="5" y="6" flip="yes" textureId="IMAGE_STORY_BUTLER" needWait="yes"/>
        <Block9 type="WaitUser" needWait="yes" x="355" y="550"/>)")}});
    gameharness::GameHarness& game = story.Game();
    storytest::RecordedSounds sounds;

    StoryDialog* dialog = story.OpenStory("Bad");
    ASSERT_TRUE(game.RunUntil([&] { return dialog->IsWaitingForOk(); }, 50));
    ASSERT_EQ(dialog->mCharacters.size(), 1u);
    EXPECT_EQ(dialog->mCharacters[0].mPicture, IMAGE_STORY_BUTLER);
    EXPECT_TRUE(dialog->mCharacters[0].mMirrored);
    EXPECT_FALSE(dialog->mShownText);
    EXPECT_EQ(dialog->mPicture, nullptr);
    EXPECT_TRUE(sounds.mPlayed.empty());
    const char* const expected[] = {"Block7 has the unknown type",
                                    "Block0 summons the picture \"IMAGE_STORY_NOBODY\"",
                                    "Block1 moves character 0 of 0",
                                    "Block2 shows the text \"STORY_NO_SUCH_TEXT\"",
                                    "\"STORY_NO_SUCH_NAME\"",
                                    "Block4 plays the sound \"SFX_NO_SUCH_SOUND\"",
                                    "Block5 plays the sound \"IMAGE_STORY_BUTLER\"",
                                    "Block6 shows the picture \"FONT_ITEM_LABELS\""};
    ASSERT_EQ(dialog->mProblems.size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i)
        EXPECT_NE(dialog->mProblems[i].find(expected[i]), std::string::npos) << dialog->mProblems[i];
    ClickOk(story, *dialog);
    EXPECT_TRUE(StoryGone(story, 10));
}

// Each move writes into its character while the later summons add more.
TEST(StoryDialogFlowTest, AMoveKeepsToItsCharacterWhileMoreAreSummoned)
{
    std::string blocks =
        SummonDetective(0) +
        R"(<Block1 type="MoveCharacter" id="0" x="300" y="200" duration="1000" needWait="no"/>)";
    const int32_t summoned = 60;
    for (int32_t i = 0; i < summoned; ++i)
        blocks += "<Block" + std::to_string(i + 2) + R"( type="SummonCharacter" x=")" + std::to_string(i) +
                  R"(" y="7" flip="no" textureId="IMAGE_STORY_NEPHEW" needWait="no"/>)";
    blocks +=
        "<Block" + std::to_string(summoned + 2) + R"( type="WaitUser" needWait="yes" x="355" y="550"/>)";
    StoryGame story({{"Crowd", Script(blocks)}});
    gameharness::GameHarness& game = story.Game();

    StoryDialog* dialog = story.OpenStory("Crowd");
    ASSERT_TRUE(game.RunUntil([&] { return dialog->IsWaitingForOk(); }, 200));
    ASSERT_EQ(dialog->mCharacters.size(), size_t(summoned + 1));
    EXPECT_EQ(dialog->mCharacters[0].mX, 300);
    EXPECT_EQ(dialog->mCharacters[0].mY, 200);
    for (int32_t i = 0; i < summoned; ++i)
    {
        EXPECT_EQ(dialog->mCharacters[size_t(i + 1)].mX, i);
        EXPECT_EQ(dialog->mCharacters[size_t(i + 1)].mY, 7);
    }
    ClickOk(story, *dialog);
    EXPECT_TRUE(StoryGone(story, 10));
}

TEST(StoryDialogFlowTest, ASoundPlaysOnceAndTheNextBlockWaitsForItsDelay)
{
    StoryGame story({{"Shot", Script(R"(<Block0 type="PlaySound" soundId="SFX_GUNSHOT1" delay="500"/>)" +
                                     SummonDetective(1) +
                                     R"(<Block2 type="WaitUser" needWait="yes" x="355" y="550"/>)")}});
    gameharness::GameHarness& game = story.Game();
    storytest::RecordedSounds sounds;

    StoryDialog* dialog = story.OpenStory("Shot");
    EXPECT_EQ(sounds.mPlayed, std::vector<int32_t>{SFX_GUNSHOT1});
    game.Update(45);
    EXPECT_TRUE(dialog->mCharacters.empty());
    ASSERT_TRUE(game.RunUntil([&] { return !dialog->mCharacters.empty(); }, 20));
    EXPECT_EQ(sounds.mPlayed.size(), 1u);
    ASSERT_TRUE(game.RunUntil([&] { return dialog->IsWaitingForOk(); }, 5));
    ClickOk(story, *dialog);
    EXPECT_TRUE(StoryGone(story, 10));
}

TEST(StoryDialogFlowTest, AScriptThatCannotBeReadLeavesAtOnce)
{
    StoryGame story({{"Gap", Script(R"(<Block1 type="FadeInScreen"/>)")}});
    for (const char* name : {"NoSuchStory", "Gap"})
    {
        {
            StoryDialog unopened(name, false);
            EXPECT_TRUE(unopened.mBlocks.empty()) << name;
            EXPECT_FALSE(unopened.mProblems.empty()) << name;
        }
        // Pushed, it may already be gone after its first update.
        story.OpenStory(name);
        EXPECT_TRUE(StoryGone(story, 3)) << name;
    }
}

// The last block waits for OK; a dialog opened over the story meanwhile takes
// the button with it, and closing the dialog brings the button back.
TEST(StoryDialogFlowTest, AScriptEndingOnAWaitKeepsItsOkThroughBeingCovered)
{
    StoryGame story({{"Last", Script(R"(<Block0 type="WaitUser" needWait="no" x="355" y="480"/>)")}});
    gameharness::GameHarness& game = story.Game();
    StoryDialog* dialog = story.OpenStory("Last");
    game.Update(100);
    ASSERT_EQ(game.Top<StoryDialog>(), dialog);
    ASSERT_TRUE(dialog->IsWaitingForOk());

    auto* question = new CustomDialog("?", 9, CustomDialog::BUTTONS_OK, false, false);
    question->Resize(0, 0, 800, 600);
    PushGameState(question, game.App().mGameStates.get());
    game.Update(5);
    story.ClickMiddle(355, 480, 90, 30);
    EXPECT_TRUE(dialog->IsWaitingForOk());
    PopGameState(game.App().mGameStates.get());
    game.Update();

    ASSERT_EQ(game.Top<StoryDialog>(), dialog);
    ClickOk(story, *dialog);
    EXPECT_TRUE(StoryGone(story, 10));
}

TEST(StoryDialogFlowTest, TheEnvelopeRisesUntilItsTopIsAHundredPixelsAboveTheBottom)
{
    StoryGame story({{"Env", Script(R"(<Block0 type="WaitUser" needWait="no" x="355" y="550"/>)")}});
    gameharness::GameHarness& game = story.Game();
    StoryDialog* dialog = story.OpenStory("Env", true);
    EXPECT_EQ(dialog->mEnvelopeX, 400 - IMAGE_ENVELOPE_DOWN1->GetWidth() / 2);
    EXPECT_GT(dialog->mEnvelopeY, 600 - IMAGE_ENVELOPE_DOWN1->GetHeight() - 100);
    game.Update(50);
    EXPECT_EQ(dialog->mEnvelopeY, 600 - IMAGE_ENVELOPE_DOWN1->GetHeight() - 100);
    ClickOk(story, *dialog);
    EXPECT_TRUE(StoryGone(story, 10));
}

// The pack's own scripts, clicked through as a player would: the finale's
// pictures, guns, sounds and fades, and the first arrival.
TEST(StoryDialogFlowTest, StoriesOfThePackPlayToTheirEndWithoutAWrongBlock)
{
    StoryGame story;
    gameharness::GameHarness& game = story.Game();
    for (const char* name : {"Cutscene0_1", "Cutscene19_1", "Cutscene19_2", "Scene17replay"})
    {
        StoryDialog* dialog = story.OpenStory(name);
        EXPECT_FALSE(dialog->mBlocks.empty()) << name;
        size_t oks = 0;
        for (int update = 0; update < 6000 && game.Top<StoryDialog>() == dialog; ++update)
        {
            EXPECT_TRUE(dialog->mProblems.empty()) << name << ": " << dialog->mProblems.front();
            if (dialog->IsWaitingForOk())
            {
                ++oks;
                ClickOk(story, *dialog);
            }
            else
                game.Update();
        }
        EXPECT_TRUE(StoryGone(story, 1)) << name;
        EXPECT_GT(oks, 1u) << name;
    }
}

// Two of the stories told over the rising envelope, one with a portrait on
// either side: whenever the player is asked for OK, no portrait stands over
// the envelope or its flap. The content check holds every script to the same
// rectangles.
TEST(StoryDialogFlowTest, PortraitsStandClearOfTheEnvelope)
{
    StoryGame story;
    gameharness::GameHarness& game = story.Game();
    for (const char* name : {"Cutscene0_2", "cutscene1"})
    {
        StoryDialog* dialog = story.OpenStory(name, true);
        size_t checked = 0;
        for (int update = 0; update < 6000 && game.Top<StoryDialog>() == dialog; ++update)
        {
            if (!dialog->IsWaitingForOk())
            {
                game.Update();
                continue;
            }
            const Quib::Rect body(dialog->mEnvelopeX, dialog->mEnvelopeY, IMAGE_ENVELOPE_DOWN1->GetWidth(),
                                  IMAGE_ENVELOPE_DOWN1->GetHeight());
            const Quib::Rect flap(dialog->mEnvelopeX, dialog->mEnvelopeY - 202,
                                  IMAGE_ENVELOPE_UP_STRIP1->GetWidth(),
                                  IMAGE_ENVELOPE_UP_STRIP1->GetHeight() / IMAGE_ENVELOPE_UP_STRIP1->mRows);
            for (const StoryCharacter& character : dialog->mCharacters)
            {
                ASSERT_NE(character.mPicture, nullptr) << name;
                const Quib::Rect portrait(character.mX, character.mY, character.mPicture->GetWidth(),
                                          character.mPicture->GetHeight());
                EXPECT_FALSE(portrait.Intersects(body) || portrait.Intersects(flap))
                    << name << ": a portrait at " << character.mX << ", " << character.mY;
                ++checked;
            }
            ClickOk(story, *dialog);
        }
        EXPECT_TRUE(StoryGone(story, 1)) << name;
        EXPECT_GT(checked, 0u) << name;
    }
}

// The error is shown and the program asks whether to close; the story,
// which has nothing to show, stays out of the way until it does.
TEST(StoryDialogFlowTest, AStoryWhoseResourcesFailToLoadReportsItAndTheProgramCloses)
{
    StoryGame story;
    story.Pack().Remove("images/story/the_end.png");
    StoryDialog* dialog = story.OpenStory("Cutscene0_1");
    EXPECT_TRUE(dialog->mLoadFailed);
    ASSERT_FALSE(story.Game().Messages().empty());
    EXPECT_NE(story.Game().Messages()[0].find("the_end"), std::string::npos) << story.Game().Messages()[0];
    storytest::AnswerExitQuestionYes(story);
}

} // namespace
