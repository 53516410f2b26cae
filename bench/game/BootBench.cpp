// Start-up of the game, headless on the generated pack: from the application
// object's construction to the title's first frame on the screen, and to the
// end of the big group's background load. Prints the wall time per boot and
// the process's peak resident memory (goal: under 1 s and under 150 MB).

#include "bench/game/HeadlessBenchMain.h"
#include "tests/game/support/GameHarness.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <sys/resource.h>

namespace
{

double PeakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

// The loading thread runs from the start, beside the first frames, as in play.
void BM_BootToFirstTitleFrame(benchmark::State& state)
{
    for (auto _ : state)
    {
        const auto start = std::chrono::steady_clock::now();
        gameharness::GameHarness game;
        game.Boot();
        game.ReleaseLoading();
        for (int update = 0; update < 100 && game.App().mMainLoop.mDrawCount == 0; ++update)
            game.Update();
        const auto end = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
        if (game.App().mMainLoop.mDrawCount == 0 || game.App().mTitleScreen == nullptr)
            state.SkipWithError("the title was not drawn");
    }
}
BENCHMARK(BM_BootToFirstTitleFrame)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_BootToEndOfBigGroup(benchmark::State& state)
{
    for (auto _ : state)
    {
        const auto start = std::chrono::steady_clock::now();
        {
            gameharness::GameHarness game;
            game.Boot();
            game.FinishLoading();
            game.Update();
            const auto end = std::chrono::steady_clock::now();
            state.SetIterationTime(std::chrono::duration<double>(end - start).count());
            if (!game.App().mLoadingFinished)
                state.SkipWithError("the big group did not load");
        }
    }
    state.counters["peak_MB"] = PeakMegabytes();
}
BENCHMARK(BM_BootToEndOfBigGroup)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv)
{
    return RunHeadlessBenchmarks(argc, argv);
}
