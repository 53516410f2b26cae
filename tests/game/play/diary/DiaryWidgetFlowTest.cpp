#include "framework/graphics/Font.h"
#include "framework/graphics/Image.h"
#include "game/play/diary/DiaryLayout.h"
#include "game/play/diary/DiaryOwner.h"
#include "game/play/diary/DiaryWidget.h"
#include "game/play/tutorial/Tutorial.h"
#include "game/play/tutorial/TutorialRequest.h"
#include "game/shell/Resources.h"
#include "tests/game/support/PlayStart.h"

#include <gtest/gtest.h>

namespace
{

using gameharness::GameHarness;

// The scene screen as far as the diary asks it: tutorials through the real
// once-per-profile rule, and a count of the diary button's returns.
class OwnerStandIn : public DiaryOwner
{
public:
    explicit OwnerStandIn(GameHarness& game) : mGame(game) {}
    bool ShowTutorial(int n, int32_t argument) override
    {
        mAsked.push_back(n);
        return ShowTutorialOnce(mGame.App().GetCurrentProfile(), n, argument, mGame.App().mGameStates.get());
    }
    void ShowDiaryButton() override { ++mButtonReturns; }

    GameHarness& mGame;
    std::vector<int> mAsked;
    int mButtonReturns = 0;
};

PlayerProfile* Start(GameHarness& game, int32_t level, int32_t diaryPages)
{
    if (!gameharness::StartOverPlainScreen(game))
        return nullptr;
    PlayerProfile* profile = gameharness::AddFreshProfile(game, level);
    profile->mDiaryPages = diaryPages;
    return profile;
}

DiaryWidget* OpenDiary(GameHarness& game, DiaryOwner& owner, bool firstOpening)
{
    auto* diary = new DiaryWidget(&owner, firstOpening);
    diary->Resize(0, 0, 800, 600);
    PushGameState(diary, game.App().mGameStates.get());
    game.Update();
    return game.RunUntil([&] { return !diary->IsAnimating(); }, 200) ? diary : nullptr;
}

// Half a second apart, so that no two clicks make a double click.
void Click(GameHarness& game, const Quib::Widget& widget)
{
    game.Update(50);
    game.Click(widget.mX + widget.mWidth / 2, widget.mY + widget.mHeight / 2);
    game.Update(2);
}

bool ButtonsVisible(const DiaryWidget& diary)
{
    return diary.mPrevButton->mVisible && diary.mCloseButton->mVisible && diary.mNextButton->mVisible;
}

TEST(DiaryWidgetFlowTest, TheBookOpensAtItsLastPagesAndTurnsTwoPagesAtATimeWithinItsPages)
{
    GameHarness game;
    ASSERT_NE(Start(game, 3, 6), nullptr);
    OwnerStandIn owner(game);
    DiaryWidget* diary = OpenDiary(game, owner, false);
    ASSERT_NE(diary, nullptr);
    EXPECT_EQ(diary->mBookX, 85);
    EXPECT_EQ(diary->mBookY, 44);
    EXPECT_EQ(diary->mFrame, IMAGE_GUI_DIARY_ANIMATION->mRows - 1);
    EXPECT_TRUE(ButtonsVisible(*diary));
    // Six short entries, one page each.
    ASSERT_EQ(diary->mPages.size(), 6u);
    EXPECT_EQ(diary->mLeftPage, 4);

    Click(game, *diary->mNextButton);
    EXPECT_EQ(diary->mLeftPage, 4);
    Click(game, *diary->mPrevButton);
    Click(game, *diary->mPrevButton);
    EXPECT_EQ(diary->mLeftPage, 0);
    Click(game, *diary->mPrevButton);
    EXPECT_EQ(diary->mLeftPage, 0);
    EXPECT_EQ(diary->mLastAction, DiaryWidget::ACTION_PREVIOUS);
    Click(game, *diary->mNextButton);
    EXPECT_EQ(diary->mLeftPage, 2);

    Click(game, *diary->mCloseButton);
    EXPECT_FALSE(ButtonsVisible(*diary));
    ASSERT_TRUE(game.RunUntil([&] { return game.States().size() == 1; }, 200));
    EXPECT_EQ(owner.mButtonReturns, 1);
    EXPECT_TRUE(owner.mAsked.empty());
}

TEST(DiaryWidgetFlowTest, TheFirstOpeningOnLevelOneShowsTheDiaryTutorialAndTheButtonsComeWhenItCloses)
{
    GameHarness game;
    PlayerProfile* profile = Start(game, 1, 1);
    ASSERT_NE(profile, nullptr);
    OwnerStandIn owner(game);
    auto* diary = new DiaryWidget(&owner, true);
    diary->Resize(0, 0, 800, 600);
    PushGameState(diary, game.App().mGameStates.get());
    ASSERT_TRUE(game.RunUntil([&] { return game.Top<Tutorial>() != nullptr; }, 200));
    Tutorial* tutorial = game.Top<Tutorial>();
    EXPECT_EQ(owner.mAsked, std::vector<int>{11});
    EXPECT_EQ(tutorial->mKey, "TUT_DIARY_FOUND");
    // The diary's tutorial stands 49 pixels right of the centre.
    EXPECT_EQ(tutorial->mFrameX, 400 + 49 - IMAGE_TUTORIAL_FRAME_SMALL->GetWidth() / 2);
    EXPECT_FALSE(ButtonsVisible(*diary));

    ASSERT_TRUE(game.RunUntil([&] { return tutorial->mCloseButton->mVisible; }, 100));
    Click(game, *tutorial->mCloseButton);
    ASSERT_TRUE(game.RunUntil([&] { return game.Top<DiaryWidget>() == diary; }, 100));
    EXPECT_TRUE(ButtonsVisible(*diary));
    EXPECT_TRUE(profile->mTutorialFlags.IsSet(11));
}

TEST(DiaryWidgetFlowTest, AFirstOpeningWithoutItsTutorialShowsTheButtonsAtOnce)
{
    for (const int32_t level : {1, 2})
    {
        GameHarness game;
        PlayerProfile* profile = Start(game, level, 2);
        ASSERT_NE(profile, nullptr);
        // On level 1 the tutorial has been seen already; on level 2 it is never shown.
        profile->mTutorialFlags.Set(11);
        OwnerStandIn owner(game);
        DiaryWidget* diary = OpenDiary(game, owner, true);
        ASSERT_NE(diary, nullptr);
        EXPECT_EQ(owner.mAsked, std::vector<int>{11}) << "level " << level;
        EXPECT_EQ(game.Top<DiaryWidget>(), diary);
        EXPECT_TRUE(ButtonsVisible(*diary)) << "level " << level;
        EXPECT_FALSE(diary->mFirstOpening);
    }
}

TEST(DiaryWidgetFlowTest, EveryEntryOfThePackFillsOnePageAndNoLineReachesAcrossTheGutter)
{
    GameHarness game;
    ASSERT_NE(Start(game, 3, DiaryLayout::kMaxEntries), nullptr);
    OwnerStandIn owner(game);
    DiaryWidget* diary = OpenDiary(game, owner, false);
    ASSERT_NE(diary, nullptr);
    // One page per entry, and one empty page to pair the sixty-first.
    ASSERT_EQ(diary->mPages.size(), size_t(DiaryLayout::kMaxEntries) + 1);
    // A line may end one word past the column; the gutter between the pages is 37 pixels.
    const int32_t widest = diary->mColumnWidth + 18;
    for (const DiaryEntry& page : diary->mPages)
        for (const std::string& line : page.mLines)
            EXPECT_LE(page.mFont->GetStringWidth(line), widest) << line;
    EXPECT_EQ(diary->mPages[50].mFont, FONT_DIARY_2);
    EXPECT_EQ(diary->mPages[51].mFont, FONT_DIARY_1);
}

} // namespace
