#include "bench/BenchRounds.h"
#include "bench/graphics/BenchTable.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace benchtable
{

namespace
{

struct Entry
{
    std::string label;
    std::string ours;
    std::string peer;
    PictureCheck check = nullptr;
    int tolerance = 0;
    // The check's largest difference; -1 when the row has no check.
    int difference = -1;
};

std::vector<Entry>& Rows()
{
    static std::vector<Entry> rows;
    return rows;
}

// Keeps every benchmark's items per second while the console shows the usual report.
class RecordingReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        // With repetitions the median stands for the benchmark, which evens out the
        // noise of a busy machine.
        for (const Run& run : runs)
        {
            const auto found = run.counters.find("items_per_second");
            if (found == run.counters.end())
                continue;
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                mRates[run.run_name.str()] = found->second.value;
            else if (run.run_type == Run::RT_Iteration && mRates.count(run.run_name.str()) == 0)
                mRates[run.run_name.str()] = found->second.value;
        }
        ConsoleReporter::ReportRuns(runs);
    }

    std::map<std::string, double> mRates;
};

} // namespace

void AddRow(const std::string& label, const std::string& ours, const std::string& peer, PictureCheck check,
            int tolerance)
{
    Rows().push_back({label, ours, peer, check, tolerance});
}

// Each checked row's pictures, compared once before the run.
void CheckPictures()
{
    std::printf("%-56s %10s %10s\n", "pictures", "largest", "tolerance");
    for (Entry& row : Rows())
    {
        if (row.check == nullptr)
            continue;
        row.difference = row.check();
        std::printf("%-56s %10d %10d%s\n", row.label.c_str(), row.difference, row.tolerance,
                    row.difference > row.tolerance ? "  DIFFERENT PICTURES" : "");
    }
}

} // namespace benchtable

int main(int argc, char** argv)
{
    std::vector<char*> args = benchrounds::WithRoundDefaults(argc, argv);
    argc = int(args.size()) - 1;
    argv = args.data();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchtable::CheckPictures();
    benchtable::RecordingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    std::printf("\n%-56s %12s %12s %8s\n", "frame", "ours Mpix/s", "peer Mpix/s", "ratio");
    for (const auto& row : benchtable::Rows())
    {
        const auto ours = reporter.mRates.find(row.ours);
        const auto peer = reporter.mRates.find(row.peer);
        if (ours == reporter.mRates.end() || peer == reporter.mRates.end())
            continue;
        std::printf("%-56s %12.1f %12.1f", row.label.c_str(), ours->second / 1e6, peer->second / 1e6);
        if (row.difference > row.tolerance)
            std::printf(" %8s\n", "-");
        else
            std::printf(" %7.2fx%s\n", ours->second / peer->second,
                        row.check == nullptr ? "  (unchecked)" : "");
    }
    return 0;
}
