#include "game/minigames/bomb/BombState.h"

#include <utility>

BombState::BombState(std::array<AlphaMask, kWires> wires) : mWireMasks(std::move(wires)) {}

void BombState::PutToolBack()
{
    mHeldTool = -1;
    mTaken.fill(false);
}

void BombState::Recheck()
{
    mSolved = mCutCount >= kWires && mScrewUndone;
    if (mSolved)
        mRunning = false;
}

void BombState::ClickTool(int kind, Button button)
{
    if (mPhase != Phase::Playing || kind < 0 || kind > 1 || button == Button::Middle)
        return;
    if (kind == kScrewdriver && mScrewUndone)
        return;
    if (button == Button::Right)
    {
        if (mHeldTool >= 0)
            mTaken[std::size_t(mHeldTool)] = false;
        mHeldTool = -1;
        return;
    }
    if (mHeldTool >= 0)
    {
        PutToolBack();
        return;
    }
    mHeldTool = kind;
    mTaken[std::size_t(kind)] = true;
}

void BombState::ClickBackground(bool inTray, Button button)
{
    if ((button == Button::Left && inTray) || (button == Button::Right && mHeldTool >= 0))
        PutToolBack();
}

void BombState::ClickWire(int wire, Button button)
{
    if (button != Button::Left || mHeldTool != kPliers || wire < 0 || wire >= kWires ||
        mCut[std::size_t(wire)])
        return;
    mCut[std::size_t(wire)] = true;
    ++mCutCount;
    Recheck();
}

void BombState::ClickScrew()
{
    if (mHeldTool != kScrewdriver || mScrewUndone)
        return;
    mScrewUndone = true;
    // The screwdriver stays out of the tray, no longer drawn.
    mHeldTool = -1;
    Recheck();
}

void BombState::ToggleScheme()
{
    if (mPhase != Phase::Playing)
        return;
    mSchemeOpen = !mSchemeOpen;
    mRunning = !mSchemeOpen;
}

bool BombState::Close()
{
    if (!mSchemeOpen)
        return false;
    ToggleScheme();
    return true;
}

bool BombState::Update(int elapsedMs)
{
    if (mRunning)
        mElapsedMs += elapsedMs;
    if (mSolved || !mRunning || mPhase != Phase::Playing || GetRemainingMs() > 0)
        return false;
    mRunning = false;
    mElapsedMs = 0;
    mLimitMs = 0;
    PutToolBack();
    mPhase = Phase::FlashingOut;
    return true;
}

void BombState::FlashedWhite()
{
    if (mPhase != Phase::FlashingOut)
        return;
    mCut.fill(false);
    mCutCount = 0;
    mScrewUndone = false;
    mPhase = Phase::TryAgain;
}

void BombState::TryAgainClosed()
{
    if (mPhase == Phase::TryAgain)
        mPhase = Phase::FlashingBack;
}

void BombState::RestartFaded()
{
    if (mPhase != Phase::FlashingBack)
        return;
    mLimitMs = kLimitMs;
    mElapsedMs = 0;
    mRunning = true;
    mPhase = Phase::Playing;
}

bool BombState::IsWireHovered(int wire, int x, int y) const
{
    const AlphaMask& mask = mWireMasks[std::size_t(wire)];
    if (mHeldTool == kPliers)
        return x >= 0 && y >= 0 && x < mask.GetWidth() && y < mask.GetHeight();
    return mask.IsOpaqueAt(x, y);
}

BombState::Display BombState::GetDisplay() const
{
    const int remaining = GetRemainingMs();
    if (remaining <= 0)
        return {};
    const int seconds = remaining / 1000 % 60;
    return {remaining / 60000, seconds / 10, seconds % 10, seconds % 2 == 1};
}
