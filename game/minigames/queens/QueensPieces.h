#pragma once

#include "framework/widgets/Widget.h"

class ToManyQueens;

// A queen's place in the strip below the board; the widget never moves.
class QueenObject : public Quib::Widget
{
public:
    QueenObject(int index, ToManyQueens* game);
    void Draw(Quib::Graphics* g) override;
    void OnMouseButtonDown(int x, int y, int button, int clickCount) override;

    int mIndex;
    ToManyQueens* mGame;
};

// One cell of the chess board.
class ChessObject : public Quib::Widget
{
public:
    ChessObject(int index, int colour, ToManyQueens* game);
    void Draw(Quib::Graphics* g) override;
    void OnMouseButtonDown(int x, int y, int button, int clickCount) override;

    int mIndex;
    int mColour; // 0 white, 1 black
    ToManyQueens* mGame;
};
