#include "game/frontend/CreditsScreen.h"
#include "game/frontend/MainMenu.h"
#include "game/frontend/ScoresScreen.h"
#include "game/records/ProfileList.h"
#include "game/shell/CustomDialog.h"
#include "tests/game/support/GameHarness.h"
#include "tests/game/support/MenuSteps.h"

#include <gtest/gtest.h>

namespace
{

using namespace gameharness;

// Stands where the level map is when the last scene ends.
class MapStandIn : public ScreenBase
{
};

ScoresScreen* OpenScores(GameHarness& game, bool endOfGame)
{
    auto* scores = new ScoresScreen(endOfGame);
    scores->Resize(0, 0, 800, 600);
    PushGameState(scores, game.App().mGameStates.get());
    game.Update();
    return scores;
}

CustomDialog* WaitForDialog(GameHarness& game)
{
    game.RunUntil([&] { return game.Top<CustomDialog>() != nullptr; }, 100);
    return game.Top<CustomDialog>();
}

TEST(EndOfGameFlowTest, ThePlayTimeIsJudgedOnceEnteredWhenItQualifiesAndTheCreditsLeadBackToTheMenu)
{
    struct Case
    {
        TimeValue playTime;
        bool qualifies;
        const char* message;
    };
    // The default table holds one to ten hours.
    for (const Case& c : {Case{TimeValue(0, 42, 10, 500), true,
                               "Your time earns a place among the best detectives!\n00:42:10"},
                          Case{TimeValue(10, 0, 0, 0), false,
                               "A fine investigation, though not quite fast enough for the list.\n10:00:00"}})
    {
        SCOPED_TRACE(c.message);
        GameHarness game;
        MainMenu* menu = ReachMainMenu(game);
        ASSERT_NE(menu, nullptr);
        AddPlayer(game, "Ada");
        PlayerProfile* player = game.App().GetCurrentProfile();
        player->mPlayTime = c.playTime;
        player->mLevel = 19;
        player->mWallpaperUnlocks.SetIfClear("Scene5", true);
        const HighScoreList before = game.App().mProfiles->GetHighScores();
        PushGameState(new MapStandIn, game.App().mGameStates.get());
        ScoresScreen* scores = OpenScores(game, true);

        CustomDialog* dialog = WaitForDialog(game);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->mDialogId,
                  c.qualifies ? ScoresScreen::DIALOG_QUALIFIES : ScoresScreen::DIALOG_QUALIFIES_NOT);
        EXPECT_EQ(dialog->mText, c.message);
        ASSERT_TRUE(AnswerDialog(game, *dialog, true));
        ASSERT_TRUE(game.RunUntil([&] { return game.Top<ScoresScreen>() == scores; }, 100));
        // The answer does not bring the question back.
        game.Update(100);
        EXPECT_EQ(game.Top<ScoresScreen>(), scores);

        const HighScoreList& table = game.App().mProfiles->GetHighScores();
        ASSERT_NE(table.GetAt(0), nullptr);
        EXPECT_EQ(table.GetAt(0)->mName == "Ada", c.qualifies);
        EXPECT_EQ(table == before, !c.qualifies);
        if (c.qualifies)
        {
            // What the next start reads.
            ProfileList saved("");
            saved.LoadSaveData();
            EXPECT_EQ(saved.GetHighScores(), table);
        }

        ClickOn(game, *scores->mCloseButton);
        ASSERT_TRUE(game.RunUntil([&] { return game.Top<CreditsScreen>() != nullptr; }, 100));
        CreditsScreen* credits = game.Top<CreditsScreen>();
        EXPECT_EQ(game.States().size(), 2u);
        EXPECT_TRUE(credits->mEndOfGame);
        // A new game for the player, and the galleries open on this machine.
        EXPECT_EQ(player->mLevel, 1);
        EXPECT_FALSE(player->mWallpaperUnlocks.mEntries[4].mUnlocked);
        EXPECT_TRUE(game.App().mOptions->mGameCompleted);

        ASSERT_TRUE(game.RunUntil([&] { return !credits->mButtonIn->IsRunning(); }, 100));
        ClickOn(game, *credits->mCloseButton);
        ASSERT_TRUE(game.RunUntil([&] { return game.Top<MainMenu>() == menu; }, 100));
        EXPECT_EQ(game.States().size(), 1u);
        EXPECT_TRUE(WaitForMenuAtRest(game, *menu));
    }
}

TEST(EndOfGameFlowTest, TheViewerCanBeResetWhileItSlidesInAndIgnoresCloseUntilItRests)
{
    GameHarness game;
    MainMenu* menu = ReachMainMenu(game);
    ASSERT_NE(menu, nullptr);
    ScoresScreen* scores = OpenScores(game, false);
    ASSERT_TRUE(scores->mSlideIn->IsRunning());
    scores->OnCloseClicked();
    EXPECT_FALSE(scores->mSlideOut->IsRunning());
    scores->OnResetClicked();
    CustomDialog* question = WaitForDialog(game);
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(question->mDialogId, ScoresScreen::DIALOG_RESET);
    ASSERT_TRUE(AnswerDialog(game, *question, true));
    ASSERT_TRUE(game.RunUntil([&] { return game.Top<ScoresScreen>() == scores; }, 100));

    const HighScoreList& table = game.App().mProfiles->GetHighScores();
    EXPECT_EQ(scores->mRowCount, HighScoreList::kPlaces);
    for (int i = 0; i < HighScoreList::kPlaces; ++i)
    {
        ASSERT_NE(table.GetAt(i), nullptr);
        EXPECT_EQ(table.GetAt(i)->mName, "---");
        EXPECT_TRUE(table.GetAt(i)->IsEmpty());
    }
    ASSERT_TRUE(game.RunUntil([&] { return !scores->mSlideIn->IsRunning(); }, 100));
    ClickOn(game, *scores->mCloseButton);
    ASSERT_TRUE(game.RunUntil([&] { return game.Top<MainMenu>() == menu; }, 100));
    EXPECT_EQ(game.States().size(), 1u);
}

TEST(EndOfGameFlowTest, CreditsListTheHeadingsAndNamesOfTheStringTableAndCloseOnlyOnceTheButtonRests)
{
    GameHarness game;
    MainMenu* menu = ReachMainMenu(game);
    ASSERT_NE(menu, nullptr);
    auto* credits = new CreditsScreen(false);
    credits->Resize(0, 0, 800, 600);
    PushGameState(credits, game.App().mGameStates.get());
    game.Update();
    ASSERT_EQ(credits->mLines.size(), size_t(CreditsScreen::kLineCount));
    EXPECT_EQ(credits->mLines[0].mText, "Made by");
    EXPECT_EQ(credits->mLines[1].mText, "The Orvellan Team");
    EXPECT_EQ(credits->mLines.back().mText, "The Orvellan Team");
    for (const CreditLine& line : credits->mLines)
        EXPECT_EQ(line.mText.find("error::"), std::string::npos) << line.mText;

    credits->OnCloseClicked();
    EXPECT_FALSE(credits->mButtonOut->IsRunning());
    // The column scrolls up from 610 and starts again once every line has left the top.
    game.Update(100);
    EXPECT_LT(credits->mScrollY, 610.0f);
    EXPECT_GT(credits->mScrollY, 500.0f);
    game.Update(3000);
    EXPECT_GT(credits->mScrollY, 500.0f);

    ClickOn(game, *credits->mCloseButton);
    ASSERT_TRUE(game.RunUntil([&] { return game.Top<MainMenu>() == menu; }, 100));
}

TEST(EndOfGameFlowTest, TheFinishedGameIsWrittenAsSoonAsTheScoresShowSoAProgramEndedThereStartsANewGame)
{
    GameHarness game;
    MainMenu* menu = ReachMainMenu(game);
    ASSERT_NE(menu, nullptr);
    AddPlayer(game, "Ada");
    PlayerProfile* player = game.App().GetCurrentProfile();
    player->mLevel = 19;
    player->mGameInProgress = true;
    player->mStoryFlags.MarkCutsceneShown("Cutscene19_2");
    PushGameState(new MapStandIn, game.App().mGameStates.get());
    OpenScores(game, true);
    ASSERT_NE(WaitForDialog(game), nullptr);

    ProfileList saved("");
    saved.LoadSaveData();
    const PlayerProfile* written = saved.GetCurrentProfile();
    ASSERT_NE(written, nullptr);
    EXPECT_EQ(written->mName, "Ada");
    EXPECT_EQ(written->mLevel, 1);
    EXPECT_FALSE(written->mGameInProgress);
    EXPECT_FALSE(written->mStoryFlags.IsCutsceneShown("Cutscene19_2"));
    EXPECT_TRUE(game.App().mOptions->mGameCompleted);
}

} // namespace
