#include "framework/app/DebugKeys.h"

#include "framework/app/MainLoop.h"
#include "platform/VirtualKeys.h"
#include "tests/framework/app/FakeRunLoopHost.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace Quib;
using namespace platform;

namespace
{

struct FakeDebugHost : DebugKeysHost
{
    bool IsShiftDown() override { return shift; }
    bool IsCtrlDown() override { return ctrl; }
    bool IsAltDown() override { return alt; }
    void ClearKeyFlags() override { calls.push_back("ClearKeyFlags"); }
    void PlayDebugToggleSound() override { calls.push_back("Sound"); }
    bool ReloadLiveValues() override { return reloadWorks; }
    bool IsProfiling() override { return profiling; }
    void StartProfiling() override
    {
        profiling = true;
        calls.push_back("StartProfiling");
    }
    std::string StopProfiling() override
    {
        profiling = false;
        return "report";
    }
    void ToggleFpsOverlay(bool step) override { calls.push_back(step ? "FpsStep" : "Fps"); }
    void ShowVideoStatistics() override { calls.push_back("VideoStats"); }
    bool ToggleDirect3D() override { return d3d = !d3d; }
    void TakeScreenshot() override { calls.push_back("Screenshot"); }
    void WriteImageReport() override { calls.push_back("ImageReport"); }
    void ShowMessageBox(const std::string& text, const std::string& caption) override
    {
        calls.push_back(caption + ": " + text);
    }

    bool shift = false, ctrl = false, alt = false, reloadWorks = true, profiling = false, d3d = false;
    std::vector<std::string> calls;
};

class DebugKeysTest : public ::testing::Test
{
protected:
    platform::FakeClock clock{4000000};
    platform::ScopedClock scoped{clock};
    FakeRunLoopHost loopHost{clock};
    LoadingState loading;
    MainLoop loop{loopHost, loading};
    FakeDebugHost host;
};

TEST_F(DebugKeysTest, ConsumedKeysAndTheirEffects)
{
    const struct
    {
        uint32_t key;
        bool shift;
        bool consumed;
        const char* call;
    } cases[] = {
        {VK_F3, false, false, "Fps"},
        {VK_F3, true, false, "FpsStep"},
        {VK_F8, false, true, "VideoStats"},
        {VK_F8, true, true, "Mode Switch: 3D-Mode: ON"},
        {VK_F8, true, true, "Mode Switch: 3D-Mode: OFF"},
        {VK_F11, false, true, "Screenshot"},
        {VK_F11, true, true, "ImageReport"},
        {VK_F2, false, false, "StartProfiling"},
        {VK_F2, false, false, "Perf Results: report"},
    };
    for (const auto& c : cases)
    {
        host.calls.clear();
        host.shift = c.shift;
        EXPECT_EQ(HandleDebugKey(c.key, loop, host), c.consumed) << c.call;
        ASSERT_EQ(host.calls.size(), 1u) << c.call;
        EXPECT_EQ(host.calls[0], c.call);
    }
    host.calls.clear();
    host.shift = false;
    EXPECT_FALSE(HandleDebugKey('Q', loop, host));
    EXPECT_TRUE(host.calls.empty());
}

TEST_F(DebugKeysTest, F10StepsLeavesAndSlowsDown)
{
    EXPECT_TRUE(HandleDebugKey(VK_F10, loop, host));
    EXPECT_EQ(loop.mSingleStepState, 1);
    loop.mUpdateTimeBacklog = 50;
    host.shift = true;
    HandleDebugKey(VK_F10, loop, host);
    EXPECT_EQ(loop.mSingleStepState, 0);
    EXPECT_EQ(loop.mUpdateTimeBacklog, 0);
    host.shift = false;
    host.ctrl = true;
    HandleDebugKey(VK_F10, loop, host);
    EXPECT_EQ(loop.mSpeedMultiplier, 0.25);
    HandleDebugKey(VK_F10, loop, host);
    EXPECT_EQ(loop.mSpeedMultiplier, 1.0);
}

TEST_F(DebugKeysTest, AltRReloadsLiveValues)
{
    host.alt = true;
    EXPECT_FALSE(HandleDebugKey('R', loop, host));
    host.reloadWorks = false;
    HandleDebugKey('R', loop, host);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"Sound", "ClearKeyFlags"}));
    host.alt = false;
    HandleDebugKey('R', loop, host);
    EXPECT_EQ(host.calls.size(), 2u);
}

} // namespace
