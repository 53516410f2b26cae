#include "game/shell/MenuItem.h"

#include "framework/graphics/Graphics.h"
#include "game/shell/ResourceIds.h"
#include "tests/framework/widgets/WidgetTestSupport.h"
#include "tests/game/shell/ShellTestSupport.h"

#include <gtest/gtest.h>
#include <string>

using shelltest::kBlack;
using shelltest::kBlue;
using shelltest::kGreen;
using shelltest::kRed;
using shelltest::kWhite;
using shelltest::PlainPicture;
using shelltest::RowPicture;
using shelltest::ShellApp;

namespace
{

// The button's resources as the game's fetch would set them, for one test.
struct ButtonResources
{
    ButtonResources()
    {
        SFX_BUTTON_PRESS = 41;
        SFX_BUTTON_OVER = 42;
        FONT_BUTTON_LABELS = &font;
    }
    ~ButtonResources()
    {
        SFX_BUTTON_PRESS = 0;
        SFX_BUTTON_OVER = 0;
        FONT_BUTTON_LABELS = nullptr;
    }
    widgettest::FakeFont font;
};

struct Buttons : ::testing::Test
{
    Buttons()
    {
        item = CreateMenuItem({.x = 100, .y = 50, .label = "OK", .labelX = 0, .labelY = 12}, normal.get());
        item->mOnClick = [this] { app.mLog.push_back("click"); };
        app.Manager().AddChild(item.get());
    }
    ~Buttons() override { app.Manager().RemoveChild(item.get()); }

    ButtonResources resources;
    ShellApp app;
    std::unique_ptr<Quib::MemoryImage> normal = PlainPicture(40, 20, kRed);
    std::unique_ptr<MenuItem> item;
};

TEST_F(Buttons, CreateMenuItemSizesToThePictureAndTakesTheSpec)
{
    EXPECT_EQ(item->GetBounds(), Quib::Rect(100, 50, 40, 20));
    EXPECT_EQ(item->mFont, &resources.font);
    EXPECT_EQ(item->mLabel, "OK");
    EXPECT_EQ(item->mLabelY, 12);
    EXPECT_EQ(item->mLabelJustification, 0);
    EXPECT_EQ(item->mPressSound, 41);
    EXPECT_EQ(item->mHoverSound, 42);
    EXPECT_EQ(item->mFadeState, FADE_IDLE);
    EXPECT_EQ(item->mOverlayPriority, -1);

    auto hover = PlainPicture(30, 16, kGreen);
    auto hoverOnly = CreateMenuItem({.x = 1, .y = 2, .hoverPicture = hover.get()}, nullptr);
    EXPECT_EQ(hoverOnly->GetBounds(), Quib::Rect(1, 2, 30, 16));
    auto bare = CreateMenuItem({.x = 3, .y = 4}, nullptr);
    EXPECT_EQ(bare->GetBounds(), Quib::Rect(3, 4, 0, 0));
    MenuItem plain;
    EXPECT_EQ(plain.mLabelJustification, -1);
}

TEST_F(Buttons, PressesActOnLeftAndMiddleOnlyWhileIdleAndPlayTheSoundFirst)
{
    const struct
    {
        int clickCode;
        int32_t fadeState;
        const char* log;
    } cases[] = {
        {Quib::CLICK_LEFT, FADE_IDLE, "sound 41 | click"},
        {Quib::CLICK_LEFT_DOUBLE, FADE_IDLE, "sound 41 | click"},
        {Quib::CLICK_MIDDLE, FADE_IDLE, "sound 41 | click"},
        {Quib::CLICK_RIGHT, FADE_IDLE, ""},
        {Quib::CLICK_RIGHT_DOUBLE, FADE_IDLE, ""},
        {Quib::CLICK_LEFT, FADE_IN, ""},
        {Quib::CLICK_MIDDLE, FADE_OUT, ""},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.clickCode);
        item->mFadeState = c.fadeState;
        app.Manager().HandleMouseDown(110, 60, c.clickCode);
        app.Manager().HandleMouseUp(110, 60, c.clickCode);
        EXPECT_EQ(shelltest::TakeLog(app.mLog), c.log);
    }
    item->mFadeState = FADE_IDLE;
    item->mPressSound = -1;
    app.Manager().HandleMouseDown(110, 60, Quib::CLICK_LEFT);
    EXPECT_EQ(shelltest::TakeLog(app.mLog), "click");
    item->mPressSound = 41;
    item->mOnClick = nullptr;
    app.Manager().HandleMouseDown(110, 60, Quib::CLICK_LEFT);
    EXPECT_EQ(shelltest::TakeLog(app.mLog), "sound 41");
}

TEST_F(Buttons, HoverSoundPlaysOncePerEntryOnTheFirstFrameAfterIt)
{
    item->UpdateFraction(1.0f);
    app.Manager().HandleMouseMove(110, 60);
    EXPECT_EQ(shelltest::TakeLog(app.mLog), "");
    for (int i = 0; i < 3; ++i)
        item->UpdateFraction(1.0f);
    EXPECT_EQ(shelltest::TakeLog(app.mLog), "sound 42");
    app.Manager().HandleMouseMove(300, 300);
    app.Manager().HandleMouseMove(110, 60);
    item->UpdateFraction(1.0f);
    item->UpdateFraction(1.0f);
    EXPECT_EQ(shelltest::TakeLog(app.mLog), "sound 42");
    app.Manager().HandleMouseMove(300, 300);
    item->mHoverSound = -1;
    app.Manager().HandleMouseMove(110, 60);
    item->UpdateFraction(1.0f);
    EXPECT_EQ(shelltest::TakeLog(app.mLog), "");
}

TEST_F(Buttons, HoverCellsFollowTheirEndTicks)
{
    const struct
    {
        const char* name;
        std::vector<int32_t> ends;
        bool loops;
        std::string cells; // the cell after each frame update while hovered
    } cases[] = {
        {"ends 5 and 10 stay on the last cell", {5, 10}, false, "0 0 0 0 0 1 1 1 1 1 1 1 1 1 "},
        {"ends 5 and 10 looping start again", {5, 10}, true, "0 0 0 0 0 1 1 1 1 1 0 0 0 0 "},
        {"no ends, looping, shows the first cell", {}, true, "0 0 0 0 0 0 0 0 0 0 0 0 0 0 "},
        {"no ends and no looping shows none", {}, false, "-1 -1 -1 -1 -1 -1 -1 -1 -1 -1 -1 -1 -1 -1 "},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        item->mHoverFrameEnds = c.ends;
        item->mHoverLoops = c.loops;
        item->OnMouseEnter();
        std::string cells;
        for (int i = 0; i < 14; ++i)
        {
            item->UpdateFraction(1.0f);
            cells += std::to_string(item->mHoverFrame) + " ";
        }
        EXPECT_EQ(cells, c.cells);
        item->OnMouseLeave();
        EXPECT_EQ(item->mHoverFrame, 0);
        EXPECT_EQ(item->mHoverTicks, 0);
    }
}

TEST_F(Buttons, FadesTakeEightyFiveUpdatesAndAFadeOutHidesAndDisables)
{
    item->mAlpha = 0.0f;
    item->mFadeState = FADE_IN;
    for (int i = 0; i < 85; ++i)
        item->UpdateFraction(1.0f);
    EXPECT_EQ(item->mAlpha, 255.0f);
    EXPECT_EQ(item->mFadeState, FADE_IN);
    item->UpdateFraction(1.0f);
    EXPECT_EQ(item->mAlpha, 255.0f);
    EXPECT_EQ(item->mFadeState, FADE_IDLE);

    item->mFadeState = FADE_OUT;
    for (int i = 0; i < 42; ++i)
        item->UpdateFraction(2.0f);
    EXPECT_EQ(item->mAlpha, 3.0f);
    EXPECT_TRUE(item->mVisible);
    item->UpdateFraction(2.0f);
    EXPECT_EQ(item->mAlpha, 0.0f);
    EXPECT_EQ(item->mFadeState, FADE_IDLE);
    EXPECT_FALSE(item->mVisible);
    EXPECT_TRUE(item->mDisabled);
    app.Manager().HandleMouseDown(110, 60, Quib::CLICK_LEFT);
    EXPECT_EQ(shelltest::TakeLog(app.mLog), "");
}

struct ButtonDrawing : Buttons
{
    ButtonDrawing()
    {
        item->mLabel.clear();
        item->mHoverPicture = hover.get();
        item->mPressedPicture = pressed.get();
        item->mHoverOffsetX = 4.8f;
        item->mHoverOffsetY = 2.0f;
    }
    std::unique_ptr<Quib::MemoryImage> hover = RowPicture(10, 6, {kGreen, kBlue});
    std::unique_ptr<Quib::MemoryImage> pressed = PlainPicture(8, 8, kWhite);
};

TEST_F(ButtonDrawing, ShowsTheNormalPictureOrTheHoverCellAndThePressedPictureOnTop)
{
    app.DrawFrame();
    EXPECT_PRED_FORMAT2(shelltest::ColorNear, app.Pixel(101, 51), kRed);
    EXPECT_PRED_FORMAT2(shelltest::ColorNear, app.Pixel(139, 69), kRed);
    EXPECT_PRED_FORMAT2(shelltest::ColorNear, app.Pixel(140, 70), kBlack);

    item->mHovered = true;
    app.DrawFrame();
    EXPECT_PRED_FORMAT2(shelltest::ColorNear, app.Pixel(101, 51), kBlack);
    EXPECT_PRED_FORMAT2(shelltest::ColorNear, app.Pixel(104, 52), kGreen);
    EXPECT_PRED_FORMAT2(shelltest::ColorNear, app.Pixel(113, 57), kGreen);
    EXPECT_PRED_FORMAT2(shelltest::ColorNear, app.Pixel(114, 58), kBlack);

    item->mHoverFrame = 1;
    app.DrawFrame();
    EXPECT_PRED_FORMAT2(shelltest::ColorNear, app.Pixel(104, 52), kBlue);
    item->mHoverFrame = 2;
    app.DrawFrame();
    EXPECT_PRED_FORMAT2(shelltest::ColorNear, app.Pixel(104, 52), kBlack);
    // Two cells and no frame ends: once the hover has been stepped, no cell shows.
    item->mHoverFrame = 0;
    item->UpdateFraction(1.0f);
    app.DrawFrame();
    EXPECT_PRED_FORMAT2(shelltest::ColorNear, app.Pixel(104, 52), kBlack);

    item->mHovered = false;
    item->mIsDown = true;
    app.DrawFrame();
    EXPECT_PRED_FORMAT2(shelltest::ColorNear, app.Pixel(101, 51), kWhite);
    EXPECT_PRED_FORMAT2(shelltest::ColorNear, app.Pixel(109, 59), kRed);
}

TEST_F(ButtonDrawing, AOneCellHoverPictureIgnoresTheFrameAndPicturesFadeWithTheButton)
{
    auto single = PlainPicture(10, 6, kGreen);
    item->mHoverPicture = single.get();
    item->mHovered = true;
    item->mHoverFrame = 5;
    app.DrawFrame();
    EXPECT_PRED_FORMAT2(shelltest::ColorNear, app.Pixel(104, 52), kGreen);

    item->mHovered = false;
    item->mAlpha = 127.5f;
    app.DrawFrame();
    EXPECT_PRED_FORMAT2(shelltest::ColorNear, app.Pixel(101, 51), 0xFF7F0000);
}

TEST_F(ButtonDrawing, InTheOverlayPassAtItsPriorityAndAtItsPlaceWhateverTheDrawOffset)
{
    app.Manager().SetMouseMapping(Quib::Rect(30, 20, 800, 600), Quib::Rect(0, 0, 800, 600));
    app.DrawFrame();
    EXPECT_PRED_FORMAT2(shelltest::ColorNear, app.Pixel(101, 51), kRed);

    item->mOverlayPriority = 200;
    Quib::Graphics g(&app.mScreen);
    g.SetColor(Quib::Color(0, 0, 0));
    g.FillRect(0, 0, 800, 600);
    item->Draw(&g);
    EXPECT_PRED_FORMAT2(shelltest::ColorNear, app.Pixel(101, 51), kBlack);
    app.DrawFrame();
    EXPECT_PRED_FORMAT2(shelltest::ColorNear, app.Pixel(101, 51), kRed);
}

TEST_F(ButtonDrawing, TheLabelHasAnUnfadedBlackShadowAndIsCentredInThePicturesWidth)
{
    item->mLabel = "A";
    item->mLabelX = 0;
    item->mLabelY = 12;
    item->mTextColor = Quib::Color(0, 0, 255, 255);
    item->mAlpha = 255.0f;
    app.DrawFrame();
    // One 5 x 10 glyph, 6 wide: centred in 40 it starts at 17; ascent 8 above the baseline.
    const int left = 100 + 17;
    const int top = 50 + 12 + 2 - 8;
    EXPECT_PRED_FORMAT2(shelltest::ColorNear, app.Pixel(left, top), kBlue);
    EXPECT_PRED_FORMAT2(shelltest::ColorNear, app.Pixel(left + 5, top + 10), kBlack);
    EXPECT_PRED_FORMAT2(shelltest::ColorNear, app.Pixel(left + 5, top + 1), kBlack);
    EXPECT_PRED_FORMAT2(shelltest::ColorNear, app.Pixel(left + 1, top + 10), kBlack);
    EXPECT_PRED_FORMAT2(shelltest::ColorNear, app.Pixel(left - 1, top), kRed);

    item->mAlpha = 0.0f;
    app.DrawFrame(kWhite);
    EXPECT_PRED_FORMAT2(shelltest::ColorNear, app.Pixel(left, top), kWhite);
    EXPECT_PRED_FORMAT2(shelltest::ColorNear, app.Pixel(left + 5, top + 10), kBlack);

    item->mFont = nullptr;
    item->mAlpha = 255.0f;
    app.DrawFrame();
    EXPECT_PRED_FORMAT2(shelltest::ColorNear, app.Pixel(left, top), kRed);
}

} // namespace
