#pragma once

#include "game/shell/Action.h"

#include <cstdint>
#include <memory>
#include <string>

namespace Quib
{
class Graphics;
}

// What draws the eye to a piece of the first scene once its tutorial has
// told of the pieces: its alpha falls from 255 to 0 and rises back, 300 ms
// each way, and the hint sparkle sweeps its strip forwards and back, a second
// each way, over and over. The pulse stops when the piece is taken.
class PieceIdleLoops
{
public:
    static constexpr int32_t kPulseMs = 300;
    static constexpr int32_t kSparkleSweepMs = 1000;
    // The one piece whose sparkle stands off its centre, on its tip.
    static constexpr const char* kOffCentreName = "tweezers_2.png";
    static constexpr int32_t kOffCentreX = 33, kOffCentreY = -10;

    PieceIdleLoops();

    // Both loops; nothing when they run already.
    void Start();
    void StopPulse();
    void Update();
    bool IsPulsing() const { return mPulseActive; }
    bool IsSparkling() const;
    // The sparkle centred on a piece of that size and name, in the piece's coordinates.
    void DrawSparkle(Quib::Graphics* g, const std::string& name, int32_t width, int32_t height) const;

    int32_t mLoopAlpha = 255;
    int32_t mSparkleCell = 0;

private:
    std::unique_ptr<Action> mPulseLoop;
    std::unique_ptr<Action> mSparkleLoop;
    bool mPulseActive = false;
};
