#include "framework/display/DDInterface.h"
#include "framework/graphics/DDImage.h"
#include "tests/framework/app/AppLifeSupport.h"

#include <gtest/gtest.h>
#include <vector>

using namespace applife;

namespace
{

class QuibAppBaseCursorTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        app.Init();
        std::vector<uint32_t> pixels(16 * 16, 0xFF102030u);
        image = std::make_unique<Quib::DDImage>(app.mDDInterface.get());
        image->SetBits(pixels.data(), 16, 16, true);
        app.mInputQueue.mMouseInside = true;
    }
    LifeApp app;
    std::unique_ptr<Quib::DDImage> image;
};

TEST_F(QuibAppBaseCursorTest, CursorImagesReachTheDisplayOnlyWhenAllowed)
{
    app.SetCustomCursorImage(Quib::CURSOR_HAND, image.get());
    app.SelectCursor(Quib::CURSOR_HAND);
    // Custom cursors are off: the program's own hand, no software image.
    EXPECT_EQ(app.mDDInterface->GetCursorImage(), nullptr);

    app.mMainLoop.mRedrawForced = false;
    app.SetCustomCursorsEnabled(true);
    EXPECT_EQ(app.mDDInterface->GetCursorImage(), image.get());
    EXPECT_TRUE(app.mMainLoop.mRedrawForced);

    app.SelectCursor(Quib::CURSOR_NONE);
    EXPECT_EQ(app.mDDInterface->GetCursorImage(), nullptr);

    // Number 12 uses its image even with custom cursors off.
    app.SetCustomCursorsEnabled(false);
    app.SetCustomCursorImage(Quib::CURSOR_CUSTOM, image.get());
    app.SelectCursor(Quib::CURSOR_CUSTOM);
    EXPECT_EQ(app.mDDInterface->GetCursorImage(), image.get());
    app.SelectCursor(Quib::CURSOR_ARROW);
    EXPECT_EQ(app.mDDInterface->GetCursorImage(), nullptr);
}

TEST_F(QuibAppBaseCursorTest, CrashReportInfo)
{
    app.mProductVersion = "v0.02";
    const std::string info = app.GetCrashReportInfo();
    EXPECT_EQ(info.rfind("Product: Product\r\nVersion: v0.02\r\nTime Loaded: 00:00:0", 0), 0u) << info;
    EXPECT_NE(info.find("\r\nFullscreen: No\r\nPrimary ThreadId: "), std::string::npos) << info;
    EXPECT_EQ(Quib::gCrashReportApp, &app);
}

} // namespace
