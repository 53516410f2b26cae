#include "game/play/hud/PieceIdleLoops.h"

#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "game/shell/ActionSteps.h"
#include "game/shell/LoopAction.h"
#include "game/shell/Resources.h"

#include <algorithm>

PieceIdleLoops::PieceIdleLoops()
{
    mPulseLoop = std::make_unique<LoopAction>(
        steps::InOrder(steps::Set(&mLoopAlpha, 255), steps::Tween(&mLoopAlpha, -255, kPulseMs),
                       steps::Set(&mLoopAlpha, 0), steps::Tween(&mLoopAlpha, 255, kPulseMs)));
    // The strip's cells are stacked: their count is its row count.
    const int32_t last = (PARTICLE_ITEM_HINTED != nullptr ? PARTICLE_ITEM_HINTED->mRows : 1) - 1;
    mSparkleLoop = std::make_unique<LoopAction>(
        steps::InOrder(steps::Set(&mSparkleCell, 0), steps::Tween(&mSparkleCell, last, kSparkleSweepMs),
                       steps::Set(&mSparkleCell, last), steps::Tween(&mSparkleCell, -last, kSparkleSweepMs)));
}

void PieceIdleLoops::Start()
{
    if (!mPulseLoop->IsRunning())
        mPulseLoop->Start(nullptr, 0);
    if (!mSparkleLoop->IsRunning())
        mSparkleLoop->Start(nullptr, 0);
    mPulseActive = true;
}

void PieceIdleLoops::StopPulse()
{
    mPulseActive = false;
    mPulseLoop->Stop();
}

void PieceIdleLoops::Update()
{
    if (mPulseLoop->IsRunning())
    {
        mPulseLoop->Update();
        mLoopAlpha = std::clamp(mLoopAlpha, 0, 255);
    }
    if (mSparkleLoop->IsRunning())
        mSparkleLoop->Update();
}

bool PieceIdleLoops::IsSparkling() const
{
    return mSparkleLoop->IsRunning();
}

void PieceIdleLoops::DrawSparkle(Quib::Graphics* g, const std::string& name, int32_t width,
                                 int32_t height) const
{
    Quib::Image* strip = PARTICLE_ITEM_HINTED;
    if (!IsSparkling() || strip == nullptr || strip->mRows <= 0 || strip->mColumns <= 0)
        return;
    const int32_t cellWidth = strip->GetWidth() / strip->mColumns;
    const int32_t cellHeight = strip->GetHeight() / strip->mRows;
    int32_t x = width / 2 - cellWidth / 2, y = height / 2 - cellHeight / 2;
    if (name == kOffCentreName)
    {
        x += kOffCentreX;
        y += kOffCentreY;
    }
    g->SetColor(Quib::Color(255, 255, 255, 255));
    g->DrawImageCell(strip, x, y, mSparkleCell);
}
