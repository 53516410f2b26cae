#include "framework/display/DDInterface.h"
#include "framework/graphics/DDImage.h"
#include "framework/widgets/WidgetManager.h"
#include "platform/Window.h"
#include "tests/framework/app/AppLifeSupport.h"

#include <gtest/gtest.h>
#include <thread>

using namespace applife;

namespace
{

// The whole life of an application: Init, Start with scripted input, a close
// request from the window, the destructor.
TEST(AppLifeTest, RunsItsWholeLifeHeadlessWithScriptedInput)
{
    int mutedWhileUnfocused = -1;
    int mutedWhileMinimised = -1;
    int mutedAfterRegain = -1;
    bool fullScreenAfterAltEnter = false;
    bool windowedAfterSecondAltEnter = false;
    double progressBeforeStart = -1;
    {
        LifeApp app;
        ASSERT_EQ(Quib::gApp, &app);
        app.Init();
        ASSERT_TRUE(app.IsInitFinished());
        ASSERT_NE(app.mDDInterface, nullptr);
        EXPECT_TRUE(app.mDDInterface->mInitialized);
        EXPECT_EQ(app.mWidgetManager->mDrawImage,
                  static_cast<Quib::Image*>(app.mDDInterface->GetDrawSurfaceImage()));
        progressBeforeStart = app.GetLoadingProgress();

        const platform::WindowRect shown = app.mMainWindow->presentationRect();
        // The middle of the shown image maps to the middle of the application's screen.
        app.At(3,
               [&]
               {
                   PushClick(app, shown.x + shown.width / 2, shown.y + shown.height / 2);
                   PushKey(app, SDLK_a, SDL_SCANCODE_A, true);
                   PushText(app, "a");
                   PushKey(app, SDLK_a, SDL_SCANCODE_A, false);
               });
        app.At(8, [&] { PushWindowEvent(app, SDL_WINDOWEVENT_FOCUS_LOST); });
        app.At(14,
               [&]
               {
                   mutedWhileUnfocused = app.mMuteCount;
                   PushWindowEvent(app, SDL_WINDOWEVENT_MINIMIZED);
               });
        app.At(20,
               [&]
               {
                   mutedWhileMinimised = app.mMuteCount;
                   PushWindowEvent(app, SDL_WINDOWEVENT_RESTORED);
                   PushWindowEvent(app, SDL_WINDOWEVENT_FOCUS_GAINED);
               });
        app.At(26,
               [&]
               {
                   mutedAfterRegain = app.mMuteCount;
                   PushAltEnter(app);
               });
        app.At(32,
               [&]
               {
                   fullScreenAfterAltEnter = !app.IsWindowedNow() && app.mMainWindow->isFullScreen();
                   PushAltEnter(app);
               });
        app.At(38,
               [&]
               {
                   windowedAfterSecondAltEnter = app.IsWindowedNow() && !app.mMainWindow->isFullScreen();
                   PushWindowEvent(app, SDL_WINDOWEVENT_CLOSE);
               });
        app.Start();

        EXPECT_TRUE(app.IsShuttingDown());
        EXPECT_GE(app.mUpdates, 38);
        EXPECT_EQ(app.GetLoadingProgress(), 1.0);
        EXPECT_GT(app.mMainLoop.mDrawCount, 0);
        EXPECT_EQ(app.mWidget.mEvents, (std::vector<std::string>{"down 400,300 1", "up 400,300 1", "key 65",
                                                                 "char a", "key 18", "key 18"}));
        EXPECT_EQ(app.mMuteCount, 0);
        EXPECT_EQ(app.mAutoMuteCount, 0);
        EXPECT_FALSE(app.IsMuted());
        EXPECT_DOUBLE_EQ(app.GetMusicVolume(), 0.85);

        const std::vector<std::string> expected = {
            "BeforeInit", "LoadSettings", "BeforeDisplayInit", "OnDisplayModeChange",
            "AfterDisplayModeChange", "OnInitFinished", "OnLoadingFinished", "OnDeactivated", "OnActivated",
            // Alt+Enter twice: full screen and back.
            "OnDisplayModeChange", "AfterDisplayModeChange", "OnDisplayModeChange", "AfterDisplayModeChange",
            "OnShutdown", "BeforeTerminate"};
        EXPECT_EQ(app.mCalls, expected);
    }
    EXPECT_EQ(Quib::gApp, nullptr);
    EXPECT_EQ(progressBeforeStart, 0.0);
    // Focus loss mutes once; minimising on top mutes once more; both come back.
    EXPECT_EQ(mutedWhileUnfocused, 1);
    EXPECT_EQ(mutedWhileMinimised, 2);
    EXPECT_EQ(mutedAfterRegain, 0);
    EXPECT_TRUE(fullScreenAfterAltEnter);
    EXPECT_TRUE(windowedAfterSecondAltEnter);
}

// Shutdown from another thread only raises the request; the main thread's
// Shutdown runs once however often it is called.
TEST(AppLifeTest, ShutdownRunsOnceAndOnlyOnTheMainThread)
{
    LifeApp app;
    app.Init();
    std::thread([&] { app.Shutdown(); }).join();
    EXPECT_TRUE(app.IsShutdownRequested());
    EXPECT_FALSE(app.IsShuttingDown());

    app.mCalls.clear();
    app.Shutdown();
    app.Shutdown();
    EXPECT_TRUE(app.IsShuttingDown());
    EXPECT_FALSE(app.mMainWindow->isShown());
    EXPECT_EQ(app.mCalls, std::vector<std::string>{"OnShutdown"});
    // A shut-down application's Start returns at once.
    app.Start();
    EXPECT_EQ(app.mUpdates, 0);
}

} // namespace
