#include "game/minigames/jigsaw/JigsawBoard.h"

#include "platform/Random.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

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

void JigsawBoard::KeepClearOf(std::vector<Quib::Rect> areas)
{
    mKeepClear = std::move(areas);
}

JigsawPoint JigsawBoard::StepAside(JigsawPoint position, const Quib::Rect& area)
{
    if (!Quib::Rect(position.x, position.y, kPieceWidth, kPieceHeight).Intersects(area))
        return position;
    const JigsawPoint sides[] = {{area.mX - kPieceWidth, position.y},
                                 {int(area.Right()), position.y},
                                 {position.x, area.mY - kPieceHeight},
                                 {position.x, int(area.Bottom())}};
    const Quib::Rect board(kBoardX, kBoardY, kBoardWidth - kPieceWidth + 1, kBoardHeight - kPieceHeight + 1);
    JigsawPoint best = position;
    int bestDistance = -1;
    for (const JigsawPoint& side : sides)
    {
        const bool onBoard =
            side.x >= board.mX && side.x < board.Right() && side.y >= board.mY && side.y < board.Bottom();
        const int distance = std::abs(side.x - position.x) + std::abs(side.y - position.y);
        if (onBoard && (bestDistance < 0 || distance < bestDistance))
        {
            best = side;
            bestDistance = distance;
        }
    }
    return best;
}

void JigsawBoard::MoveHeld(JigsawPoint pointer)
{
    if (mHeld < 0)
        return;
    Piece& piece = mPieces[size_t(mHeld)];
    piece.mPosition = {std::clamp(pointer.x - piece.mGrab.x, kBoardX, kBoardX + kBoardWidth - kPieceWidth),
                       std::clamp(pointer.y - piece.mGrab.y, kBoardY, kBoardY + kBoardHeight - kPieceHeight)};
    for (const Quib::Rect& area : mKeepClear)
        piece.mPosition = StepAside(piece.mPosition, area);
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
