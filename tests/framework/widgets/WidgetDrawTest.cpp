#include "framework/graphics/DDImage.h"
#include "framework/graphics/DisplayServices.h"
#include "framework/graphics/Graphics.h"
#include "tests/framework/widgets/WidgetTestSupport.h"

#include <gtest/gtest.h>

using namespace Quib;
using namespace widgettest;

namespace
{

constexpr uint32_t kBlack = 0xFF000000;
constexpr uint32_t kRed = 0xFFFF0000;
constexpr uint32_t kGreen = 0xFF00FF00;
constexpr uint32_t kBlue = 0xFF0000FF;
constexpr uint32_t kWhite = 0xFFFFFFFF;

// Requests an overlay of a fixed priority each time it is drawn.
class OverlayWidget : public RecordingWidget
{
public:
    using RecordingWidget::RecordingWidget;
    void Draw(Graphics* g) override
    {
        RecordingWidget::Draw(g);
        for (int priority : mRequests)
            RequestOverlayDraw(priority);
    }
    void DrawOverlayAtPriority(Graphics* g, int priority) override
    {
        mLog->push_back(mName + ":overlay " + std::to_string(priority));
        g->SetColor(mOverlayColor);
        g->FillRect(mOverlayRect);
    }
    std::vector<int> mRequests;
};

struct Drawing : ::testing::Test
{
    std::vector<std::string> log;
    Screen screen;
    WidgetManager& manager = screen.mManager;
};

TEST_F(Drawing, OnlyDirtyTopLevelWidgetsArePainted)
{
    RecordingWidget back("B", &log, Color(255, 0, 0)), front("F", &log, Color(0, 255, 0));
    back.Resize(0, 0, 50, 50);
    front.Resize(40, 40, 30, 30);
    manager.AddChild(&back);
    manager.AddChild(&front);
    EXPECT_TRUE(manager.DrawDirtyWidgets());
    EXPECT_EQ(screen.Pixel(10, 10), kRed);
    EXPECT_EQ(screen.Pixel(45, 45), kGreen);
    EXPECT_EQ(screen.Pixel(80, 80), kBlack);

    screen.Clear();
    EXPECT_FALSE(manager.DrawDirtyWidgets());
    EXPECT_EQ(screen.Pixel(10, 10), kBlack);

    // Marking the back widget repaints the overlapping one in front too.
    back.MarkDirty();
    EXPECT_TRUE(manager.DrawDirtyWidgets());
    EXPECT_EQ(screen.Pixel(10, 10), kRed);
    EXPECT_EQ(screen.Pixel(45, 45), kGreen);
    EXPECT_EQ(screen.Pixel(65, 65), kGreen);
}

TEST_F(Drawing, ChildrenAreTranslatedAndClippedToTheirParent)
{
    RecordingWidget parent("P", &log, Color(255, 0, 0)), child("C", &log, Color(0, 0, 255));
    parent.Resize(10, 10, 30, 30);
    child.Resize(20, 20, 40, 40); // sticks out of the parent
    parent.AddChild(&child);
    manager.AddChild(&parent);
    manager.DrawDirtyWidgets();
    EXPECT_EQ(screen.Pixel(10, 10), kRed);
    EXPECT_EQ(screen.Pixel(30, 30), kBlue);
    EXPECT_EQ(screen.Pixel(39, 39), kBlue);
    EXPECT_EQ(screen.Pixel(40, 40), kBlack);

    // Without the clip flag in force the child draws its whole rectangle.
    screen.Clear();
    manager.mWidgetFlags &= ~TREE_CLIP;
    parent.MarkDirty();
    manager.DrawDirtyWidgets();
    EXPECT_EQ(screen.Pixel(50, 50), kBlue);
}

TEST_F(Drawing, TheMappingOriginShiftsTheWholeFrame)
{
    RecordingWidget w("W", &log, Color(255, 0, 0));
    w.Resize(10, 10, 10, 10);
    manager.AddChild(&w);
    manager.SetMouseMapping(Rect(5, 5, 90, 90), Rect(0, 0, 90, 90));
    manager.DrawDirtyWidgets();
    EXPECT_EQ(screen.Pixel(5, 5), kRed);
    EXPECT_EQ(screen.Pixel(14, 14), kRed);
    EXPECT_EQ(screen.Pixel(15, 15), kBlack);
}

TEST_F(Drawing, OverlaysAreDrawnLowestPriorityFirstInRequestOrder)
{
    OverlayWidget w("W", &log);
    w.Resize(0, 0, 10, 10);
    w.mRequests = {5, 3, 5, 3};
    manager.AddChild(&w);
    manager.DrawDirtyWidgets();
    EXPECT_EQ(Join(log), "W:overlay 3 | W:overlay 3 | W:overlay 5 | W:overlay 5");
    EXPECT_TRUE(manager.mOverlays.empty());
    EXPECT_EQ(manager.mLowestOverlayPriority, INT_MAX);
}

TEST_F(Drawing, AnOverlayLiesUnderWidgetsOfHigherPriorityAndOverTheRest)
{
    OverlayWidget requester("R", &log, Color(255, 0, 0));
    RecordingWidget cover("C", &log, Color(0, 0, 255));
    requester.Resize(0, 0, 20, 20);
    requester.mOverlayRect = Rect(10, 10, 30, 30); // reaches under the cover
    requester.mOverlayColor = Color(255, 255, 255);
    cover.Resize(30, 30, 20, 20);
    cover.mPriority = 10;
    manager.AddChild(&requester);
    manager.AddChild(&cover);

    requester.mRequests = {0};
    manager.DrawDirtyWidgets();
    EXPECT_EQ(screen.Pixel(15, 15), kWhite);
    EXPECT_EQ(screen.Pixel(35, 35), kBlue);

    requester.mRequests = {20};
    requester.MarkDirty();
    cover.MarkDirty();
    manager.DrawDirtyWidgets();
    EXPECT_EQ(screen.Pixel(35, 35), kWhite);
}

TEST_F(Drawing, OverlaysOfNestedWidgetsLandAtTheirScreenPosition)
{
    RecordingWidget parent("P", &log, Color(255, 0, 0));
    OverlayWidget child("C", &log, Color(0, 0, 255));
    parent.Resize(20, 20, 40, 40);
    child.Resize(10, 10, 10, 10);
    child.mOverlayRect = Rect(0, 0, 2, 2);
    child.mOverlayColor = Color(255, 255, 255);
    child.mRequests = {0};
    parent.AddChild(&child);
    manager.AddChild(&parent);
    manager.DrawDirtyWidgets();
    EXPECT_EQ(screen.Pixel(30, 30), kWhite);
    EXPECT_EQ(screen.Pixel(31, 31), kWhite);
    EXPECT_EQ(screen.Pixel(32, 32), kBlue);
    EXPECT_EQ(screen.Pixel(10, 10), kBlack);
}

TEST_F(Drawing, RequestsLeftFromAFrameThatDrewNothingAreDiscarded)
{
    OverlayWidget w("W", &log);
    w.Resize(0, 0, 10, 10);
    manager.AddChild(&w);
    manager.DrawDirtyWidgets();
    manager.QueueOverlay(&w, 4);
    EXPECT_FALSE(manager.DrawDirtyWidgets());
    EXPECT_EQ(Join(log), "");
    EXPECT_TRUE(manager.mOverlays.empty());
}

TEST_F(Drawing, ModalLayerCanStopDrawingBehindIt)
{
    RecordingWidget back("B", &log, Color(255, 0, 0)), dialog("D", &log, Color(0, 255, 0));
    back.Resize(0, 0, 20, 20);
    dialog.Resize(50, 50, 20, 20);
    manager.AddChild(&back);
    manager.AddChild(&dialog);
    manager.PushModalWithMasks(&dialog, FlagMasks{0, TREE_DRAW});
    manager.DrawDirtyWidgets();
    EXPECT_EQ(screen.Pixel(5, 5), kBlack);
    EXPECT_EQ(screen.Pixel(55, 55), kGreen);
}

// A display without surfaces: its images draw through the memory-image software.
class NoSurfaceDisplay : public DisplayServices
{
public:
    ImageHost* GetApp() override { return nullptr; }
    void RegisterImage(DDImage*) override {}
    void UnregisterImage(DDImage*) override {}
    platform::SurfaceResult CreateSurface(int32_t, int32_t, platform::SurfaceMemory,
                                          std::shared_ptr<platform::Surface>&) override
    {
        return platform::SurfaceResult::OutOfMemory;
    }
    bool Is3DOn() const override { return false; }
    platform::Surface* GetPrimarySurface() override { return nullptr; }
    platform::Surface* GetDrawSurface() override { return nullptr; }
    bool IsCursorAreaImage(const DDImage*) const override { return false; }
    D3DServices* Get3D() override { return nullptr; }
};

TEST_F(Drawing, ASurfaceScreenIsLockedOnceAroundTheFrame)
{
    NoSurfaceDisplay display;
    struct CountingSurface : DDImage
    {
        explicit CountingSurface(DisplayServices* display) : DDImage(display) { Create(100, 100); }
        bool LockSurface() override
        {
            ++mLocks;
            return mLockWorks;
        }
        bool UnlockSurface() override
        {
            ++mUnlocks;
            return true;
        }
        int mLocks = 0;
        int mUnlocks = 0;
        bool mLockWorks = true;
    } surface(&display);
    manager.mDrawImage = &surface;
    RecordingWidget a("A", &log), b("B", &log);
    manager.AddChild(&a);
    manager.AddChild(&b);
    manager.DrawDirtyWidgets();
    EXPECT_EQ(surface.mLocks, 1);
    EXPECT_EQ(surface.mUnlocks, 1);

    // A refused lock still draws the frame, and nothing is unlocked.
    surface.mLockWorks = false;
    a.MarkDirty();
    manager.DrawDirtyWidgets();
    EXPECT_EQ(a.mDraws, 2);
    EXPECT_EQ(surface.mLocks, 2);
    EXPECT_EQ(surface.mUnlocks, 1);
    manager.mDrawImage = &screen.mImage;
}

TEST_F(Drawing, DigitStripDrawsOneCellPerDigit)
{
    MemoryImage strip;
    strip.Create(100, 4);
    uint32_t* bits = strip.GetBits();
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 100; ++x)
            bits[y * 100 + x] = 0xFF000000u | uint32_t(x / 10 * 20) << 16;
    strip.MarkBitsChanged();
    RecordingWidget w("W", &log);
    Graphics g(&screen.mImage);
    w.DrawNumberFromDigitStrip(&g, 105, 10, 10, &strip, 2);
    auto red = [&](int x) { return int(screen.Pixel(x, 10) >> 16 & 0xFF); };
    EXPECT_NEAR(red(10), 20, 1); // digit 1
    EXPECT_NEAR(red(19), 20, 1);
    EXPECT_EQ(screen.Pixel(20, 10), kBlack); // spacing
    EXPECT_EQ(screen.Pixel(22, 10), kBlack); // digit 0
    EXPECT_NEAR(red(34), 100, 1);            // digit 5
    EXPECT_EQ(screen.Pixel(44, 10), kBlack);
}

} // namespace
