// Start-up of the real game as a player starts it: the program is executed on
// the caller's X display (DISPLAY must be set) with a fresh data folder, and
// timed from exec to the title's first frame on the screen (the first pixel at
// the centre of the screen that is not black) and to the end of loading (the
// loading thread's "Resource Loading Time" line). Set SDL_RENDER_DRIVER=software
// to time the software path. Goals: first frame within 300 ms, loading within 700 ms.

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <benchmark/benchmark.h>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace
{

using Clock = std::chrono::steady_clock;

constexpr double kGiveUpSeconds = 30.0;

double Since(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Whether anything but black shows in the middle of the screen.
bool SomethingShown(Display* display)
{
    const int width = DisplayWidth(display, DefaultScreen(display));
    const int height = DisplayHeight(display, DefaultScreen(display));
    constexpr int kSide = 64;
    XImage* image = XGetImage(display, DefaultRootWindow(display), width / 2 - kSide / 2, height / 3, kSide,
                              kSide, AllPlanes, ZPixmap);
    if (image == nullptr)
        return false;
    bool shown = false;
    for (int y = 0; y < kSide && !shown; ++y)
        for (int x = 0; x < kSide && !shown; ++x)
            shown = (XGetPixel(image, x, y) & 0xFFFFFF) != 0;
    XDestroyImage(image);
    return shown;
}

struct Launch
{
    double firstFrameMs = -1;
    double loadedMs = -1;
};

Launch Run(Display* display)
{
    Launch launch;
    const std::string data =
        std::filesystem::temp_directory_path() / ("orvellan-startup-" + std::to_string(getpid()));
    std::filesystem::remove_all(data);
    std::filesystem::create_directories(data);
    int out[2];
    if (pipe(out) != 0)
        return launch;
    const Clock::time_point start = Clock::now();
    const pid_t child = fork();
    if (child == 0)
    {
        dup2(out[1], STDOUT_FILENO);
        dup2(out[1], STDERR_FILENO);
        close(out[0]);
        setenv("XDG_DATA_HOME", data.c_str(), 1);
        setenv("XDG_CONFIG_HOME", data.c_str(), 1);
        setenv("XDG_RUNTIME_DIR", data.c_str(), 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        execl(ORVELLAN_GAME, ORVELLAN_GAME, static_cast<char*>(nullptr));
        _exit(127);
    }
    close(out[1]);
    fcntl(out[0], F_SETFL, O_NONBLOCK);
    std::string output;
    while (Since(start) < kGiveUpSeconds * 1000 && (launch.firstFrameMs < 0 || launch.loadedMs < 0))
    {
        if (launch.firstFrameMs < 0 && SomethingShown(display))
            launch.firstFrameMs = Since(start);
        char buffer[512];
        const ssize_t got = read(out[0], buffer, sizeof buffer);
        if (got > 0)
        {
            output.append(buffer, size_t(got));
            if (launch.loadedMs < 0 && output.find("Resource Loading Time") != std::string::npos)
                launch.loadedMs = Since(start);
        }
        usleep(1000);
    }
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    close(out[0]);
    std::filesystem::remove_all(data);
    // The screen goes back to black before the next start.
    while (SomethingShown(display) && Since(start) < kGiveUpSeconds * 2000)
        usleep(5000);
    return launch;
}

void BM_ExecToTitle(benchmark::State& state)
{
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr)
    {
        state.SkipWithError("no X display (set DISPLAY)");
        return;
    }
    if (SomethingShown(display))
    {
        state.SkipWithError("the middle of the screen is not black before the start");
        XCloseDisplay(display);
        return;
    }
    Launch launch;
    for (auto _ : state)
    {
        launch = Run(display);
        state.SetIterationTime(launch.firstFrameMs / 1000.0);
    }
    XCloseDisplay(display);
    if (launch.firstFrameMs < 0 || launch.loadedMs < 0)
        state.SkipWithError("the title or the end of loading was not seen");
    state.counters["first_frame_ms"] = launch.firstFrameMs;
    state.counters["loaded_ms"] = launch.loadedMs;
}
BENCHMARK(BM_ExecToTitle)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5);

} // namespace

BENCHMARK_MAIN();
