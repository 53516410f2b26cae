#include "game/minigames/seating/SeatingPieces.h"

#include "framework/graphics/Graphics.h"
#include "game/minigames/seating/SeatingMiniGame.h"

ObjectNeighbour::ObjectNeighbour(int index, TableNeighbours* game) : mIndex(index), mGame(game) {}

void ObjectNeighbour::Draw(Quib::Graphics* g)
{
    // The guest in hand lies above the seats and the buttons.
    if (mGame->mBoard->GetHeld() == mIndex)
        RequestOverlayDraw(101);
    else
        g->DrawImage(mGame->GuestPicture(mIndex), 0, 0);
}

void ObjectNeighbour::DrawOverlay(Quib::Graphics* g)
{
    g->DrawImage(mGame->GuestPicture(mIndex), 0, 0);
}

void ObjectNeighbour::OnMouseButtonDown(int, int, int button, int)
{
    mGame->ClickGuest(this, button);
}

ObjectSeat::ObjectSeat(int index, TableNeighbours* game) : mIndex(index), mGame(game) {}

void ObjectSeat::OnMouseButtonDown(int, int, int button, int)
{
    mGame->ClickSeat(mIndex, button);
}
