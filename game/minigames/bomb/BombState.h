#pragma once

#include "game/minigames/common/AlphaMask.h"

#include <array>
#include <cstddef>

// The bomb's rules: a two-minute countdown, four wires cut with the pliers
// and a screw undone with the screwdriver, in any order. Only the open scheme
// pauses the countdown. When it runs out the screen flashes white, the bomb is
// put back as it started, and after the try-again dialog the countdown starts afresh.
class BombState
{
public:
    static constexpr int kLimitMs = 120000;
    static constexpr int kWires = 4;
    static constexpr int kPliers = 0;
    static constexpr int kScrewdriver = 1;

    enum class Phase
    {
        Playing,
        FlashingOut, // the white flash after a time-out
        TryAgain,    // the dialog over the white screen
        FlashingBack // the white fading after the dialog
    };
    enum class Button
    {
        Left,
        Middle,
        Right
    };

    // Each wire's visible pixels, for the pointer's hover.
    explicit BombState(std::array<AlphaMask, kWires> wires);

    void ClickTool(int kind, Button button);
    // A click on the bomb's background; inTray: inside the tool tray.
    void ClickBackground(bool inTray, Button button);
    // Anywhere in the wire's rectangle, with the pliers in hand.
    void ClickWire(int wire, Button button);
    void ClickScrew();
    // Opens or closes the scheme; the countdown stops while it is open.
    void ToggleScheme();
    // True when it only closed the open scheme; otherwise the game leaves.
    bool Close();

    // The countdown runs by the given time; returns true in the update in which it ran out.
    bool Update(int elapsedMs);
    // The flash has reached white: every wire whole, the screw in, the tools back.
    void FlashedWhite();
    void TryAgainClosed();
    // The white has faded: a fresh countdown starts.
    void RestartFaded();

    // Over the wire's own pixels, or anywhere in its rectangle with the pliers in hand.
    bool IsWireHovered(int wire, int x, int y) const;

    struct Display
    {
        int mMinutes = 0;
        int mTens = 0;
        int mUnits = 0;
        bool mColonLit = true;
    };
    Display GetDisplay() const;

    bool IsSolved() const { return mSolved; }
    Phase GetPhase() const { return mPhase; }
    bool IsWireCut(int wire) const { return mCut[std::size_t(wire)]; }
    int GetCutCount() const { return mCutCount; }
    bool IsScrewUndone() const { return mScrewUndone; }
    int GetHeldTool() const { return mHeldTool; }
    bool IsToolTaken(int kind) const { return mTaken[std::size_t(kind)]; }
    bool IsSchemeOpen() const { return mSchemeOpen; }
    bool IsCountdownRunning() const { return mRunning; }
    int GetRemainingMs() const { return mLimitMs - mElapsedMs; }
    // The cogs turn until the screw is out.
    bool AreCogsTurning() const { return !mScrewUndone; }

private:
    void PutToolBack();
    void Recheck();

    std::array<AlphaMask, kWires> mWireMasks;
    std::array<bool, kWires> mCut{};
    std::array<bool, 2> mTaken{};
    int mCutCount = 0;
    bool mScrewUndone = false;
    int mHeldTool = -1;
    bool mSchemeOpen = false;
    bool mSolved = false;
    Phase mPhase = Phase::Playing;
    int mLimitMs = kLimitMs;
    int mElapsedMs = 0;
    bool mRunning = true;
};
