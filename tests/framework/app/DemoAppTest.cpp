#include "framework/app/DemoPlaybackDialogs.h"
#include "framework/display/DDInterface.h"
#include "platform/Clock.h"
#include "platform/Environment.h"
#include "platform/Random.h"
#include "platform/Window.h"
#include "tests/framework/app/AppLifeSupport.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace applife;

namespace
{

// The application of the life test, drawing a random number every update.
class DemoApp : public LifeApp
{
public:
    void UpdateStep() override
    {
        LifeApp::UpdateStep();
        mRandoms.push_back(platform::rand());
    }
    std::vector<int> mRandoms;
};

TEST(DemoAppTest, PlaybackFeedsTheWidgetsWhatTheRecordingGot)
{
    const auto folder =
        std::filesystem::temp_directory_path() / ("orvellan-demoapp-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const std::string demoFile = (folder / "run.dmo").string();

    std::vector<std::string> recordedEvents;
    std::vector<int> recordedRandoms;
    {
        DemoApp app;
        app.mCommandLine.mRecordDemo = true;
        app.mCommandLine.mDemoFileName = demoFile;
        app.Init();
        ASSERT_TRUE(app.mDemo.IsRecording());
        const platform::WindowRect shown = app.mMainWindow->presentationRect();
        app.At(3,
               [&]
               {
                   PushClick(app, shown.x + shown.width / 4, shown.y + shown.height / 4);
                   PushKey(app, SDLK_a, SDL_SCANCODE_A, true);
                   PushText(app, "a");
                   PushKey(app, SDLK_a, SDL_SCANCODE_A, false);
               });
        app.At(9, [&] { PushClick(app, shown.x + shown.width / 2, shown.y + shown.height / 2); });
        app.At(30, [&] { PushWindowEvent(app, SDL_WINDOWEVENT_CLOSE); });
        app.Start();
        recordedEvents = app.mWidget.mEvents;
        recordedRandoms = app.mRandoms;
    }
    ASSERT_TRUE(std::filesystem::exists(demoFile));
    ASSERT_EQ(recordedEvents.size(), 6u);
    EXPECT_EQ(recordedEvents[0], "down 200,150 1");

    {
        DemoApp app;
        app.mCommandLine.mPlayDemo = true;
        app.mCommandLine.mDemoFileName = demoFile;
        app.Init();
        ASSERT_TRUE(app.mDemo.IsPlaying());
        EXPECT_TRUE(app.mDDInterface->mDrawSoftwareCursor);
        app.Start();
        EXPECT_TRUE(app.IsShuttingDown());
        // The cursor thread follows the recorded pointer, not the live mouse.
        int x = 0, y = 0;
        app.CursorPosition(x, y);
        EXPECT_EQ(x, 400);
        EXPECT_EQ(y, 300);
        EXPECT_EQ(app.mWidget.mEvents, recordedEvents);
        ASSERT_GE(app.mRandoms.size(), recordedRandoms.size());
        app.mRandoms.resize(recordedRandoms.size());
        EXPECT_EQ(app.mRandoms, recordedRandoms);
    }
    std::filesystem::remove_all(folder);
}

TEST(DemoAppTest, PlaybackMakesTheWindowInTheRecordedModeWithTheRecordedSeed)
{
    const auto folder =
        std::filesystem::temp_directory_path() / ("orvellan-demomode-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const std::string demoFile = (folder / "mode.dmo").string();

    uint32_t recordedSeed = 0;
    int recordedRate = 0;
    {
        DemoApp app;
        app.mCommandLine.mRecordDemo = true;
        app.mCommandLine.mDemoFileName = demoFile;
        app.Init();
        recordedSeed = app.mRandSeed;
        recordedRate = app.mMainLoop.mRefreshRate;
    }
    ASSERT_TRUE(std::filesystem::exists(demoFile));

    // Nudge the clock so that a fresh seed would differ from the recorded one.
    platform::sleep(5);
    DemoApp app;
    app.mIsWindowed = false;
    app.mCommandLine.mPlayDemo = true;
    app.mCommandLine.mDemoFileName = demoFile;
    app.Init();
    EXPECT_TRUE(app.mIsWindowed);
    EXPECT_TRUE(app.mIsPhysWindowed);
    EXPECT_EQ(app.mRandSeed, recordedSeed);
    EXPECT_EQ(app.mMainLoop.mRefreshRate, recordedRate);
    std::filesystem::remove_all(folder);
}

// Answers the jump box the way a person would: typing a time into it and
// clicking its OK button, through the live input of the window.
class JumpingApp : public DemoApp
{
public:
    void OnModalDialogOpened() override
    {
        auto* jump = dynamic_cast<Quib::JumpToTimeDialog*>(GetDialog(kJumpToTimeDialogId));
        if (jump == nullptr)
            return;
        ++mJumpDialogs;
        jump->mEdit->SetText("");
        PushText(*this, "0");
        const platform::WindowRect shown = mMainWindow->presentationRect();
        const Quib::Widget& ok = *jump->mYesButton;
        PushClick(*this, shown.x + (ok.mX + ok.mWidth / 2) * shown.width / mWidth,
                  shown.y + (ok.mY + ok.mHeight / 2) * shown.height / mHeight);
    }
    int mJumpDialogs = 0;
};

TEST(DemoAppTest, TheJumpKeyOpensABoxThatLiveInputAnswersWhileThePlaybackWaits)
{
    const auto folder =
        std::filesystem::temp_directory_path() / ("orvellan-demojump-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    platform::setEnv("XDG_CONFIG_HOME", (folder / "config").string());
    const std::string demoFile = (folder / "jump.dmo").string();
    {
        DemoApp app;
        app.mCommandLine.mRecordDemo = true;
        app.mCommandLine.mDemoFileName = demoFile;
        app.Init();
        app.At(40, [&] { PushWindowEvent(app, SDL_WINDOWEVENT_CLOSE); });
        app.Start();
    }

    JumpingApp app;
    app.mCommandLine.mPlayDemo = true;
    app.mCommandLine.mDemoFileName = demoFile;
    app.Init();
    app.At(5, [&] { PushText(app, "j"); });
    app.mMainLoop.mDemoTargetUpdate = -1;
    app.Start();

    EXPECT_EQ(app.mJumpDialogs, 1);
    EXPECT_EQ(app.GetDialog(Quib::QuibAppBase::kJumpToTimeDialogId), nullptr);
    EXPECT_EQ(Quib::LoadDemoJumpTime(""), "0");
    // The "0" went into the box, not to the playback keys (which jump to the very end).
    EXPECT_EQ(app.mMainLoop.mDemoTargetUpdate,
              Quib::JumpTargetFromText("0", app.mDemo.DemoLength(), app.mMainLoop.mFrameTime));
    EXPECT_NE(app.mMainLoop.mDemoTargetUpdate, app.mDemo.DemoLength());
    // Live input reached nothing else.
    EXPECT_TRUE(app.mWidget.mEvents.empty());
    platform::setEnv("XDG_CONFIG_HOME", "");
    std::filesystem::remove_all(folder);
}

} // namespace
