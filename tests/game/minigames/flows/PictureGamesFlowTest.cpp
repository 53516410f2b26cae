// Rotating tiles, find the differences and the match sticks played to their
// end on the mini-game base, each drawn once mid-play.
#include "game/minigames/differences/FindDifferences.h"
#include "game/minigames/matches/MatchesMiniGame.h"
#include "game/minigames/matches/MatchesPuzzle.h"
#include "game/minigames/matches/MatchesSolver.h"
#include "game/minigames/rotating/RotatingPicture.h"
#include "game/shell/CustomDialog.h"
#include "game/shell/Resources.h"
#include "tests/game/minigames/flows/MiniGameAppSupport.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>

namespace
{

using minigametest::FrameFile;
using minigametest::MiniGameApp;
using minigametest::Open;

void ExpectEndDialog(MiniGameApp& app, MiniGameWidget* game)
{
    ASSERT_TRUE(game->mSolved);
    app.Step(20);
    auto* dialog = dynamic_cast<CustomDialog*>(app.mStack.Top());
    ASSERT_NE(dialog, nullptr);
    game->OnDialogClosed(MiniGameWidget::DIALOG_ID_MINI_GAME_END, 0);
    app.Step(40);
    EXPECT_TRUE(app.mStack.Empty());
}

} // namespace

TEST(PictureGamesFlow, RotatingTilesAreExchangedAndTurnedHome)
{
    MiniGameApp app;
    RotatingPicture* game = Open(app, new RotatingPicture("Mode2"));
    for (int place = 0; place < RotatingBoard::kTiles; ++place)
    {
        if (game->mBoard.TileAt(place).mOriginalIndex == place)
            continue;
        RotatingBlock* here = game->TileAt(place);
        RotatingBlock* home = game->mTiles[size_t(place)].get();
        here->OnMouseButtonDown(60, 60, 0, 1);
        home->OnMouseButtonDown(60, 60, 0, 1);
        EXPECT_TRUE(game->mSwapping);
        app.Step(25);
        if (place == 5)
            app.DrawFrame(FrameFile("rotating_tiles"));
        EXPECT_FALSE(game->mSwapping);
        EXPECT_EQ(game->mBoard.TileAt(place).mOriginalIndex, place);
    }
    for (int place = 0; place < RotatingBoard::kTiles; ++place)
        for (int turn = 0; turn < 4 && !game->mBoard.IsLocked(place); ++turn)
        {
            game->TileAt(place)->RotatePlus90();
            app.Step(25);
        }
    ExpectEndDialog(app, game);
}

TEST(PictureGamesFlow, ResetDuringAnExchangeLeavesEveryTileOnItsPlace)
{
    MiniGameApp app;
    RotatingPicture* game = Open(app, new RotatingPicture("Mode1"));
    std::vector<int> open;
    for (int place = 0; place < RotatingBoard::kTiles; ++place)
        if (!game->mBoard.IsLocked(place))
            open.push_back(place);
    ASSERT_GE(open.size(), 2u);
    game->TileAt(open[0])->OnMouseButtonDown(60, 60, 0, 1);
    game->TileAt(open[1])->OnMouseButtonDown(60, 60, 0, 1);
    app.Step(8);
    game->OnResetClicked();
    app.Step(30);
    for (int place = 0; place < RotatingBoard::kTiles; ++place)
    {
        RotatingBlock* tile = game->TileAt(place);
        EXPECT_EQ(tile->mX, 150 + (place % 4) * game->mTileWidth) << place;
        EXPECT_EQ(tile->mY, 20 + (place / 4) * game->mTileHeight) << place;
        EXPECT_EQ(tile->mArrowCW->mVisible, !game->mBoard.IsLocked(place));
    }
}

// A tile turned while selected and then exchanged loses its turn and arrives
// upright as the model has it; while the two move, only they refuse turns.
TEST(PictureGamesFlow, AnExchangeDropsATurnAndOnlyTheMovingTilesRefuseTurns)
{
    MiniGameApp app;
    RotatingPicture* game = Open(app, new RotatingPicture("Mode1"));
    std::vector<RotatingBlock*> open;
    for (int place = 0; place < RotatingBoard::kTiles; ++place)
        if (!game->mBoard.IsLocked(place))
            open.push_back(game->TileAt(place));
    ASSERT_GE(open.size(), 3u);
    RotatingBlock* turned = open[0];
    RotatingBlock* other = open[1];
    RotatingBlock* bystander = open[2];
    const int turnedAngle = game->mBoard.AngleAt(game->PlaceOf(turned));
    const int bystanderAngle = game->mBoard.AngleAt(game->PlaceOf(bystander));

    turned->OnMouseButtonDown(60, 60, 0, 1);
    app.Step(2);
    turned->RotatePlus90();
    app.Step(8);
    ASSERT_NE(turned->mTurnOffset, 0.0f);
    other->OnMouseButtonDown(60, 60, 0, 1);
    ASSERT_TRUE(game->mSwapping);
    turned->RotatePlus90();
    other->RotateMinus90();
    bystander->RotatePlus90();
    app.Step(40);

    EXPECT_FALSE(game->mSwapping);
    for (RotatingBlock* tile : {turned, other})
    {
        EXPECT_EQ(tile->mTileState, RotatingBlock::kIdle);
        EXPECT_EQ(tile->mTurnOffset, 0.0f);
        EXPECT_FALSE(tile->mSelected);
    }
    EXPECT_EQ(game->mBoard.AngleAt(game->PlaceOf(turned)), turnedAngle);
    EXPECT_EQ(game->mBoard.AngleAt(game->PlaceOf(bystander)), (bystanderAngle + 90) % 360);
}

TEST(PictureGamesFlow, DifferencesAreFoundOnEitherHalf)
{
    MiniGameApp app;
    FindDifferences* game = Open(app, new FindDifferences("Mode3"), 150, 20);
    ASSERT_TRUE(game->mBoard->GetProblems().empty());
    EXPECT_EQ(game->mBoard->CountCompletePairs(), 12);
    // The counter's label stands on the board's rim, its shadow's baseline
    // 11 px below the pictures' corner (the game at y 20, the pictures 12 lower).
    const std::string label = game->mCounterLabel;
    game->mCounterLabel.clear();
    app.DrawFrame();
    const std::vector<uint32_t> unlabelled(app.mScreen.GetBits(), app.mScreen.GetBits() + 800 * 600);
    game->mCounterLabel = label;
    app.DrawFrame();
    int bottom = -1;
    for (int i = 0; i < 800 * 600; ++i)
        if (app.mScreen.GetBits()[i] != unlabelled[size_t(i)])
            bottom = std::max(bottom, i / 800);
    EXPECT_LE(bottom, 20 + 12 + 11);
    EXPECT_GE(bottom, 20 + 12 + 11 - 3);
    game->OnMouseButtonDown(5, 5, 0, 1); // the board's rim
    EXPECT_TRUE(app.Played(SFX_MG_DIFFERENCES_MISSED));
    int found = 0;
    for (int i = 0; i < game->mBoard->GetPieceCount() && !game->mSolved; ++i)
    {
        const DifferencePiece& piece = game->mBoard->GetPiece(i);
        if (piece.mType == 0 || game->mBoard->IsFound(i) || (found % 2 == 0) != (piece.mMinorGroupId == -1))
            continue;
        const AlphaMask& mask = game->mBoard->GetMask(i);
        bool clicked = false;
        for (int y = 0; y < mask.GetHeight() && !clicked; ++y)
            for (int x = 0; x < mask.GetWidth() && !clicked; ++x)
            {
                const int gx = piece.mX + x + DifferencesBoard::kPictureOffsetX;
                const int gy = piece.mY + y + DifferencesBoard::kPictureOffsetY;
                if (game->mBoard->HitTest(gx, gy) != i)
                    continue;
                game->OnMouseButtonDown(gx, gy, 0, 1);
                clicked = true;
            }
        ASSERT_TRUE(clicked) << piece.mName;
        EXPECT_TRUE(game->mBoard->IsFound(game->mBoard->FindPartner(i))) << piece.mName;
        if (++found == 6)
            app.DrawFrame(FrameFile("find_the_differences"));
    }
    EXPECT_EQ(game->mBoard->GetFoundCount(), 10);
    EXPECT_TRUE(app.Played(SFX_MG_DIFFERENCES_FOUND));
    ExpectEndDialog(app, game);
}

TEST(PictureGamesFlow, MatchSticksAreMovedIntoAnAcceptedLayout)
{
    for (const char* name : {"Fish", "Squares5to4"})
    {
        MiniGameApp app;
        MatchesMiniGame* game = Open(app, new MatchesMiniGame(name));
        ASSERT_TRUE(game->mRules->IsPlayable()) << name;
        ASSERT_EQ(game->mBlocks.size(), 36u);
        MatchesLayoutRead goal = ReadMatchesLayout(MatchesFileName(std::string(name) + "Solution1"));
        ASSERT_TRUE(goal.mLayout.has_value());
        std::optional<std::vector<MatchMove>> moves =
            SolveMatches(game->mRules->GetBoard(), goal.mLayout->mState, game->mRules->GetMovesLeft());
        ASSERT_TRUE(moves.has_value());
        for (size_t i = 0; i < moves->size(); ++i)
        {
            const MatchMove& move = (*moves)[i];
            game->ClickSlot(move.mFromCell, move.mFromSlot);
            if (i + 1 == moves->size())
            {
                app.Point(400, 300);
                app.Step(1);
                app.DrawFrame(FrameFile(std::string("match_sticks_") + name));
            }
            game->ClickSlot(move.mToCell, move.mToSlot);
        }
        EXPECT_TRUE(app.Played(SFX_MG_MATCH_PLACE));
        ExpectEndDialog(app, game);
    }
}

// A held stick goes only into the free slot that the preview shows under the
// pointer: a click before the preview appears does nothing.
TEST(PictureGamesFlow, AHeldStickIsPlacedOnlyWhereThePreviewShows)
{
    MiniGameApp app;
    MatchesMiniGame* game = Open(app, new MatchesMiniGame("Fish"));
    const MatchesRules& rules = *game->mRules;
    int from = -1, fromSlot = -1;
    for (int cell = 0; cell < int(game->mBlocks.size()) && from < 0; ++cell)
        for (int slot = 0; slot < 6 && from < 0; ++slot)
            if (rules.HasStick(cell, slot))
                from = cell, fromSlot = slot;
    ASSERT_GE(from, 0);
    // A point over a free slot of another cell where no stick lies.
    int to = -1, x = 0, y = 0;
    for (int cell = 0; cell < int(game->mBlocks.size()) && to < 0; ++cell)
    {
        const MatchesBlock& block = *game->mBlocks[size_t(cell)];
        for (int py = 0; py < block.mHeight && to < 0 && cell != from; ++py)
            for (int px = 0; px < block.mWidth && to < 0; ++px)
                if (block.StickAt(px, py, false) >= 0 && block.StickAt(px, py, true) < 0)
                    to = cell, x = block.mX + px, y = block.mY + py;
    }
    ASSERT_GE(to, 0);
    game->ClickSlot(from, fromSlot);
    ASSERT_TRUE(rules.IsHolding());
    const int moves = rules.GetMovesLeft();
    app.Click(x, y);
    EXPECT_TRUE(rules.IsHolding());
    EXPECT_EQ(rules.GetMovesLeft(), moves);
    app.Step(1);
    EXPECT_GE(game->mBlocks[size_t(to)]->mHoverSlot, 0);
    app.Click(x, y);
    EXPECT_FALSE(rules.IsHolding());
    EXPECT_EQ(rules.GetMovesLeft(), moves - 1);
}

// Every stick of a puzzle's start and of each accepted layout lies well inside
// the board picture's visible panel, never against its edge.
TEST(PictureGamesFlow, MatchFiguresStayClearOfTheBoardsEdge)
{
    constexpr int kMargin = 8;
    MiniGameApp app;
    auto* board = dynamic_cast<Quib::MemoryImage*>(IMAGE_MG_MATCH_BACKGROUND);
    ASSERT_NE(board, nullptr);
    const int width = board->GetWidth(), height = board->GetHeight();
    const uint32_t* bits = board->GetBits();
    auto opaque = [&](int x, int y) { return (bits[y * width + x] >> 24) == 255; };
    int left = 0, right = width - 1, top = 0, bottom = height - 1;
    while (left < right && !opaque(left, height / 2))
        ++left;
    while (right > left && !opaque(right, height / 2))
        --right;
    while (top < bottom && !opaque(width / 2, top))
        ++top;
    while (bottom > top && !opaque(width / 2, bottom))
        --bottom;
    for (const char* name : {"Fish", "Squares5to4"})
    {
        MatchesMiniGame* game = Open(app, new MatchesMiniGame(name));
        const MatchesPuzzleInfo puzzle = MatchesPuzzleByName(name);
        std::vector<std::string> files = {name};
        for (int v = 1; v <= puzzle.mSolutionCount; ++v)
            files.push_back(std::string(name) + "Solution" + std::to_string(v));
        for (const std::string& file : files)
        {
            MatchesLayoutRead read = ReadMatchesLayout(MatchesFileName(file));
            ASSERT_TRUE(read.mLayout.has_value()) << file;
            for (int cell = 0; cell < int(game->mBlocks.size()); ++cell)
            {
                const MatchSticks* sticks = read.mLayout->mState.GetCell(cell);
                if (sticks == nullptr || sticks->none())
                    continue;
                const MatchesBlock& block = *game->mBlocks[size_t(cell)];
                const int x = block.mX - game->mOriginX, y = block.mY - game->mOriginY;
                EXPECT_GE(x, left + kMargin) << file << " cell " << cell;
                EXPECT_GE(y, top + kMargin) << file << " cell " << cell;
                EXPECT_LE(x + block.mWidth, right - kMargin) << file << " cell " << cell;
                EXPECT_LE(y + block.mHeight, bottom - kMargin) << file << " cell " << cell;
            }
        }
        ClearGameStates(&app.mStack);
        app.FlushDeletes();
    }
}
