#include "framework/graphics/Font.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "game/play/tutorial/Tutorial.h"
#include "game/play/tutorial/TutorialRequest.h"
#include "game/shell/Resources.h"
#include "tests/game/support/PlayStart.h"

#include <gtest/gtest.h>

namespace
{

using gameharness::GameHarness;

bool Start(GameHarness& game)
{
    return gameharness::StartOverPlainScreen(game);
}

void Click(GameHarness& game, const Quib::Widget& widget)
{
    game.Click(widget.mX + widget.mWidth / 2, widget.mY + widget.mHeight / 2);
    game.Update(2);
}

TEST(TutorialFlowTest, TheFrameSlidesDownTheCloseButtonComesOnArrivalAndOneClickSlidesItAway)
{
    GameHarness game;
    ASSERT_TRUE(Start(game));
    auto* tutorial = new Tutorial(0, "TUT_MAP_MESSAGE");
    PushGameState(tutorial, game.App().mGameStates.get());
    const int32_t w = IMAGE_TUTORIAL_FRAME_SMALL->GetWidth();
    const int32_t h = IMAGE_TUTORIAL_FRAME_SMALL->GetHeight();
    EXPECT_EQ(tutorial->mText,
              "This is the map of Halvora Manor. The rooms you can search are pictured along the top: "
              "click one to go in.");
    EXPECT_EQ(tutorial->mFrameX, 400 - w / 2);
    EXPECT_FALSE(tutorial->mCloseButton->mVisible);
    // Clicks while the frame slides in do nothing.
    tutorial->OnCloseClicked();
    game.Update(5);
    EXPECT_FALSE(tutorial->mCloseSeq->IsRunning());

    ASSERT_TRUE(game.RunUntil([&] { return !tutorial->mOpenSeq->IsRunning(); }, 100));
    EXPECT_EQ(tutorial->mFrameY, 300 - h / 2);
    const MenuItem& close = *tutorial->mCloseButton;
    EXPECT_TRUE(close.mVisible);
    EXPECT_EQ(close.mX, tutorial->mFrameX + (w - close.mWidth) / 2);
    EXPECT_EQ(close.mY, tutorial->mFrameY + h - close.mHeight - 20);

    Click(game, close);
    EXPECT_TRUE(tutorial->mCloseSeq->IsRunning());
    EXPECT_FALSE(close.mVisible);
    tutorial->OnCloseClicked();
    ASSERT_TRUE(game.RunUntil([&] { return game.States().size() == 1; }, 100));
    EXPECT_EQ(game.States().size(), 1u);
}

TEST(TutorialFlowTest, AKeyTheFileLacksShowsTheFrameWithoutText)
{
    GameHarness game;
    ASSERT_TRUE(Start(game));
    auto* tutorial = new Tutorial(0, "TUT_NO_SUCH_KEY");
    PushGameState(tutorial, game.App().mGameStates.get());
    EXPECT_EQ(tutorial->mText, "");
    game.Update(40);
    EXPECT_TRUE(tutorial->mCloseButton->mVisible);
}

TEST(TutorialFlowTest, EachTutorialIsShownOncePerProfileAndOnlyOnTheFirstLevel)
{
    GameHarness game;
    ASSERT_TRUE(Start(game));
    GameStateStack* stack = game.App().mGameStates.get();
    PlayerProfile profile;
    EXPECT_FALSE(ShowTutorialOnce(nullptr, 1, 0, stack));

    profile.mLevel = 2;
    EXPECT_FALSE(ShowTutorialOnce(&profile, 3, 0, stack));
    EXPECT_FALSE(profile.mTutorialFlags.IsSet(3));

    profile.mLevel = 1;
    for (int n = 0; n < TutorialFlags::kCount; ++n)
    {
        ASSERT_TRUE(ShowTutorialOnce(&profile, n, 0, stack)) << n;
        Tutorial* tutorial = game.Top<Tutorial>();
        ASSERT_NE(tutorial, nullptr);
        EXPECT_EQ(tutorial->mKey, TutorialKey(n));
        EXPECT_FALSE(tutorial->mText.empty()) << tutorial->mKey;
        EXPECT_FALSE(ShowTutorialOnce(&profile, n, 0, stack)) << n;
        PopGameState(stack);
    }
    EXPECT_EQ(TutorialKey(12), "");
    EXPECT_EQ(game.States().size(), 1u);
}

TEST(TutorialFlowTest, EveryTutorialOfThePackWrapsInsideItsFrameAboveTheCloseButton)
{
    GameHarness game;
    ASSERT_TRUE(Start(game));
    Quib::Font* font = FONT_BUTTON_LABELS;
    const int32_t width = IMAGE_TUTORIAL_FRAME_SMALL->GetWidth() - Tutorial::kTextMargin;
    // From the top of the first line (its baseline 43 below the frame's top) to the close button.
    const int32_t room = IMAGE_TUTORIAL_FRAME_SMALL->GetHeight() - IMAGE_BUTTON_MAIN_MENU->GetHeight() - 20 -
                         43 + font->GetAscent();
    Quib::Graphics measure(nullptr);
    measure.SetFont(font);
    for (int n = 0; n < TutorialFlags::kCount; ++n)
    {
        const std::string text = Tutorial::LoadText(TutorialKey(n));
        ASSERT_FALSE(text.empty()) << TutorialKey(n);
        EXPECT_LE(measure.MeasureWrappedHeight(width, text), room) << TutorialKey(n);
    }
}

} // namespace
