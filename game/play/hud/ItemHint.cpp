#include "game/play/hud/ItemHint.h"

#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "game/shell/ActionSequence.h"
#include "game/shell/ActionTimer.h"
#include "game/shell/RelIncrementator.h"
#include "game/shell/Resources.h"
#include "game/shell/Setter.h"

namespace
{

constexpr int32_t kSparkleSweepMs = 1000;

// The strip's cells are stacked: their count is its row count.
int32_t SparkleCells()
{
    return PARTICLE_ITEM_HINTED != nullptr ? PARTICLE_ITEM_HINTED->mRows : 1;
}

std::unique_ptr<Action> SparkleSweeps(int32_t* cell)
{
    const int32_t last = SparkleCells() - 1;
    auto sweeps = std::make_unique<ActionSequence>();
    for (int round = 0; round < 3; ++round)
    {
        sweeps->Append(std::make_unique<Setter<int32_t>>(cell, 0));
        sweeps->Append(std::make_unique<RelIncrementator<int32_t>>(ActionTimer(kSparkleSweepMs), cell, last));
        sweeps->Append(std::make_unique<Setter<int32_t>>(cell, last));
        sweeps->Append(
            std::make_unique<RelIncrementator<int32_t>>(ActionTimer(kSparkleSweepMs), cell, -last));
    }
    return sweeps;
}

} // namespace

ItemHint::ItemHint() : mSparkle(SparkleSweeps(&mSparkleCell)) {}

void ItemHint::Start(int32_t pulseTicks)
{
    mPulseTicks = pulseTicks;
    mStepCount = 0;
    mPulsing = true;
    mSparkle->Start(nullptr, 0);
}

void ItemHint::Update()
{
    mSparkle->Update();
    if (!mPulsing)
        return;
    if (++mStepCount > mPulseTicks - 1)
    {
        mStepCount = 0;
        mPulseAlpha = 0;
        mPulseRising = true;
        mPulsing = false;
        return;
    }
    if (mPulseRising)
    {
        mPulseAlpha += kPulseStep;
        if (mPulseAlpha >= 255)
        {
            mPulseAlpha = 255;
            mPulseRising = false;
        }
    }
    else
    {
        mPulseAlpha -= kPulseStep;
        if (mPulseAlpha <= kLowAlpha)
        {
            mPulseAlpha = kLowAlpha;
            mPulseRising = true;
        }
    }
}

void ItemHint::DrawSparkle(Quib::Graphics* g, int32_t width, int32_t height) const
{
    Quib::Image* strip = PARTICLE_ITEM_HINTED;
    if (!IsSparkling() || strip == nullptr || strip->mRows <= 0 || strip->mColumns <= 0)
        return;
    const int32_t cellWidth = strip->GetWidth() / strip->mColumns;
    const int32_t cellHeight = strip->GetHeight() / strip->mRows;
    g->SetColor(Quib::Color(255, 255, 255, 255));
    g->DrawImageCell(strip, width / 2 - cellWidth / 2, height / 2 - cellHeight / 2, mSparkleCell);
}
