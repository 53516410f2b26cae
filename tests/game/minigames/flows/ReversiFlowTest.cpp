// Reversi on the mini-game base: a searched line beats the computer from the
// gallery and from its scene; the computer answers on the 51st update; discs
// turn within their strip; a draw and a loss end with their own dialogs and
// leave the scene undone.
#include "game/minigames/gallery/MiniGameFactory.h"
#include "game/minigames/gallery/PuzzleScreen.h"
#include "game/minigames/reversi/MiniGameReversi.h"
#include "game/minigames/reversi/ReversiSolver.h"
#include "game/records/PlayerProfile.h"
#include "game/shell/CustomDialog.h"
#include "game/shell/Resources.h"
#include "game/shell/StringTable.h"
#include "tests/game/minigames/flows/MiniGameAppSupport.h"

#include <gtest/gtest.h>

namespace
{

using minigametest::MiniGameApp;
using minigametest::RecordingOwner;

// Plays the line cell by cell, each click answered by the computer 51 updates later.
void PlayLine(MiniGameApp& app, MiniGameReversi* game, const std::vector<int>& line, const std::string& frame)
{
    const int strip = int(game->DiscStrip()->mRows);
    for (size_t i = 0; i < line.size(); ++i)
    {
        const int cell = line[i];
        ASSERT_TRUE(game->mBoard.IsLegal(cell)) << i;
        game->mCells[size_t(cell)]->OnMouseButtonDown(5, 5, 0, 1);
        ASSERT_TRUE(game->mBoard.IsComputerTurn());
        // A click during the computer's pause does nothing.
        const size_t sounds = app.mSounds.size();
        game->mCells[0]->OnMouseButtonDown(5, 5, 0, 1);
        EXPECT_EQ(app.mSounds.size(), sounds);
        for (int update = 0; update < 50; ++update)
        {
            app.Step(1);
            for (auto& block : game->mCells)
                ASSERT_LT(block->mFrame, strip);
        }
        if (game->mSolved)
            return;
        EXPECT_TRUE(game->mBoard.IsComputerTurn()) << "the computer waits 50 updates";
        if (i == line.size() / 2)
            app.DrawFrame(minigametest::FrameFile(frame));
        app.Step(1);
        const ReversiBoard::Outcome outcome = game->mBoard.GetOutcome();
        ASSERT_TRUE(!game->mBoard.IsComputerTurn() || outcome != ReversiBoard::Outcome::Playing) << i;
    }
}

std::vector<int> WinningLine()
{
    const std::optional<std::vector<int>> line = FindReversiWin(ReversiBoard(), 200000);
    EXPECT_TRUE(line.has_value());
    return line.value_or(std::vector<int>{});
}

} // namespace

TEST(ReversiFlow, FromTheGalleryASearchedLineWinsAndTheProfileStaysAsItWas)
{
    MiniGameApp app;
    PlayerProfile profile;
    profile.mWallpaperUnlocks.mEntries[6].mUnlocked = true;
    const PlayerProfile before = profile;
    auto* gallery = new PuzzleScreen(&profile, false);
    gallery->Resize(0, 0, 800, 600);
    PushGameState(gallery, &app.mStack);
    gallery->mButtons[6]->OnMouseButtonDown(10, 10, 0, 1);
    auto* game = dynamic_cast<MiniGameReversi*>(app.mStack.Top());
    ASSERT_NE(game, nullptr);
    minigametest::CloseEntryHelp(app);
    EXPECT_EQ(game->mModeNumber, 1);
    EXPECT_EQ(game->mPlayerCount, 2);
    EXPECT_EQ(game->mComputerCount, 2);
    PlayLine(app, game, WinningLine(), "reversi");
    EXPECT_TRUE(app.Played(SFX_MG_REVERSI_CLICK));
    ASSERT_TRUE(game->mSolved);
    EXPECT_GT(game->mPlayerCount, game->mComputerCount);
    minigametest::ExpectEndDialogAndLeave(app, game);
    EXPECT_EQ(app.mStack.Top(), gallery);
    EXPECT_TRUE(profile.mWallpaperUnlocks == before.mWallpaperUnlocks);
    EXPECT_TRUE(profile.mPlayTime == before.mPlayTime);
}

TEST(ReversiFlow, FromItsSceneTheWinMarksTheSceneDone)
{
    MiniGameApp app;
    RecordingOwner owner;
    MiniGameWidget* built = CreateMiniGame(*FindSceneMiniGame("Level8", "Scene27"));
    auto* game = dynamic_cast<MiniGameReversi*>(built);
    ASSERT_NE(game, nullptr);
    minigametest::EnterFromScene(app, game, &owner);
    EXPECT_EQ(game->mModeNumber, 2);
    EXPECT_EQ(game->mHelpNumber, 27);
    EXPECT_EQ(game->DiscStrip(), IMAGE_MG_REVERSI_ANIMATION2);
    PlayLine(app, game, WinningLine(), "reversi_mode2");
    minigametest::ExpectEndDialogAndLeave(app, game);
    EXPECT_EQ(owner.mLog, (std::vector<std::string>{"done", "discard", "end delay"}));
}

TEST(ReversiFlow, TurnedDiscsRunTheirFlipAndAResetStopsItAtRest)
{
    MiniGameApp app;
    auto* game = new MiniGameReversi(1);
    game->Resize(0, 0, 800, 600);
    PushGameState(game, &app.mStack);
    minigametest::CloseEntryHelp(app);
    game->mCells[20]->OnMouseButtonDown(5, 5, 0, 1); // turns cell 28
    EXPECT_TRUE(game->mCells[28]->mFlipToPlayer->IsRunning());
    app.Step(2);
    EXPECT_LT(game->mCells[28]->mFrame, int(IMAGE_MG_REVERSI_ANIMATION->mRows) - 1);
    game->OnResetClicked();
    for (auto& block : game->mCells)
        EXPECT_FALSE(block->IsFlipping());
    app.Step(1);
    EXPECT_EQ(game->mCells[28]->mFrame, 0);
    EXPECT_EQ(game->mCells[27]->mFrame, int(IMAGE_MG_REVERSI_ANIMATION->mRows) - 1);
    EXPECT_EQ(game->mCells[20]->mFrame, -1);
    EXPECT_FALSE(game->mBoard.IsComputerTurn());
    app.Step(60); // no computer move follows a reset
    EXPECT_EQ(game->mPlayerCount, 2);
    ClearGameStates(&app.mStack);
    app.FlushDeletes();
}

TEST(ReversiFlow, ADrawOrALossShowsItsOwnDialogAndLeavesTheSceneUndone)
{
    struct Case
    {
        int computerDiscs; // in the row far from the player's
        const char* key;
    };
    for (const Case& c :
         {Case{3, "LBL_DIALOG_MINIGAME_REVERSI_DRAW"}, Case{7, "LBL_DIALOG_MINIGAME_REVERSI_LOST"}})
    {
        MiniGameApp app;
        RecordingOwner owner;
        auto* game = new MiniGameReversi(1);
        game->Resize(0, 0, 800, 600);
        minigametest::EnterFromScene(app, game, &owner);
        // The player's only move takes cell 0 and turns cell 1; then neither side can move.
        std::array<int, ReversiBoard::kCells> colours;
        colours.fill(ReversiBoard::kEmpty);
        colours[1] = ReversiBoard::kComputer;
        colours[2] = ReversiBoard::kPlayer;
        for (int i = 0; i < c.computerDiscs; ++i)
            colours[size_t(16 + i)] = ReversiBoard::kComputer;
        game->mBoard.SetPosition(colours);
        game->mCells[0]->OnMouseButtonDown(5, 5, 0, 1);
        app.Step(51);
        EXPECT_FALSE(game->mSolved);
        app.Step(15);
        EXPECT_EQ(app.mStack.Top(), game);
        app.Step(1);
        auto* dialog = dynamic_cast<CustomDialog*>(app.mStack.Top());
        ASSERT_NE(dialog, nullptr) << c.key;
        EXPECT_EQ(dialog->mText, StringTable::GetInstance().Lookup(c.key));
        EXPECT_FALSE(app.Played(SFX_MG_END));
        game->OnDialogClosed(MiniGameWidget::DIALOG_ID_MINI_GAME_END, 0);
        app.Step(40);
        EXPECT_TRUE(app.mStack.Empty());
        EXPECT_TRUE(owner.mLog.empty()) << c.key;
    }
}
