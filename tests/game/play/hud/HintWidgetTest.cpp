#include "game/play/hud/HintWidget.h"

#include "framework/graphics/Graphics.h"
#include "game/shell/Resources.h"
#include "tests/game/play/hud/HudTestSupport.h"
#include "tests/game/shell/ShellTestSupport.h"

#include <gtest/gtest.h>
#include <string>

namespace
{

using hudtest::FakeOwner;
using shelltest::PlainPicture;
using shelltest::ShellApp;

constexpr uint32_t kCountColor = 0xFF204060;
constexpr uint32_t kGlowColor = 0xFFFFE080;

// Count pictures that leave a 4-pixel margin, so that the glow under them
// shows around their edge; a digit strip of 7 cells of 10 x 12.
struct HintPictures
{
    HintPictures()
    {
        for (Quib::Image** slot : counts)
            *slot = count.get();
        for (Quib::Image** slot : glows)
            *slot = glow.get();
        digits->mColumns = 7;
        IMAGE_GUI_BUTTON_HINT_NUMS = digits.get();
    }
    ~HintPictures()
    {
        for (Quib::Image** slot : counts)
            *slot = nullptr;
        for (Quib::Image** slot : glows)
            *slot = nullptr;
        IMAGE_GUI_BUTTON_HINT_NUMS = nullptr;
    }
    std::unique_ptr<Quib::MemoryImage> count = PlainPicture(102, 90, kCountColor);
    std::unique_ptr<Quib::MemoryImage> glow = PlainPicture(110, 98, kGlowColor);
    std::unique_ptr<Quib::MemoryImage> digits = PlainPicture(70, 12, 0xFFFFFFFF);
    Quib::Image** counts[7] = {&IMAGE_GUI_BUTTON_HINT_0, &IMAGE_GUI_BUTTON_HINT_1, &IMAGE_GUI_BUTTON_HINT_2,
                               &IMAGE_GUI_BUTTON_HINT_3, &IMAGE_GUI_BUTTON_HINT_4, &IMAGE_GUI_BUTTON_HINT_5,
                               &IMAGE_GUI_BUTTON_HINT_6};
    Quib::Image** glows[6] = {&IMAGE_GUI_BUTTON_HINT_OVER_1, &IMAGE_GUI_BUTTON_HINT_OVER_2,
                              &IMAGE_GUI_BUTTON_HINT_OVER_3, &IMAGE_GUI_BUTTON_HINT_OVER_4,
                              &IMAGE_GUI_BUTTON_HINT_OVER_5, &IMAGE_GUI_BUTTON_HINT_OVER_6};
};

TEST(HintCounter, AClickAsksForOneHintOnlyWhenThereIsOneToGiveAndNoneIsPending)
{
    ShellApp app;
    FakeOwner owner;
    struct Case
    {
        const char* name;
        int32_t count;
        bool animating;
        bool pending;
        bool asks;
    };
    const Case cases[] = {
        {"three hints", 3, false, false, true},
        {"no hint left", 0, false, false, false},
        {"the screen still slides", 3, true, false, false},
        {"the last request not taken yet", 3, false, true, false},
    };
    for (const Case& c : cases)
    {
        HintWidget hints;
        hints.mOwner = &owner;
        hints.mCount = c.count;
        hints.mHintRequested = c.pending;
        owner.mAnimating = c.animating;
        app.mLog.clear();
        hints.OnMouseDown(20, 20, Quib::CLICK_RIGHT);
        EXPECT_EQ(hints.mHintRequested, c.asks || c.pending) << c.name;
        EXPECT_EQ(app.mLog.empty(), !c.asks) << c.name;
        if (c.asks)
        {
            EXPECT_EQ(app.mLog[0], "sound " + std::to_string(SFX_BUTTON_GUI_PRESS)) << c.name;
        }
    }
}

TEST(HintCounter, CountsStayWithinWhatItsPicturesShow)
{
    HintWidget hints;
    hints.UseHint();
    EXPECT_EQ(hints.mCount, 0);
    hints.AddHint();
    hints.AddHint();
    hints.UseHint();
    EXPECT_EQ(hints.mCount, 1);
    for (auto [stored, shown] : {std::pair{-3, 0}, {4, 4}, {40, 6}})
    {
        hints.SetCount(stored);
        EXPECT_EQ(hints.mCount, shown) << stored;
    }
}

TEST(HintCounter, TheGlowIsDrawnUnderTheCountWhileThePointerIsOverAFilledCounter)
{
    HintPictures pictures;
    HintWidget hints;
    hints.Resize(12, 203, 110, 98);
    struct Case
    {
        const char* name;
        int32_t count;
        bool over;
        uint32_t edge;
    };
    const Case cases[] = {
        {"over, two hints", 2, true, kGlowColor},
        {"not over", 2, false, 0xFF000000},
        {"over an empty counter", 0, true, 0xFF000000},
    };
    for (const Case& c : cases)
    {
        hints.mCount = c.count;
        hints.mIsOver = c.over;
        auto screen = hudtest::BlackScreen(110, 98);
        Quib::Graphics g(screen.get());
        hints.DrawOverlay(&g);
        EXPECT_PRED_FORMAT2(shelltest::ColorNear, screen->GetBits()[95 * 110 + 106], c.edge) << c.name;
        EXPECT_PRED_FORMAT2(shelltest::ColorNear, screen->GetBits()[10 * 110 + 10], kCountColor) << c.name;
        // The count's digit cell at (46, 42), over the count picture.
        EXPECT_PRED_FORMAT2(shelltest::ColorNear, screen->GetBits()[48 * 110 + 50], 0xFFFFFFFFu) << c.name;
    }
}

} // namespace
