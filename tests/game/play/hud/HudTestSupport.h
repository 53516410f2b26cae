#pragma once

#include "framework/graphics/MemoryImage.h"
#include "game/play/hud/SceneHudOwner.h"
#include "tests/framework/widgets/WidgetTestSupport.h"
#include "tests/game/shell/FakeGameTime.h"

#include <cstdint>
#include <memory>

namespace hudtest
{

// A scene screen as the display widgets see it: whether it animates, how
// many items are left, and how often the time ran out.
struct FakeOwner : SceneHudOwner
{
    bool IsAnimating() override { return mAnimating; }
    void OnTimeExceeded() override { ++mTimeExceeded; }
    int32_t GetItemsLeft() override { return mItemsLeft; }

    bool mAnimating = false;
    int32_t mItemsLeft = 0;
    int32_t mTimeExceeded = 0;
};

// The item list's fonts for the life of a test: 6 pixels a letter, 10 high.
struct FakeListFonts
{
    FakeListFonts();
    ~FakeListFonts();
    widgettest::FakeFont labels;
    widgettest::FakeFont count;
};

// An 800 x 600 black image to draw a widget into.
std::unique_ptr<Quib::MemoryImage> BlackScreen(int width = 800, int height = 600);

} // namespace hudtest
