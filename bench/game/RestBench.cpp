// What a screen at rest costs the processor and the memory, on the real run
// loop and the real window (under $DISPLAY when there is one, else SDL's
// dummy video driver), in a window or, with --fullscreen, full screen. The game is walked there the way play
// goes, on the game harness's fake clock: the main menu, then Play, the level map and its first open scene.
// Each screen is then left to run on the real clock for a few seconds while the bench reads the processor
// time of the whole process against the wall time, the frames drawn and shown, and the resident memory
// (VmRSS, VmHWM). Three screens: the main menu at rest (its clouds and smoke
// move), the scene at rest, and the scene with the pointer moving over it.
//
// Peer: the same screen in the same run with every drawn frame shown whole,
// as if nothing were known of the frame shown before (the window hears that
// its picture was lost once per drawn frame, and nothing else of it).
//
// With --levels N the scripted player first plays the game (drawing off,
// on the fake clock: hours of play in minutes) until level N is open, and the
// scene's figures are taken after that; the memory then stands for a long
// session. Usage: rest_bench [--seconds S] [--levels N] [--fullscreen]
//
// A window pauses once the desktop has been idle past its screen saver's
// time-out, as the game does for a player who left: on a display nobody
// touches, switch the screen saver off first (xset s off, or Xvfb -s 0).

#include "bench/ResidentMemory.h"
#include "framework/display/DDInterface.h"
#include "framework/graphics/DDImage.h"
#include "framework/widgets/TreeFlags.h"
#include "framework/widgets/WidgetManager.h"
#include "game/frontend/MainMenu.h"
#include "game/frontend/SceneScreenMakers.h"
#include "game/play/map/MapScreen.h"
#include "game/play/screen/GameFrame.h"
#include "game/shell/CustomDialog.h"
#include "platform/Clock.h"
#include "platform/Environment.h"
#include "platform/HeapRelease.h"
#include "platform/Window.h"
#include "tests/game/fullrun/FullRunPlayer.h"
#include "tests/game/support/MenuSteps.h"

#include <SDL.h>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <malloc.h>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace
{

using gameharness::GameHarness;

// Real time that carries on from where the fake clock stood, so that nothing
// the game timed so far sees time run backwards.
class RealClockFrom : public platform::Clock
{
public:
    explicit RealClockFrom(platform::FakeClock& fake) : mBase(uint64_t(fake.counter())) {}

    uint32_t tickCount() override { return uint32_t(Microseconds() / 1000); }
    int64_t counter() override { return int64_t(Microseconds()); }
    int64_t counterFrequency() override { return 1000000; }
    void sleep(uint32_t milliseconds) override
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    }
    uint64_t Elapsed() const
    {
        return uint64_t(
            std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - mStart)
                .count());
    }

private:
    uint64_t Microseconds() const { return mBase + Elapsed(); }

    uint64_t mBase;
    std::chrono::steady_clock::time_point mStart = std::chrono::steady_clock::now();
};

double ProcessSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

// VmRSS and VmHWM in MB.
std::pair<double, double> Resident()
{
    const auto resident = bench::ReadResidentMemory("/proc/self/status").value_or(bench::ResidentMemory{});
    return {resident.rss, resident.hwm};
}

struct Figures
{
    double corePercent = 0;
    double drawnPerSecond = 0;
    double shownPerSecond = 0;
    double pixelsPerFrame = 0;
    double rss = 0;
    double hwm = 0;
};

enum class Showing
{
    // As the game runs.
    Changes,
    // Every drawn frame shown whole.
    Whole,
};

// Runs the real loop on the real clock for `seconds`; `each` runs before every pass.
Figures RunFor(GameHarness& game, double seconds, Showing showing, const std::function<void(double)>& each)
{
    SharkInterface& app = game.App();
    platform::Window& window = *app.mMainWindow;
    RealClockFrom clock(game.Clock());
    platform::setClock(&clock);
    // The clock jumped: the loop's catch-up starts from now.
    app.mMainLoop.ResetUpdateTimer();
    const int drawnBefore = app.mMainLoop.mDrawCount;
    const platform::PresentCounts before = window.presentCounts();
    const double cpuBefore = ProcessSeconds();
    int drawnSeen = drawnBefore;
    double elapsed = 0;
    while (elapsed < seconds && !game.IsShutDown())
    {
        elapsed = double(clock.Elapsed()) / 1e6;
        if (each)
            each(elapsed);
        if (showing == Showing::Whole && app.mMainLoop.mDrawCount != drawnSeen)
        {
            drawnSeen = app.mMainLoop.mDrawCount;
            SDL_Event e{};
            e.type = SDL_WINDOWEVENT;
            e.window.windowID = window.id();
            e.window.event = SDL_WINDOWEVENT_EXPOSED;
            SDL_PushEvent(&e);
            // The window has seen it; the game need not repaint on its own account.
            SDL_FlushEvent(SDL_WINDOWEVENT);
        }
        app.RunLoopStep();
    }
    const double cpu = ProcessSeconds() - cpuBefore;
    const platform::PresentCounts after = window.presentCounts();
    const uint64_t passed = clock.Elapsed();
    platform::setClock(&game.Clock());
    game.Clock().advanceMicroseconds(passed);
    app.mMainLoop.ResetUpdateTimer();

    Figures figures;
    figures.corePercent = 100 * cpu / elapsed;
    figures.drawnPerSecond = (app.mMainLoop.mDrawCount - drawnBefore) / elapsed;
    figures.shownPerSecond = double(after.shown - before.shown) / elapsed;
    const uint64_t frames = after.shown - before.shown + after.unchanged - before.unchanged;
    figures.pixelsPerFrame = frames > 0 ? double(after.pixels - before.pixels) / double(frames) : 0;
    std::tie(figures.rss, figures.hwm) = Resident();
    return figures;
}

void PrintHeader()
{
    std::printf("%-24s %-14s %8s %8s %8s %12s %8s %8s\n", "screen", "frames", "% core", "drawn/s", "shown/s",
                "px/frame", "RSS MB", "HWM MB");
}

void PrintRow(const std::string& screen, const char* showing, const Figures& f)
{
    std::printf("%-24s %-14s %8.1f %8.1f %8.1f %12.0f %8.1f %8.1f\n", screen.c_str(), showing, f.corePercent,
                f.drawnPerSecond, f.shownPerSecond, f.pixelsPerFrame, f.rss, f.hwm);
    std::fflush(stdout);
}

void Measure(GameHarness& game, const std::string& screen, double seconds,
             const std::function<void(double)>& each = {})
{
    PrintRow(screen, "as shipped", RunFor(game, seconds, Showing::Changes, each));
    PrintRow(screen, "peer: whole", RunFor(game, seconds, Showing::Whole, each));
}

// Out of the scripted player's way once it has reached the screen it wanted.
bool SceneAtRest(GameHarness& game)
{
    GameFrame* frame = game.Top<GameFrame>();
    return frame != nullptr && frame->mPlayfield != nullptr && !frame->IsAnimating();
}

MapScreen* Map(GameHarness& game)
{
    return game.Top<MapScreen>();
}

bool IntoScene(GameHarness& game, fullrun::FullRunPlayer& player)
{
    if (!player.PlayUntil([&] { return SceneAtRest(game); }, 100000))
        return false;
    // Whatever opens over the scene in its first seconds (a tutorial, say) is closed.
    for (int i = 0; i < 500; ++i)
    {
        if (SceneAtRest(game))
            game.Update();
        else
            player.Step();
    }
    return SceneAtRest(game);
}

constexpr double kMB = 1048576.0;

// Resident kilobytes of the process's mappings, by what they hold: the main
// heap, anonymous memory (the other threads' heaps, large blocks, stacks),
// shared memory (the window's pixels shared with the X server) and files by name.
std::map<std::string, double> ResidentByMapping()
{
    std::ifstream smaps("/proc/self/smaps");
    std::map<std::string, double> kilobytes;
    std::string line, current;
    while (std::getline(smaps, line))
    {
        std::istringstream fields(line);
        std::string first;
        fields >> first;
        if (first.find('-') != std::string::npos && first.back() != ':')
        {
            std::string perms, offset, device, inode, path;
            fields >> perms >> offset >> device >> inode;
            std::getline(fields >> std::ws, path);
            if (path.empty())
                current = "anonymous";
            else if (path == "[heap]" || path == "[stack]")
                current = path;
            else if (path.find("SYSV") != std::string::npos || path.rfind("/dev/shm", 0) == 0 ||
                     path.find("memfd:") != std::string::npos)
                current = "shared memory";
            else if (path[0] == '[')
                current = "other";
            else
                current = std::filesystem::path(path).filename().string();
        }
        else if (first == "Rss:")
        {
            double value = 0;
            fields >> value;
            kilobytes[current] += value;
        }
    }
    return kilobytes;
}

// What the display's images hold: their 32-bit pixels, the caches the
// software blitters make from them, and their display surfaces.
void PrintPictures(SharkInterface& app)
{
    double bits = 0, caches = 0, surfaces = 0;
    int count = 0;
    for (Quib::DDImage* image : app.mDDInterface->mDDImageSet)
    {
        ++count;
        const double pixels = double(image->GetWidth()) * image->GetHeight();
        if (image->mBits)
            bits += pixels * 4;
        if (image->mIndices)
            bits += pixels + 1024;
        if (image->mNativeAlphaData)
            caches += image->mPalette ? 1024 : pixels * 4;
        if (image->mRLAlphaData)
            caches += pixels;
        if (image->mRLAdditiveData)
            caches += pixels;
        if (image->mSurface)
            surfaces += double(image->mSurface->Width()) * image->mSurface->Height() *
                        image->mSurface->Format().BytesPerPixel();
    }
    std::printf("  pictures: %d images, pixels %.1f MB, blitter caches %.1f MB, surfaces %.1f MB\n", count,
                bits / kMB, caches / kMB, surfaces / kMB);
}

void PrintMemory(SharkInterface& app, const char* when)
{
    const auto [rss, hwm] = Resident();
    std::printf("memory %s: RSS %.1f MB, HWM %.1f MB\n", when, rss, hwm);
    const struct mallinfo2 heap = mallinfo2();
    std::printf("  allocator: in use %.1f MB, free in its arenas %.1f MB, main arena %.1f MB, large blocks "
                "%.1f MB\n",
                double(heap.uordblks) / kMB, double(heap.fordblks) / kMB, double(heap.arena) / kMB,
                double(heap.hblkhd) / kMB);
    PrintPictures(app);
    std::vector<std::pair<double, std::string>> mappings;
    for (const auto& [name, kilobytes] : ResidentByMapping())
        mappings.emplace_back(kilobytes / 1024, name);
    std::sort(mappings.rbegin(), mappings.rend());
    std::printf("  resident by mapping (MB):");
    for (size_t i = 0; i < mappings.size() && i < 12; ++i)
        std::printf("%s %s %.1f", i == 0 ? "" : ",", mappings[i].second.c_str(), mappings[i].first);
    std::printf("\n");
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    double seconds = 5;
    int levels = 0;
    bool fullScreen = false;
    for (int i = 1; i < argc; ++i)
    {
        if (std::strcmp(argv[i], "--seconds") == 0 && i + 1 < argc)
            seconds = std::atof(argv[++i]);
        else if (std::strcmp(argv[i], "--levels") == 0 && i + 1 < argc)
            levels = std::atoi(argv[++i]);
        else if (std::strcmp(argv[i], "--fullscreen") == 0)
            fullScreen = true;
        else
        {
            std::fprintf(stderr, "usage: rest_bench [--seconds S] [--levels N] [--fullscreen]\n");
            return 2;
        }
    }
    if (!platform::getEnv("DISPLAY"))
        platform::setEnv("SDL_VIDEODRIVER", "dummy");
    platform::setEnv("SDL_AUDIODRIVER", "dummy");
    platform::setEnv("ORVELLAN_TEST", "1");

    auto game = std::make_unique<GameHarness>();
    RegisterFrontEndSceneScreens();
    MainMenu* menu = gameharness::ReachMainMenu(*game, "Tess");
    if (menu == nullptr)
    {
        std::fprintf(stderr, "rest_bench: the main menu was not reached\n");
        return 1;
    }
    SharkInterface& app = game->App();
    if (app.mMainWindow->isFullScreen() != fullScreen)
        app.SwitchScreenMode(!fullScreen, app.Is3DEnabled(), true);
    game->RegainFocus();
    game->Update(100);
    const platform::WindowRect shown = app.mMainWindow->presentationRect();
    std::printf("video driver %s, %s, picture %dx%d at (%d, %d), %s path, %.0f s per row\n",
                SDL_GetCurrentVideoDriver(), app.mMainWindow->isFullScreen() ? "full screen" : "window",
                shown.width, shown.height, shown.x, shown.y, app.Is3DEnabled() ? "hardware" : "software",
                seconds);
    PrintHeader();
    Measure(*game, "main menu at rest", seconds);
    PrintMemory(app, "at the main menu");

    fullrun::FullRunPlayer player(*game);
    gameharness::ClickOn(*game, *menu->mPlayButton);
    const bool mapReached = game->RunUntil(
        [&]
        {
            if (auto* question = game->Top<CustomDialog>(); question != nullptr &&
                                                            question->mDialogId == MainMenu::DIALOG_RESUME &&
                                                            !question->IsAnimating())
                gameharness::AnswerDialog(*game, *question, true);
            return Map(*game) != nullptr;
        },
        2000);
    if (levels > 0)
    {
        game->StopDrawing();
        player.PlayUntil([&] { return Map(*game) != nullptr && Map(*game)->mLevel >= levels; }, 100000000);
        app.mWidgetManager->mWidgetFlags |= Quib::TREE_DRAW;
        app.mMainLoop.mEarliestNextPresent = platform::tickCount();
        app.MarkAllDirty();
    }
    if (!mapReached || !IntoScene(*game, player))
    {
        std::fprintf(stderr, "rest_bench: no scene was reached (%s)\n", player.Describe().c_str());
        return 1;
    }
    Measure(*game, "scene at rest", seconds);
    Measure(*game, "scene, pointer moving", seconds,
            [&](double at)
            {
                static int lastStep = -1;
                const int step = int(at * 125);
                if (step == lastStep)
                    return;
                lastStep = step;
                game->MoveMouse(400 + int(300 * std::cos(at * 1.3)), 300 + int(200 * std::sin(at * 1.7)));
            });
    PrintMemory(app, "in the scene");
    const auto start = std::chrono::steady_clock::now();
    platform::releaseFreeHeap();
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    std::printf("releasing the free heap took %.2f ms; RSS then %.1f MB\n", took.count(), Resident().first);
    game.reset();
    return 0;
}
