#pragma once

#include "framework/widgets/Widget.h"
#include "game/minigames/vessels/TanksBoard.h"

class DecantingMiniGame;

// One valve of the tanks: its picture turned by the valve's angle about its
// centre; a left click opens it when the rules let it act.
class TankValve : public Quib::Widget
{
public:
    TankValve(DecantingMiniGame* game, TanksBoard::Valve valve);

    void Draw(Quib::Graphics* g) override;
    void OnMouseButtonDown(int x, int y, int button, int clickCount) override;

    DecantingMiniGame* mGame;
    TanksBoard::Valve mValve;
};
