// The queens, the typewriter, the memory cards and the jigsaw played to their
// end on the mini-game base, each drawn once mid-play.
#include "framework/widgets/WidgetManager.h"
#include "game/minigames/jigsaw/MiniGamePuzzle.h"
#include "game/minigames/memory/MemoryGame.h"
#include "game/minigames/queens/QueensBoard.h"
#include "game/minigames/queens/QueensMiniGame.h"
#include "game/minigames/typewriter/MiniGameTypewriter.h"
#include "game/shell/CustomDialog.h"
#include "game/shell/Resources.h"
#include "tests/game/minigames/flows/MiniGameAppSupport.h"

#include <gtest/gtest.h>

namespace
{

using minigametest::FrameFile;
using minigametest::MiniGameApp;
using minigametest::Open;

// The end dialog opens 16 updates after the solve, and OK leads out.
void ExpectEndAndLeave(MiniGameApp& app, MiniGameWidget* game, int updatesToDialog = 16)
{
    ASSERT_TRUE(game->mSolved);
    app.Step(updatesToDialog - 1);
    EXPECT_EQ(app.mStack.Top(), game);
    app.Step(1);
    auto* dialog = dynamic_cast<CustomDialog*>(app.mStack.Top());
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(app.Played(SFX_MG_END));
    game->OnDialogClosed(MiniGameWidget::DIALOG_ID_MINI_GAME_END, 0);
    app.Step(40);
    EXPECT_TRUE(app.mStack.Empty());
}

} // namespace

TEST(GamesFlow, QueensAreCarriedOntoTheBoardUntilNoneAttacks)
{
    MiniGameApp app;
    ToManyQueens* game = Open(app, new ToManyQueens(5));
    std::optional<std::vector<int>> columns = SolveQueens(5);
    ASSERT_TRUE(columns.has_value());
    for (int row = 0; row < 5; ++row)
    {
        game->mQueens[size_t(row)]->OnMouseButtonDown(5, 5, 0, 1);
        EXPECT_TRUE(app.Played(SFX_MG_QUEEN_PICK));
        if (row == 3)
        {
            app.Point(420, 300);
            app.Step(1);
            app.DrawFrame(FrameFile("queens"));
        }
        game->mCells[size_t(row * 5 + (*columns)[size_t(row)])]->OnMouseButtonDown(5, 5, 0, 1);
    }
    ExpectEndAndLeave(app, game);
}

TEST(GamesFlow, TheTypewriterTakesTheWordItShows)
{
    MiniGameApp app;
    MiniGameTypewriter* game = Open(app, new MiniGameTypewriter());
    const std::string word = game->mWord.GetWord();
    ASSERT_FALSE(word.empty());
    game->FindKey(word[0] == 'Q' ? 'W' : 'Q')->OnMouseButtonDown(3, 3, 0, 1); // a wrong letter is shown
    game->OnResetClicked();
    EXPECT_EQ(game->mWord.GetTyped(), "");
    for (size_t i = 0; i < word.size(); ++i)
    {
        if (i == word.size() / 2)
            app.DrawFrame(FrameFile("typewriter"));
        game->FindKey(word[i])->OnMouseButtonDown(3, 3, 0, 1);
    }
    EXPECT_TRUE(app.Played(SFX_MG_TYPEWRITER_FINISHED));
    ExpectEndAndLeave(app, game);
}

TEST(GamesFlow, MemoryCardsArePairedAfterTheirFlips)
{
    MiniGameApp app;
    MemoryGame* game = Open(app, new MemoryGame("Mode2"));
    ASSERT_EQ(game->mCards.size(), 30u);
    std::vector<std::vector<int>> byFace(15);
    for (int i = 0; i < 30; ++i)
        byFace[size_t(game->mBoard->GetFace(i))].push_back(i);
    // A wrong pair is compared once the second card has turned up, and both
    // turn straight back down: a flip takes 50 ms per picture cell.
    const int a = byFace[0][0], b = byFace[1][0];
    const int flipUpdates = 5 * game->mCards[size_t(a)]->CellCount() + 5;
    game->mCards[size_t(a)]->OnMouseButtonDown(5, 5, 0, 1);
    game->mCards[size_t(b)]->OnMouseButtonDown(5, 5, 0, 1);
    int compared = 0;
    while (game->mBoard->IsComparing() && compared < 100)
    {
        app.Step(1);
        ++compared;
    }
    EXPECT_LE(compared, flipUpdates);
    EXPECT_FALSE(game->mBoard->IsFaceUp(a));
    EXPECT_EQ(game->mBoard->GetFlip(b), MemoryBoard::Flip::Down);
    app.Step(flipUpdates);
    for (int card : {a, b})
    {
        EXPECT_EQ(game->mBoard->GetFlip(card), MemoryBoard::Flip::None);
        EXPECT_EQ(game->mCards[size_t(card)]->mCell, 0);
    }
    for (int face = 0; face < 15; ++face)
    {
        game->mCards[size_t(byFace[size_t(face)][0])]->OnMouseButtonDown(5, 5, 0, 1);
        game->mCards[size_t(byFace[size_t(face)][1])]->OnMouseButtonDown(5, 5, 0, 1);
        // One update at a time, so the solve is seen on the update that makes it.
        for (int update = 0; update < 30 && !game->mSolved; ++update)
            app.Step(1);
        EXPECT_TRUE(game->mBoard->IsMatched(byFace[size_t(face)][0])) << face;
        if (face == 7)
            app.DrawFrame(FrameFile("memory_cards"));
    }
    EXPECT_TRUE(app.Played(SFX_MG_MEMORY_MATCH));
    ExpectEndAndLeave(app, game);
}

TEST(GamesFlow, JigsawPiecesAreCarriedToTheirPlaces)
{
    MiniGameApp app;
    MiniGamePuzzle* game = Open(app, new MiniGamePuzzle(1));
    for (int i = 0; i < JigsawBoard::kPieces; ++i)
    {
        PuzzleBlock& piece = *game->mPieces[size_t(i)];
        // A transparent corner takes no click; the middle of the piece does.
        EXPECT_FALSE(piece.IsOpaqueAt(0, 0));
        EXPECT_FALSE(piece.IsOpaqueAt(JigsawBoard::kPieceWidth, 60)); // outside the picture
        piece.OnMouseButtonDown(60, 80, 0, 1);
        ASSERT_EQ(game->mBoard.GetHeld(), i);
        const JigsawPoint place = JigsawBoard::PlaceOrigin(i);
        app.Point(place.x + 40, place.y + 50);
        app.Step(1);
        if (i == 13)
            app.DrawFrame(FrameFile("jigsaw"));
        // A click that reaches another loose piece tests that piece: the
        // carried one is let go where it is.
        if (i + 1 < JigsawBoard::kPieces)
        {
            game->ClickPiece(i + 1, 60, 80);
            EXPECT_FALSE(game->mBoard.IsPlaced(i)) << i;
            EXPECT_FALSE(game->mBoard.IsPlaced(i + 1)) << i;
            EXPECT_EQ(game->mBoard.GetHeld(), -1);
            piece.OnMouseButtonDown(60, 80, 0, 1);
        }
        game->ClickPiece(i, 60, 80);
        EXPECT_TRUE(game->mBoard.IsPlaced(i)) << i;
    }
    ASSERT_TRUE(game->mSolved);
    app.Step(1);
    EXPECT_FALSE(game->mResetButton->mVisible);
    app.Step(300);
    auto* dialog = dynamic_cast<CustomDialog*>(app.mStack.Top());
    ASSERT_NE(dialog, nullptr);
    game->OnDialogClosed(MiniGameWidget::DIALOG_ID_MINI_GAME_END, 0);
    app.Step(40);
    EXPECT_TRUE(app.mStack.Empty());
}

// Close stands over the board's right edge. A piece carried to any corner,
// or right onto the button, is drawn and let go clear of every button, so
// it neither hides one nor catches its clicks.
TEST(GamesFlow, ACarriedJigsawPieceStaysClearOfTheButtons)
{
    MiniGameApp app;
    MiniGamePuzzle* game = Open(app, new MiniGamePuzzle(1));
    const Quib::Rect close = game->mCloseButton->GetBounds();
    const Quib::Rect buttons[] = {close, game->mResetButton->GetBounds(), game->mSkipButton->GetBounds(),
                                  game->mHelpButton->GetBounds()};
    ASSERT_TRUE(close.Intersects(Quib::Rect(JigsawBoard::kBoardX, JigsawBoard::kBoardY,
                                            JigsawBoard::kBoardWidth, JigsawBoard::kBoardHeight)));
    PuzzleBlock& piece = *game->mPieces[0];
    const int closeX = close.mX + close.mWidth / 2, closeY = close.mY + close.mHeight / 2;
    for (JigsawPoint grab : {JigsawPoint{60, 80}, JigsawPoint{20, 30}, JigsawPoint{100, 120}})
        for (JigsawPoint pointer :
             {JigsawPoint{799, 0}, JigsawPoint{799, 599}, JigsawPoint{0, 599}, JigsawPoint{0, 0},
              JigsawPoint{closeX, closeY}, JigsawPoint{close.mX, 60}})
        {
            game->ClickPiece(0, grab.x, grab.y);
            ASSERT_EQ(game->mBoard.GetHeld(), 0);
            app.Point(pointer.x, pointer.y);
            app.Step(1);
            for (const Quib::Rect& button : buttons)
                EXPECT_FALSE(piece.GetBounds().Intersects(button))
                    << "carried by " << grab.x << "," << grab.y << " to " << pointer.x << "," << pointer.y;
            game->LetGo();
        }
    app.Point(closeX, closeY);
    EXPECT_EQ(app.mWidgetManager->FindWidgetAt(close.mX + 2, closeY), game->mCloseButton.get());
}

TEST(GamesFlow, ResetDuringAFlipTurnsTheCardBackWithinItsCells)
{
    MiniGameApp app;
    MemoryGame* game = Open(app, new MemoryGame("Mode1"));
    game->mCards[0]->OnMouseButtonDown(5, 5, 0, 1);
    app.Step(12); // half way up
    EXPECT_GT(game->mCards[0]->mCell, 0);
    game->OnResetClicked();
    EXPECT_TRUE(game->mCards[0]->mFlipDown->IsRunning());
    EXPECT_FALSE(game->mCards[0]->mFlipUp->IsRunning());
    for (int i = 0; i < 40; ++i)
    {
        app.Step(1);
        EXPECT_GE(game->mCards[0]->mCell, 0);
        EXPECT_LT(game->mCards[0]->mCell, int(IMAGE_MG_MEMORY_CARD_VASE->mColumns));
    }
    EXPECT_EQ(game->mCards[0]->mCell, 0);
    EXPECT_EQ(game->mBoard->GetFlip(0), MemoryBoard::Flip::None);
    game->mCards[0]->OnMouseButtonDown(5, 5, 0, 1);
    EXPECT_TRUE(game->mBoard->IsFaceUp(0));
}
