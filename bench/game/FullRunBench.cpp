// The whole game played by the scripted player on the headless harness, from
// a fresh profile's first arrival on the level map to the final scores:
// prints the wall time of the run, the updates it took, the mini-games solved
// and skipped, and the process's peak resident memory. The run draws no frames
// (the harness's drawing is off for it), which the output says: its time is
// the game's logic alone.

#include "bench/game/HeadlessBenchMain.h"
#include "game/frontend/ScoresScreen.h"
#include "tests/game/fullrun/FullRunSession.h"
#include "tests/game/fullrun/HeapInUse.h"

#include <benchmark/benchmark.h>
#include <chrono>

namespace
{

// Far more than the run takes; a run that needs them has stalled.
constexpr int kMaxUpdates = 20000000;

void BM_FullRun(benchmark::State& state)
{
    for (auto _ : state)
    {
        const auto start = std::chrono::steady_clock::now();
        fullrun::FullRunSession run;
        if (!run.Start())
        {
            state.SkipWithError("the level map was not reached");
            return;
        }
        const int firstUpdate = run.Game().App().mMainLoop.mUpdateStepsRun;
        const bool ended =
            run.Player().PlayUntil([&] { return run.Game().Top<ScoresScreen>() != nullptr; }, kMaxUpdates);
        const auto end = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
        if (!ended)
        {
            state.SkipWithError(("the run stalled, " + run.Player().Describe()).c_str());
            return;
        }
        state.counters["updates"] = run.Game().App().mMainLoop.mUpdateStepsRun - firstUpdate;
        state.counters["solved"] = run.Solved();
        state.counters["skipped"] = run.Skipped();
        state.counters["heap_at_end_MB"] = double(fullrun::HeapInUse()) / 1048576.0;
    }
    state.SetLabel("logic only, no frames drawn");
    state.counters["peak_RSS_MB"] = double(fullrun::PeakResident()) / 1048576.0;
}
BENCHMARK(BM_FullRun)->UseManualTime()->Unit(benchmark::kSecond)->Iterations(1);

} // namespace

int main(int argc, char** argv)
{
    return RunHeadlessBenchmarks(argc, argv);
}
