#include "platform/RenderDevice.h"
#include "platform/Window.h"

#include <SDL.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace platform;

// Run where the desktop's preferred renderer is a GL one (the offscreen driver).
TEST(WindowRenderer, SoftwarePresentLetsGoOfTheDesktopsRenderer)
{
    Window window;
    ASSERT_TRUE(window.create("Renderer", 64, 48, false)) << SDL_GetError();
    RenderDevice* device = window.renderDevice();
    ASSERT_NE(device, nullptr);
    if (window.usesSoftwareRenderer())
        GTEST_SKIP() << "the desktop offers no other renderer here: " << device->info().name;
    const std::vector<uint32_t> pixels(64 * 48, 0xFF336699);

    window.setSoftwarePresent(true);
    EXPECT_TRUE(window.present(pixels.data(), 64, 48, 64 * 4));
    // The frame went to the window's own pixels, or through the processor's own
    // renderer where the desktop gives the window none: never through the GL one.
    EXPECT_TRUE(!window.presentsThroughRenderer() || window.usesSoftwareRenderer());

    // The drawing device asked for again gets the desktop's renderer back.
    device = window.renderDevice();
    ASSERT_NE(device, nullptr);
    EXPECT_FALSE(window.usesSoftwareRenderer());
    EXPECT_FALSE(window.softwarePresent());
    EXPECT_TRUE(window.present(pixels.data(), 64, 48, 64 * 4));
    EXPECT_FALSE(window.usesSoftwareRenderer());
}

// Each window's device keeps naming its own driver while another window's
// renderer has taken the drawing context since.
TEST(WindowRenderer, DeviceNameSurvivesAnotherWindowsRenderer)
{
    Window first;
    ASSERT_TRUE(first.create("First", 64, 48, false)) << SDL_GetError();
    RenderDevice* device = first.renderDevice();
    ASSERT_NE(device, nullptr);
    const std::string name = device->info().device;
    if (name.empty())
        GTEST_SKIP() << "the renderer here names no device: " << device->info().name;
    Window second;
    ASSERT_TRUE(second.create("Second", 64, 48, false)) << SDL_GetError();
    ASSERT_NE(second.renderDevice(), nullptr);
    second.setSoftwarePresent(true);
    EXPECT_EQ(device->info().device, name);
}
