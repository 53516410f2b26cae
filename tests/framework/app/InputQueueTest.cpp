#include "framework/app/InputQueue.h"

#include "platform/Clock.h"
#include "platform/VirtualKeys.h"
#include "tests/framework/app/FakeWindowHost.h"

#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

using namespace Quib;
using namespace platform;

namespace
{

constexpr uint32_t kMain = 7;

class InputQueueTest : public ::testing::Test
{
protected:
    void send(uint32_t message, uintptr_t wParam = 0, intptr_t lParam = 0)
    {
        queue.MainWindowProc({kMain, message, wParam, lParam});
    }
    std::vector<std::string> processAll()
    {
        host.calls.clear();
        while (queue.ProcessQueuedMessage())
        {
        }
        return host.calls;
    }
    std::vector<uint32_t> queuedIds()
    {
        std::vector<uint32_t> ids;
        for (const Message& m : queue.Queue())
            ids.push_back(m.message);
        return ids;
    }

    FakeClock clock{10000000};
    ScopedClock scoped{clock};
    FakeWindowHost host;
    InputQueue queue{host};
};

using Calls = std::vector<std::string>;

TEST_F(InputQueueTest, MouseMovesAreQueuedAndHandledOneAtATimeInOrder)
{
    queue.mMouseInside = true;
    for (int i = 1; i <= 3; ++i)
        send(WM_MOUSEMOVE, 0, makeLParam(10 * i, 20 * i));
    EXPECT_EQ(queue.Queue().size(), 3u);
    EXPECT_TRUE(queue.ProcessQueuedMessage());
    EXPECT_EQ(host.calls, Calls{"Move 5,10"});
    EXPECT_EQ(processAll(), (Calls{"Move 10,20", "Move 15,30"}));
    EXPECT_FALSE(queue.ProcessQueuedMessage());
}

TEST_F(InputQueueTest, RepeatedTimersAndDisplayChangesAreNotQueuedTwice)
{
    queue.mMouseInside = true;
    send(WM_TIMER, 100);
    send(WM_TIMER, 100);
    send(WM_DISPLAYCHANGE);
    send(WM_TIMER, 100);
    send(WM_SYSCOLORCHANGE);
    send(WM_DISPLAYCHANGE);
    EXPECT_EQ(queuedIds(), (std::vector<uint32_t>{WM_TIMER, WM_DISPLAYCHANGE, WM_TIMER}));
    EXPECT_EQ(processAll(), (Calls{"SysColors", "Dirty"}));
    send(WM_SYSCOLORCHANGE);
    EXPECT_EQ(queuedIds(), std::vector<uint32_t>{WM_SYSCOLORCHANGE});
}

TEST_F(InputQueueTest, NothingIsQueuedAfterACloseAndTheCloseShutsDown)
{
    send(WM_KEYDOWN, 'A');
    send(WM_CLOSE);
    EXPECT_EQ(host.calls, Calls{"OnCloseMessage"});
    send(WM_KEYDOWN, 'B');
    send(WM_LBUTTONDOWN, MK_LBUTTON, 0);
    EXPECT_EQ(queuedIds(), (std::vector<uint32_t>{WM_KEYDOWN, WM_CLOSE}));
    EXPECT_EQ(processAll(), (Calls{"KeyDown 65", "Shutdown"}));
    EXPECT_TRUE(queue.mWindowClosed);
}

TEST_F(InputQueueTest, AltF4ClosesAndOtherAltKeysAreOnlyQueued)
{
    send(WM_SYSKEYDOWN, VK_MENU, KF_ALTDOWN);
    send(WM_SYSKEYDOWN, 'X', KF_ALTDOWN);
    EXPECT_EQ(queuedIds(), (std::vector<uint32_t>{WM_SYSKEYDOWN, WM_SYSKEYDOWN}));
    send(WM_SYSKEYDOWN, VK_F4, KF_ALTDOWN);
    EXPECT_EQ(queuedIds(), (std::vector<uint32_t>{WM_SYSKEYDOWN, WM_SYSKEYDOWN, WM_SYSKEYDOWN, WM_CLOSE}));
    EXPECT_TRUE(host.previews.back().alt);
}

TEST_F(InputQueueTest, AltEnterTogglesTheModeUnlessFullScreenIsForced)
{
    send(WM_SYSKEYDOWN, VK_RETURN, KF_ALTDOWN);
    EXPECT_EQ(processAll(), (Calls{"FullScreen", "ClearKeyFlags"}));
    send(WM_SYSKEYDOWN, VK_RETURN, KF_ALTDOWN);
    EXPECT_EQ(processAll(), (Calls{"Windowed", "ClearKeyFlags"}));
    host.forced = true;
    send(WM_SYSKEYDOWN, VK_RETURN, KF_ALTDOWN);
    EXPECT_EQ(processAll(), (Calls{"KeyDown 13"}));
    host.forced = false;
    send(WM_KEYDOWN, VK_RETURN); // without Alt it is an ordinary key
    EXPECT_EQ(processAll(), (Calls{"KeyDown 13"}));
}

TEST_F(InputQueueTest, MaximisingSwitchesToFullScreenAndMinimisingMutes)
{
    send(WM_SIZE, SIZE_MINIMIZED);
    EXPECT_TRUE(queue.mMinimisedNow);
    EXPECT_FALSE(queue.mMinimised); // the queue's view changes when the message is handled
    EXPECT_EQ(processAll(),
              (Calls{"Mute", "Mute", "LostFocus", "OnDeactivated", "Release", "ReleaseButtons"}));
    EXPECT_TRUE(queue.mMinimised);
    EXPECT_FALSE(queue.mFocused);
    send(WM_SIZE, SIZE_RESTORED);
    EXPECT_EQ(processAll(), (Calls{"Unmute", "Dirty", "Unmute", "GotFocus", "OnActivated"}));
    send(WM_SIZE, SIZE_MAXIMIZED);
    EXPECT_EQ(processAll(), (Calls{"FullScreen"}));
}

// A restore request asks the application; a refused one puts the window back
// into its minimised state. Alt characters ask whether they are swallowed.
// Neither is queued.
TEST_F(InputQueueTest, RestoreRequestsAndAltCharactersAskTheApplication)
{
    host.calls.clear();
    EXPECT_EQ(queue.MainWindowProc({kMain, WM_QUERYOPEN, 0, 0}), 1);
    host.allowsRestore = false;
    EXPECT_EQ(queue.MainWindowProc({kMain, WM_QUERYOPEN, 0, 0}), 0);
    EXPECT_EQ(queue.MainWindowProc({kMain, WM_SYSCHAR, 'r', 0}), 0);
    EXPECT_EQ(queue.MainWindowProc({kMain, WM_SYSCHAR, 'x', 0}), 1);
    EXPECT_EQ(host.calls, (Calls{"Minimise", "SwallowedAltKey r", "SwallowedAltKey x"}));
    EXPECT_TRUE(queue.Queue().empty());
}

TEST_F(InputQueueTest, FocusLossAndRegainFollowActivation)
{
    send(WM_ACTIVATEAPP, 0);
    EXPECT_FALSE(queue.mActive); // set at once by the window procedure
    EXPECT_EQ(processAll(), (Calls{"Mute", "LostFocus", "OnDeactivated", "Release", "ReleaseButtons"}));
    send(WM_ACTIVATEAPP, 1);
    EXPECT_EQ(processAll(), (Calls{"Unmute", "GotFocus", "OnActivated"}));
    host.windowed = false;
    send(WM_ACTIVATEAPP, 0);
    send(WM_ACTIVATEAPP, 1);
    processAll();
    EXPECT_EQ(host.calls.back(), "Dirty"); // full screen redraws everything on return
    queue.mMuteOnDeactivation = false;
    send(WM_ACTIVATEAPP, 0);
    EXPECT_EQ(processAll(), (Calls{"LostFocus", "OnDeactivated", "Release", "ReleaseButtons"}));
}

TEST_F(InputQueueTest, PreviewSeesEveryKeyPressWithModifiersAndMaySwallowIt)
{
    host.swallowedKey = 'Q';
    send(WM_KEYDOWN, VK_CONTROL);
    send(WM_KEYDOWN, 'Q');
    send(WM_KEYUP, VK_CONTROL);
    send(WM_KEYDOWN, 'W');
    ASSERT_EQ(host.previews.size(), 3u);
    EXPECT_TRUE(host.previews[1].ctrl);
    EXPECT_FALSE(host.previews[2].ctrl);
    EXPECT_EQ(queuedIds(), (std::vector<uint32_t>{WM_KEYDOWN, WM_KEYUP, WM_KEYDOWN}));
}

TEST_F(InputQueueTest, CtrlAltDSwitchesTheDeveloperKeys)
{
    send(WM_KEYDOWN, VK_F10);
    send(WM_KEYDOWN, VK_CONTROL);
    send(WM_KEYDOWN, VK_MENU);
    send(WM_KEYDOWN, 'D');
    send(WM_KEYDOWN, VK_F10);
    send(WM_KEYDOWN, VK_F3);
    EXPECT_EQ(processAll(), (Calls{"KeyDown 121", "KeyDown 17", "KeyDown 18", "DebugKey 68", "KeyDown 68",
                                   "DebugKey 121", "DebugKey 114", "KeyDown 114"}));
    EXPECT_TRUE(queue.mDebugKeysEnabled);
}

TEST_F(InputQueueTest, ClicksBecomeClickCodesAndTheCaptureFollowsTheButtons)
{
    send(WM_LBUTTONDOWN, MK_LBUTTON, makeLParam(100, 60));
    send(WM_RBUTTONDOWN, MK_LBUTTON | MK_RBUTTON, makeLParam(100, 60));
    send(WM_LBUTTONUP, MK_RBUTTON, makeLParam(100, 60));
    send(WM_RBUTTONUP, 0, makeLParam(100, 60));
    send(WM_LBUTTONDBLCLK, MK_LBUTTON, makeLParam(-4, 2));
    send(WM_RBUTTONDBLCLK, MK_RBUTTON, makeLParam(0, 0));
    send(WM_MBUTTONDOWN, MK_MBUTTON, makeLParam(0, 0));
    send(WM_MBUTTONUP, 0, makeLParam(0, 0));
    send(WM_MOUSEWHEEL, static_cast<uintptr_t>(makeLParam(0, -240)), 0);
    EXPECT_EQ(processAll(),
              (Calls{"Move 50,30", "ApplyCursor",   "Capture",     "Down 50,30 1", "Move 50,30",
                     "Capture",    "Down 50,30 -1", "Move 50,30",  "Up 1",         "Move 50,30",
                     "Release",    "Up -1",         "Move -2,1",   "Capture",      "Down -2,1 2",
                     "Move 0,0",   "Capture",       "Down 0,0 -2", "Move 0,0",     "Capture",
                     "Down 0,0 3", "Move 0,0",      "Release",     "Up 3",         "Wheel -2"}));
}

TEST_F(InputQueueTest, TimerTracksTheMouseEnteringAndLeaving)
{
    host.mouseOver = false;
    queue.mMouseInside = true;
    send(WM_TIMER, 100);
    EXPECT_EQ(processAll(), (Calls{"Leave", "ApplyCursor"}));
    clock.advance(10);
    send(WM_TIMER, 100);
    EXPECT_EQ(processAll(), Calls{});
    EXPECT_EQ(queue.mLastTimerTick, clock.tickCount());
    send(WM_KEYDOWN, 'A');
    processAll();
    EXPECT_EQ(queue.mLastInputTime, clock.tickCount());
}

TEST_F(InputQueueTest, PlaybackKeysGoToTheDemoAndLiveInputIsOnlyRecorded)
{
    host.playing = true;
    send(WM_CHAR, '+');
    send(WM_KEYDOWN, VK_F3);
    send(WM_LBUTTONDOWN, MK_LBUTTON, 0);
    EXPECT_EQ(host.calls, (Calls{"Playback +", "DebugKey 114"}));
    EXPECT_EQ(processAll(), Calls{});
    host.playing = false;
    host.recording = true;
    send(WM_CHAR, 'a');
    send(WM_CLOSE);
    processAll();
    ASSERT_EQ(host.recorded.size(), 2u);
    EXPECT_EQ(host.recorded[0], (Message{kMain, WM_CHAR, 'a', 0}));
}

TEST_F(InputQueueTest, SystemDialogLeavesMessagesUnqueuedAndWindowMovesAreRemembered)
{
    host.systemDialogUp = true;
    send(WM_KEYDOWN, 'A');
    EXPECT_TRUE(queue.Queue().empty());
    host.systemDialogUp = false;
    send(WM_MOVE, 0, makeLParam(120, 80));
    processAll();
    EXPECT_EQ(queue.mPreferredWindowX, 120);
    EXPECT_EQ(queue.mPreferredWindowY, 80);
    send(WM_INSTANCE_NOTIFY, 0, 0);
    send(WM_INSTANCE_NOTIFY, 1, 0);
    EXPECT_EQ(host.calls, Calls{"ToFront"});
}

} // namespace
