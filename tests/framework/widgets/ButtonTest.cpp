#include "framework/graphics/Graphics.h"
#include "framework/widgets/ButtonListener.h"
#include "framework/widgets/ButtonWidget.h"
#include "framework/widgets/Checkbox.h"
#include "framework/widgets/CheckboxListener.h"
#include "tests/framework/widgets/WidgetTestSupport.h"

#include <gtest/gtest.h>

using namespace Quib;
using namespace widgettest;

namespace
{

struct ButtonLog : ButtonListener, CheckboxListener
{
    void OnButtonPressed(int id) override { Add("pressed", id); }
    void OnButtonReleased(int id) override { Add("released", id); }
    void OnButtonHeld(int id) override { Add("held", id); }
    void OnButtonMouseEnter(int id) override { Add("enter", id); }
    void OnButtonMouseLeave(int id) override { Add("leave", id); }
    void OnCheckboxToggled(int id, bool checked) override { Add(checked ? "ticked" : "unticked", id); }
    void Add(const std::string& what, int id) { events.push_back(what + " " + std::to_string(id)); }
    std::string Take()
    {
        std::string out = Join(events);
        events.clear();
        return out;
    }
    std::vector<std::string> events;
};

struct Buttons : ::testing::Test
{
    Buttons()
    {
        button.Resize(10, 10, 40, 20);
        manager.AddChild(&button);
    }
    ButtonLog listener;
    Screen screen;
    WidgetManager& manager = screen.mManager;
    ButtonWidget button{7, &listener};
};

TEST_F(Buttons, ClickReportsPressAndRelease)
{
    manager.HandleMouseMove(20, 20);
    manager.HandleMouseDown(20, 20, CLICK_LEFT);
    manager.HandleMouseUp(20, 20, CLICK_LEFT);
    EXPECT_EQ(listener.Take(), "enter 7 | pressed 7 | released 7");
}

TEST_F(Buttons, DoubleClickPressesAgain)
{
    struct Counts : ButtonListener
    {
        void OnButtonDown(int, int count) override { counts.push_back(count); }
        std::vector<int> counts;
    } counts;
    button.mButtonListener = &counts;
    manager.HandleMouseDown(20, 20, CLICK_LEFT);
    manager.HandleMouseUp(20, 20, CLICK_LEFT);
    manager.HandleMouseDown(20, 20, CLICK_LEFT_DOUBLE);
    EXPECT_EQ(counts.counts, (std::vector<int>{1, 2}));
}

TEST_F(Buttons, DraggingOffAndBackHoldsOnlyWhileOverAndReleasingOutsideIsNoClick)
{
    manager.HandleMouseDown(20, 20, CLICK_LEFT);
    manager.UpdateWidgets();
    manager.HandleMouseMove(80, 80);
    manager.UpdateWidgets();
    manager.UpdateWidgets();
    manager.HandleMouseMove(21, 20);
    manager.UpdateWidgets();
    manager.HandleMouseMove(80, 80);
    manager.HandleMouseUp(80, 80, CLICK_LEFT);
    EXPECT_EQ(listener.Take(), "enter 7 | pressed 7 | held 7 | leave 7 | enter 7 | held 7 | leave 7");
}

TEST_F(Buttons, ReleaseWhileTheApplicationLacksTheFocusIsNoClick)
{
    manager.HandleMouseDown(20, 20, CLICK_LEFT);
    manager.mHasFocus = false;
    manager.HandleMouseUp(20, 20, CLICK_LEFT);
    EXPECT_EQ(listener.Take(), "enter 7 | pressed 7");
}

TEST_F(Buttons, HoverImageFadesInAndOut)
{
    MemoryImage normal, over;
    normal.Create(40, 20);
    over.Create(40, 20);
    button.mNormalImage = &normal;
    button.mOverImage = &over;
    button.mOverAlphaFadeInSpeed = 0.1;
    manager.HandleMouseMove(20, 20);
    for (int i = 0; i < 9; ++i)
        manager.UpdateWidgets();
    EXPECT_LT(button.mOverAlpha, 1.0);
    manager.UpdateWidgets();
    EXPECT_DOUBLE_EQ(button.mOverAlpha, 1.0);
    manager.HandleMouseMove(80, 80); // fade-out speed 0: gone at once
    EXPECT_DOUBLE_EQ(button.mOverAlpha, 0.0);

    button.mOverAlphaSpeed = 0.25;
    manager.HandleMouseMove(20, 20);
    manager.HandleMouseMove(80, 80); // the fade-out starts from the full image
    EXPECT_DOUBLE_EQ(button.mOverAlpha, 1.0);
    manager.UpdateWidgets();
    manager.UpdateWidgets();
    EXPECT_DOUBLE_EQ(button.mOverAlpha, 0.5);
    manager.UpdateWidgets();
    manager.UpdateWidgets();
    manager.UpdateWidgets();
    EXPECT_DOUBLE_EQ(button.mOverAlpha, 0.0);
}

TEST_F(Buttons, DrawnBoxShowsTheBevelAndFlipsItWhenPressed)
{
    button.mWidth = 40;
    FakeFont font;
    button.SetFont(&font);
    button.mLabel = "ab";
    manager.DrawDirtyWidgets();
    EXPECT_EQ(screen.Pixel(10, 10), 0xFFFFFFFFu); // light top-left edge
    EXPECT_EQ(screen.Pixel(49, 29), 0xFF000000u); // dark bottom-right edge
    EXPECT_EQ(screen.Pixel(48, 20), 0xFF848484u); // inner shadow
    EXPECT_EQ(screen.Pixel(12, 12), 0xFFD4D4D4u); // body
    // Label: 12 wide, centred at x 14, baseline (8 + 20 - 1 - 1) / 2 = 13, so the
    // 10 rows from 5 to 14 of the button.
    EXPECT_EQ(screen.Pixel(10 + 14, 10 + 5), 0xFF000000u);
    EXPECT_EQ(screen.Pixel(10 + 14, 10 + 4), 0xFFD4D4D4u);

    manager.HandleMouseDown(20, 20, CLICK_LEFT);
    manager.DrawDirtyWidgets();
    EXPECT_EQ(screen.Pixel(10, 10), 0xFF000000u);
    EXPECT_EQ(screen.Pixel(49, 29), 0xFFFFFFFFu);
    EXPECT_EQ(screen.Pixel(10 + 15, 10 + 15), 0xFF000000u); // label moved by one
}

TEST_F(Buttons, LabelBaselineFollowsTheAscent)
{
    struct Tall : FakeFont
    {
        Tall() { mAscent = 11; }
        Font* Clone() override { return new Tall(*this); }
    } font;
    RecordingWidget unused("U", nullptr);
    ButtonWidget b(1, nullptr);
    b.Resize(0, 0, 100, 20);
    b.SetFont(&font);
    b.mLabel = "x";
    MemoryImage image;
    image.Create(100, 20);
    Graphics g(&image);
    b.Draw(&g);
    // Baseline (11 + 20 - 1 - 1) / 2 = 14: the glyph block covers rows 3 to 12.
    uint32_t* bits = image.GetBits();
    EXPECT_EQ(bits[3 * 100 + 47], 0xFF000000u);
    EXPECT_EQ(bits[12 * 100 + 47], 0xFF000000u);
    EXPECT_NE(bits[13 * 100 + 47], 0xFF000000u);
}

TEST_F(Buttons, CheckboxTogglesOnAnyPress)
{
    Checkbox box(nullptr, nullptr, 3, &listener);
    box.Resize(60, 60, 10, 10);
    manager.AddChild(&box);
    manager.HandleMouseDown(65, 65, CLICK_RIGHT);
    manager.HandleMouseUp(65, 65, CLICK_RIGHT);
    manager.HandleMouseDown(65, 65, CLICK_LEFT);
    EXPECT_EQ(listener.Take(), "ticked 3 | unticked 3");
    EXPECT_EQ(screen.mHost.LastCursor(), CURSOR_HAND);

    box.SetChecked(true, false);
    EXPECT_TRUE(box.IsChecked());
    EXPECT_EQ(listener.Take(), "");
    box.SetChecked(true, true);
    EXPECT_EQ(listener.Take(), "ticked 3");

    manager.DrawDirtyWidgets();
    EXPECT_EQ(screen.Pixel(60, 60), 0xFFFFFFFFu); // outline
    EXPECT_EQ(screen.Pixel(61, 62), 0xFF505050u); // fill
    // The mark: yellow lines corner to corner (the line blend rounds 255 to 254).
    for (auto [x, y] : {std::pair{63, 63}, std::pair{69, 61}, std::pair{61, 68}})
    {
        uint32_t p = screen.Pixel(x, y);
        EXPECT_GE(p >> 16 & 0xFF, 254u) << x << "," << y;
        EXPECT_GE(p >> 8 & 0xFF, 254u) << x << "," << y;
        EXPECT_EQ(p & 0xFF, 0u) << x << "," << y;
    }
}

TEST_F(Buttons, CheckboxWithoutListenerStillToggles)
{
    Checkbox box(nullptr, nullptr, 3, nullptr);
    box.Resize(60, 60, 10, 10);
    manager.AddChild(&box);
    manager.HandleMouseDown(65, 65, CLICK_LEFT);
    EXPECT_TRUE(box.IsChecked());
}

} // namespace
