#include "game/minigames/queens/QueensPieces.h"

#include "framework/graphics/Graphics.h"
#include "game/minigames/queens/QueensMiniGame.h"
#include "game/shell/Resources.h"

namespace
{

QueensBoard::Button ButtonOf(int button)
{
    return button == 1 ? QueensBoard::Button::Right : QueensBoard::Button::Left;
}

} // namespace

QueenObject::QueenObject(int index, ToManyQueens* game) : mIndex(index), mGame(game) {}

void QueenObject::Draw(Quib::Graphics* g)
{
    if (mGame->mBoard->IsInStrip(mIndex))
        g->DrawImage(IMAGE_MG_QUEEN, 0, 0);
}

void QueenObject::OnMouseButtonDown(int, int, int button, int)
{
    if (button == 2 || !mGame->AcceptsInput())
        return;
    mGame->Sound(mGame->mBoard->ClickStrip(mIndex, ButtonOf(button)));
}

ChessObject::ChessObject(int index, int colour, ToManyQueens* game)
    : mIndex(index), mColour(colour), mGame(game)
{
}

void ChessObject::Draw(Quib::Graphics* g)
{
    g->DrawImage(mColour == 1 ? IMAGE_MG_CHESS_BLACK_BLOCK : IMAGE_MG_CHESS_WHITE_BLOCK, 0, 0);
    if (mGame->mBoard->QueenOnCell(mIndex) >= 0)
        g->DrawImage(IMAGE_MG_QUEEN, 0, 0);
}

void ChessObject::OnMouseButtonDown(int, int, int button, int)
{
    if (button == 2 || !mGame->AcceptsInput())
        return;
    mGame->Sound(mGame->mBoard->ClickCell(mIndex, ButtonOf(button)));
}
