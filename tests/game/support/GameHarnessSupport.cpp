#include "framework/graphics/MemoryImage.h"
#include "framework/resources/ImageLib.h"
#include "framework/widgets/WidgetManager.h"
#include "game/frontend/StartScreenMakers.h"
#include "game/records/LevelMapTable.h"
#include "game/shell/GameClock.h"
#include "game/shell/StringTable.h"
#include "platform/Environment.h"
#include "platform/Files.h"
#include "platform/MessagePump.h"
#include "platform/Window.h"
#include "tests/game/support/GameHarness.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <unistd.h>

namespace gameharness
{

namespace
{

std::string MakeTemporaryFolder()
{
    static int counter = 0;
    const auto folder = std::filesystem::temp_directory_path() /
                        ("orvellan-game-" + std::to_string(getpid()) + "-" + std::to_string(++counter));
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder.string();
}

} // namespace

void HarnessApp::RunLoadingThread()
{
    {
        std::unique_lock lock(mGateLock);
        mGateChanged.wait(lock, [this] { return mGateOpen; });
    }
    SharkInterface::RunLoadingThread();
}

void HarnessApp::OpenLoadingGate()
{
    {
        std::lock_guard lock(mGateLock);
        mGateOpen = true;
    }
    mGateChanged.notify_all();
}

GameHarness::GameHarness(HarnessOptions options)
    : mOptions(std::move(options)),
      mDataFolder(mOptions.dataFolder.empty() ? MakeTemporaryFolder() : mOptions.dataFolder),
      mPreviousFolder(platform::currentDirectory()),
      mMessageHook(
          [this](const platform::MessageBoxRequest& request)
          {
              mMessages.push_back(request.text);
              if (std::this_thread::get_id() != mMainThread)
                  mMessageOffMainThread = true;
              std::fprintf(stderr, "[%s] %s\n", request.caption.c_str(), request.text.c_str());
              std::fflush(stderr);
              return platform::defaultMessageBoxAnswer(request.flags);
          })
{
    platform::setEnv("APPDATA", mDataFolder);
    platform::resetMessagePump();
    mApp = new HarnessApp();
    mApp->mStartScreens = FrontEndStartScreens();
    // Test processes run side by side.
    mApp->mOnlyAllowOneCopyToRun = false;
    mApp->mCommandLine.mProgramFolder = mOptions.packFolder;
}

GameHarness::~GameHarness()
{
    mApp->OpenLoadingGate();
    if (!mApp->IsShuttingDown())
        mApp->Quit(true);
    mApp->mMainLoop.FlushDeferredDeletes();
    mApp->mInRunLoop = false;
    mApp->WaitForBackgroundLoad();
    delete mApp;
    GameClock::DeleteInstance();
    StringTable::DeleteInstance();
    LevelMapTable::Destroy();
    platform::changeDirectory(mPreviousFolder);
    platform::setEnv("APPDATA", "");
    if (mOptions.dataFolder.empty())
    {
        std::error_code ignored;
        std::filesystem::remove_all(mDataFolder, ignored);
    }
}

void GameHarness::Boot()
{
    mApp->Init();
    mApp->mMainWindow->show(true);
    mApp->mInRunLoop = true;
    mApp->StartLoadingThread();
}

void GameHarness::ReleaseLoading()
{
    mApp->OpenLoadingGate();
}

void GameHarness::FinishLoading()
{
    ReleaseLoading();
    mApp->WaitForBackgroundLoad();
}

void GameHarness::StopDrawing()
{
    mApp->mWidgetManager->mWidgetFlags &= ~Quib::TREE_DRAW;
    // A frame is presented only once the clock has reached this, which the
    // fake clock will not within any run: half its range ahead.
    mApp->mMainLoop.mEarliestNextPresent = platform::tickCount() + 0x7FFFFFFFu;
}

bool GameHarness::Update(int count)
{
    // Update steps, not the counted updates: out of focus the game's step
    // returns before it counts.
    const int target = mApp->mMainLoop.mUpdateStepsRun + count;
    while (mApp->mMainLoop.mUpdateStepsRun < target)
    {
        if (mApp->IsShuttingDown())
            return false;
        mApp->RunLoopStep();
    }
    return !mApp->IsShuttingDown();
}

bool GameHarness::RunUntil(const std::function<bool()>& done, int maxUpdates)
{
    for (int i = 0; i < maxUpdates; ++i)
    {
        if (done())
            return true;
        if (!Update())
            return done();
    }
    return done();
}

const std::vector<GameStateInterface*>& GameHarness::States() const
{
    static const std::vector<GameStateInterface*> none;
    return mApp->mGameStates ? mApp->mGameStates->mStates : none;
}

uint32_t GameHarness::Pixel(int x, int y)
{
    auto* image = dynamic_cast<Quib::MemoryImage*>(mApp->mWidgetManager->mDrawImage);
    if (image == nullptr || x < 0 || y < 0 || x >= image->GetWidth() || y >= image->GetHeight())
        return 0;
    return image->GetBits()[size_t(y) * size_t(image->GetWidth()) + size_t(x)];
}

bool GameHarness::SaveScreen(const std::string& file)
{
    auto* screen = dynamic_cast<Quib::MemoryImage*>(mApp->mWidgetManager->mDrawImage);
    // Drawn through the hardware path, the frame has no bits to read here.
    if (screen == nullptr || screen->GetBits() == nullptr)
        return false;
    ImageLib::Image image(screen->GetWidth(), screen->GetHeight());
    std::copy_n(screen->GetBits(), size_t(screen->GetWidth()) * size_t(screen->GetHeight()),
                image.mBits.begin());
    return ImageLib::SavePngFile(file, image);
}

std::pair<int, int> GameHarness::ClientPoint(int x, int y) const
{
    const platform::WindowRect shown = mApp->mMainWindow->presentationRect();
    return {shown.x + (2 * x + 1) * shown.width / (2 * mApp->mWidth),
            shown.y + (2 * y + 1) * shown.height / (2 * mApp->mHeight)};
}

void GameHarness::MoveMouse(int x, int y)
{
    const auto [cx, cy] = ClientPoint(x, y);
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.windowID = mApp->MainWindowId();
    e.motion.x = cx;
    e.motion.y = cy;
    SDL_PushEvent(&e);
}

void GameHarness::Click(int x, int y, bool right)
{
    MoveMouse(x, y);
    PressMouse(x, y, right);
    ReleaseMouse(x, y, right);
}

void GameHarness::PressMouse(int x, int y, bool right)
{
    PushMouseButton(x, y, right, true);
}

void GameHarness::ReleaseMouse(int x, int y, bool right)
{
    PushMouseButton(x, y, right, false);
}

void GameHarness::PushMouseButton(int x, int y, bool right, bool down)
{
    const auto [cx, cy] = ClientPoint(x, y);
    SDL_Event e{};
    e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    e.button.windowID = mApp->MainWindowId();
    e.button.button = uint8_t(right ? SDL_BUTTON_RIGHT : SDL_BUTTON_LEFT);
    e.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.button.clicks = 1;
    e.button.x = cx;
    e.button.y = cy;
    SDL_PushEvent(&e);
}

void GameHarness::PressKey(SDL_Keycode key)
{
    PushKey(key, true, KMOD_NONE);
    PushKey(key, false, KMOD_NONE);
}

void GameHarness::PressAltEnter()
{
    PushKey(SDLK_LALT, true, KMOD_LALT);
    PushKey(SDLK_RETURN, true, KMOD_LALT);
    PushKey(SDLK_RETURN, false, KMOD_LALT);
    PushKey(SDLK_LALT, false, KMOD_NONE);
}

void GameHarness::PushKey(SDL_Keycode key, bool down, uint16_t modifiers)
{
    SDL_Event e{};
    e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    e.key.windowID = mApp->MainWindowId();
    e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.key.keysym.sym = key;
    e.key.keysym.scancode = SDL_GetScancodeFromKey(key);
    e.key.keysym.mod = modifiers;
    SDL_PushEvent(&e);
}

void GameHarness::TypeText(const std::string& utf8)
{
    SDL_Event e{};
    e.type = SDL_TEXTINPUT;
    e.text.windowID = mApp->MainWindowId();
    const size_t length = std::min(utf8.size(), sizeof e.text.text - 1);
    std::copy_n(utf8.begin(), length, e.text.text);
    SDL_PushEvent(&e);
}

void GameHarness::PushWindowEvent(SDL_WindowEventID event)
{
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.windowID = mApp->MainWindowId();
    e.window.event = uint8_t(event);
    SDL_PushEvent(&e);
}

void GameHarness::LoseFocus()
{
    PushWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
}

void GameHarness::RegainFocus()
{
    PushWindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED);
}

void GameHarness::RequestClose()
{
    PushWindowEvent(SDL_WINDOWEVENT_CLOSE);
}

} // namespace gameharness
