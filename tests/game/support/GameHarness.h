#pragma once

// A headless game for flow tests: the real SharkInterface under SDL's dummy
// drivers, on the generated content pack, with a fake clock that only the run
// loop's own waits advance, a temporary data folder, a loading thread that
// waits for the test, scripted mouse and keys, and a look at the game-state
// stack and the screen image.
//
//   gameharness::GameHarness game;         // nothing started yet
//   game.Boot();                           // SharkInterface::Init; the title shows
//   game.Update(50);                       // fifty logic updates (10 ms of fake time each)
//   game.FinishLoading();                  // the loading thread loads "GameResources" now
//   game.RunUntil([&] { return game.Top<IntroScreen>() != nullptr; }, 2000);
//   game.Click(400, 300);                  // screen coordinates of the 800 x 600 image
//   game.PressKey(SDLK_SPACE);
//   EXPECT_EQ(game.Pixel(10, 10), 0xFF000000u);
//
// Loading: Boot starts the loading thread, but it waits at its start until
// ReleaseLoading or FinishLoading (which also waits for it to end), so a test
// decides whether loading ends before or after anything else it scripts.
// Time: the game clock, timers and stopwatches all read the fake clock; an
// update advances it by the run loop's frame (10 ms). Nothing waits on real time.
// Input goes through SDL's event queue, the platform's message pump and the
// framework's input queue, as a player's would; it is handled by the next Update.
// Fatal start-up errors end the process: test them inside EXPECT_EXIT. Error
// boxes are recorded (Messages) and also written to stderr as "[caption] text".
// One harness at a time per process: the application is a singleton.

#include "framework/widgets/WidgetManager.h"
#include "game/shell/GameStateStack.h"
#include "game/shell/SharkInterface.h"
#include "platform/Clock.h"
#include "platform/MessageBox.h"

#include <SDL.h>
#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace gameharness
{

// The game with a gate at the start of its background load.
class HarnessApp : public SharkInterface
{
public:
    void RunLoadingThread() override;
    void OpenLoadingGate();

private:
    std::mutex mGateLock;
    std::condition_variable mGateChanged;
    bool mGateOpen = false;
};

struct HarnessOptions
{
    // The folder the game runs in (the generated pack, or a variant of it).
    std::string packFolder = ORVELLAN_CONTENT_PACK_DIR;
    // The per-user data folder ($APPDATA): the caller's folder, kept after the
    // harness, so that a second start finds what the first one saved; empty
    // for a fresh temporary folder that goes with the harness.
    std::string dataFolder;
};

class GameHarness
{
public:
    explicit GameHarness(HarnessOptions options = {});
    ~GameHarness();
    GameHarness(const GameHarness&) = delete;
    GameHarness& operator=(const GameHarness&) = delete;

    // Init, the window shown, the run loop entered and the (held) loading thread started.
    void Boot();
    void ReleaseLoading();
    // Releases the loading thread and returns once it has ended.
    void FinishLoading();
    // From now on the run loop neither draws the widgets nor presents frames,
    // which is nearly all of an update's cost: for long runs that look at no
    // picture. The updates, input and timing go on as before.
    void StopDrawing();

    // Runs the run loop until `count` more logic updates have run; false once the program has shut down.
    bool Update(int count = 1);
    // Updates until `done` holds (true) or `maxUpdates` have run or the program shut down (false).
    bool RunUntil(const std::function<bool()>& done, int maxUpdates);

    // Input, in the 800 x 600 screen's coordinates.
    void MoveMouse(int x, int y);
    void Click(int x, int y, bool right = false);
    // A button held and let go apart, with moves between them for a drag.
    void PressMouse(int x, int y, bool right = false);
    void ReleaseMouse(int x, int y, bool right = false);
    void PressKey(SDL_Keycode key);
    // Alt+Enter, the switch between window and full screen.
    void PressAltEnter();
    // Typed text as the window's text input delivers it, in UTF-8.
    void TypeText(const std::string& utf8);
    void LoseFocus();
    void RegainFocus();
    // The window's close box.
    void RequestClose();

    SharkInterface& App() { return *mApp; }
    platform::FakeClock& Clock() { return mClock; }
    const std::string& DataFolder() const { return mDataFolder; }
    bool IsShutDown() const { return mApp->IsShuttingDown(); }

    const std::vector<GameStateInterface*>& States() const;
    template <class T> T* Top() const
    {
        return dynamic_cast<T*>(mApp->mGameStates ? mApp->mGameStates->Top() : nullptr);
    }
    // The first widget of class T straight below the widget manager: a screen
    // of the stack, or what stands beside them, such as the loading overlay.
    template <class T> T* Shown() const
    {
        for (Quib::Widget* child : mApp->mWidgetManager->GetChildren())
            if (auto* widget = dynamic_cast<T*>(child))
                return widget;
        return nullptr;
    }
    // The screen image's pixel as 0xAARRGGBB.
    uint32_t Pixel(int x, int y);
    // Writes the screen image as a PNG file; false when there is none or it cannot be written.
    bool SaveScreen(const std::string& file);
    // Texts of the error and message boxes shown so far.
    const std::vector<std::string>& Messages() const { return mMessages; }
    // False once a box was asked for on another thread than the test's.
    bool MessagesShownOnTheMainThread() const { return !mMessageOffMainThread; }

private:
    void PushWindowEvent(SDL_WindowEventID event);
    void PushMouseButton(int x, int y, bool right, bool down);
    void PushKey(SDL_Keycode key, bool down, uint16_t modifiers);
    // The point in the window's client area that shows the screen point.
    std::pair<int, int> ClientPoint(int x, int y) const;

    HarnessOptions mOptions;
    platform::FakeClock mClock{1000000000};
    platform::ScopedClock mScopedClock{mClock};
    std::string mDataFolder;
    std::string mPreviousFolder;
    std::vector<std::string> mMessages;
    std::thread::id mMainThread = std::this_thread::get_id();
    std::atomic<bool> mMessageOffMainThread{false};
    platform::ScopedMessageBoxHook mMessageHook;
    HarnessApp* mApp = nullptr;
};

} // namespace gameharness
