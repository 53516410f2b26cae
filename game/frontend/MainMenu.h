#pragma once

#include "game/shell/ScreenBase.h"

// The main menu's place on the stack: the intro hands over to it. For now it
// shows the menu backdrop and keeps the main theme playing.
class MainMenu : public ScreenBase
{
public:
    void OnEntered(GameStateStack* stack) override;
    void Draw(Quib::Graphics* g) override;
};
