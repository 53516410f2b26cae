#include "game/minigames/vessels/TankValve.h"

#include "framework/foundation/Matrix3.h"
#include "framework/graphics/Graphics.h"
#include "game/minigames/vessels/DecantingMiniGame.h"
#include "game/shell/Resources.h"

TankValve::TankValve(DecantingMiniGame* game, TanksBoard::Valve valve) : mGame(game), mValve(valve) {}

void TankValve::Draw(Quib::Graphics* g)
{
    Quib::Matrix3 turn;
    turn.RotateDeg(mGame->mBoard->GetValve(mValve).GetAngle());
    g->DrawImageWithMatrix(IMAGE_MG_TANKS_VALVE, turn, float(mWidth) / 2, float(mHeight) / 2);
}

void TankValve::OnMouseButtonDown(int, int, int button, int)
{
    if (button == 0)
        mGame->TurnValve(mValve);
}
