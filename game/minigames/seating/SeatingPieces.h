#pragma once

#include "framework/widgets/Widget.h"

class TableNeighbours;

// A guest: waits in the strip, follows the mouse while held, or sits on a seat.
class ObjectNeighbour : public Quib::Widget
{
public:
    ObjectNeighbour(int index, TableNeighbours* game);
    void Draw(Quib::Graphics* g) override;
    void DrawOverlay(Quib::Graphics* g) override;
    void OnMouseButtonDown(int x, int y, int button, int clickCount) override;

    int mIndex; // 0..5; the guest's number is mIndex + 1
    int mHomeX = 0;
    int mHomeY = 0;
    TableNeighbours* mGame;
};

// A seat at the table: an invisible drop area above the guest sitting on it.
class ObjectSeat : public Quib::Widget
{
public:
    ObjectSeat(int index, TableNeighbours* game);
    void OnMouseButtonDown(int x, int y, int button, int clickCount) override;

    int mIndex; // 0..5 in circular order
    TableNeighbours* mGame;
};
