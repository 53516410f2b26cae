#pragma once

#include "game/shell/Action.h"

#include <cstdint>
#include <memory>

namespace Quib
{
class Graphics;
}

// What a hint does to one item of the picture: the item's alpha swings
// between 50 and 255 for 360 ticks (a piece's for 400), and the hint sparkle
// runs through its strip forwards and back three times, a second each way.
// Kept per item, so that a later hint on the same item continues its swing.
class ItemHint
{
public:
    static constexpr int32_t kPulseTicks = 360;
    static constexpr int32_t kPiecePulseTicks = 400;
    static constexpr int32_t kPulseStep = 14;
    static constexpr int32_t kLowAlpha = 50;

    ItemHint();

    // Restarts the swing where it stands, to last that many ticks, and the
    // sparkle from its first cell.
    void Start(int32_t pulseTicks = kPulseTicks);
    // One tick.
    void Update();
    bool IsPulsing() const { return mPulsing; }
    bool IsSparkling() const { return mSparkle->IsRunning(); }
    // The sparkle centred on an item of that size, in the item's coordinates.
    void DrawSparkle(Quib::Graphics* g, int32_t width, int32_t height) const;

    bool mPulsing = false;
    int32_t mPulseTicks = kPulseTicks;
    int32_t mStepCount = 0;
    int32_t mPulseAlpha = 0;
    bool mPulseRising = false;
    int32_t mSparkleCell = 0;
    std::unique_ptr<Action> mSparkle;
};
