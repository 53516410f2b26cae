#pragma once

#include "game/minigames/base/MiniGameWidget.h"
#include "game/minigames/vessels/TankValve.h"
#include "game/minigames/vessels/TanksBoard.h"

#include <array>
#include <memory>

// The two tanks and their six valves: the tanks' model under the valve
// widgets, each tank's liquid drawn as a column rising from a fixed bottom.
class DecantingMiniGame : public MiniGameWidget
{
public:
    DecantingMiniGame();
    ~DecantingMiniGame() override;

    void OnAttached(Quib::WidgetManager* manager) override;
    void OnDetached(Quib::WidgetManager* manager) override;
    void UpdateFraction(float fraction) override;
    void Draw(Quib::Graphics* g) override;

    void TurnValve(TanksBoard::Valve valve);
    void OnResetClicked();

    float mOriginX = 150;
    float mOriginY = 20;
    std::unique_ptr<TanksBoard> mBoard;
    // In the order of TanksBoard::Valve.
    std::array<std::unique_ptr<TankValve>, TanksBoard::kValveCount> mValves;
};
