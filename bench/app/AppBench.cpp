// The application's cost at rest and per frame, headless on SDL's dummy drivers.
// ORVELLAN_IDLE_SECONDS shortens the idle run (default 10 s).
#include "framework/app/QuibAppBase.h"
#include "framework/graphics/Graphics.h"
#include "framework/widgets/Widget.h"
#include "framework/widgets/WidgetManager.h"
#include "platform/Clock.h"
#include "platform/Environment.h"

#include <SDL.h>
#include <benchmark/benchmark.h>
#include <chrono>
#include <ctime>
#include <string>

namespace
{

class Backdrop : public Quib::Widget
{
public:
    void Draw(Quib::Graphics* g) override
    {
        g->SetColor(Quib::Color(40, 90, 160));
        g->FillRect(0, 0, mWidth, mHeight);
    }
};

class BenchApp : public Quib::QuibAppBase
{
public:
    BenchApp()
    {
        mWidth = 800;
        mHeight = 600;
        mFullScreenBitDepth = 32;
        mOnlyAllowOneCopyToRun = false;
        mUseRegistry = false;
    }
    ~BenchApp() override { mWidgetManager->RemoveChild(&mBackdrop); }
    void OnInitFinished() override
    {
        mBackdrop.Resize(0, 0, mWidth, mHeight);
        mWidgetManager->AddChild(&mBackdrop);
    }
    void UpdateStep() override
    {
        QuibAppBase::UpdateStep();
        if (!mCloseSent && platform::tickCount() - mStart >= mRunMs)
        {
            SDL_Event e{};
            e.type = SDL_WINDOWEVENT;
            e.window.windowID = MainWindowId();
            e.window.event = SDL_WINDOWEVENT_CLOSE;
            SDL_PushEvent(&e);
            mCloseSent = true;
        }
    }

    Backdrop mBackdrop;
    uint32_t mStart = 0;
    uint32_t mRunMs = 0;
    bool mCloseSent = false;
};

// A whole run with nothing changing on screen: the loop updates 100 times a
// second and waits for messages in between.
void BM_IdleRun(benchmark::State& state)
{
    const double seconds = std::stod(platform::getEnv("ORVELLAN_IDLE_SECONDS").value_or("10"));
    for (auto _ : state)
    {
        BenchApp app;
        app.Init();
        app.mRunMs = uint32_t(seconds * 1000);
        app.mStart = platform::tickCount();
        const std::clock_t cpuStart = std::clock();
        const auto wallStart = std::chrono::steady_clock::now();
        app.Start();
        const double cpu = double(std::clock() - cpuStart) / CLOCKS_PER_SEC;
        const double wall =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
        state.counters["cpu_percent_of_one_core"] = 100.0 * cpu / wall;
        state.counters["updates_per_second"] = app.mMainLoop.mUpdateCount / wall;
        state.counters["presents"] = double(app.mMainLoop.mDrawCount.load());
    }
}
BENCHMARK(BM_IdleRun)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

// One update followed by a full-screen redraw and its present.
void BM_UpdateAndFullRedraw(benchmark::State& state)
{
    BenchApp app;
    app.Init();
    for (auto _ : state)
    {
        app.UpdateStep();
        app.mBackdrop.MarkDirty();
        app.DrawScreen();
        benchmark::DoNotOptimize(app.PresentScreen());
    }
}
BENCHMARK(BM_UpdateAndFullRedraw)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    platform::setEnv("SDL_VIDEODRIVER", platform::getEnv("SDL_VIDEODRIVER").value_or("dummy"));
    platform::setEnv("SDL_AUDIODRIVER", platform::getEnv("SDL_AUDIODRIVER").value_or("dummy"));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
