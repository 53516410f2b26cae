#pragma once

#include "framework/foundation/Color.h"
#include "game/shell/Action.h"

#include <cstdint>
#include <memory>
#include <string>

namespace Quib
{
class Graphics;
}

// One name of the item list: its place, whether it has been found, and the
// three letter-by-letter animations that type it in, out and through.
struct ItemNameEntry
{
    static constexpr int32_t kStillToFind = 0;
    static constexpr int32_t kFound = 1;
    static constexpr int32_t kTypeMs = 100;

    ItemNameEntry(const std::string& name, int32_t x, int32_t y);

    // The letters shown follow mTypedCount, which the animations drive.
    void Update();
    void Draw(Quib::Graphics* g) const;

    std::string mName;
    std::string mTyped;
    std::string mRest;
    int32_t mX;
    int32_t mY;
    Quib::Color mTextColor{255, 255, 255, 255};
    Quib::Color mFoundColor{150, 150, 150, 255};
    uint8_t mState = kStillToFind;
    int32_t mLength;
    int32_t mTypedWidth = 0;
    int32_t mTypedCount = 0;
    int32_t mStrikeOffset = 4;
    std::unique_ptr<Action> mTypeIn;
    std::unique_ptr<Action> mTypeOut;
    std::unique_ptr<Action> mStrike;

private:
    void TypeLetters(int32_t count);
    void DrawStrikeLine(Quib::Graphics* g) const;
};
