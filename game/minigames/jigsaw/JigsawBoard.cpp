#include "game/minigames/jigsaw/JigsawBoard.h"

#include "platform/Random.h"

#include <algorithm>

JigsawBoard::JigsawBoard()
{
    for (Piece& piece : mPieces)
        piece.mPosition = RandomPoint();
}

JigsawPoint JigsawBoard::RandomPoint()
{
    const int x = 100 + platform::rand() % 500;
    const int y = 50 + platform::rand() % 300;
    return {x, y};
}

JigsawPoint JigsawBoard::PlaceOrigin(int place)
{
    return {kPlacesX + kPlaceWidth * (place % kColumns), kPlacesY + kPlaceHeight * (place / kColumns)};
}

JigsawPoint JigsawBoard::FixedPosition(int piece)
{
    const JigsawPoint place = PlaceOrigin(piece);
    return {place.x - kTabLeft, place.y - kTabTop};
}

int JigsawBoard::PlaceAt(JigsawPoint point)
{
    for (int place = 0; place < kPieces; ++place)
    {
        const JigsawPoint origin = PlaceOrigin(place);
        if (point.x >= origin.x && point.x < origin.x + kPlaceWidth && point.y >= origin.y &&
            point.y < origin.y + kPlaceHeight)
            return place;
    }
    return -1;
}

bool JigsawBoard::PickUp(int piece, JigsawPoint grab)
{
    if (piece < 0 || piece >= kPieces || mHeld >= 0 || mPieces[size_t(piece)].mPlaced)
        return false;
    mPieces[size_t(piece)].mGrab = grab;
    mHeld = piece;
    return true;
}

void JigsawBoard::MoveHeld(JigsawPoint pointer)
{
    if (mHeld < 0)
        return;
    Piece& piece = mPieces[size_t(mHeld)];
    piece.mPosition = {std::clamp(pointer.x - piece.mGrab.x, kBoardX, kBoardX + kBoardWidth - kPieceWidth),
                       std::clamp(pointer.y - piece.mGrab.y, kBoardY, kBoardY + kBoardHeight - kPieceHeight)};
}

bool JigsawBoard::Drop(int clicked, JigsawPoint pointer)
{
    if (mHeld < 0)
        return false;
    mHeld = -1;
    if (clicked < 0 || clicked >= kPieces || mPieces[size_t(clicked)].mPlaced || PlaceAt(pointer) != clicked)
        return false;
    mPieces[size_t(clicked)].mPlaced = true;
    mPieces[size_t(clicked)].mPosition = FixedPosition(clicked);
    return true;
}

void JigsawBoard::LetGo()
{
    mHeld = -1;
}

void JigsawBoard::PlaceAll()
{
    for (int i = 0; i < kPieces; ++i)
    {
        mPieces[size_t(i)].mPlaced = true;
        mPieces[size_t(i)].mPosition = FixedPosition(i);
    }
    mHeld = -1;
}

bool JigsawBoard::Reset()
{
    if (mHeld >= 0)
        return false;
    for (Piece& piece : mPieces)
    {
        piece.mPlaced = false;
        piece.mPosition = RandomPoint();
    }
    return true;
}

bool JigsawBoard::IsSolved() const
{
    for (const Piece& piece : mPieces)
        if (!piece.mPlaced)
            return false;
    return true;
}
