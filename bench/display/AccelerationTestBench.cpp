// The acceleration test on a software GL (Mesa's, through SDL's offscreen
// driver): recognised by its name, as the game does it, against the blend and
// clipping tests drawn and read back, as it ran before; once on a renderer kept
// for all rounds, once with the window's renderer made for each test and let go
// again for the software path, as the game's first display set-up does.
// Milliseconds per test are printed.
#include "bench/BenchRounds.h"
#include "framework/display/D3DTester.h"
#include "platform/RenderDevice.h"
#include "platform/Window.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <vector>

using namespace Quib;

namespace
{

struct Bench
{
    Bench()
    {
        window.create("bench", 800, 600, false);
        device = window.renderDevice();
    }

    platform::Window window;
    platform::RenderDevice* device = nullptr;
};

Bench& Shared()
{
    static Bench bench;
    return bench;
}

bool RunTest(platform::RenderDevice* device, bool acceptSoftware)
{
    D3DTester tester;
    tester.mUseRegistry = false;
    tester.mAcceptSoftwareRenderer = acceptSoftware;
    tester.SetVideoMemoryLimits(6, 14);
    tester.RunTest(device, nullptr, "");
    return tester.mFailureReason.empty();
}

void Run(benchmark::State& state, bool acceptSoftware)
{
    Bench& bench = Shared();
    if (bench.device == nullptr || !D3DTester::DrawsWithoutCard(bench.device->info()))
    {
        state.SkipWithError("the renderer here is no software GL");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(RunTest(bench.device, acceptSoftware));
}

void BM_TestRecognisesSoftwareGL(benchmark::State& state)
{
    Run(state, false);
}
BENCHMARK(BM_TestRecognisesSoftwareGL)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_TestDrawsOnSoftwareGL(benchmark::State& state)
{
    Run(state, true);
}
BENCHMARK(BM_TestDrawsOnSoftwareGL)->Unit(benchmark::kMillisecond)->UseRealTime();

// As at the game's first display set-up: the window's renderer made, the test
// run on it, and the renderer let go for the software path.
void RunFromScratch(benchmark::State& state, bool acceptSoftware)
{
    platform::Window window;
    window.create("bench", 800, 600, false);
    for (auto _ : state)
    {
        platform::RenderDevice* device = window.renderDevice();
        benchmark::DoNotOptimize(RunTest(device, acceptSoftware));
        window.setSoftwarePresent(true);
    }
}

void BM_RendererMadeRecognisedAndLetGo(benchmark::State& state)
{
    RunFromScratch(state, false);
}
BENCHMARK(BM_RendererMadeRecognisedAndLetGo)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_RendererMadeDrawnOnAndLetGo(benchmark::State& state)
{
    RunFromScratch(state, true);
}
BENCHMARK(BM_RendererMadeDrawnOnAndLetGo)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    // A screen of its own for the renderer, whatever the caller's display is.
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("LIBGL_ALWAYS_SOFTWARE", "1", 0);
    std::vector<char*> args = benchrounds::WithRoundDefaults(argc, argv);
    int count = int(args.size()) - 1;
    benchmark::Initialize(&count, args.data());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
