#pragma once

#include "framework/foundation/Rect.h"

#include <array>
#include <cstddef>
#include <vector>

struct JigsawPoint
{
    int x = 0;
    int y = 0;
    bool operator==(const JigsawPoint&) const = default;
};

// The jigsaw rules: 24 pieces lie scattered; one at a time is carried and
// dropped. A drop fixes the piece the click reached when the pointer lies
// inside that piece's own place; the carried piece stays where it was let go.
class JigsawBoard
{
public:
    static constexpr int kColumns = 6;
    static constexpr int kRows = 4;
    static constexpr int kPieces = kColumns * kRows;
    static constexpr int kPlaceWidth = 97;
    static constexpr int kPlaceHeight = 112;
    static constexpr int kPlacesX = 110;
    static constexpr int kPlacesY = 44;
    // The board picture; a carried piece stays inside it, clear of the
    // buttons around the board.
    static constexpr int kBoardX = 100;
    static constexpr int kBoardY = 20;
    static constexpr int kBoardWidth = 600;
    static constexpr int kBoardHeight = 500;
    // Piece pictures overhang their place by their tabs.
    static constexpr int kPieceWidth = 119;
    static constexpr int kPieceHeight = 138;
    static constexpr int kTabLeft = 11;
    static constexpr int kTabTop = 26;

    // Pieces scattered in index order, x drawn before y for each.
    JigsawBoard();

    static JigsawPoint PlaceOrigin(int place);
    // Where a fixed piece lies: its place less the tabs.
    static JigsawPoint FixedPosition(int piece);
    // The place whose rectangle holds the point (right and bottom edges outside), -1 when none.
    static int PlaceAt(JigsawPoint point);

    // Takes up a loose piece at the grab point inside it; false when one is held or it is fixed.
    bool PickUp(int piece, JigsawPoint grab);
    // The rectangles the carried piece must not cover: buttons that overlap
    // the board, which a piece let go over them would hide and whose clicks
    // it would catch.
    void KeepClearOf(std::vector<Quib::Rect> areas);
    // The carried piece follows the pointer by its grab point, as far as the
    // board's edges, and steps aside from the areas it keeps clear of.
    void MoveHeld(JigsawPoint pointer);
    // A click while a piece is carried, with the pointer there. It reached the
    // piece `clicked`: the carried one, or a loose piece lying above it at the
    // pointer. That piece is fixed when the pointer is inside its own place;
    // the carried piece is let go where it lies. True when a piece was fixed.
    bool Drop(int clicked, JigsawPoint pointer);
    // Lets the carried piece go without a test (a click on an empty place).
    void LetGo();
    // Every piece fixed at its place (after a skip).
    void PlaceAll();
    // Every piece loose again and thrown to a new random point; refused while one is carried.
    bool Reset();

    int GetHeld() const { return mHeld; }
    JigsawPoint GetPosition(int piece) const { return mPieces[size_t(piece)].mPosition; }
    bool IsPlaced(int piece) const { return mPieces[size_t(piece)].mPlaced; }
    bool IsSolved() const;

private:
    struct Piece
    {
        JigsawPoint mPosition;
        JigsawPoint mGrab;
        bool mPlaced = false;
    };
    static JigsawPoint RandomPoint();
    // The nearest position on the board at which the piece clears the area;
    // the position itself when no side fits.
    static JigsawPoint StepAside(JigsawPoint position, const Quib::Rect& area);

    std::array<Piece, kPieces> mPieces{};
    int mHeld = -1;
    std::vector<Quib::Rect> mKeepClear;
};
