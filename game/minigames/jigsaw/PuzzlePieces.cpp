#include "game/minigames/jigsaw/PuzzlePieces.h"

#include "framework/graphics/Graphics.h"
#include "game/minigames/jigsaw/MiniGamePuzzle.h"

PuzzlePlace::PuzzlePlace(int index, MiniGamePuzzle* game) : mIndex(index), mGame(game) {}

void PuzzlePlace::OnMouseButtonDown(int, int, int, int)
{
    mGame->LetGo();
}

PuzzleBlock::PuzzleBlock(int index, Quib::Image* picture, MiniGamePuzzle* game)
    : mIndex(index), mPicture(picture), mMask(MaskOfPicture(picture)), mGame(game)
{
}

bool PuzzleBlock::IsOpaqueAt(int x, int y)
{
    return !mGame->mBoard.IsPlaced(mIndex) && mMask.IsOpaqueAt(x, y);
}

void PuzzleBlock::Draw(Quib::Graphics*)
{
    const bool placed = mGame->mBoard.IsPlaced(mIndex);
    RequestOverlayDraw(mGame->mBoard.GetHeld() == mIndex ? 100 : placed ? 10 : 15);
}

void PuzzleBlock::DrawOverlay(Quib::Graphics* g)
{
    if (mPicture == nullptr)
        return;
    if (mGame->mBoard.IsPlaced(mIndex))
    {
        g->SetTintImages(true);
        g->SetColor(Quib::Color(210, 210, 190, 255));
    }
    g->DrawImage(mPicture, 0, 0);
    g->SetTintImages(false);
}

void PuzzleBlock::OnMouseButtonDown(int x, int y, int button, int)
{
    if (button != 0 || mGame->mBoard.IsPlaced(mIndex) || !mMask.IsOpaqueAt(x, y))
        return;
    mGame->ClickPiece(mIndex, x, y);
}
