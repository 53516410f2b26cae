#include "framework/app/InputQueue.h"
#include "framework/app/WindowMessages.h"
#include "platform/Clock.h"
#include "platform/MessagePump.h"
#include "platform/SingleInstance.h"
#include "platform/Window.h"
#include "tests/framework/app/FakeWindowHost.h"

#include <SDL.h>
#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace Quib;

namespace
{

// Desktop events go all the way through the window, the message pump, the
// window procedure and the queue to the widget manager's handlers.
class InputPipelineTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(window.create("Pipeline", 800, 600, false));
        platform::resetMessagePump();
        gFakeMainWindow = window.id();
    }
    void key(SDL_Keycode sym, SDL_Scancode scan, uint16_t mod, bool down)
    {
        SDL_Event e{};
        e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
        e.key.windowID = window.id();
        e.key.keysym.sym = sym;
        e.key.keysym.scancode = scan;
        e.key.keysym.mod = mod;
        ASSERT_EQ(SDL_PushEvent(&e), 1);
    }
    std::vector<std::string> pumpAndProcess(platform::SingleInstance* instance = nullptr)
    {
        DispatchWindowMessages(queue, instance, [this] { return host.shuttingDown; });
        host.calls.clear();
        while (queue.ProcessQueuedMessage())
        {
        }
        return host.calls;
    }

    platform::FakeClock clock{3000000};
    platform::ScopedClock scoped{clock};
    platform::Window window;
    FakeWindowHost host;
    InputQueue queue{host};
};

TEST_F(InputPipelineTest, CtrlCReachesTheWidgetsAsCharacterThree)
{
    key(SDLK_LCTRL, SDL_SCANCODE_LCTRL, KMOD_LCTRL, true);
    key(SDLK_c, SDL_SCANCODE_C, KMOD_LCTRL, true);
    key(SDLK_c, SDL_SCANCODE_C, KMOD_LCTRL, false);
    key(SDLK_LCTRL, SDL_SCANCODE_LCTRL, 0, false);
    EXPECT_EQ(pumpAndProcess(),
              (std::vector<std::string>{"KeyDown 17", "KeyDown 67", "Char 3", "KeyUp 67", "KeyUp 17"}));
}

TEST_F(InputPipelineTest, AltF4AndTheWindowCloseEndInOneShutdown)
{
    key(SDLK_LALT, SDL_SCANCODE_LALT, KMOD_LALT, true);
    key(SDLK_F4, SDL_SCANCODE_F4, KMOD_LALT, true);
    SDL_Event close{};
    close.type = SDL_WINDOWEVENT;
    close.window.windowID = window.id();
    close.window.event = SDL_WINDOWEVENT_CLOSE;
    ASSERT_EQ(SDL_PushEvent(&close), 1);
    const auto calls = pumpAndProcess();
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "Shutdown"), 1);
    EXPECT_TRUE(queue.mWindowClosed);
}

// A stop request (SIGTERM, as a log-out sends) ends the session through the
// application instead of killing the process; the window's own close still
// goes the normal way.
TEST_F(InputPipelineTest, StopSignalEndsTheSessionOnce)
{
    host.calls.clear();
    DispatchWindowMessages(queue, nullptr, [this] { return host.shuttingDown; });
    ASSERT_TRUE(host.calls.empty());
    ASSERT_EQ(std::raise(SIGTERM), 0);
    ASSERT_EQ(std::raise(SIGTERM), 0);
    DispatchWindowMessages(queue, nullptr, [this] { return host.shuttingDown; });
    EXPECT_EQ(host.calls, std::vector<std::string>{"EndSession"});
    EXPECT_TRUE(queue.Queue().empty());
}

TEST_F(InputPipelineTest, FocusLossAndRegainReachTheHooks)
{
    const auto focus = [&](uint8_t event)
    {
        SDL_Event e{};
        e.type = SDL_WINDOWEVENT;
        e.window.windowID = window.id();
        e.window.event = event;
        EXPECT_EQ(SDL_PushEvent(&e), 1);
        return pumpAndProcess();
    };
    EXPECT_EQ(focus(SDL_WINDOWEVENT_FOCUS_LOST),
              (std::vector<std::string>{"Mute", "LostFocus", "OnDeactivated", "Release", "ReleaseButtons"}));
    EXPECT_EQ(focus(SDL_WINDOWEVENT_FOCUS_GAINED),
              (std::vector<std::string>{"Unmute", "GotFocus", "OnActivated"}));
}

TEST_F(InputPipelineTest, SecondCopyBringsTheWindowToTheFront)
{
    const auto folder =
        std::filesystem::temp_directory_path() / ("orvellan-pipeline-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    platform::SingleInstance first("Product", folder.string());
    ASSERT_TRUE(first.acquire());
    platform::SingleInstance second("Product", folder.string());
    ASSERT_FALSE(second.acquire());
    ASSERT_TRUE(second.notifyPrimary());
    host.calls.clear();
    DispatchWindowMessages(queue, &first, [] { return false; });
    EXPECT_EQ(host.calls, std::vector<std::string>{"ToFront"});
    host.calls.clear();
    DispatchWindowMessages(queue, &first, [] { return false; });
    EXPECT_TRUE(host.calls.empty());
    std::filesystem::remove_all(folder);
}

} // namespace
