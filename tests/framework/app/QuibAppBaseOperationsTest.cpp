#include "framework/app/WindowPlacement.h"
#include "framework/display/DDInterface.h"
#include "framework/graphics/DDImage.h"
#include "framework/widgets/EditWidget.h"
#include "framework/widgets/WidgetManager.h"
#include "platform/Clock.h"
#include "platform/DesktopIdle.h"
#include "platform/Files.h"
#include "platform/Messages.h"
#include "platform/VirtualKeys.h"
#include "platform/Window.h"
#include "tests/framework/app/AppLifeSupport.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace applife;

namespace
{

// A game-like update step that returns early while held, without the framework's.
class HoldingApp : public LifeApp
{
public:
    void UpdateStep() override
    {
        if (!mHold)
            LifeApp::UpdateStep();
    }
    bool mHold = false;
};

TEST(QuibAppBaseOperationsTest, UpdateStepCountsItsUpdateAndTheUpdatesInWhichAWidgetUpdated)
{
    HoldingApp app;
    app.Init();
    const int updates = app.mMainLoop.mUpdateCount;
    const int widgetUpdates = app.mMainLoop.mWidgetUpdateCount;

    app.mHold = true;
    EXPECT_TRUE(app.TryUpdateStep());
    EXPECT_EQ(app.mMainLoop.mUpdateCount, updates) << "an update held back is not counted";

    app.mHold = false;
    app.mWidgetManager->mDirty = false;
    app.mWidget.mDirty = false;
    EXPECT_TRUE(app.TryUpdateStep());
    EXPECT_EQ(app.mMainLoop.mUpdateCount, updates + 1);
    EXPECT_EQ(app.mMainLoop.mWidgetUpdateCount, widgetUpdates) << "nothing was updated";

    app.mWidget.MarkDirty();
    EXPECT_TRUE(app.TryUpdateStep());
    EXPECT_EQ(app.mMainLoop.mUpdateCount, updates + 2);
    EXPECT_EQ(app.mMainLoop.mWidgetUpdateCount, widgetUpdates + 1);
}

// A lost display is set up again; what the set-up answers decides the rest,
// and the widgets never keep drawing into the screen image it deleted.
TEST(QuibAppBaseOperationsTest, LostDisplayRecoveryActsOnEveryResult)
{
    LifeApp app;
    app.Init();
    ASSERT_TRUE(app.IsWindowedNow());

    // The hardware path cannot start: it is switched off and the display works.
    app.mDDInterface->mRenderDeviceSource = [] { return nullptr; };
    app.mDDInterface->mIs3D = true;
    app.RecoverDisplay();
    EXPECT_FALSE(app.Is3DEnabled());
    EXPECT_TRUE(app.mDDInterface->mInitialized);
    EXPECT_EQ(app.mWidgetManager->mDrawImage,
              static_cast<Quib::Image*>(app.mDDInterface->GetDrawSurfaceImage()));

    // The desktop's pixels no longer suit a window: full screen, for good.
    app.mDDInterface->mDesktopBitDepth = [] { return 24; };
    app.RecoverDisplay();
    EXPECT_FALSE(app.IsWindowedNow());
    EXPECT_TRUE(app.IsFullScreenForced());
    EXPECT_EQ(app.mWidgetManager->mDrawImage,
              static_cast<Quib::Image*>(app.mDDInterface->GetDrawSurfaceImage()));

    // Any other failure is tried again later, with no screen image meanwhile.
    app.mFullScreenBitDepth = 24;
    app.RecoverDisplay();
    EXPECT_EQ(app.mWidgetManager->mDrawImage, nullptr);
    EXPECT_EQ(app.mDDInterface->GetDrawSurfaceImage(), nullptr);
    app.mFullScreenBitDepth = 32;
    app.RecoverDisplay();
    EXPECT_NE(app.mWidgetManager->mDrawImage, nullptr);
}

// An idle windowed program pauses its updates and drawing so that the desktop's
// screen saver can start, and lets the saver start only over a window once
// loading is over.
TEST(QuibAppBaseOperationsTest, IdlePauseAndTheDesktopScreenSaver)
{
    LifeApp app;
    app.Init();
    Quib::ScreenSaverSettings desktop;
    desktop.timeoutSeconds = 10;
    desktop.enabled = true;
    desktop.hasLastInput = true;
    desktop.lastInputTick = platform::tickCount() - 60000;
    app.mIdlePause = Quib::IdlePause([&] { return desktop; });

    app.CheckIdle();
    EXPECT_TRUE(app.IsIdlePaused());
    EXPECT_FALSE(app.TryUpdateStep());
    EXPECT_FALSE(app.DrawFrame());
    EXPECT_FALSE(platform::screenSaverAllowed()) << "the loading is not over";

    desktop.lastInputTick = platform::tickCount();
    app.mLoading.mHandled = true;
    app.CheckIdle();
    EXPECT_FALSE(app.IsIdlePaused());
    EXPECT_TRUE(app.TryUpdateStep());
    EXPECT_TRUE(platform::screenSaverAllowed());

    app.SetWindowedMode(false);
    app.CheckIdle();
    EXPECT_FALSE(platform::screenSaverAllowed()) << "full screen keeps the monitor awake";
}

TEST(QuibAppBaseOperationsTest, ProfilerRunsBetweenTwoPresses)
{
    LifeApp app;
    EXPECT_FALSE(app.IsProfiling());
    app.StartProfiling();
    EXPECT_TRUE(app.IsProfiling());
    const std::string report = app.StopProfiling();
    EXPECT_FALSE(app.IsProfiling());
    EXPECT_FALSE(report.empty());
}

// Ctrl+Alt+D switches the developer keys and confirms it with a sound.
TEST(QuibAppBaseOperationsTest, DeveloperKeySwitchPlaysItsCue)
{
    LifeApp app;
    app.Init();
    app.mWidgetManager->mKeyDown[platform::VK_CONTROL] = true;
    app.mWidgetManager->mKeyDown[platform::VK_MENU] = true;
    app.mInputQueue.MainWindowProc({app.MainWindowId(), platform::WM_KEYDOWN, 'D', 0});
    while (app.mInputQueue.ProcessQueuedMessage())
    {
    }
    EXPECT_TRUE(app.mInputQueue.mDebugKeysEnabled);
    ASSERT_NE(app.mDebugToggleVoice, nullptr);
    const std::vector<uint8_t>& bytes = app.mDebugToggleVoice->buffer()->bytes();
    EXPECT_GT(bytes.size(), 1000u);
    EXPECT_TRUE(std::any_of(bytes.begin(), bytes.end(), [](uint8_t b) { return b != 0; }));
}

// With a maximise box the desktop can maximise the window, which switches to full screen.
TEST(QuibAppBaseOperationsTest, MaximiseBoxLeadsToFullScreen)
{
    LifeApp plain;
    plain.Init();
    EXPECT_FALSE(plain.mMainWindow->hasMaximiseBox());

    LifeApp app;
    app.mMaximiseBoxAllowed = true;
    app.Init();
    ASSERT_TRUE(app.IsWindowedNow());
    EXPECT_TRUE(app.mMainWindow->hasMaximiseBox());
    app.mInputQueue.MainWindowProc({app.MainWindowId(), platform::WM_SIZE, platform::SIZE_MAXIMIZED, 0});
    while (app.mInputQueue.ProcessQueuedMessage())
    {
    }
    EXPECT_FALSE(app.IsWindowedNow());
}

// The windowed main window shows the screen at its own size with the whole
// window, title bar included, on the work area: centred at 0.382 of the free
// height, or where it was left, 4 pixels inside the work area.
TEST(QuibAppBaseOperationsTest, WindowedMainWindowIsPlacedWholeOnTheWorkArea)
{
    const struct
    {
        int x, y;
    } cases[] = {{-1, -1}, {0, 0}, {5000, 5000}, {100, 60}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        LifeApp app;
        app.mInputQueue.mPreferredWindowX = c.x;
        app.mInputQueue.mPreferredWindowY = c.y;
        app.Init();
        ASSERT_TRUE(app.IsWindowedNow());
        const platform::WindowRect client = app.mMainWindow->clientRect();
        EXPECT_EQ(client.width, 800);
        EXPECT_EQ(client.height, 600);
        const platform::WindowRect area = platform::workArea();
        const platform::WindowRect outer = app.mMainWindow->outerFrame();
        EXPECT_EQ(outer, Quib::PlaceMainWindow(area, outer.width, outer.height, c.x, c.y));
        EXPECT_GE(outer.y, area.y);
        EXPECT_LE(outer.y + outer.height, area.y + area.height);
    }
}

// A focused edit field places the input method's caret where it types, in the
// window as it is shown.
TEST(QuibAppBaseOperationsTest, EditFieldPlacesTheInputMethodCaret)
{
    LifeApp app;
    app.Init();
    Quib::EditWidget edit(1, nullptr);
    edit.Resize(200, 300, 100, 20);
    app.mWidgetManager->AddChild(&edit);
    app.mWidgetManager->SetFocusWidget(&edit);
    const platform::WindowRect shown = app.mMainWindow->presentationRect();
    EXPECT_EQ(
        app.mMainWindow->textInputCaret(),
        (platform::WindowRect{shown.x + 200 * shown.width / 800, shown.y + 300 * shown.height / 600, 1, 1}));
    edit.Resize(790, 2, 100, 20);
    app.TryUpdateStep();
    EXPECT_EQ(
        app.mMainWindow->textInputCaret(),
        (platform::WindowRect{shown.x + 790 * shown.width / 800, shown.y + 10 * shown.height / 600, 1, 1}))
        << "kept 10 pixels inside the screen";
    app.mWidgetManager->RemoveChild(&edit);
}

TEST(QuibAppBaseOperationsTest, AltEnterAndAltRAreSwallowed)
{
    LifeApp app;
    for (int c = 0; c < 256; ++c)
        EXPECT_EQ(app.IsSwallowedAltKey(uint8_t(c)), c == '\r' || c == 'r' || c == 'R') << c;
    EXPECT_TRUE(app.AllowsRestore());
    app.mInputQueue.mWindowDisabled = true;
    EXPECT_FALSE(app.AllowsRestore());
}

// A game whose Shutdown only asks the player.
class AskingApp : public LifeApp
{
public:
    void Shutdown() override { mCalls.push_back("asked"); }
};

// A close asks; the end of the session saves and quits without waiting for an answer.
TEST(QuibAppBaseOperationsTest, SessionEndSavesAndQuitsWithoutTheQuestion)
{
    AskingApp app;
    app.Init();
    app.Shutdown();
    EXPECT_FALSE(app.IsShuttingDown());
    app.mCalls.clear();
    app.EndSession();
    EXPECT_TRUE(app.IsShuttingDown());
    EXPECT_EQ(app.mCalls, (std::vector<std::string>{"asked", "OnShutdown"}));
}

// What a crash report says about the application is that of the moment of
// the crash: the update step keeps the fixed copy a second old at most.
TEST(QuibAppBaseOperationsTest, TheCrashReportTextFollowsTheRun)
{
    platform::FakeClock clock{5000000};
    platform::ScopedClock useClock(clock);
    LifeApp app;
    app.Init();
    app.UpdateStep();
    EXPECT_NE(std::string(app.CrashReportText()).find("Time Loaded: 00:00:00\r\n"), std::string::npos)
        << app.CrashReportText();
    for (int update = 0; update < 900; ++update)
    {
        clock.advance(10);
        app.UpdateStep();
    }
    EXPECT_NE(std::string(app.CrashReportText()).find("Time Loaded: 00:00:09\r\n"), std::string::npos)
        << app.CrashReportText();
    EXPECT_EQ(std::string(app.CrashReportText()), app.GetCrashReportInfo());
}

TEST(QuibAppBaseOperationsTest, ExecutablesHaveNoProductVersion)
{
    LifeApp app;
    EXPECT_EQ(app.mProductVersion, "");
    EXPECT_EQ(app.ReadProductVersion(platform::executablePath()), "");
}

// An application adds an option of its own and leaves the rest to the framework.
class OptionApp : public LifeApp
{
public:
    void HandleCommandLineOption(const std::string& key, const std::string& value) override
    {
        mCalls.push_back(key + "=" + value);
        if (key != "-custom")
            LifeApp::HandleCommandLineOption(key, value);
    }
    void ParseCommandLineText(const std::string& text) override
    {
        mCalls.push_back("text " + text);
        LifeApp::ParseCommandLineText(text);
    }
};

TEST(QuibAppBaseOperationsTest, CommandLineStepsAreTheApplications)
{
    OptionApp app;
    app.ParseCommandLine("orvellan -custom=7 -screensaver");
    EXPECT_EQ(app.mCalls,
              (std::vector<std::string>{"text -custom=7 -screensaver", "-custom=7", "-screensaver="}));
    EXPECT_TRUE(app.IsScreenSaverMode());
}

} // namespace
