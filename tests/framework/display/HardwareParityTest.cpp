#include "framework/display/D3DInterface.h"
#include "framework/display/DDInterface.h"
#include "framework/foundation/Color.h"
#include "framework/foundation/Matrix3.h"
#include "framework/graphics/DDImage.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/graphics/TriVertex.h"
#include "platform/Presenter.h"
#include "platform/RenderDevice.h"
#include "platform/Surface.h"
#include "platform/Window.h"
#include "tests/framework/display/DisplayHostSupport.h"

#include <cmath>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

using namespace Quib;

namespace
{

constexpr int32_t kWidth = 320;
constexpr int32_t kHeight = 240;

// A picture with everything a blit can get wrong: gradients, hard edges, and
// alpha from clear through half to full.
std::unique_ptr<MemoryImage> MakePicture(ImageHost* host, int32_t width, int32_t height, bool withAlpha)
{
    std::vector<uint32_t> pixels(size_t(width) * size_t(height));
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x)
        {
            const uint32_t r = uint32_t(x * 255 / std::max(width - 1, 1));
            const uint32_t g = uint32_t(y * 255 / std::max(height - 1, 1));
            const uint32_t b = ((x / 8 + y / 8) % 2) != 0 ? 220u : 40u;
            uint32_t a = 255;
            if (withAlpha)
            {
                const int32_t dx = x - width / 2, dy = y - height / 2;
                const double d = std::sqrt(double(dx * dx + dy * dy)) / (std::min(width, height) / 2.0);
                a = d >= 1.0 ? 0u : uint32_t(255.0 * (1.0 - d * d));
            }
            pixels[size_t(y) * size_t(width) + size_t(x)] = a << 24 | r << 16 | g << 8 | b;
        }
    auto image = std::make_unique<MemoryImage>(host);
    image->SetBits(pixels.data(), width, height, true);
    return image;
}

struct Difference
{
    int32_t mWorst = 0;
    double mMean = 0.0;
    // Share of the pixels off by more than 24 in some channel.
    double mFarShare = 0.0;
};

Difference Compare(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b)
{
    Difference result;
    int64_t total = 0, far = 0;
    for (size_t i = 0; i < a.size(); ++i)
    {
        int32_t worst = 0;
        for (int shift = 0; shift < 24; shift += 8)
            worst =
                std::max(worst, std::abs(int32_t((a[i] >> shift) & 0xFF) - int32_t((b[i] >> shift) & 0xFF)));
        result.mWorst = std::max(result.mWorst, worst);
        total += worst;
        far += worst > 24 ? 1 : 0;
    }
    result.mMean = double(total) / double(a.size());
    result.mFarShare = double(far) / double(a.size());
    return result;
}

struct DrawCase
{
    const char* mName;
    std::function<void(Graphics&, DDImage&)> mDraw;
    // Exact draws differ by rounding alone (the software blend rounds down by up to
    // three steps); filtered and turned ones also along their edges.
    int32_t mMaxWorst;
    double mMaxFarShare;
};

class HardwareParityTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        softwareHost.mWidth = hardwareHost.mWidth = kWidth;
        softwareHost.mHeight = hardwareHost.mHeight = kHeight;
        softwareHost.mDisplay = &software;
        hardwareHost.mDisplay = &hardware;
        hardwareHost.mTextureDisplay = &hardware;
        ASSERT_TRUE(window.create("parity", kWidth, kHeight, false));
        ASSERT_EQ(software.InitDisplay(&window, true), DDInterface::RESULT_OK);
        platform::RenderDevice* device = window.renderDevice();
        if (device == nullptr || !device->info().accelerated)
            GTEST_SKIP() << "no accelerated renderer here: " << (device ? device->info().name : "none");
        hardware.mIs3D = true;
        ASSERT_EQ(hardware.InitDisplay(&window, true), DDInterface::RESULT_OK) << hardware.mErrorString;
        std::cout << "renderer: " << device->info().name << " " << device->info().device << "\n";
        opaque = MakePicture(&hardwareHost, 150, 100, false);
        sprite = MakePicture(&hardwareHost, 90, 70, true);
        large = MakePicture(&hardwareHost, kWidth, kHeight, false);
    }

    void TearDown() override
    {
        opaque.reset();
        sprite.reset();
        large.reset();
        hardware.ReleaseSurfaces();
        software.ReleaseSurfaces();
    }

    Difference Run(const DrawCase& drawCase)
    {
        for (DDInterface* display : {&software, &hardware})
        {
            Graphics g(display->GetDrawSurfaceImage());
            g.SetColor(Color(30, 60, 90));
            g.FillRect(0, 0, kWidth, kHeight);
            g.SetColor(Color::White);
            drawCase.mDraw(g, *display->GetDrawSurfaceImage());
        }
        hardware.mD3DInterface->FinishScene();
        EXPECT_TRUE(gLast3DError.empty()) << gLast3DError;
        return Compare(platform::readArgb(*software.GetDrawSurface()),
                       platform::readArgb(*hardware.GetDrawSurface()));
    }

    testsupport::FakeDisplayHost softwareHost;
    testsupport::FakeDisplayHost hardwareHost;
    DDInterface software{&softwareHost};
    DDInterface hardware{&hardwareHost};
    platform::Window window;
    std::unique_ptr<MemoryImage> opaque;
    std::unique_ptr<MemoryImage> sprite;
    std::unique_ptr<MemoryImage> large;
};

TEST_F(HardwareParityTest, EveryDrawMatchesTheSoftwarePath)
{
    const std::vector<DrawCase> cases = {
        {"opaque blit", [&](Graphics& g, DDImage&) { g.DrawImage(opaque.get(), 17, 23); }, 3, 0.0},
        {"large picture in pieces", [&](Graphics& g, DDImage&) { g.DrawImage(large.get(), 0, 0); }, 3, 0.0},
        {"alpha blit", [&](Graphics& g, DDImage&) { g.DrawImage(sprite.get(), 40, 30); }, 3, 0.0},
        {"part of a picture",
         [&](Graphics& g, DDImage&) { g.DrawImage(opaque.get(), 5, 9, Rect(20, 10, 70, 50)); }, 3, 0.0},
        {"tinted",
         [&](Graphics& g, DDImage&)
         {
             g.SetTintImages(true);
             g.SetColor(Color(255, 128, 64, 200));
             g.DrawImage(sprite.get(), 60, 50);
         },
         3, 0.0},
        {"additive",
         [&](Graphics& g, DDImage&)
         {
             g.SetDrawMode(DRAW_MODE_ADDITIVE);
             g.DrawImage(sprite.get(), 100, 80);
         },
         3, 0.0},
        {"mirrored", [&](Graphics& g, DDImage&) { g.DrawImageMirrored(sprite.get(), 70, 40, true); }, 3, 0.0},
        {"stretched",
         [&](Graphics& g, DDImage&)
         { g.DrawImageStretched(sprite.get(), Rect(10, 10, 207, 161), Rect(0, 0, 90, 70)); },
         48, 0.005},
        {"stretched unfiltered",
         [&](Graphics& g, DDImage&)
         {
             g.SetUnfilteredStretch(true);
             g.DrawImageStretched(opaque.get(), Rect(3, 7, 300, 200), Rect(0, 0, 150, 100));
         },
         255, 0.005},
        {"subpixel", [&](Graphics& g, DDImage&) { g.DrawImageSubpixel(sprite.get(), 30.5f, 20.25f); }, 24,
         0.01},
        {"rotated",
         [&](Graphics& g, DDImage&) { g.DrawImageRotated(sprite.get(), 120.0f, 80.0f, 0.6, 45.0f, 35.0f); },
         255, 0.01},
        {"matrix",
         [&](Graphics& g, DDImage&)
         {
             Matrix3 matrix;
             matrix.Scale(1.5f, 0.8f);
             matrix.RotateRad(-0.3f);
             g.DrawImageWithMatrix(opaque.get(), matrix, 160.0f, 120.0f);
         },
         255, 0.01},
        {"clipped",
         [&](Graphics& g, DDImage&)
         {
             g.ClipRect(50, 40, 120, 90);
             g.DrawImage(large.get(), 0, 0);
             g.DrawImageRotated(sprite.get(), 90.0f, 60.0f, 1.1, 45.0f, 35.0f);
         },
         255, 0.01},
        {"filled rectangles",
         [&](Graphics& g, DDImage&)
         {
             g.SetColor(Color(200, 40, 40));
             g.FillRect(10, 10, 100, 60);
             g.SetColor(Color(40, 200, 90, 128));
             g.FillRect(60, 40, 150, 120);
             g.SetDrawMode(DRAW_MODE_ADDITIVE);
             g.SetColor(Color(90, 90, 200, 160));
             g.FillRect(150, 100, 120, 100);
         },
         3, 0.0},
        {"lines",
         [&](Graphics& g, DDImage&)
         {
             g.SetColor(Color(250, 250, 100));
             for (int i = 0; i < 12; ++i)
                 g.DrawLine(10 + i * 20, 10, 300 - i * 10, 200);
         },
         255, 0.002},
        {"textured triangles",
         [&](Graphics&, DDImage& screen)
         {
             const TriVertex fan[] = {{40, 20, 0.0f, 0.0f, 0},          {290, 30, 1.0f, 0.0f, 0},
                                      {160, 220, 0.5f, 1.0f, 0},        {20, 200, 0.0f, 1.0f, 0xFFFF8040},
                                      {40, 20, 0.0f, 0.0f, 0xFF40FF80}, {160, 220, 0.5f, 1.0f, 0xFF8080FF}};
             screen.BlitTexturedTriangles(large.get(), fan, 2, Rect(0, 0, kWidth, kHeight), Color::White,
                                          DRAW_MODE_NORMAL, 0.0f, 0.0f, false);
         },
         255, 0.01},
    };
    for (const DrawCase& drawCase : cases)
    {
        const Difference d = Run(drawCase);
        std::cout << "  " << drawCase.mName << ": worst " << d.mWorst << ", mean " << d.mMean << ", "
                  << d.mFarShare * 100.0 << " % of the pixels off by more than 24\n";
        EXPECT_LE(d.mWorst, drawCase.mMaxWorst) << drawCase.mName;
        EXPECT_LE(d.mFarShare, drawCase.mMaxFarShare) << drawCase.mName;
    }
}

} // namespace
