#pragma once

#include "game/minigames/base/MiniGameWidget.h"
#include "game/minigames/clock/ClockDial.h"

#include <array>
#include <memory>
#include <vector>

namespace Quib
{
class Image;
}

// The clock hands: the dial model under a board on which the player turns
// the hour and minute hands with the mouse and checks each number-letter pair.
class ClockMiniGame : public MiniGameWidget
{
public:
    ClockMiniGame();
    ~ClockMiniGame() override;

    void OnAttached(Quib::WidgetManager* manager) override;
    void OnDetached(Quib::WidgetManager* manager) override;
    void UpdateFraction(float fraction) override;
    void Draw(Quib::Graphics* g) override;
    void DrawOverlay(Quib::Graphics*) override {}
    void OnMouseButtonDown(int x, int y, int button, int clickCount) override;

    void OnCheckClicked();
    void OnResetClicked();
    // Where dial position i (0 = 12 o'clock) shows its symbol.
    float PositionX(int position) const;
    float PositionY(int position) const;

    ClockDial mDial;
    std::array<Quib::Image*, 2> mHandPictures{};
    std::vector<Quib::Image*> mNumberPictures;
    std::vector<Quib::Image*> mLetterPictures;
    float mOriginX = 150;
    float mOriginY = 20;
    float mCentreX = 150 + 259;
    float mCentreY = 20 + 245;
    std::unique_ptr<MenuItem> mCheckButton;
};
