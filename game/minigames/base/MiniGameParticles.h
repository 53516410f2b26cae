#pragma once

#include "framework/widgets/Widget.h"
#include "game/shell/ActionSequence.h"
#include "game/shell/AnimatedWidget.h"

#include <array>
#include <memory>

namespace Quib
{
class Image;
}

// The burst at the four corners of a solved game's board: each corner's
// sparkle starts 150 ms after the one before.
class MiniGameParticles : public Quib::Widget
{
public:
    MiniGameParticles();
    ~MiniGameParticles() override;

    void UpdateFraction(float fraction) override;
    void Draw(Quib::Graphics* g) override;
    void DrawOverlay(Quib::Graphics* g) override;

    void Start();
    void StartNextCorner();
    // Corners around the board picture centred on (400, 290), moved by (dx, dy).
    void PlaceAround(Quib::Image* board, int dx, int dy);

    std::array<std::unique_ptr<AnimatedWidget>, 4> mCorners;
    int mNextCorner = 0;
    std::unique_ptr<ActionSequence> mBurst;
};

void PlaceParticlesAroundBoard(Quib::Image* board, MiniGameParticles* particles, int dx, int dy);
