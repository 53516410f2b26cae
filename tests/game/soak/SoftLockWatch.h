#pragma once

#include "tests/game/support/GameHarness.h"

#include <cstdint>
#include <vector>

namespace soak
{

// A soft-lock, as the soak judges it: for a minute of game time (6000 updates
// of 10 ms, the window in focus) the game-state stack holds the very same
// screens and the widget manager the same modal widget, although the soak
// sent at least 200 clicks and keys in that minute, most of them on the
// enabled controls and the wanted items of the screen on top. A screen that
// lets its player on or out changes the stack or the modal widget long before
// that: a button, Escape or a click opens, closes or replaces a screen or a
// dialog. Time the window spends out of focus does not count: the game
// clock stands still then.
class SoftLockWatch
{
public:
    static constexpr int64_t kWindowUpdates = 6000;
    static constexpr int kInputs = 200;

    // After each input and the updates that followed it (only those in
    // focus); true when the stack has stood still for a whole window under
    // enough input. The watch then starts a new window.
    bool Observe(gameharness::GameHarness& game, int64_t focusedUpdates);
    void CountInput() { ++mInputs; }

private:
    std::vector<const void*> Signature(gameharness::GameHarness& game) const;

    std::vector<const void*> mSignature;
    int64_t mUpdates = 0;
    int mInputs = 0;
};

} // namespace soak
